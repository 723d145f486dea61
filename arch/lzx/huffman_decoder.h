// Canonical Huffman decoding for the LZX trees: a direct table for short
// codes and a per-length search for the rare longer ones.
#pragma once

#include <cstdint>
#include <vector>

#include "arch/lzx/bit_reader.h"
#include "arch/lzx/format.h"

namespace cab::lzx {

class HuffmanDecoder {
public:
    enum class BuildResult { kComplete, kEmpty, kInvalid };

    // `lengths` holds `count` code lengths of 0..16. Only a complete code
    // (every bit string decodes) or an empty one (all lengths 0) is valid.
    BuildResult Build(const uint8_t* lengths, int count, int tableBits);

    // Decodes one symbol. Only called on a complete code, so every bit
    // string yields a symbol.
    int Decode(BitReader& in) const
    {
        const uint32_t bits = in.Peek(kMaxCodeLength);
        const uint16_t entry = m_table[bits >> (kMaxCodeLength - m_tableBits)];
        if (entry == kLong) return DecodeLong(in, bits);
        in.Skip(entry & 0x1F);
        return entry >> 5;
    }

private:
    static constexpr uint16_t kLong = 0xFFFF; // no symbol of 16 bits or fewer fits
    int DecodeLong(BitReader& in, uint32_t bits) const;

    int m_tableBits = 0;
    std::vector<uint16_t> m_table; // symbol << 5 | length, or kLong
    uint32_t m_firstCode[kMaxCodeLength + 2] = {};
    uint16_t m_firstIndex[kMaxCodeLength + 2] = {};
    uint16_t m_countOf[kMaxCodeLength + 2] = {};
    std::vector<uint16_t> m_sorted; // symbols ordered by (length, symbol)
};

} // namespace cab::lzx
