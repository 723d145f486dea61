#include "arch/lzx/optimal_encoder.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <thread>

#include "arch/lzx/e8.h"
#include "arch/lzx/encoder.h"
#include "arch/lzx/huffman_encoder.h"
#include "arch/lzx/match_finder.h"
#include "arch/lzx/prices.h"
#include "arch/lzx/tree_finder.h"

namespace cab::lzx {
namespace {

// Measured on Python's HTML manual (tools/run-bench.sh): the default level
// takes the rows' matches and its first parse (a tree finder there was 3%
// smaller and twice as slow); four candidates in the rows of short
// beginnings and eight in those of long ones cost 0.4% in size against
// sixteen each and save a fifth of the time, which checking the repeated
// offsets inside long matches (up to 8 bytes) wins back. The nice length
// is what the best level gains most from (160 rather than 64: 7% smaller);
// a second parse with the block's own codes gained it 0.4% for a fifth more
// time, and is left out.
OptimalSettings SettingsFor(int level)
{
    if (level >= 2) return {true, 32, 0, 160, 0, 16, 16, 8};
    return {false, 4, 8, 48, 0, 8, 16, 8};
}

// Bits per byte of a frame's byte frequencies above which it is taken for
// compressed or random data: its positions are searched sparsely, enough to
// find a copy of something seen before.
constexpr double kRandomEntropy = 7.9;
constexpr uint32_t kRandomStep = 16;

bool LooksRandom(const uint8_t* data, uint32_t size)
{
    if (size < 4096) return false;
    uint32_t counts[256] = {};
    for (uint32_t i = 0; i < size; ++i) ++counts[data[i]];
    double sum = 0;
    for (const uint32_t c : counts)
        if (c) sum += c * std::log2(static_cast<double>(c));
    return std::log2(static_cast<double>(size)) - sum / size >= kRandomEntropy;
}

// The repeated offsets as the parser knows them; 0 is an offset it does not
// know (one from before the stretch), which it never uses.
struct Repeats {
    uint32_t r[kNumRepeatedOffsets] = {0, 0, 0};
};

Repeats AfterExplicit(const Repeats& before, uint32_t offset) { return {{offset, before.r[0], before.r[1]}}; }

Repeats AfterRepeat(const Repeats& before, int index)
{
    Repeats after = before;
    std::swap(after.r[0], after.r[index]);
    return after;
}

// An estimate of the bits a block with these counts takes, trees included,
// for deciding where blocks end.
uint64_t EstimateBits(const SymbolCounts& counts, int mainSymbols)
{
    uint8_t mainLengths[kMaxMainSymbols];
    uint8_t lengthLengths[kLengthSymbols];
    BuildCodeLengths(counts.main, mainSymbols, kMaxCodeLength, mainLengths);
    BuildCodeLengths(counts.length, kLengthSymbols, kMaxCodeLength, lengthLengths);
    // Each tree length costs about five bits through the pretrees, which
    // themselves take 80 bits each.
    uint64_t bits = counts.verbatimBits + counts.alignableBits + 3 * 80;
    for (int s = 0; s < mainSymbols; ++s)
        bits += static_cast<uint64_t>(counts.main[s]) * mainLengths[s] + (mainLengths[s] ? 5 : 0);
    for (int s = 0; s < kLengthSymbols; ++s)
        bits += static_cast<uint64_t>(counts.length[s]) * lengthLengths[s] + (lengthLengths[s] ? 5 : 0);
    return bits;
}

void AddCounts(SymbolCounts& to, const SymbolCounts& from)
{
    for (int s = 0; s < kMaxMainSymbols; ++s) to.main[s] += from.main[s];
    for (int s = 0; s < kLengthSymbols; ++s) to.length[s] += from.length[s];
    for (int s = 0; s < kAlignedSymbols; ++s) to.aligned[s] += from.aligned[s];
    to.verbatimBits += from.verbatimBits;
    to.alignableBits += from.alignableBits;
}

// The rows of the fast level's match finder as a source of match lists:
// less thorough than the trees, and much quicker to fill.
class RowSource {
public:
    static constexpr uint32_t kHashBytes = MatchFinder::kHashBytes;

