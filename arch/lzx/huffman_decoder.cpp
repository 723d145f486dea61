#include "arch/lzx/huffman_decoder.h"

namespace cab::lzx {

HuffmanDecoder::BuildResult HuffmanDecoder::Build(const uint8_t* lengths, int count, int tableBits) {
    uint16_t counts[kMaxCodeLength + 1] = {};
    for (int i = 0; i < count; ++i) {
        if (lengths[i] > kMaxCodeLength)
            return BuildResult::kInvalid;
        ++counts[lengths[i]];
    }
    if (counts[0] == count)
        return BuildResult::kEmpty;

    // Kraft sum over 2^16: a complete code fills it exactly.
    uint32_t kraft = 0;
    for (int len = 1; len <= kMaxCodeLength; ++len)
        kraft += static_cast<uint32_t>(counts[len]) << (kMaxCodeLength - len);
    if (kraft != (1u << kMaxCodeLength))
        return BuildResult::kInvalid;

    sorted_.assign(count, 0);
    uint32_t code = 0;
    uint16_t index = 0;
    for (int len = 1; len <= kMaxCodeLength; ++len) {
        code = (code + (len > 1 ? counts[len - 1] : 0)) << (len > 1 ? 1 : 0);
        firstCode_[len] = code;
        firstIndex_[len] = index;
        countOf_[len] = counts[len];
        index = static_cast<uint16_t>(index + counts[len]);
    }
    uint16_t next[kMaxCodeLength + 1];
    for (int len = 1; len <= kMaxCodeLength; ++len)
        next[len] = firstIndex_[len];
    for (int sym = 0; sym < count; ++sym)
        if (lengths[sym] != 0)
            sorted_[next[lengths[sym]]++] = static_cast<uint16_t>(sym);

    tableBits_ = tableBits;
    table_.assign(std::size_t{1} << tableBits, kLong);
    for (int len = 1; len <= tableBits; ++len) {
        for (uint32_t i = 0; i < countOf_[len]; ++i) {
            const uint32_t symbolCode = firstCode_[len] + i;
            const uint16_t entry = static_cast<uint16_t>(sorted_[firstIndex_[len] + i] << 5 | len);
            const uint32_t start = symbolCode << (tableBits - len);
            const uint32_t span = 1u << (tableBits - len);
            for (uint32_t j = 0; j < span; ++j)
                table_[start + j] = entry;
        }
    }
    return BuildResult::kComplete;
}

int HuffmanDecoder::DecodeLong(BitReader& in, uint32_t bits) const {
    for (int len = tableBits_ + 1; len <= kMaxCodeLength; ++len) {
        const uint32_t code = bits >> (kMaxCodeLength - len);
        const uint32_t offset = code - firstCode_[len];
        if (offset < countOf_[len]) {
            in.Skip(len);
            return sorted_[firstIndex_[len] + offset];
        }
    }
    // Unreachable for a complete code; consume something so callers move on.
    in.Skip(kMaxCodeLength);
    return 0;
}

} // namespace cab::lzx
