// What literals and matches cost under a block's codes, in sixteenths of a
// bit, for the parsers' choices.
#pragma once

#include <cstdint>

#include "arch/lzx/block_writer.h"
#include "arch/lzx/format.h"
#include "arch/lzx/sequence.h"

namespace cab::lzx {

struct Prices {
    static constexpr uint32_t kScale = 16;

    uint32_t literal[kNumChars];
    uint32_t match[kMaxPositionSlots][8];
    uint32_t length[kLengthSymbols];

    // Before any block: literals at eight bits, matches at a little more
    // for far offsets and long lengths.
    void SetDefault()
    {
        for (uint32_t& p : literal) p = 8 * kScale;
        for (int slot = 0; slot < kMaxPositionSlots; ++slot)
            for (int h = 0; h < 8; ++h)
                match[slot][h] = (slot < kNumRepeatedOffsets ? 8 : 10) * kScale + h * kScale / 2;
        for (uint32_t& p : length) p = 8 * kScale;
    }

    // From a block's code lengths; symbols it did not use are priced as
    // rare ones.
    void SetFromCodes(const BlockCodes& codes, int windowBits)
    {
        for (int b = 0; b < kNumChars; ++b) literal[b] = (codes.mainLengths[b] ? codes.mainLengths[b] : 12) * kScale;
        const int slots = PositionSlotCount(windowBits);
        for (int slot = 0; slot < slots; ++slot)
            for (int h = 0; h < 8; ++h) {
                const uint8_t len = codes.mainLengths[kNumChars + slot * 8 + h];
                match[slot][h] = (len ? len : 14) * kScale;
            }
        for (int s = 0; s < kLengthSymbols; ++s)
            length[s] = (codes.lengthLengths[s] ? codes.lengthLengths[s] : 10) * kScale;
    }

    // A match symbol of a slot and the length symbol after it, if any.
    uint32_t Symbols(int slot, uint32_t length) const
    {
        const uint32_t extra = length - kMinMatch;
        return extra < kNumPrimaryLengths ? match[slot][extra]
                                          : match[slot][kNumPrimaryLengths] + this->length[extra - kNumPrimaryLengths];
    }

    uint32_t Explicit(uint32_t offset, uint32_t length) const
    {
        const int slot = PositionSlot(offset + 2);
        return Symbols(slot, length) + kSlots.extraBits[slot] * kScale;
    }

    uint32_t Repeat(int index, uint32_t length) const { return Symbols(index, length); }
};

} // namespace cab::lzx
