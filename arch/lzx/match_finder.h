// Finds earlier occurrences in the encoder's history. Positions are hashed
// by their first few bytes into rows of the sixteen latest positions with
// that hash row, each with an 8-bit tag of the rest of the hash, so one
// look at a row skips the positions that cannot match; two small tables
// hold the latest positions with the same three and four bytes for short
// matches nearby, which the rows do not see.
// Sixteen positions of a common beginning reach back only a little way in
// text, where a few words recur all the time; so a second set of rows
// (when asked for) hashes positions by their first kLongHashBytes bytes,
// two words or so, and its sixteen positions of a phrase reach much further
// back: across the whole window when the rows have a slot for every
// position of it.
// Positions are offsets in the folder's stream; the caller's buffer holds
// the bytes from `bufferStart` on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif
#if defined(_MSC_VER)
#include <xmmintrin.h>
#endif

namespace cab::lzx {

struct Match {
    uint32_t length;
    uint32_t offset;
};

class MatchFinder {
public:
    // 2^rowBits rows, and 2^longRowBits rows of long beginnings (none
    // for 0).
    MatchFinder(int rowBits, int longRowBits, uint32_t maxOffset);

    // Up to `depth` earlier positions are compared in the rows (`longDepth`
    // in those of long beginnings, the same when not given); a match of
    // `goodLength` cuts the rest to a quarter, one of `niceLength` ends the
    // search.
    void SetSearch(int depth, uint32_t goodLength, uint32_t niceLength, int longDepth = -1)
    {
        m_depth = depth;
        m_longDepth = longDepth < 0 ? depth : longDepth;
        m_good = goodLength;
        m_nice = niceLength;
    }

    // In what follows `data` points at the byte of stream position
    // `position` in the encoder's buffer, `history` is how many bytes the
    // buffer holds before it, and matches end within `maxLength` bytes.

    // Bytes a position needs after it (itself included) to be hashed, and
    // to be hashed by its long beginning.
    static constexpr uint32_t kHashBytes = 6;
    static constexpr uint32_t kLongHashBytes = 12;

    // Asks the processor to fetch what a search or insertion of the
    // position will touch; needs `available` >= kHashBytes bytes.
    void Prefetch(const uint8_t* data, uint32_t available) const
    {
        const uint32_t row = m_rows.RowOf(RowHash(data));
        PrefetchLine(&m_rows.rows[row]);
        PrefetchLine(&m_rows.heads[row]);
        PrefetchLine(m_hash4.data() + Hash4(data));
        PrefetchLine(m_hash3.data() + Hash3(data));
        if (m_long.Used() && available >= kLongHashBytes) {
            const uint32_t longRow = m_long.RowOf(LongHash(data));
            PrefetchLine(&m_long.rows[longRow]);
            PrefetchLine(&m_long.heads[longRow]);
        }
    }

    // Records the position; needs `available` >= kHashBytes bytes.
    void Insert(const uint8_t* data, uint32_t position, uint32_t available)
    {
        m_rows.Add(RowHash(data), position);
        if (m_long.Used() && available >= kLongHashBytes) m_long.Add(LongHash(data), position);
        m_hash3[Hash3(data)] = position + 1;
        m_hash4[Hash4(data)] = position + 1;
    }

    // Records the position and appends the matches found there to `out`,
    // each longer than the one before (at most `maxLength` long); returns
    // how many. Needs maxLength >= kHashBytes.
    int FindAndInsert(const uint8_t* data, uint32_t position, uint32_t history, uint32_t maxLength, Match* out)
    {
        return Search<true>(data, position, history, maxLength, out);
    }
    // The same without recording the position, for a look ahead of the
    // positions recorded so far.
    int Find(const uint8_t* data, uint32_t position, uint32_t history, uint32_t maxLength, Match* out)
    {
        return Search<false>(data, position, history, maxLength, out);
    }

    // Forgets every position (before stream positions would overflow).
    void Clear();

    // How many bytes from a and b agree, at most `limit`; compares eight
    // at a time.
    static uint32_t MatchLength(const uint8_t* a, const uint8_t* b, uint32_t limit)
    {
        uint32_t n = 0;
        while (n + 8 <= limit) {
            uint64_t x, y;
            std::memcpy(&x, a + n, 8);
            std::memcpy(&y, b + n, 8);
            if (x != y) break;
            n += 8;
        }
        while (n < limit && a[n] == b[n]) ++n;
        return n;
    }

private:
    static void PrefetchLine(const void* p)
    {
#if defined(__GNUC__) || defined(__clang__)
        __builtin_prefetch(p);
#elif defined(_MSC_VER)
        _mm_prefetch(static_cast<const char*>(p), _MM_HINT_T0);
#else
        (void)p;
#endif
    }

