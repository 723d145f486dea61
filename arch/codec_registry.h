// Which compression methods this build reads and writes, and the coders for
// a folder's compression type word.
//
// The LZX coders live in their own files (arch/lzx_*.cpp). A build compiles
// this registry with ARCH_HAVE_LZX_DECODER and ARCH_HAVE_LZX_ENCODER when
// those files provide cab::MakeLzxDecoder and cab::MakeLzxEncoder
// (arch/CMakeLists.txt finds them); without them LZX folders are refused
// with a clear message and "-m LZX:n" writes MSZIP.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "arch/codec.h"

namespace cab {

bool LzxDecoderAvailable();
bool LzxEncoderAvailable();

// Parses a method as the command line names it: "NONE", "MSZIP", "LZX" or
// "LZX:15" to "LZX:21" (any case). Gives the folder type word.
bool ParseMethod(const std::string& text, uint16_t& compression, std::string& error);

// The type word a folder actually gets when `requested` is asked for:
// LZX becomes MSZIP while this build has no LZX encoder.
uint16_t WritableCompression(uint16_t requested);

// An encoder for a type word that WritableCompression returned.
std::unique_ptr<FolderEncoder> MakeFolderEncoder(uint16_t compression);

// A decoder for a folder's type word, or null with the reason (Quantum,
// LZX missing from this build, a window outside 15 to 21, unknown types).
std::unique_ptr<FolderDecoder> MakeFolderDecoder(uint16_t compression, std::string& error);

} // namespace cab
