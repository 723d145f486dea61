// Finds earlier occurrences for the near-optimal parser: positions are kept
// in binary trees ordered by the bytes that follow them, one tree per hash
// of the first four bytes, as far back as the window reaches. A search walks
// one tree from its root and yields, for each length, the nearest position
// that matches that far; inserting the position is the same walk. A small
// table of the latest position of each three-byte beginning adds the short
// matches nearby.
// Positions are indexes into the caller's buffer, which holds every byte
// from index 0 on; the finder keeps no bytes of its own.
#pragma once

#include <cstdint>
#include <vector>

#include "arch/lzx/match_finder.h"

namespace cab::lzx {

class TreeFinder {
public:
    // Trees over offsets up to `maxOffset` (< 2^windowBits); at most
    // `depth` nodes are compared per walk; a match of `niceLength` ends it.
    TreeFinder(int windowBits, uint32_t maxOffset, uint32_t depth, uint32_t niceLength);

    static constexpr uint32_t kHashBytes = 4;

    // Appends to `out` the matches at `position`, each longer than the one
    // before, lengths capped at `maxLength`; records the position. `available`
    // is how many bytes the buffer holds from the position on (at least
    // kHashBytes). Returns how many matches.
    int Find(const uint8_t* base, uint32_t position, uint32_t available, uint32_t maxLength, Match* out)
    {
        return Walk<true>(base, position, available, maxLength, out);
    }
    // Asks the processor to fetch the heads a walk from `position` starts at.
    void Prefetch(const uint8_t* base, uint32_t position, uint32_t available) const
    {
#if defined(__GNUC__) || defined(__clang__)
        if (available >= kHashBytes) __builtin_prefetch(&m_heads[Hash(base + position, m_headBits)]);
#else
        (void)base, (void)position, (void)available;
#endif
    }
    // Records the position only.
    void Insert(const uint8_t* base, uint32_t position, uint32_t available)
    {
        Walk<false>(base, position, available, 0, nullptr);
    }

private:
    template <bool kReport>
    int Walk(const uint8_t* base, uint32_t position, uint32_t available, uint32_t maxLength, Match* out);

    static uint32_t Hash(const uint8_t* p, int bits)
    {
        uint32_t v;
        std::memcpy(&v, p, 4);
        return (v * 2654435761u) >> (32 - bits);
    }

    const uint32_t m_mask;
    const uint32_t m_maxOffset;
    const uint32_t m_depth;
    const uint32_t m_nice;
    const int m_headBits;
    static constexpr int kNearBits = 16;
    // Entries are position + 1; 0 is none.
    std::vector<uint32_t> m_heads;
    std::vector<uint32_t> m_near;
    // Two children per position of the window, by position modulo its size.
    std::vector<uint32_t> m_children;
};

} // namespace cab::lzx
