#include "arch/lzx/huffman_decoder.h"

namespace cab::lzx {

HuffmanDecoder::BuildResult HuffmanDecoder::Build(const uint8_t* lengths, int count, int tableBits)
{
    uint16_t counts[kMaxCodeLength + 1] = {};
    for (int i = 0; i < count; ++i) {
        if (lengths[i] > kMaxCodeLength) return BuildResult::kInvalid;
        ++counts[lengths[i]];
    }
    if (counts[0] == count) return BuildResult::kEmpty;

    // Kraft sum over 2^16: a complete code fills it exactly.
    uint32_t kraft = 0;
    for (int len = 1; len <= kMaxCodeLength; ++len)
        kraft += static_cast<uint32_t>(counts[len]) << (kMaxCodeLength - len);
    if (kraft != (1u << kMaxCodeLength)) return BuildResult::kInvalid;

    m_sorted.assign(count, 0);
    uint32_t code = 0;
    uint16_t index = 0;
    for (int len = 1; len <= kMaxCodeLength; ++len) {
        code = (code + (len > 1 ? counts[len - 1] : 0)) << (len > 1 ? 1 : 0);
        m_firstCode[len] = code;
        m_firstIndex[len] = index;
        m_countOf[len] = counts[len];
        index = static_cast<uint16_t>(index + counts[len]);
    }
    uint16_t next[kMaxCodeLength + 1];
    for (int len = 1; len <= kMaxCodeLength; ++len) next[len] = m_firstIndex[len];
    for (int sym = 0; sym < count; ++sym)
        if (lengths[sym] != 0) m_sorted[next[lengths[sym]]++] = static_cast<uint16_t>(sym);

    m_tableBits = tableBits;
    m_table.assign(std::size_t{1} << tableBits, kLong);
    for (int len = 1; len <= tableBits; ++len) {
        for (uint32_t i = 0; i < m_countOf[len]; ++i) {
            const uint32_t symbolCode = m_firstCode[len] + i;
            const uint16_t entry = static_cast<uint16_t>(m_sorted[m_firstIndex[len] + i] << 5 | len);
            const uint32_t start = symbolCode << (tableBits - len);
            const uint32_t span = 1u << (tableBits - len);
            for (uint32_t j = 0; j < span; ++j) m_table[start + j] = entry;
        }
    }
    return BuildResult::kComplete;
}

int HuffmanDecoder::DecodeLong(BitReader& in, uint32_t bits) const
{
    for (int len = m_tableBits + 1; len <= kMaxCodeLength; ++len) {
        const uint32_t code = bits >> (kMaxCodeLength - len);
        const uint32_t offset = code - m_firstCode[len];
        if (offset < m_countOf[len]) {
            in.Skip(len);
            return m_sorted[m_firstIndex[len] + offset];
        }
    }
    // Unreachable for a complete code; consume something so callers move on.
    in.Skip(kMaxCodeLength);
    return 0;
}

} // namespace cab::lzx
