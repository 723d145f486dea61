#include "arch/lzx/encoder.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "arch/lzx/bit_writer.h"
#include "arch/lzx/e8.h"
#include "arch/lzx/optimal_encoder.h"

namespace cab::lzx {
namespace {

// Stream positions handed to the match finder stay below this; past it the
// finder starts over (cabinet folders never get there).
constexpr uint64_t kFinderSpan = 0xF0000000u;

struct LevelSettings {
    int rowBits;
    int longRowBits;     // rows of long beginnings (0: none)
    int depth;           // earlier positions compared in each set of rows
    uint32_t good;       // a match this long cuts the rest of the search short
    uint32_t nice;       // one this long ends it
    uint32_t insert;     // positions inside a longer match are not hashed (0: all are)
    uint32_t skip;       // after 2^skip positions without a match, search every other one
    uint32_t storedStep; // every how many positions of a stored frame are hashed
};

// Measured on the archiver benchmark's text (tools/run-bench.sh): the rows
// of long beginnings pay at both levels (twice as many of them, a slot for
// every position of a 2 MiB window, gained another 1% in size for 18% more
// time); looking one position ahead before taking a match gained nothing
// over the rows' matches and cost a search. At the fast level, hashing the
// first eight positions of each match rather than four made Python's HTML
// manual 2.5% smaller for 5% more time.
LevelSettings SettingsFor(int level)
{
    if (level <= 0) return {14, 14, 1, 8, 16, 8, 4, 8};
    return {15, 16, 16, 16, 32, 48, 6, 4};
}

// Bits per byte of the frame's byte frequencies, above which it is taken
// for compressed or random data unless it repeats something seen before.
constexpr double kIncompressibleEntropy = 7.9;

} // namespace

Encoder::Encoder(int windowBits, int level)
    : m_windowBits(windowBits), m_level(level <= 0 ? 0 : 1), m_windowSize(1u << windowBits),
      m_maxOffset(MaxOffset(windowBits)), m_buffer(2 * (std::size_t{1} << windowBits)),
      m_finder(std::min(SettingsFor(level).rowBits, windowBits - 3),
               std::min(SettingsFor(level).longRowBits, windowBits - 3), MaxOffset(windowBits)),
      m_writer(windowBits)
{
    const LevelSettings s = SettingsFor(m_level);
    m_finder.SetSearch(s.depth, s.good, s.nice);
    m_insertLimit = s.insert;
    m_skipShift = s.skip;
    m_storedStep = s.storedStep;
    m_matches.resize(kMaxMatch + 2);
    m_prices.SetDefault();
}

void Encoder::Encode(const uint8_t* data, std::size_t size, std::vector<uint8_t>& out)
{
    if (size == 0) return;
    if (size > kFrameSize) throw std::invalid_argument("an LZX frame holds at most 32768 bytes");
    const bool first = m_frameIndex == 0;
    AppendFrame(data, size);
    const uint32_t end = m_bufferLength;
    const uint32_t begin = end - static_cast<uint32_t>(size);
    // The last positions of the previous frame could not be hashed until
    // the bytes after them arrived.
    InsertUpTo(m_bufferStart + begin);

    if (LooksIncompressible(begin, end)) {
        // Stored without a search. Some of its positions are still
        // recorded, so that a later copy of the same bytes is found: every
        // fourth at the default level, every eighth at the fast one.
        InsertUpTo(m_bufferStart + end, m_storedStep);
        WriteStored(out, begin, size, first);
        return;
    }

    uint32_t saved[kNumRepeatedOffsets];
    std::copy(m_repeated, m_repeated + kNumRepeatedOffsets, saved);
    m_items.clear();
    Parse(begin, end);

    SymbolCounts counts;
    CountSymbols(m_items, counts);
    BlockCodes codes;
    const int type = m_writer.ChooseCodes(counts, codes);

    const BlockWriter before = m_writer;
    m_scratch.clear();
    const std::size_t headerBits = first ? 1 + 32 : 0;
    {
        BitWriter w(m_scratch);
        if (first) WriteStreamHeader(w);
        m_writer.WriteCompressed(w, type, static_cast<uint32_t>(size), codes, m_items);
        w.AlignToWord();
    }
    const std::size_t plainBits = headerBits + BlockWriter::UncompressedBits(headerBits, static_cast<uint32_t>(size));
    if (plainBits < m_scratch.size() * 8) {
        // Stored as it is: the decoder's trees and repeated offsets stay
        // those of before this frame.
        m_writer = before;
        std::copy(saved, saved + kNumRepeatedOffsets, m_repeated);
        WriteStored(out, begin, size, first);
        return;
    }
    out.insert(out.end(), m_scratch.begin(), m_scratch.end());
    m_prices.SetFromCodes(codes, m_windowBits);
    ++m_frameIndex;
}

void Encoder::WriteStored(std::vector<uint8_t>& out, uint32_t begin, std::size_t size, bool first)
{
    BitWriter w(out);
    if (first) WriteStreamHeader(w);
    BlockWriter::WriteUncompressed(w, m_buffer.data() + begin, static_cast<uint32_t>(size), m_repeated);
    ++m_frameIndex;
}

void WriteStreamHeader(BitWriter& out)
{
    // Call translation on, with its size as two 16-bit halves.
    out.Put(1, 1);
    out.Put(static_cast<uint32_t>(kE8TranslationSize) >> 16, 16);
    out.Put(static_cast<uint32_t>(kE8TranslationSize) & 0xFFFF, 16);
}

bool Encoder::LooksIncompressible(uint32_t begin, uint32_t end)
{
    const uint32_t size = end - begin;
    if (size < 4096) return false;
    // Every other byte is sample enough.
    uint32_t counts[256] = {};
    for (uint32_t i = begin; i < end; i += 2) ++counts[m_buffer[i]];
    const uint32_t samples = (size + 1) / 2;
    double sum = 0;
    for (const uint32_t c : counts)
        if (c) sum += c * std::log2(static_cast<double>(c));
    const double entropy = std::log2(static_cast<double>(samples)) - sum / samples;
    if (entropy < kIncompressibleEntropy) return false;
    // The same bytes may have been seen before (a file packed twice):
    // probe a few positions for long matches.
    const uint64_t history = m_bufferStart + begin - m_finderBase;
    for (uint32_t at = begin; at + 64 <= end; at += 509) {
        const int n = m_finder.Find(m_buffer.data() + at, FinderPosition(m_bufferStart + at),
                                    static_cast<uint32_t>(std::min<uint64_t>(at, history)), 64, m_matches.data());
        if (n > 0 && m_matches[n - 1].length >= 32) return false;
    }
    return true;
}

void Encoder::AppendFrame(const uint8_t* data, std::size_t size)
{
    if (m_bufferLength + size > m_buffer.size()) {
        // Keep one window of history.
        const uint32_t keep = std::min(m_bufferLength, m_windowSize);
        const uint32_t drop = m_bufferLength - keep;
        std::memmove(m_buffer.data(), m_buffer.data() + drop, keep);
        m_bufferLength = keep;
        m_bufferStart += drop;
    }
    const uint64_t frameStart = m_bufferStart + m_bufferLength;
    if (frameStart + size - m_finderBase >= kFinderSpan) {
        m_finder.Clear();
        m_finderBase = frameStart;
        m_inserted = frameStart;
    }
    uint8_t* frame = m_buffer.data() + m_bufferLength;
    std::memcpy(frame, data, size);
    if (m_frameIndex < kE8FrameLimit) E8Encode(frame, size, static_cast<uint32_t>(frameStart), kE8TranslationSize);
    m_bufferLength += static_cast<uint32_t>(size);
}

void Encoder::InsertUpTo(uint64_t position, uint32_t step)
{
    const uint64_t end = m_bufferStart + m_bufferLength;
    const uint64_t tail = MatchFinder::kHashBytes - 1;
    const uint64_t last = std::min(position, end >= tail ? end - tail : 0);
    if (m_inserted < m_bufferStart) m_inserted = m_bufferStart;
    // Fetching a few positions ahead lets the memory work in parallel.
    const uint64_t ahead = 4 * step;
    for (; m_inserted < last; m_inserted += step) {
        const uint8_t* data = m_buffer.data() + (m_inserted - m_bufferStart);
        if (m_inserted + ahead < last) m_finder.Prefetch(data + ahead, static_cast<uint32_t>(end - m_inserted - ahead));
        m_finder.Insert(data, FinderPosition(m_inserted), static_cast<uint32_t>(end - m_inserted));
    }
    m_inserted = std::max(m_inserted, last);
}

int Encoder::Search(uint32_t at, uint32_t maxLength)
{
    const uint64_t position = m_bufferStart + at;
    if (m_bufferLength - at < MatchFinder::kHashBytes) return 0;
    InsertUpTo(position);
    const int n = m_finder.FindAndInsert(m_buffer.data() + at, FinderPosition(position),
                                         static_cast<uint32_t>(std::min<uint64_t>(at, position - m_finderBase)),
                                         maxLength, m_matches.data());
    m_inserted = std::max(m_inserted, position + 1);
    return n;
}

uint32_t Encoder::RepeatLength(uint32_t at, uint32_t offset, uint32_t maxLength) const
{
    // A repeated offset may point before the stream start or out of the
    // history kept; such a match is impossible.
    if (offset > at || offset > m_maxOffset) return 0;
    const uint8_t* p = m_buffer.data() + at;
    return MatchFinder::MatchLength(p, p - offset, maxLength);
}

void Encoder::EmitMatch(uint32_t length, uint32_t offset)
{
    for (int r = 0; r < kNumRepeatedOffsets; ++r)
        if (m_repeated[r] == offset) {
            EmitRepeat(length, r);
            return;
        }
    m_items.push_back(MatchItem(length, offset + 2));
    m_repeated[2] = m_repeated[1];
    m_repeated[1] = m_repeated[0];
    m_repeated[0] = offset;
}

void Encoder::EmitRepeat(uint32_t length, int index)
{
    m_items.push_back(MatchItem(length, static_cast<uint32_t>(index)));
    std::swap(m_repeated[0], m_repeated[index]);
}

Encoder::Candidate Encoder::BestAt(uint32_t at, uint32_t end)
{
    Candidate best;
    const uint32_t maxLength = std::min<uint32_t>(end - at, kMaxMatch);
    if (maxLength < kMinMatch) return best;
    const uint32_t* literalCost = m_literalCost.data() + (at - m_frameBegin);
    auto consider = [&](uint32_t length, uint32_t price, int repIndex, uint32_t offset) {
        const int32_t gain = static_cast<int32_t>(literalCost[length] - literalCost[0]) - static_cast<int32_t>(price);
        if (gain > best.gain) {
            best = {length, offset, repIndex, gain};
        }
    };
    for (int r = 0; r < kNumRepeatedOffsets; ++r) {
        const uint32_t len = RepeatLength(at, m_repeated[r], maxLength);
        if (len >= kMinMatch) consider(len, m_prices.Repeat(r, len), r, m_repeated[r]);
    }
    const int found = Search(at, maxLength);
    for (int k = 0; k < found; ++k) {
        const Match m = m_matches[k];
        if (m.length > best.length) consider(m.length, m_prices.Explicit(m.offset, m.length), -1, m.offset);
    }
    return best;
}

void Encoder::Emit(const Candidate& c)
{
    if (c.repIndex >= 0)
        EmitRepeat(c.length, c.repIndex);
    else
        EmitMatch(c.length, c.offset);
}

// Both levels parse by the prices of the last block: at each position the
// match that saves most over literals, a repeated offset when it pays.
// They differ in how hard the match finder looks.
void Encoder::Parse(uint32_t begin, uint32_t end)
{
    // What the frame's bytes cost as literals, summed from its start, so
    // that a match's saving over the bytes it covers is one subtraction.
    m_frameBegin = begin;
    m_literalCost.resize(end - begin + 1);
    m_literalCost[0] = 0;
    for (uint32_t k = begin; k < end; ++k)
        m_literalCost[k - begin + 1] = m_literalCost[k - begin] + m_prices.literal[m_buffer[k]];
    uint32_t i = begin;
    uint32_t misses = 0;
    while (i < end) {
        Candidate current = BestAt(i, end);
        if (current.length == 0) {
            // Where nothing matches for long (compressed data), search ever
            // more sparsely.
            const uint32_t step = std::min(1 + (misses++ >> m_skipShift), end - i);
            for (uint32_t k = 0; k < step; ++k) m_items.push_back(LiteralItem(m_buffer[i + k]));
            i += step;
            if (m_level == 0) m_inserted = std::max(m_inserted, m_bufferStart + i);
            continue;
        }
        misses = 0;
        Emit(current);
        const uint32_t start = i;
        i += current.length;
        // The next search's rows are fetched while the match's positions
        // are recorded.
        if (end - i >= MatchFinder::kHashBytes) m_finder.Prefetch(m_buffer.data() + i, end - i);
        if (m_insertLimit != 0 && current.length > m_insertLimit) {
            InsertUpTo(m_bufferStart + start + m_insertLimit);
            m_inserted = std::max(m_inserted, m_bufferStart + i);
        } else {
            InsertUpTo(m_bufferStart + i);
        }
    }
}

} // namespace cab::lzx

namespace cab {

std::unique_ptr<FolderEncoder> MakeLzxEncoder(int windowBits, int level, int threads)
{
    if (windowBits < lzx::kMinWindowBits || windowBits > lzx::kMaxWindowBits) return nullptr;
    if (level <= 0) return std::make_unique<lzx::Encoder>(windowBits, level);
    return std::make_unique<lzx::OptimalEncoder>(windowBits, level, threads);
}

} // namespace cab
