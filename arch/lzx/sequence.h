// What the encoder's parser hands to the block writer: a sequence of
// literals and matches, one 32-bit item each.
#pragma once

#include <cstdint>
#include <vector>

#include "arch/lzx/format.h"

namespace cab::lzx {

// A literal is its byte. A match has the top bit set, its length - 2 in
// bits 22..29 and its formatted offset in bits 0..21: 0, 1 and 2 name the
// repeated offsets, anything else is the offset + 2.
using Item = uint32_t;
using Sequence = std::vector<Item>;

constexpr uint32_t kMatchFlag = 0x80000000u;

constexpr Item LiteralItem(uint8_t byte) { return byte; }
constexpr Item MatchItem(uint32_t length, uint32_t formattedOffset)
{
    return kMatchFlag | (length - kMinMatch) << 22 | formattedOffset;
}
constexpr bool IsMatch(Item item) { return (item & kMatchFlag) != 0; }
constexpr uint32_t MatchLength(Item item) { return ((item >> 22) & 0xFF) + kMinMatch; }
constexpr uint32_t FormattedOffset(Item item) { return item & 0x3FFFFF; }

// The index of the highest set bit of v > 0.
inline int FloorLog2(uint32_t v)
{
#if defined(__GNUC__) || defined(__clang__)
    return 31 - __builtin_clz(v);
#else
    int log2 = 0;
    while (v >>= 1) ++log2;
    return log2;
#endif
}

// The position slot of a formatted offset: below slot 36 each power of two
// holds two slots; from there on every slot spans 2^17.
inline int PositionSlot(uint32_t formatted)
{
    if (formatted < 4) return static_cast<int>(formatted);
    if (formatted >= kSlots.base[36]) return 36 + static_cast<int>((formatted - kSlots.base[36]) >> 17);
    const int log2 = FloorLog2(formatted);
    return 2 * log2 + static_cast<int>((formatted >> (log2 - 1)) & 1);
}

// The main tree symbol of a match.
inline int MatchSymbol(int slot, uint32_t length)
{
    const uint32_t header = length - kMinMatch < kNumPrimaryLengths ? length - kMinMatch : kNumPrimaryLengths;
    return kNumChars + slot * 8 + static_cast<int>(header);
}

} // namespace cab::lzx