    RowSource(int windowBits, uint32_t maxOffset, const OptimalSettings& settings)
        : m_finder(std::min(15, windowBits - 3), std::min(16, windowBits - 3), maxOffset)
    {
        m_finder.SetSearch(static_cast<int>(settings.depth), settings.nice / 2, settings.nice,
                           static_cast<int>(settings.longDepth));
    }
    int Find(const uint8_t* base, uint32_t position, uint32_t available, uint32_t maxLength, Match* out)
    {
        if (maxLength < kHashBytes) {
            Insert(base, position, available);
            return 0;
        }
        return m_finder.FindAndInsert(base + position, position, position, maxLength, out);
    }
    void Insert(const uint8_t* base, uint32_t position, uint32_t available)
    {
        if (available >= kHashBytes) m_finder.Insert(base + position, position, available);
    }
    void Prefetch(const uint8_t* base, uint32_t position, uint32_t available) const
    {
        if (available >= kHashBytes) m_finder.Prefetch(base + position, available);
    }

private:
    MatchFinder m_finder;
};

// The best level's tree finder, built from the settings.
class TreeSource : public TreeFinder {
public:
    TreeSource(int windowBits, uint32_t maxOffset, const OptimalSettings& settings)
        : TreeFinder(windowBits, maxOffset, settings.depth, settings.nice)
    {}
};

// Codes one stretch: `bytes` holds the window before it (`history` bytes)
// and then its frames.
template <typename Finder>
class StretchCoder {
public:
    StretchCoder(int windowBits, const OptimalSettings& settings)
        : m_windowBits(windowBits), m_mainSymbols(MainSymbolCount(windowBits)), m_settings(settings),
          m_finder(windowBits, MaxOffset(windowBits), settings), m_blockWriter(windowBits)
    {}

    void Code(const std::vector<uint8_t>& bytes, uint32_t history, const std::vector<uint32_t>& frames,
              std::vector<CodedBlock>& blocks)
    {
        m_base = bytes.data();
        m_end = static_cast<uint32_t>(bytes.size());
        for (uint32_t p = 0; p < history; ++p)
            if (m_end - p >= Finder::kHashBytes) m_finder.Insert(m_base, p, m_end - p);
        m_prices.SetDefault();
        uint32_t at = history;
        for (std::size_t f = 0; f < frames.size(); f += static_cast<std::size_t>(m_settings.chunkFrames)) {
            const std::size_t count = std::min(frames.size() - f, static_cast<std::size_t>(m_settings.chunkFrames));
            const std::vector<uint32_t> chunk(frames.begin() + static_cast<std::ptrdiff_t>(f),
                                              frames.begin() + static_cast<std::ptrdiff_t>(f + count));
            at = CodeChunk(at, chunk, blocks);
        }
    }

private:
    // The cheapest way found to a position: its cost and the item that
    // ends there.
    struct Arrival {
        uint32_t cost;
        Item item;
    };

    // Lists the matches of every position of the chunk; returns its end.
    void FindMatches(uint32_t begin, const std::vector<uint32_t>& frames)
    {
        // The finder's rows for a position a few ahead are fetched while
        // this one is searched.
        constexpr uint32_t kAhead = 8;
        m_matchStart.clear();
        uint32_t used = 0;
        uint32_t skipUntil = 0;
        uint32_t frameBegin = begin;
        for (const uint32_t frameSize : frames) {
            const uint32_t frameEnd = frameBegin + frameSize;
            const uint32_t step = LooksRandom(m_base + frameBegin, frameSize) ? kRandomStep : 1;
            for (uint32_t p = frameBegin; p < frameEnd; ++p) {
                m_matchStart.push_back(used);
                const uint32_t available = m_end - p;
                if (available > kAhead) m_finder.Prefetch(m_base, p + kAhead, available - kAhead);
                if (available < Finder::kHashBytes) continue;
                // Inside a long match: not searched, and only every fourth
                // position recorded.
                if (p < skipUntil) {
                    if ((skipUntil - p) % 4 == 0) m_finder.Insert(m_base, p, available);
                    continue;
                }
                if ((p - frameBegin) % step != 0) continue;
                // The finder writes straight into the list.
                if (m_matches.size() < used + kMaxMatch + 2) m_matches.resize(2 * (used + kMaxMatch + 2));
                Match* const found = m_matches.data() + used;
                const uint32_t maxLength = std::min<uint32_t>(frameEnd - p, kMaxMatch);
                const int n = m_finder.Find(m_base, p, available, maxLength, found);
                if (n > 0 && found[n - 1].length >= m_settings.nice) skipUntil = p + found[n - 1].length;
                used += static_cast<uint32_t>(n);
            }
            frameBegin = frameEnd;
        }
        m_matchStart.push_back(used);
    }

