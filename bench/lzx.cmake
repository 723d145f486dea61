# The LZX codec benchmark (release host build): lzx_bench [file...]
include(${CMAKE_SOURCE_DIR}/arch/lzx.cmake)
find_package(ZLIB REQUIRED)
add_executable(lzx_bench ${CMAKE_CURRENT_LIST_DIR}/lzx_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/lzx_corpus.cpp)
target_link_libraries(lzx_bench PRIVATE arch_lzx ZLIB::ZLIB)
