#include "arch/lzx_match_finder.h"

#include <algorithm>

namespace cab::lzx {

MatchFinder::MatchFinder(int windowBits, int hashBits, uint32_t maxOffset)
    : hashBits_(hashBits),
      windowMask_((1u << windowBits) - 1),
      maxOffset_(maxOffset),
      head_(std::size_t{1} << hashBits, 0),
      prev_(std::size_t{1} << windowBits, 0),
      hash3_(std::size_t{1} << kHash3Bits, 0),
      hash4_(std::size_t{1} << kHash4Bits, 0) {}

void MatchFinder::Clear() {
    std::fill(head_.begin(), head_.end(), 0);
    std::fill(prev_.begin(), prev_.end(), 0);
    std::fill(hash3_.begin(), hash3_.end(), 0);
    std::fill(hash4_.begin(), hash4_.end(), 0);
}

template <bool kInsert>
int MatchFinder::Search(const uint8_t* data, uint32_t position, uint32_t history, uint32_t maxLength, Match* out) {
    const uint32_t reach = std::min(history, maxOffset_);
    int count = 0;
    uint32_t best = 2;

    // Short matches nearby, which the chains cannot see.
    auto nearby = [&](std::vector<uint32_t>& table, uint32_t h, uint32_t minLength, uint32_t maxOffset) {
        const uint32_t entry = table[h];
        if (kInsert)
            table[h] = position + 1;
        if (entry == 0 || maxLength < minLength)
            return;
        const uint32_t offset = position - (entry - 1);
        if (offset > reach || offset > maxOffset)
            return;
        const uint32_t len = MatchLength(data, data - offset, maxLength);
        if (len > best && len >= minLength) {
            out[count++] = {len, offset};
            best = len;
        }
    };
    nearby(hash3_, Hash3(data), 3, 4096);
    nearby(hash4_, Hash4(data), 4, 65536);

    const uint32_t h = ChainHash(data);
    uint32_t candidate = head_[h];
    if (kInsert) {
        prev_[position & windowMask_] = candidate;
        head_[h] = position + 1;
    }

    if (best >= maxLength)
        return count;
    int depth = depth_;
    while (candidate != 0 && depth-- > 0) {
        const uint32_t offset = position - (candidate - 1);
        if (offset > reach)
            break;
        const uint8_t* match = data - offset;
        // Only a match that beats the best so far matters: test its byte at
        // that length first.
        if (match[best] == data[best]) {
            const uint32_t len = MatchLength(data, match, maxLength);
            if (len > best) {
                out[count++] = {len, offset};
                best = len;
                if (len >= nice_ || len >= maxLength)
                    break;
                if (len >= good_)
                    depth >>= 2;
            }
        }
        candidate = prev_[(candidate - 1) & windowMask_];
    }
    return count;
}

template int MatchFinder::Search<true>(const uint8_t*, uint32_t, uint32_t, uint32_t, Match*);
template int MatchFinder::Search<false>(const uint8_t*, uint32_t, uint32_t, uint32_t, Match*);

} // namespace cab::lzx