    // The cheapest path through [begin, end) of the chunk starting at
    // `chunkBegin`, from the repeated offsets `repeats` (updated to those at
    // the end); appends its items.
    void Parse(uint32_t chunkBegin, uint32_t begin, uint32_t end, const std::vector<uint32_t>& frameEnds,
               Repeats& repeats, Sequence& items)
    {
        const uint32_t n = end - begin;
        m_arrivals.assign(n + 1, Arrival{std::numeric_limits<uint32_t>::max(), 0});
        m_arrivals[0].cost = 0;
        m_repeatsAt.resize(n + 1);
        m_repeatsAt[0] = repeats;
        uint32_t skipUntil = 0;
        std::size_t frame = 0;
        Arrival* const arrivals = m_arrivals.data();
        for (uint32_t i = 0; i < n; ++i) {
            const uint32_t p = begin + i;
            while (frameEnds[frame] <= p) ++frame;
            const uint32_t cost = arrivals[i].cost;
            if (i > 0) m_repeatsAt[i] = After(m_repeatsAt[i - ItemLength(arrivals[i].item)], arrivals[i].item);
            const Repeats reps = m_repeatsAt[i];
            const uint8_t* data = m_base + p;
            Arrival* const from = arrivals + i;
            const uint32_t literal = cost + m_prices.literal[*data];
            if (literal < from[1].cost) from[1] = {literal, LiteralItem(*data)};
            const uint32_t maxLength = std::min<uint32_t>(frameEnds[frame] - p, kMaxMatch);
            if (maxLength < kMinMatch) continue;
            const bool inside = i < skipUntil;
            uint32_t longest = 0;
            for (int r = 0; r < kNumRepeatedOffsets; ++r) {
                const uint32_t offset = reps.r[r];
                if (offset == 0 || offset > p || (r > 0 && offset == reps.r[0]) || (r == 2 && offset == reps.r[1]))
                    continue;
                if (data[0] != data[-static_cast<std::ptrdiff_t>(offset)] ||
                    data[1] != data[1 - static_cast<std::ptrdiff_t>(offset)])
                    continue;
                // Inside a long match taken whole, only short ones: a
                // repeated offset that continues it is that match itself.
                const uint32_t len = MatchFinder::MatchLength(
                    data, data - offset, inside ? std::min(maxLength, m_settings.insideRepeat) : maxLength);
                RelaxLengths(from, cost, r, 0, kMinMatch, len, m_settings.repeatLengths, static_cast<uint32_t>(r));
                longest = std::max(longest, len);
            }
            uint32_t covered = kMinMatch - 1;
            const uint32_t first = m_matchStart[p - chunkBegin], last = m_matchStart[p - chunkBegin + 1];
            for (uint32_t k = first; k < last; ++k) {
                const Match m = m_matches[k];
                const uint32_t len = std::min(m.length, maxLength);
                if (len <= covered) continue;
                if (m.offset == reps.r[0] || m.offset == reps.r[1] || m.offset == reps.r[2]) {
                    covered = len;
                    continue;
                }
                const int slot = PositionSlot(m.offset + 2);
                RelaxLengths(from, cost, slot, kSlots.extraBits[slot] * Prices::kScale, covered + 1, len, kMaxMatch,
                             m.offset + 2);
                covered = len;
                longest = std::max(longest, len);
            }
            if (longest >= m_settings.nice) skipUntil = i + longest;
        }
        const std::size_t first = items.size();
        for (uint32_t j = n; j > 0; j -= ItemLength(arrivals[j].item)) items.push_back(arrivals[j].item);
        std::reverse(items.begin() + static_cast<std::ptrdiff_t>(first), items.end());
        repeats = After(m_repeatsAt[n - ItemLength(arrivals[n].item)], arrivals[n].item);
    }

