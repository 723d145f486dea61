// Writes LZX blocks: the trees of a verbatim or aligned-offset block, coded
// against the previous block's trees through pretrees, then its items; or
// an uncompressed block.
#pragma once

#include <cstddef>
#include <cstdint>

#include "arch/lzx/bit_writer.h"
#include "arch/lzx/format.h"
#include "arch/lzx/sequence.h"

namespace cab::lzx {

// The trees a compressed block is written with.
struct BlockCodes {
    uint8_t mainLengths[kMaxMainSymbols] = {};
    uint8_t lengthLengths[kLengthSymbols] = {};
    uint8_t alignedLengths[kAlignedSymbols] = {};
    uint16_t mainCodes[kMaxMainSymbols] = {};
    uint16_t lengthCodes[kLengthSymbols] = {};
    uint16_t alignedCodes[kAlignedSymbols] = {};
};

struct SymbolCounts {
    uint32_t main[kMaxMainSymbols] = {};
    uint32_t length[kLengthSymbols] = {};
    uint32_t aligned[kAlignedSymbols] = {};
    // Extra offset bits that both block kinds write verbatim, and those an
    // aligned block replaces by an aligned symbol.
    uint64_t verbatimBits = 0;
    uint64_t alignableBits = 0;
};

void CountSymbols(const Sequence& items, SymbolCounts& counts);

class BlockWriter {
public:
    explicit BlockWriter(int windowBits) : m_mainSymbols(MainSymbolCount(windowBits)) {}

    // Chooses codes for the counts and the cheaper of the verbatim and
    // aligned-offset kinds. Returns the block kind.
    int ChooseCodes(const SymbolCounts& counts, BlockCodes& codes) const;

    // Writes a compressed block of `size` bytes; the written trees become
    // the ones the next block is coded against.
    void WriteCompressed(BitWriter& out, int type, uint32_t size, const BlockCodes& codes, const Sequence& items);

    // The same in pieces, for a block whose items span several frames: the
    // header and trees, then each item.
    void WriteHeader(BitWriter& out, int type, uint32_t size, const BlockCodes& codes);
    static void WriteItem(BitWriter& out, Item item, const BlockCodes& codes, bool aligned);

    // Writes an uncompressed block: its header, one to sixteen bits of
    // padding up to the next 16-bit boundary, the repeated offsets, the
    // bytes and, after an odd count, a padding byte.
    static void WriteUncompressed(BitWriter& out, const uint8_t* data, uint32_t size,
                                  const uint32_t (&repeated)[kNumRepeatedOffsets]);

    // The bits an uncompressed block of `size` bytes takes when started at
    // bit position `startBit` of a frame.
    static std::size_t UncompressedBits(std::size_t startBit, uint32_t size);

public:
    // The bits the items of a block coded with `codes` take.
    uint64_t DataBits(int type, const SymbolCounts& counts, const BlockCodes& codes) const;

private:
    void WriteTree(BitWriter& out, const uint8_t* lengths, uint8_t* previous, int count);

    int m_mainSymbols;
    uint8_t m_prevMain[kMaxMainSymbols] = {};
    uint8_t m_prevLength[kLengthSymbols] = {};
};

} // namespace cab::lzx
