// Length-limited Huffman codes for the LZX trees.
#pragma once

#include <cstdint>

namespace cab::lzx {

// Sets lengths[i] for `count` symbols from their frequencies, no code
// longer than maxLength. Symbols of frequency 0 get length 0. The code is
// always complete: when fewer than two symbols occur, a second one is given
// a code too, since readers accept only complete codes.
void BuildCodeLengths(const uint32_t* freqs, int count, int maxLength, uint8_t* lengths);

// Canonical codes from lengths: shorter codes first, and by symbol within
// one length.
void BuildCodes(const uint8_t* lengths, int count, uint16_t* codes);

} // namespace cab::lzx