    // Relaxes the matches of lengths [from, to] of one slot (a repeated
    // offset's or an explicit one's, whose extra bits cost `extra`) from
    // position `at`; past `cap` only the longest.
    void RelaxLengths(Arrival* at, uint32_t cost, int slot, uint32_t extra, uint32_t fromLength, uint32_t toLength,
                      uint32_t cap, uint32_t formatted) const
    {
        const uint32_t* prices = m_prices.match[slot];
        const uint32_t base = cost + extra;
        const uint32_t primaryEnd = std::min<uint32_t>(toLength, kMinMatch + kNumPrimaryLengths - 1);
        uint32_t l = fromLength;
        for (; l <= primaryEnd; ++l) {
            const uint32_t c = base + prices[l - kMinMatch];
            if (c < at[l].cost) at[l] = {c, MatchItem(l, formatted)};
        }
        const uint32_t longBase = base + prices[kNumPrimaryLengths];
        for (; l <= toLength; l = (l < cap || l == toLength) ? l + 1 : toLength) {
            const uint32_t c = longBase + m_prices.length[l - kMinMatch - kNumPrimaryLengths];
            if (c < at[l].cost) at[l] = {c, MatchItem(l, formatted)};
        }
    }

    static uint32_t ItemLength(Item item) { return IsMatch(item) ? MatchLength(item) : 1; }

    static Repeats After(const Repeats& before, Item item)
    {
        if (!IsMatch(item)) return before;
        const uint32_t formatted = FormattedOffset(item);
        return formatted < kNumRepeatedOffsets ? AfterRepeat(before, static_cast<int>(formatted))
                                               : AfterExplicit(before, formatted - 2);
    }

    // Whether the block coded beats storing its frames, and every frame of
    // it fits a data block.
    bool Pays(const CodedBlock& block, const std::vector<uint32_t>& frames, std::size_t first,
              const SymbolCounts& counts) const
    {
        uint64_t stored = 0;
        for (std::size_t k = first; k < first + block.frames; ++k)
            stored += BlockWriter::UncompressedBits(0, frames[k]);
        const uint64_t coded = m_blockWriter.DataBits(block.type, counts, block.codes) + TreeBits(block.codes);
        if (coded >= stored) return false;
        // Per frame: the data block holds 6144 bytes more than the frame,
        // room for the trees (at most about 2.5 KiB) and 2 KiB of items more.
        std::size_t item = 0;
        for (std::size_t k = first; k < first + block.frames; ++k) {
            SymbolCounts frameCounts;
            Sequence items;
            for (uint32_t filled = 0; filled < frames[k]; ++item) {
                items.push_back(block.items[item]);
                filled += IsMatch(block.items[item]) ? MatchLength(block.items[item]) : 1;
            }
            CountSymbols(items, frameCounts);
            if (m_blockWriter.DataBits(block.type, frameCounts, block.codes) > 8 * (kFrameSize + 2048)) return false;
        }
        return true;
    }

    // About five bits a tree length, and the pretrees.
    uint64_t TreeBits(const BlockCodes& codes) const
    {
        uint64_t bits = 3 * 80 + 30;
        for (int s = 0; s < m_mainSymbols; ++s) bits += codes.mainLengths[s] ? 5 : 1;
        for (int s = 0; s < kLengthSymbols; ++s) bits += codes.lengthLengths[s] ? 5 : 1;
        return bits;
    }