    template <bool kInsert>
    int Search(const uint8_t* data, uint32_t position, uint32_t history, uint32_t maxLength, Match* out);

    static constexpr int kWays = 16;
    // One cache line: the tags, then the low 24 bits of each position + 1
    // (0: empty). Offsets are far below 2^24, so the low bits give them
    // back; an entry too old to tell apart is at worst a poor candidate,
    // since every match is checked against the bytes.
    struct alignas(64) Row {
        uint8_t tags[kWays];
        uint8_t positions[3 * kWays];
    };
    // A row's newest entry is at its head, older ones follow it round the
    // row.
    struct RowTable {
        int bits = 0;
        std::vector<Row> rows;
        std::vector<uint8_t> heads;

        explicit RowTable(int rowBits);
        bool Used() const { return bits != 0; }
        void Clear();
        uint32_t RowOf(uint64_t h) const { return static_cast<uint32_t>(h >> (64 - bits)); }
        void Add(uint64_t h, uint32_t position)
        {
            const uint32_t row = RowOf(h);
            const uint8_t slot = static_cast<uint8_t>((heads[row] - 1) & (kWays - 1));
            heads[row] = slot;
            Row& r = rows[row];
            r.tags[slot] = TagOf(h);
            const uint32_t entry = position + 1;
            r.positions[3 * slot] = static_cast<uint8_t>(entry);
            r.positions[3 * slot + 1] = static_cast<uint8_t>(entry >> 8);
            r.positions[3 * slot + 2] = static_cast<uint8_t>(entry >> 16);
        }
    };
    // Compares the row's candidates for hash `h` (up to `depth` of them,
    // newest first) and appends those longer than `best`; returns the new
    // count.
    int SearchRow(const RowTable& table, uint64_t h, const uint8_t* data, uint32_t position, uint32_t reach,
                  uint32_t maxLength, int depth, uint32_t& best, Match* out, int count) const;

    // Bit i set where the row's tag i equals `tag`.
    static uint32_t TagMask(const Row& r, uint8_t tag)
    {
#if defined(__SSE2__) || defined(_M_X64)
        const __m128i tags = _mm_load_si128(reinterpret_cast<const __m128i*>(r.tags));
        return static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(tags, _mm_set1_epi8(static_cast<char>(tag)))));
#else
        uint32_t mask = 0;
        for (int i = 0; i < kWays; ++i) mask |= static_cast<uint32_t>(r.tags[i] == tag) << i;
        return mask;
#endif
    }
    static int CountTrailingZeros(uint32_t v)
    {
#if defined(__GNUC__) || defined(__clang__)
        return __builtin_ctz(v);
#else
        int n = 0;
        while (!(v & 1)) {
            v >>= 1;
            ++n;
        }
        return n;
#endif
    }
    static uint64_t RowHash(const uint8_t* p)
    {
        uint64_t v = 0;
        for (int i = static_cast<int>(kHashBytes) - 1; i >= 0; --i) v = v << 8 | p[i];
        return v * 0x9E3779B97F4A7C15ull;
    }
    static uint64_t LongHash(const uint8_t* p)
    {
        uint64_t a, b;
        std::memcpy(&a, p, 8);
        std::memcpy(&b, p + kLongHashBytes - 8, 8);
        return (a * 0x9E3779B97F4A7C15ull ^ b) * 0xC2B2AE3D27D4EB4Full;
    }
    static uint8_t TagOf(uint64_t h) { return static_cast<uint8_t>(h >> 24); }
    static uint32_t EntryAt(const Row& r, unsigned slot)
    {
        return static_cast<uint32_t>(r.positions[3 * slot]) | static_cast<uint32_t>(r.positions[3 * slot + 1]) << 8 |
               static_cast<uint32_t>(r.positions[3 * slot + 2]) << 16;
    }
    static uint32_t Hash4(const uint8_t* p)
    {
        const uint32_t v = static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
        return (v * 2654435761u) >> (32 - kHash4Bits);
    }
    static uint32_t Hash3(const uint8_t* p)
    {
        const uint32_t v =
            static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16;
        return (v * 506832829u) >> (32 - kHash3Bits);
    }

    static constexpr int kHash3Bits = 14;
    static constexpr int kHash4Bits = 16;
    uint32_t m_maxOffset;
    int m_depth = 16;
    int m_longDepth = 16;
    uint32_t m_good = 32;
    uint32_t m_nice = 64;
    RowTable m_rows;
    RowTable m_long;
    std::vector<uint32_t> m_hash3;
    std::vector<uint32_t> m_hash4;
};

} // namespace cab::lzx
