// Deterministic contents for the archiver's tests, the same bytes on every
// machine: bytes that do not compress, text that does, and the varied set
// of files that every LZX window must carry byte for byte; and how two
// trees of files differ.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace archtest {

std::string RandomBytes(std::size_t size, uint32_t seed);
std::string RandomText(std::size_t size, uint32_t seed);

// Text of `size` bytes in which, from `distance` on, pieces of 300 bytes
// repeat what stood `distance` bytes before them: matches from far back.
std::string TextWithFarRepeats(std::size_t size, std::size_t distance, uint32_t seed);

struct SampleFile {
    std::string name;
    std::string bytes;
};

// Files of every kind a cabinet of the given LZX window must give back:
// empty, one byte, exactly one frame (32768 bytes) and one byte more, long
// runs, text, HTML, a PDF, random bytes, the photo and the x86 program
// given (real files made by ImageMagick and mingw-w64), and text a quarter
// longer than the window with repeats from nearly a window back.
std::vector<SampleFile> LzxSampleFiles(int windowBits, const std::string& photo, const std::string& program);

// Little-endian fields of a cabinet's bytes, as the published layout has
// them.
uint32_t U16(const std::string& bytes, std::size_t at);
uint32_t U32(const std::string& bytes, std::size_t at);

// Files by relative path, with their contents.
using FileTree = std::map<std::string, std::string>;

// What tells two trees apart, file by file ("" when they are equal): for
// large files, whose contents would say nothing in a test's message.
std::string TreeDifferences(const FileTree& got, const FileTree& expected);

} // namespace archtest
