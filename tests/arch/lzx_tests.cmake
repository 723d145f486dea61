# Tests of the LZX codec (host build: they use sha256sum, cabextract and Wine).
include(${CMAKE_SOURCE_DIR}/arch/lzx.cmake)

# Portable tests, also built and run under Wine in the Windows build.
find_package(ZLIB REQUIRED)
ambrel_host_test(arch_lzx_e8_test ${CMAKE_CURRENT_LIST_DIR}/lzx_e8_test.cpp)
target_link_libraries(arch_lzx_e8_test PRIVATE arch_lzx)
ambrel_host_test(arch_lzx_codec_test ${CMAKE_CURRENT_LIST_DIR}/lzx_codec_test.cpp
  ${CMAKE_SOURCE_DIR}/bench/lzx_corpus.cpp)
target_link_libraries(arch_lzx_codec_test PRIVATE arch_lzx ZLIB::ZLIB)

if(NOT WIN32)
  add_library(lzx_test_support STATIC
    ${CMAKE_CURRENT_LIST_DIR}/lzx_test_cabinet.cpp
    ${CMAKE_CURRENT_LIST_DIR}/lzx_test_util.cpp
    ${CMAKE_SOURCE_DIR}/bench/lzx_corpus.cpp)
  target_link_libraries(lzx_test_support PUBLIC arch_lzx GTest::gtest ZLIB::ZLIB)
  target_compile_definitions(lzx_test_support PUBLIC
    LZX_FIXTURE_DIR="${CMAKE_SOURCE_DIR}/../shared/fixtures/cab")

  ambrel_host_test(arch_lzx_decoder_test ${CMAKE_CURRENT_LIST_DIR}/lzx_decoder_test.cpp)
  target_link_libraries(arch_lzx_decoder_test PRIVATE lzx_test_support)

  ambrel_host_test(arch_lzx_round_trip_test ${CMAKE_CURRENT_LIST_DIR}/lzx_round_trip_test.cpp)
  target_link_libraries(arch_lzx_round_trip_test PRIVATE lzx_test_support)

  ambrel_host_test(arch_lzx_cabextract_test ${CMAKE_CURRENT_LIST_DIR}/lzx_cabextract_test.cpp)
  target_link_libraries(arch_lzx_cabextract_test PRIVATE lzx_test_support)

  ambrel_host_test(arch_lzx_stream_test ${CMAKE_CURRENT_LIST_DIR}/lzx_stream_test.cpp)
  target_link_libraries(arch_lzx_stream_test PRIVATE lzx_test_support)

  ambrel_host_test(arch_lzx_wine_test ${CMAKE_CURRENT_LIST_DIR}/lzx_wine_test.cpp)
  target_link_libraries(arch_lzx_wine_test PRIVATE lzx_test_support)
endif()
