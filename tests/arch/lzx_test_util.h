// Helpers shared by the LZX tests: decoding a folder, hashing with the
// system's sha256sum, and temporary folders.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/arch/lzx_test_cabinet.h"

namespace lzxtest {

// Decodes every data block of a folder with a fresh decoder. False with the
// decoder's reason on failure.
bool DecodeFolder(const std::vector<DataBlock>& blocks, int windowBits, std::vector<uint8_t>& out,
                  std::string& error);

// Encodes `data` as one folder, 32768 bytes per data block.
std::vector<DataBlock> EncodeFolder(const std::vector<uint8_t>& data, int windowBits, int level);

// An x86-64 program: code full of E8 call instructions. A mingw-built DLL
// when the toolchain is there, the running test program otherwise.
std::vector<uint8_t> X86Code();
// A photo-like JPEG made by ImageMagick; empty when convert is missing.
std::vector<uint8_t> Jpeg();

// Text of `size` bytes in which, from `distance` on, pieces of 300 bytes
// repeat what stood `distance` bytes before them.
std::vector<uint8_t> TextWithFarRepeats(std::size_t size, std::size_t distance, uint32_t seed);

std::string Sha256(const std::vector<uint8_t>& bytes);
// Runs a shell command; returns its exit status.
int RunCommand(const std::string& command);
std::string MakeTempDir();

} // namespace lzxtest
