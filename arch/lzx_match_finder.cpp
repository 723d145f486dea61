#include "arch/lzx_match_finder.h"

#include <algorithm>

namespace cab::lzx {

MatchFinder::MatchFinder(int windowBits, int hashBits, uint32_t maxOffset)
    : hashBits_(hashBits),
      windowMask_((1u << windowBits) - 1),
      maxOffset_(maxOffset),
      head_(std::size_t{1} << hashBits, 0),
      prev_(std::size_t{1} << windowBits, 0),
      hash3_(std::size_t{1} << kHash3Bits, 0) {}

void MatchFinder::Clear() {
    std::fill(head_.begin(), head_.end(), 0);
    std::fill(prev_.begin(), prev_.end(), 0);
    std::fill(hash3_.begin(), hash3_.end(), 0);
}

int MatchFinder::FindAndInsert(const uint8_t* data, uint32_t position, uint32_t history, uint32_t maxLength,
                               Match* out) {
    const uint32_t reach = std::min(history, maxOffset_);
    int count = 0;
    uint32_t best = 2;

    // A nearby three-byte match, which the four-byte chains cannot see.
    const uint32_t h3 = Hash3(data);
    const uint32_t near = hash3_[h3];
    hash3_[h3] = position + 1;
    if (near != 0) {
        const uint32_t offset = position - (near - 1);
        if (offset <= reach && offset < 4096 && maxLength >= 3) {
            const uint32_t len = MatchLength(data, data - offset, maxLength);
            if (len >= 3) {
                out[count++] = {len, offset};
                best = len;
            }
        }
    }

    const uint32_t h = Hash4(data);
    uint32_t candidate = head_[h];
    prev_[position & windowMask_] = candidate;
    head_[h] = position + 1;

    if (best >= maxLength)
        return count;
    for (int depth = depth_; candidate != 0 && depth > 0; --depth) {
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
            }
        }
        candidate = prev_[(candidate - 1) & windowMask_];
    }
    return count;
}

} // namespace cab::lzx
