// Hash chains over the encoder's history: for a position, the earlier
// positions that start with the same four bytes, newest first, plus the
// latest position with the same three bytes for short matches nearby.
// Positions are offsets in the folder's stream; the caller's buffer holds
// the bytes from `bufferStart` on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace cab::lzx {

struct Match {
    uint32_t length;
    uint32_t offset;
};

class MatchFinder {
public:
    MatchFinder(int windowBits, int hashBits, uint32_t maxOffset);

    void SetSearch(int depth, uint32_t niceLength) {
        depth_ = depth;
        nice_ = niceLength;
    }

    // `data` points at the byte of stream position `position`; `available`
    // bytes follow it (itself included) that belong to the current frame.
    // `history` is how many bytes before it are in the buffer.

    // Records the position; needs available >= 4.
    void Insert(const uint8_t* data, uint32_t position) {
        const uint32_t h = Hash4(data);
        prev_[position & windowMask_] = head_[h];
        head_[h] = position + 1;
        hash3_[Hash3(data)] = position + 1;
    }

    // Records the position and appends the matches found there to `out`,
    // each longer than the one before (at most `maxLength` long); returns
    // how many. Needs available >= 4.
    int FindAndInsert(const uint8_t* data, uint32_t position, uint32_t history, uint32_t maxLength, Match* out);

    // Forgets every position (before stream positions would overflow).
    void Clear();

    static uint32_t MatchLength(const uint8_t* a, const uint8_t* b, uint32_t limit) {
        uint32_t n = 0;
        while (n < limit && a[n] == b[n])
            ++n;
        return n;
    }

private:
    uint32_t Hash4(const uint8_t* p) const {
        const uint32_t v = static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
        return (v * 2654435761u) >> (32 - hashBits_);
    }
    static uint32_t Hash3(const uint8_t* p) {
        const uint32_t v = static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                           static_cast<uint32_t>(p[2]) << 16;
        return (v * 506832829u) >> (32 - kHash3Bits);
    }

    static constexpr int kHash3Bits = 14;
    int hashBits_;
    uint32_t windowMask_;
    uint32_t maxOffset_;
    int depth_ = 16;
    uint32_t nice_ = 64;
    // Entries hold position + 1; 0 means none.
    std::vector<uint32_t> head_;
    std::vector<uint32_t> prev_;
    std::vector<uint32_t> hash3_;
};

} // namespace cab::lzx
