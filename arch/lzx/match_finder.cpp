#include "arch/lzx/match_finder.h"

#include <algorithm>

namespace cab::lzx {

MatchFinder::RowTable::RowTable(int rowBits)
    : bits(rowBits), rows(rowBits ? std::size_t{1} << rowBits : 0, Row{}), heads(rows.size(), 0)
{}

void MatchFinder::RowTable::Clear()
{
    std::fill(rows.begin(), rows.end(), Row{});
    std::fill(heads.begin(), heads.end(), 0);
}

MatchFinder::MatchFinder(int rowBits, int longRowBits, uint32_t maxOffset)
    : m_maxOffset(maxOffset), m_rows(rowBits), m_long(longRowBits), m_hash3(std::size_t{1} << kHash3Bits, 0),
      m_hash4(std::size_t{1} << kHash4Bits, 0)
{}

void MatchFinder::Clear()
{
    m_rows.Clear();
    m_long.Clear();
    std::fill(m_hash3.begin(), m_hash3.end(), 0);
    std::fill(m_hash4.begin(), m_hash4.end(), 0);
}

int MatchFinder::SearchRow(const RowTable& table, uint64_t h, const uint8_t* data, uint32_t position, uint32_t reach,
                           uint32_t maxLength, int depth, uint32_t& best, Match* out, int count) const
{
    const uint32_t row = table.RowOf(h);
    const uint8_t tag = TagOf(h);
    const Row& r = table.rows[row];
    const unsigned head = table.heads[row];
    // The slots whose tag matches, as bits in age order (bit k: the k-th
    // newest), so that the loop visits only those.
    const uint32_t bySlot = TagMask(r, tag);
    uint32_t byAge = ((bySlot >> head) | (bySlot << (kWays - head))) & ((1u << kWays) - 1);
    for (; byAge != 0 && depth > 0 && best < maxLength; byAge &= byAge - 1) {
        const unsigned slot = (head + static_cast<unsigned>(CountTrailingZeros(byAge))) & (kWays - 1);
        const uint32_t entry = EntryAt(r, slot);
        if (entry == 0) break;
        // Newest first: once one is out of reach, all after it are.
        const uint32_t offset = (position + 1 - entry) & 0xFFFFFF;
        if (offset == 0 || offset > reach) break;
        --depth;
        const uint8_t* match = data - offset;
        // Only a match that beats the best so far matters: test its byte at
        // that length first.
        if (match[best] != data[best]) continue;
        const uint32_t len = MatchLength(data, match, maxLength);
        if (len > best) {
            out[count++] = {len, offset};
            best = len;
            if (len >= m_nice) break;
            if (len >= m_good) depth >>= 2;
        }
    }
    return count;
}

template <bool kInsert>
int MatchFinder::Search(const uint8_t* data, uint32_t position, uint32_t history, uint32_t maxLength, Match* out)
{
    const uint32_t reach = std::min(history, m_maxOffset);
    int count = 0;
    uint32_t best = 2;

    // Short matches nearby, which the rows cannot see.
    auto nearby = [&](std::vector<uint32_t>& table, uint32_t h, uint32_t minLength, uint32_t maxOffset) {
        const uint32_t entry = table[h];
        if (kInsert) table[h] = position + 1;
        if (entry == 0 || maxLength < minLength) return;
        const uint32_t offset = position - (entry - 1);
        if (offset > reach || offset > maxOffset) return;
        const uint32_t len = MatchLength(data, data - offset, maxLength);
        if (len > best && len >= minLength) {
            out[count++] = {len, offset};
            best = len;
        }
    };
    nearby(m_hash3, Hash3(data), 3, 4096);
    nearby(m_hash4, Hash4(data), 4, 65536);

    const uint64_t h = RowHash(data);
    count = SearchRow(m_rows, h, data, position, reach, maxLength, m_depth, best, out, count);
    const bool hashLong = m_long.Used() && maxLength >= kLongHashBytes;
    const uint64_t hl = hashLong ? LongHash(data) : 0;
    if (hashLong && best < m_nice)
        count = SearchRow(m_long, hl, data, position, reach, maxLength, m_longDepth, best, out, count);
    if (kInsert) {
        m_rows.Add(h, position);
        if (hashLong) m_long.Add(hl, position);
    }
    return count;
}

template int MatchFinder::Search<true>(const uint8_t*, uint32_t, uint32_t, uint32_t, Match*);
template int MatchFinder::Search<false>(const uint8_t*, uint32_t, uint32_t, uint32_t, Match*);

} // namespace cab::lzx