    uint32_t CodeChunk(uint32_t begin, const std::vector<uint32_t>& frames, std::vector<CodedBlock>& blocks)
    {
        FindMatches(begin, frames);
        std::vector<uint32_t> frameEnds;
        uint32_t end = begin;
        for (const uint32_t size : frames) frameEnds.push_back(end += size);

        // A first parse with the prices so far tells each frame's
        // statistics.
        // With no further passes its items are the blocks' own.
        Repeats repeats = m_repeats;
        std::vector<SymbolCounts> frameCounts(frames.size());
        std::vector<Sequence> frameItems(frames.size());
        std::vector<Repeats> frameRepeats(frames.size());
        uint32_t frameBegin = begin;
        for (std::size_t f = 0; f < frames.size(); ++f) {
            Parse(begin, frameBegin, frameEnds[f], frameEnds, repeats, frameItems[f]);
            CountSymbols(frameItems[f], frameCounts[f]);
            frameRepeats[f] = repeats;
            frameBegin = frameEnds[f];
        }

        // Frames join the block before them while one set of trees codes
        // both for fewer bits than two.
        std::vector<std::size_t> blockFrames;
        SymbolCounts current = frameCounts[0];
        blockFrames.push_back(1);
        for (std::size_t f = 1; f < frames.size(); ++f) {
            SymbolCounts merged = current;
            AddCounts(merged, frameCounts[f]);
            if (EstimateBits(merged, m_mainSymbols) <=
                EstimateBits(current, m_mainSymbols) + EstimateBits(frameCounts[f], m_mainSymbols)) {
                current = merged;
                ++blockFrames.back();
            } else {
                current = frameCounts[f];
                blockFrames.push_back(1);
            }
        }

        // Each block parsed again with codes from its own statistics.
        std::size_t f = 0;
        uint32_t blockBegin = begin;
        // A stored block leaves the repeated offsets of the first parse
        // behind: the blocks after it are parsed again.
        bool firstParseHolds = true;
        for (const std::size_t count : blockFrames) {
            SymbolCounts counts;
            for (std::size_t k = f; k < f + count; ++k) AddCounts(counts, frameCounts[k]);
            const uint32_t blockEnd = frameEnds[f + count - 1];
            CodedBlock block;
            const Repeats startRepeats = m_repeats;
            const int passes = m_settings.passes > 0 || firstParseHolds ? m_settings.passes : 1;
            if (passes == 0) {
                for (std::size_t k = f; k < f + count; ++k)
                    block.items.insert(block.items.end(), frameItems[k].begin(), frameItems[k].end());
                m_repeats = frameRepeats[f + count - 1];
            }
            for (int pass = 0; pass < passes; ++pass) {
                m_blockWriter.ChooseCodes(counts, block.codes);
                m_prices.SetFromCodes(block.codes, m_windowBits);
                block.items.clear();
                Repeats start = m_repeats;
                Parse(begin, blockBegin, blockEnd, frameEnds, start, block.items);
                if (pass + 1 == passes) m_repeats = start;
                counts = SymbolCounts();
                CountSymbols(block.items, counts);
            }
            block.type = m_blockWriter.ChooseCodes(counts, block.codes);
            block.frames = static_cast<uint32_t>(count);
            block.size = blockEnd - blockBegin;
            block.stored = !Pays(block, frames, f, counts);
            if (block.stored) {
                // The decoder's repeated offsets stay those of before the
                // block, and so do the prices.
                m_repeats = startRepeats;
                block.items.clear();
                firstParseHolds = false;
            } else {
                m_prices.SetFromCodes(block.codes, m_windowBits);
            }
            blocks.push_back(std::move(block));
            f += count;
            blockBegin = blockEnd;
        }
        return end;
    }

