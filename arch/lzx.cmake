# The LZX codec of cabinet folders. Included once from arch/CMakeLists.txt,
# which links arch_lzx into the archiver; other folders include it too so
# that it exists whatever is configured first.
include_guard(GLOBAL)

add_library(arch_lzx STATIC
  ${CMAKE_CURRENT_LIST_DIR}/lzx_block_writer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lzx_decoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lzx_e8.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lzx_encoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lzx_huffman_decoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lzx_huffman_encoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lzx_match_finder.cpp)
target_include_directories(arch_lzx PUBLIC ${CMAKE_SOURCE_DIR})
