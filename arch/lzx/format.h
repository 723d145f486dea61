// Constants and tables of the LZX format as cabinet folders use it, shared
// by the encoder and the decoder.
#pragma once

#include <cstddef>
#include <cstdint>

namespace cab::lzx {

constexpr int kMinWindowBits = 15;
constexpr int kMaxWindowBits = 21;

constexpr int kMinMatch = 2;
constexpr int kMaxMatch = 257;
constexpr int kNumChars = 256;
// Match lengths 2..8 sit in the main symbol; longer ones add a length symbol.
constexpr int kNumPrimaryLengths = 7;
constexpr int kLengthSymbols = 249;
constexpr int kAlignedSymbols = 8;
constexpr int kAlignedBits = 3;
constexpr int kPretreeSymbols = 20;
constexpr int kPretreeFieldBits = 4;
constexpr int kMaxCodeLength = 16;
constexpr int kMaxPretreeCodeLength = 15; // a 4-bit field holds the length
constexpr int kMaxAlignedCodeLength = 7;  // a 3-bit field holds the length
constexpr int kMaxPositionSlots = 50;
constexpr int kMaxMainSymbols = kNumChars + 8 * kMaxPositionSlots;
constexpr int kNumRepeatedOffsets = 3;

enum BlockType : int { kBlockVerbatim = 1, kBlockAligned = 2, kBlockUncompressed = 3 };

// The call translation is applied to the first 32768 frames of a folder only.
constexpr uint32_t kE8FrameLimit = 32768;
// A frame this short or shorter is never translated; the last bytes of a
// frame are never translated either.
constexpr std::size_t kE8Tail = 10;

struct PositionSlotTable {
    uint32_t base[kMaxPositionSlots + 1];
    uint8_t extraBits[kMaxPositionSlots + 1];
};

constexpr PositionSlotTable MakePositionSlotTable()
{
    PositionSlotTable t{};
    uint32_t base = 0;
    for (int slot = 0; slot <= kMaxPositionSlots; ++slot) {
        int extra = slot < 4 ? 0 : (slot / 2 - 1);
        if (extra > 17) extra = 17;
        t.base[slot] = base;
        t.extraBits[slot] = static_cast<uint8_t>(extra);
        base += 1u << extra;
    }
    return t;
}

inline constexpr PositionSlotTable kSlots = MakePositionSlotTable();

// The number of position slots of a window: the first slot whose base is at
// least the window size (50 for 2 MiB, 42 for 1 MiB).
constexpr int PositionSlotCount(int windowBits)
{
    const uint32_t size = 1u << windowBits;
    int slot = 0;
    while (kSlots.base[slot] < size) ++slot;
    return slot;
}

static_assert(PositionSlotCount(15) == 30 && PositionSlotCount(18) == 36);
static_assert(PositionSlotCount(20) == 42 && PositionSlotCount(21) == 50);

constexpr int MainSymbolCount(int windowBits) { return kNumChars + 8 * PositionSlotCount(windowBits); }

// Matches refer at most this far back (the largest offset the last slot reaches).
constexpr uint32_t MaxOffset(int windowBits) { return (1u << windowBits) - 3; }

} // namespace cab::lzx
