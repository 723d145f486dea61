// The compression methods of cabinet folders as the archiver names them,
// and the coders for a folder's compression type word.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "arch/codec.h"

namespace cab {

// How hard the encoders work. Default is what the program packs with;
// Fast packs in less time for a somewhat larger cabinet; Best (LZX only)
// spends more time for the smallest.
enum class Effort { Default, Fast, Best };

// How the encoders work: their effort, and how many threads the LZX
// encoder may use (the cabinet is the same for any number).
struct Packing {
    Effort effort;
    int threads;
    Packing(Effort effortLevel = Effort::Default, int threadCount = 1) : effort(effortLevel), threads(threadCount) {}
};

// Parses a method as the command line names it: "NONE", "MSZIP", "LZX"
// (LZX:21) or "LZX:15" to "LZX:21" (any case). Gives the folder type word.
bool ParseMethod(const std::string& text, uint16_t& compression, std::string& error);

// An encoder for a type word that ParseMethod gave.
std::unique_ptr<FolderEncoder> MakeFolderEncoder(uint16_t compression, const Packing& packing);

// A decoder for a folder's type word, or null with the reason (Quantum, a
// window outside 15 to 21, unknown types).
std::unique_ptr<FolderDecoder> MakeFolderDecoder(uint16_t compression, std::string& error);

} // namespace cab
