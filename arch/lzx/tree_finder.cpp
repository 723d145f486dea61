#include "arch/lzx/tree_finder.h"

#include <algorithm>

namespace cab::lzx {

TreeFinder::TreeFinder(int windowBits, uint32_t maxOffset, uint32_t depth, uint32_t niceLength)
    : m_mask((1u << windowBits) - 1), m_maxOffset(maxOffset), m_depth(depth), m_nice(niceLength),
      m_headBits(std::min(windowBits, 20)), m_heads(std::size_t{1} << m_headBits, 0),
      m_near(std::size_t{1} << kNearBits, 0), m_children(std::size_t{2} << windowBits, 0)
{}

template <bool kReport>
int TreeFinder::Walk(const uint8_t* base, uint32_t position, uint32_t available, uint32_t maxLength, Match* out)
{
    const uint8_t* const data = base + position;
    const uint32_t reach = std::min(position, m_maxOffset);
    int count = 0;
    uint32_t best = 1;

    if (kReport) {
        // The latest position with the same three bytes: short matches
        // nearby that a tree of four-byte beginnings does not hold.
        uint32_t v =
            static_cast<uint32_t>(data[0]) | static_cast<uint32_t>(data[1]) << 8 | static_cast<uint32_t>(data[2]) << 16;
        uint32_t& slot = m_near[(v * 506832829u) >> (32 - kNearBits)];
        const uint32_t entry = slot;
        slot = position + 1;
        if (entry != 0 && position + 1 - entry <= reach) {
            const uint32_t offset = position + 1 - entry;
            const uint32_t len = MatchFinder::MatchLength(data, data - offset, maxLength);
            if (len >= 3) {
                out[count++] = {len, offset};
                best = len;
            }
        }
    } else {
        const uint32_t v =
            static_cast<uint32_t>(data[0]) | static_cast<uint32_t>(data[1]) << 8 | static_cast<uint32_t>(data[2]) << 16;
        m_near[(v * 506832829u) >> (32 - kNearBits)] = position + 1;
    }

    // The tree is ordered by up to `limit` bytes; a candidate equal that far
    // takes this position's place.
    const uint32_t limit = std::min(available, m_nice);
    uint32_t& head = m_heads[Hash(data, m_headBits)];
    uint32_t candidate = head;
    head = position + 1;
    uint32_t* smaller = &m_children[2 * (position & m_mask)];
    uint32_t* larger = smaller + 1;
    uint32_t smallerLength = 0, largerLength = 0;
    for (uint32_t depth = m_depth;; --depth) {
        const uint32_t offset = position + 1 - candidate;
        if (candidate == 0 || offset > reach || depth == 0) {
            *smaller = 0;
            *larger = 0;
            break;
        }
        uint32_t* const pair = &m_children[2 * ((position - offset) & m_mask)];
        const uint8_t* const match = data - offset;
        uint32_t len = std::min(smallerLength, largerLength);
        if (match[len] == data[len]) {
            len = len + 1 + MatchFinder::MatchLength(data + len + 1, match + len + 1, limit - len - 1);
            if (kReport && len > best && std::min(len, maxLength) > best) {
                best = std::min(len, maxLength);
                out[count++] = {best, offset};
            }
            if (len >= limit) {
                *smaller = pair[0];
                *larger = pair[1];
                break;
            }
        }
        if (match[len] < data[len]) {
            *smaller = candidate;
            smaller = pair + 1;
            candidate = *smaller;
            smallerLength = len;
        } else {
            *larger = candidate;
            larger = pair;
            candidate = *larger;
            largerLength = len;
        }
    }
    // The tree compares no further than the nice length; a match that long
    // is followed to its end.
    if (kReport && count > 0 && out[count - 1].length >= limit && maxLength > limit) {
        Match& m = out[count - 1];
        m.length = MatchFinder::MatchLength(data, data - m.offset, std::min(maxLength, available));
    }
    return count;
}

template int TreeFinder::Walk<true>(const uint8_t*, uint32_t, uint32_t, uint32_t, Match*);
template int TreeFinder::Walk<false>(const uint8_t*, uint32_t, uint32_t, uint32_t, Match*);

} // namespace cab::lzx
