#include "arch/lzx_encoder.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "arch/lzx_bit_writer.h"
#include "arch/lzx_e8.h"

namespace cab::lzx {
namespace {

constexpr uint32_t kScale = 16; // prices are in sixteenths of a bit
constexpr uint32_t kInfinity = 0xFFFFFFFFu;
constexpr uint8_t kLiteral = 0;
constexpr uint8_t kRepeat = 1; // + index 0..2
constexpr uint8_t kExplicit = 4;
// Stream positions handed to the match finder stay below this; past it the
// finder starts over (cabinet folders never get there).
constexpr uint64_t kFinderSpan = 0xF0000000u;

struct LevelSettings {
    int hashBits;
    int depth;
    uint32_t nice;
};

LevelSettings SettingsFor(int level) {
    if (level <= 0)
        return {15, 6, 32};
    return {17, 32, 64};
}

} // namespace

Encoder::Encoder(int windowBits, int level)
    : windowBits_(windowBits),
      level_(level <= 0 ? 0 : 1),
      windowSize_(1u << windowBits),
      maxOffset_(MaxOffset(windowBits)),
      buffer_(2 * (std::size_t{1} << windowBits)),
      finder_(windowBits, SettingsFor(level).hashBits, MaxOffset(windowBits)),
      writer_(windowBits) {
    const LevelSettings s = SettingsFor(level_);
    finder_.SetSearch(s.depth, s.nice);
    matches_.resize(kMaxMatch + 2);
    if (level_ >= 1)
        nodes_.resize(kFrameSize + kMaxMatch + 1);
    SetDefaultPrices();
}

void Encoder::EncodeFrame(const uint8_t* data, std::size_t size, std::vector<uint8_t>& out) {
    if (size == 0)
        return;
    if (size > kFrameSize)
        throw std::invalid_argument("an LZX frame holds at most 32768 bytes");
    const bool first = frameIndex_ == 0;
    AppendFrame(data, size);
    const uint32_t end = bufferLength_;
    const uint32_t begin = end - static_cast<uint32_t>(size);
    // The last positions of the previous frame could not be hashed until
    // the bytes after them arrived.
    InsertUpTo(bufferStart_ + begin);

    uint32_t saved[kNumRepeatedOffsets];
    std::copy(repeated_, repeated_ + kNumRepeatedOffsets, saved);
    items_.clear();
    if (level_ == 0)
        ParseGreedy(begin, end);
    else
        ParseOptimal(begin, end);

    SymbolCounts counts;
    CountSymbols(items_, counts);
    BlockCodes codes;
    const int type = writer_.ChooseCodes(counts, codes);

    const BlockWriter before = writer_;
    scratch_.clear();
    const std::size_t headerBits = first ? 1 + 32 : 0;
    {
        BitWriter w(scratch_);
        if (first) {
            w.Put(1, 1);
            w.Put(static_cast<uint32_t>(kE8TranslationSize) >> 16, 16);
            w.Put(static_cast<uint32_t>(kE8TranslationSize) & 0xFFFF, 16);
        }
        writer_.WriteCompressed(w, type, static_cast<uint32_t>(size), codes, items_);
        w.AlignToWord();
    }
    const std::size_t plainBits = headerBits + BlockWriter::UncompressedBits(headerBits, static_cast<uint32_t>(size));
    if (plainBits < scratch_.size() * 8) {
        // Stored as it is: the decoder's trees and repeated offsets stay
        // those of before this frame.
        writer_ = before;
        std::copy(saved, saved + kNumRepeatedOffsets, repeated_);
        BitWriter w(out);
        if (first) {
            w.Put(1, 1);
            w.Put(static_cast<uint32_t>(kE8TranslationSize) >> 16, 16);
            w.Put(static_cast<uint32_t>(kE8TranslationSize) & 0xFFFF, 16);
        }
        BlockWriter::WriteUncompressed(w, buffer_.data() + begin, static_cast<uint32_t>(size), repeated_);
    } else {
        out.insert(out.end(), scratch_.begin(), scratch_.end());
        SetPrices(codes);
    }
    ++frameIndex_;
}

void Encoder::AppendFrame(const uint8_t* data, std::size_t size) {
    if (bufferLength_ + size > buffer_.size()) {
        // Keep one window of history.
        const uint32_t keep = std::min(bufferLength_, windowSize_);
        const uint32_t drop = bufferLength_ - keep;
        std::memmove(buffer_.data(), buffer_.data() + drop, keep);
        bufferLength_ = keep;
        bufferStart_ += drop;
    }
    const uint64_t frameStart = bufferStart_ + bufferLength_;
    if (frameStart + size - finderBase_ >= kFinderSpan) {
        finder_.Clear();
        finderBase_ = frameStart;
        inserted_ = frameStart;
    }
    uint8_t* frame = buffer_.data() + bufferLength_;
    std::memcpy(frame, data, size);
    if (frameIndex_ < kE8FrameLimit)
        E8Encode(frame, size, static_cast<uint32_t>(frameStart), kE8TranslationSize);
    bufferLength_ += static_cast<uint32_t>(size);
}

void Encoder::InsertUpTo(uint64_t position) {
    const uint64_t end = bufferStart_ + bufferLength_;
    const uint64_t last = std::min(position, end >= 3 ? end - 3 : 0);
    if (inserted_ < bufferStart_)
        inserted_ = bufferStart_;
    for (; inserted_ < last; ++inserted_)
        finder_.Insert(buffer_.data() + (inserted_ - bufferStart_), FinderPosition(inserted_));
}

int Encoder::Search(uint32_t at, uint32_t maxLength) {
    const uint64_t position = bufferStart_ + at;
    if (bufferLength_ - at < 4)
        return 0;
    InsertUpTo(position);
    const int n = finder_.FindAndInsert(buffer_.data() + at, FinderPosition(position),
                                        static_cast<uint32_t>(std::min<uint64_t>(at, position - finderBase_)),
                                        maxLength, matches_.data());
    inserted_ = position + 1;
    return n;
}

uint32_t Encoder::RepeatLength(uint32_t at, uint32_t offset, uint32_t maxLength) const {
    // A repeated offset may point before the stream start or out of the
    // history kept; such a match is impossible.
    if (offset > at || offset > maxOffset_)
        return 0;
    const uint8_t* p = buffer_.data() + at;
    return MatchFinder::MatchLength(p, p - offset, maxLength);
}

void Encoder::EmitMatch(uint32_t length, uint32_t offset) {
    for (int r = 0; r < kNumRepeatedOffsets; ++r)
        if (repeated_[r] == offset) {
            EmitRepeat(length, r);
            return;
        }
    items_.push_back(MatchItem(length, offset + 2));
    repeated_[2] = repeated_[1];
    repeated_[1] = repeated_[0];
    repeated_[0] = offset;
}

void Encoder::EmitRepeat(uint32_t length, int index) {
    items_.push_back(MatchItem(length, static_cast<uint32_t>(index)));
    std::swap(repeated_[0], repeated_[index]);
}

// The fast level: the longest match at each position, a repeated offset
// when it is about as long, and positions inside matches hashed too.
void Encoder::ParseGreedy(uint32_t begin, uint32_t end) {
    uint32_t i = begin;
    while (i < end) {
        const uint32_t maxLength = std::min<uint32_t>(end - i, kMaxMatch);
        uint32_t repLength = 0;
        int repIndex = 0;
        for (int r = 0; r < kNumRepeatedOffsets; ++r) {
            const uint32_t len = RepeatLength(i, repeated_[r], maxLength);
            if (len > repLength) {
                repLength = len;
                repIndex = r;
            }
        }
        const int n = Search(i, maxLength);
        const uint32_t length = n ? matches_[n - 1].length : 0;
        const uint32_t offset = n ? matches_[n - 1].offset : 0;

        uint32_t taken = 1;
        if (repLength >= 2 && repLength + 1 >= length) {
            EmitRepeat(repLength, repIndex);
            taken = repLength;
        } else if (length >= 4 || (length == 3 && offset < 16384)) {
            EmitMatch(length, offset);
            taken = length;
        } else {
            items_.push_back(LiteralItem(buffer_[i]));
        }
        i += taken;
        if (taken > 1)
            InsertUpTo(bufferStart_ + i);
    }
}

void Encoder::SetDefaultPrices() {
    for (uint32_t& p : prices_.literal)
        p = 8 * kScale;
    for (int slot = 0; slot < kMaxPositionSlots; ++slot)
        for (int h = 0; h < 8; ++h)
            prices_.match[slot][h] = (slot < kNumRepeatedOffsets ? 8 : 10) * kScale + h * kScale / 2;
    for (uint32_t& p : prices_.length)
        p = 8 * kScale;
}

void Encoder::SetPrices(const BlockCodes& codes) {
    // Symbols the last block did not use are priced as rare ones.
    for (int b = 0; b < kNumChars; ++b)
        prices_.literal[b] = (codes.mainLengths[b] ? codes.mainLengths[b] : 12) * kScale;
    const int slots = PositionSlotCount(windowBits_);
    for (int slot = 0; slot < slots; ++slot)
        for (int h = 0; h < 8; ++h) {
            const uint8_t len = codes.mainLengths[kNumChars + slot * 8 + h];
            prices_.match[slot][h] = (len ? len : 14) * kScale;
        }
    for (int s = 0; s < kLengthSymbols; ++s)
        prices_.length[s] = (codes.lengthLengths[s] ? codes.lengthLengths[s] : 10) * kScale;
}

uint32_t Encoder::RepeatPrice(int index, uint32_t length) const {
    const uint32_t extra = length - kMinMatch;
    if (extra < kNumPrimaryLengths)
        return prices_.match[index][extra];
    return prices_.match[index][kNumPrimaryLengths] + prices_.length[extra - kNumPrimaryLengths];
}

// The default level: for each run of positions up to a long match, the
// cheapest way through by the prices of the last block (a shortest path
// over literals, repeated-offset matches and the matches found), the
// repeated offsets followed along the best path to each position.
void Encoder::ParseOptimal(uint32_t begin, uint32_t end) {
    const uint32_t nice = SettingsFor(level_).nice;
    uint32_t start = begin;
    while (start < end) {
        const uint32_t span = end - start;
        nodes_[0].cost = 0;
        nodes_[0].length = 0;
        std::copy(repeated_, repeated_ + kNumRepeatedOffsets, nodes_[0].repeated);
        uint32_t ready = 0; // nodes up to here have been initialised
        auto relax = [&](uint32_t target, uint32_t cost, uint8_t kind, uint32_t length, uint32_t offset) {
            while (ready < target)
                nodes_[++ready].cost = kInfinity;
            Node& n = nodes_[target];
            if (cost < n.cost) {
                n.cost = cost;
                n.kind = kind;
                n.length = static_cast<uint16_t>(length);
                n.offset = offset;
            }
        };

        bool cut = false;
        for (uint32_t j = 0; j < span; ++j) {
            Node& node = nodes_[j];
            if (j > 0) {
                // The repeated offsets along the best path to this node.
                const Node& from = nodes_[j - node.length];
                std::copy(from.repeated, from.repeated + kNumRepeatedOffsets, node.repeated);
                if (node.kind == kExplicit) {
                    node.repeated[2] = node.repeated[1];
                    node.repeated[1] = node.repeated[0];
                    node.repeated[0] = node.offset;
                } else if (node.kind != kLiteral) {
                    std::swap(node.repeated[0], node.repeated[node.kind - kRepeat]);
                }
            }
            const uint32_t at = start + j;
            const uint32_t maxLength = std::min<uint32_t>(end - at, kMaxMatch);

            uint32_t repLengths[kNumRepeatedOffsets] = {};
            uint32_t longestRep = 0;
            int longestRepIndex = 0;
            for (int r = 0; r < kNumRepeatedOffsets; ++r) {
                const uint32_t offset = node.repeated[r];
                if ((r > 0 && offset == node.repeated[0]) || (r == 2 && offset == node.repeated[1]))
                    continue;
                repLengths[r] = RepeatLength(at, offset, maxLength);
                if (repLengths[r] > longestRep) {
                    longestRep = repLengths[r];
                    longestRepIndex = r;
                }
            }
            const int found = Search(at, maxLength);
            const uint32_t longest = found ? matches_[found - 1].length : 0;

            if (longestRep >= nice || longest >= nice) {
                // A long match: take the best path to here, then the match.
                const uint32_t offset = found ? matches_[found - 1].offset : 0;
                const uint32_t nodeRepeated[kNumRepeatedOffsets] = {node.repeated[0], node.repeated[1],
                                                                    node.repeated[2]};
                EmitPath(start, j);
                std::copy(nodeRepeated, nodeRepeated + kNumRepeatedOffsets, repeated_);
                uint32_t taken;
                if (longestRep + 1 >= longest) {
                    EmitRepeat(longestRep, longestRepIndex);
                    taken = longestRep;
                } else {
                    EmitMatch(longest, offset);
                    taken = longest;
                }
                start = at + taken;
                InsertUpTo(bufferStart_ + start);
                cut = true;
                break;
            }

            const uint32_t cost = node.cost;
            relax(j + 1, cost + prices_.literal[buffer_[at]], kLiteral, 1, 0);
            for (int r = 0; r < kNumRepeatedOffsets; ++r)
                for (uint32_t len = kMinMatch; len <= repLengths[r]; ++len)
                    relax(j + len, cost + RepeatPrice(r, len), static_cast<uint8_t>(kRepeat + r), len, 0);

            uint32_t shorter = kMinMatch;
            for (int k = 0; k < found; ++k) {
                const Match m = matches_[k];
                if (m.offset == node.repeated[0] || m.offset == node.repeated[1] || m.offset == node.repeated[2]) {
                    shorter = m.length;
                    continue;
                }
                const int slot = PositionSlot(m.offset + 2);
                const uint32_t extra = kSlots.extraBits[slot] * kScale;
                const uint32_t* symbolPrices = prices_.match[slot];
                for (uint32_t len = shorter + 1; len <= m.length; ++len) {
                    const uint32_t x = len - kMinMatch;
                    const uint32_t price = x < kNumPrimaryLengths
                                               ? symbolPrices[x]
                                               : symbolPrices[kNumPrimaryLengths] +
                                                     prices_.length[x - kNumPrimaryLengths];
                    relax(j + len, cost + price + extra, kExplicit, len, m.offset);
                }
                shorter = m.length;
            }
        }
        if (!cut) {
            EmitPath(start, span);
            start = end;
        }
    }
}

// Emits the best path from the run's start to node `length` of it.
void Encoder::EmitPath(uint32_t start, uint32_t length) {
    path_.clear();
    for (uint32_t j = length; j > 0; j -= nodes_[j].length)
        path_.push_back(j);
    uint32_t at = start;
    for (auto it = path_.rbegin(); it != path_.rend(); ++it) {
        const Node& n = nodes_[*it];
        if (n.kind == kLiteral)
            items_.push_back(LiteralItem(buffer_[at]));
        else if (n.kind == kExplicit)
            EmitMatch(n.length, n.offset);
        else
            EmitRepeat(n.length, n.kind - kRepeat);
        at += n.length;
    }
}

} // namespace cab::lzx

namespace cab {

std::unique_ptr<FolderEncoder> MakeLzxEncoder(int windowBits, int level) {
    if (windowBits < lzx::kMinWindowBits || windowBits > lzx::kMaxWindowBits)
        return nullptr;
    return std::make_unique<lzx::Encoder>(windowBits, level);
}

} // namespace cab