    const int m_windowBits;
    const int m_mainSymbols;
    const OptimalSettings m_settings;
    Finder m_finder;
    BlockWriter m_blockWriter; // only for its choice of codes
    Prices m_prices;
    Repeats m_repeats;
    const uint8_t* m_base = nullptr;
    uint32_t m_end = 0;
    std::vector<uint32_t> m_matchStart;
    std::vector<Match> m_matches;
    std::vector<Arrival> m_arrivals;
    std::vector<Repeats> m_repeatsAt;
};

} // namespace

struct OptimalEncoder::Stretch {
    std::vector<uint8_t> bytes;
    uint32_t history = 0;
    std::vector<uint32_t> frames;
    std::vector<CodedBlock> blocks;
    std::thread worker;
};

OptimalEncoder::OptimalEncoder(int windowBits, int level, int threads)
    : m_windowBits(windowBits), m_settings(SettingsFor(level)), m_threads(std::max(threads, 1)),
      m_stretchSize(StretchSize(windowBits)), m_writer(windowBits)
{}

OptimalEncoder::~OptimalEncoder()
{
    for (auto& stretch : m_inFlight)
        if (stretch->worker.joinable()) stretch->worker.join();
}

std::size_t OptimalEncoder::StretchSize(int windowBits)
{
    return std::max<std::size_t>(std::size_t{4} << windowBits, std::size_t{1} << 20);
}

void OptimalEncoder::EncodeFrame(const uint8_t* data, std::size_t size, std::vector<EncodedFrame>& ready)
{
    if (size == 0) return;
    if (size > kFrameSize) throw std::invalid_argument("an LZX frame holds at most 32768 bytes");
    const std::size_t at = m_gathered.size();
    m_gathered.insert(m_gathered.end(), data, data + size);
    if (m_framesIn < kE8FrameLimit)
        E8Encode(m_gathered.data() + at, size, static_cast<uint32_t>(m_streamPosition), kE8TranslationSize);
    m_streamPosition += size;
    ++m_framesIn;
    m_gatheredFrames.push_back(static_cast<uint32_t>(size));
    if (m_gathered.size() >= m_stretchSize) {
        Launch();
        // At most one stretch per thread in flight.
        while (m_inFlight.size() >= static_cast<std::size_t>(m_threads)) WriteOldest(ready);
    }
}

void OptimalEncoder::Finish(std::vector<EncodedFrame>& ready)
{
    if (!m_gathered.empty()) Launch();
    while (!m_inFlight.empty()) WriteOldest(ready);
}

void OptimalEncoder::Launch()
{
    auto stretch = std::make_unique<Stretch>();
    stretch->bytes.reserve(m_history.size() + m_gathered.size());
    stretch->bytes = m_history;
    stretch->bytes.insert(stretch->bytes.end(), m_gathered.begin(), m_gathered.end());
    stretch->history = static_cast<uint32_t>(m_history.size());
    stretch->frames.swap(m_gatheredFrames);
    m_gathered.clear();
    const std::size_t window = std::size_t{1} << m_windowBits;
    const std::size_t keep = std::min(window, stretch->bytes.size());
    m_history.assign(stretch->bytes.end() - static_cast<std::ptrdiff_t>(keep), stretch->bytes.end());

    Stretch* s = stretch.get();
    auto code = [s, windowBits = m_windowBits, settings = m_settings] {
        if (settings.trees) {
            StretchCoder<TreeSource> coder(windowBits, settings);
            coder.Code(s->bytes, s->history, s->frames, s->blocks);
        } else {
            StretchCoder<RowSource> coder(windowBits, settings);
            coder.Code(s->bytes, s->history, s->frames, s->blocks);
        }
    };
    if (m_threads > 1)
        s->worker = std::thread(code);
    else
        code();
    m_inFlight.push_back(std::move(stretch));
}

void OptimalEncoder::WriteOldest(std::vector<EncodedFrame>& ready)
{
    std::unique_ptr<Stretch> stretch = std::move(m_inFlight.front());
    m_inFlight.pop_front();
    if (stretch->worker.joinable()) stretch->worker.join();
    uint32_t frame = 0;
    uint32_t at = stretch->history;
    for (const CodedBlock& block : stretch->blocks) WriteBlock(*stretch, block, frame, at, ready);
}

void OptimalEncoder::WriteStoredFrames(const Stretch& stretch, uint32_t firstFrame, uint32_t count, uint32_t at,
                                       std::vector<EncodedFrame>& ready)
{
    for (uint32_t k = firstFrame; k < firstFrame + count; ++k) {
        const uint32_t size = stretch.frames[k];
        ready.emplace_back();
        ready.back().size = size;
        BitWriter w(ready.back().data);
        if (m_framesOut == 0) WriteStreamHeader(w);
        BlockWriter::WriteUncompressed(w, stretch.bytes.data() + at, size, m_repeated);
        at += size;
        ++m_framesOut;
    }
}

void OptimalEncoder::WriteBlock(const Stretch& stretch, const CodedBlock& block, uint32_t& frame, uint32_t& at,
                                std::vector<EncodedFrame>& ready)
{
    if (block.stored) {
        WriteStoredFrames(stretch, frame, block.frames, at, ready);
        frame += block.frames;
        at += block.size;
        return;
    }
    std::size_t item = 0;
    for (uint32_t k = 0; k < block.frames; ++k) {
        ready.emplace_back();
        EncodedFrame& out = ready.back();
        out.size = stretch.frames[frame + k];
        {
            BitWriter w(out.data);
            if (m_framesOut == 0) WriteStreamHeader(w);
            if (k == 0) m_writer.WriteHeader(w, block.type, block.size, block.codes);
            for (std::size_t filled = 0; filled < out.size; ++item) {
                const Item it = block.items[item];
                BlockWriter::WriteItem(w, it, block.codes, block.type == kBlockAligned);
                filled += IsMatch(it) ? MatchLength(it) : 1;
            }
            w.AlignToWord();
        }
        // The stretch's coder checked the size of every frame.
        if (out.data.size() > kFrameSize + 6144)
            throw std::runtime_error("an LZX frame came out larger than a data block holds");
        ++m_framesOut;
    }
    for (const Item it : block.items) {
        if (!IsMatch(it)) continue;
        const uint32_t formatted = FormattedOffset(it);
        if (formatted < kNumRepeatedOffsets) {
            std::swap(m_repeated[0], m_repeated[formatted]);
        } else {
            m_repeated[2] = m_repeated[1];
            m_repeated[1] = m_repeated[0];
            m_repeated[0] = formatted - 2;
        }
    }
    frame += block.frames;
    at += block.size;
}

} // namespace cab::lzx
