#include "arch/lzx/block_writer.h"

#include <algorithm>
#include <vector>

#include "arch/byte_order.h"
#include "arch/lzx/huffman_encoder.h"

namespace cab::lzx {
namespace {

// One pretree symbol with the bits that follow it.
struct TreeToken {
    uint8_t symbol;
    uint8_t extraCount;
    uint8_t extra;
};

uint8_t Delta(uint8_t previous, uint8_t next) { return static_cast<uint8_t>((previous + 17 - next) % 17); }

// Codes `next` against `previous`: runs of zeros as symbols 17 and 18, runs
// of another equal length as symbol 19, the rest as single deltas.
void TreeTokens(const uint8_t* previous, const uint8_t* next, int count, std::vector<TreeToken>& tokens)
{
    int i = 0;
    while (i < count) {
        const uint8_t value = next[i];
        int run = 1;
        while (i + run < count && next[i + run] == value) ++run;
        int left = run;
        if (value == 0) {
            while (left >= 20) {
                int n = std::min(left, 51);
                if (left - n > 0 && left - n < 4) n = left - 4;
                tokens.push_back({18, 5, static_cast<uint8_t>(n - 20)});
                left -= n;
            }
            if (left >= 4) {
                tokens.push_back({17, 4, static_cast<uint8_t>(left - 4)});
                left = 0;
            }
        } else {
            int at = i;
            while (left >= 4) {
                const int n = std::min(left, 5);
                tokens.push_back({19, 1, static_cast<uint8_t>(n - 4)});
                tokens.push_back({Delta(previous[at], value), 0, 0});
                left -= n;
                at += n;
            }
        }
        for (int j = i + run - left; j < i + run; ++j) tokens.push_back({Delta(previous[j], value), 0, 0});
        i += run;
    }
}

} // namespace

void CountSymbols(const Sequence& items, SymbolCounts& counts)
{
    for (const Item item : items) {
        if (!IsMatch(item)) {
            ++counts.main[item];
            continue;
        }
        const uint32_t length = MatchLength(item);
        const uint32_t formatted = FormattedOffset(item);
        const int slot = PositionSlot(formatted);
        ++counts.main[MatchSymbol(slot, length)];
        if (length - kMinMatch >= kNumPrimaryLengths) ++counts.length[length - kMinMatch - kNumPrimaryLengths];
        if (slot < kNumRepeatedOffsets) continue;
        const int extra = kSlots.extraBits[slot];
        if (extra >= kAlignedBits) {
            ++counts.aligned[(formatted - kSlots.base[slot]) & 7];
            counts.verbatimBits += static_cast<uint64_t>(extra - kAlignedBits);
            counts.alignableBits += kAlignedBits;
        } else {
            counts.verbatimBits += static_cast<uint64_t>(extra);
        }
    }
}

uint64_t BlockWriter::DataBits(int type, const SymbolCounts& counts, const BlockCodes& codes) const
{
    uint64_t bits = counts.verbatimBits;
    for (int s = 0; s < m_mainSymbols; ++s) bits += static_cast<uint64_t>(counts.main[s]) * codes.mainLengths[s];
    for (int s = 0; s < kLengthSymbols; ++s) bits += static_cast<uint64_t>(counts.length[s]) * codes.lengthLengths[s];
    if (type == kBlockAligned) {
        for (int s = 0; s < kAlignedSymbols; ++s)
            bits += static_cast<uint64_t>(counts.aligned[s]) * codes.alignedLengths[s];
        bits += kAlignedSymbols * kAlignedBits;
    } else {
        bits += counts.alignableBits;
    }
    return bits;
}

int BlockWriter::ChooseCodes(const SymbolCounts& counts, BlockCodes& codes) const
{
    BuildCodeLengths(counts.main, m_mainSymbols, kMaxCodeLength, codes.mainLengths);
    BuildCodeLengths(counts.length, kLengthSymbols, kMaxCodeLength, codes.lengthLengths);
    BuildCodeLengths(counts.aligned, kAlignedSymbols, kMaxAlignedCodeLength, codes.alignedLengths);
    BuildCodes(codes.mainLengths, m_mainSymbols, codes.mainCodes);
    BuildCodes(codes.lengthLengths, kLengthSymbols, codes.lengthCodes);
    BuildCodes(codes.alignedLengths, kAlignedSymbols, codes.alignedCodes);
    return DataBits(kBlockAligned, counts, codes) < DataBits(kBlockVerbatim, counts, codes) ? kBlockAligned
                                                                                            : kBlockVerbatim;
}

void BlockWriter::WriteTree(BitWriter& out, const uint8_t* lengths, uint8_t* previous, int count)
{
    std::vector<TreeToken> tokens;
    tokens.reserve(static_cast<std::size_t>(count));
    TreeTokens(previous, lengths, count, tokens);
    uint32_t freqs[kPretreeSymbols] = {};
    for (const TreeToken& t : tokens) ++freqs[t.symbol];
    uint8_t preLengths[kPretreeSymbols];
    uint16_t preCodes[kPretreeSymbols];
    BuildCodeLengths(freqs, kPretreeSymbols, kMaxPretreeCodeLength, preLengths);
    BuildCodes(preLengths, kPretreeSymbols, preCodes);
    for (const uint8_t len : preLengths) out.Put(len, kPretreeFieldBits);
    for (const TreeToken& t : tokens) {
        out.Put(preCodes[t.symbol], preLengths[t.symbol]);
        if (t.extraCount) out.Put(t.extra, t.extraCount);
    }
    std::copy(lengths, lengths + count, previous);
}

void BlockWriter::WriteHeader(BitWriter& out, int type, uint32_t size, const BlockCodes& codes)
{
    out.Put(static_cast<uint32_t>(type), 3);
    out.Put(size, 24);
    if (type == kBlockAligned)
        for (const uint8_t len : codes.alignedLengths) out.Put(len, kAlignedBits);
    WriteTree(out, codes.mainLengths, m_prevMain, kNumChars);
    WriteTree(out, codes.mainLengths + kNumChars, m_prevMain + kNumChars, m_mainSymbols - kNumChars);
    WriteTree(out, codes.lengthLengths, m_prevLength, kLengthSymbols);
}

void BlockWriter::WriteItem(BitWriter& out, Item item, const BlockCodes& codes, bool aligned)
{
    if (!IsMatch(item)) {
        out.Put(codes.mainCodes[item], codes.mainLengths[item]);
        return;
    }
    const uint32_t length = MatchLength(item);
    const uint32_t formatted = FormattedOffset(item);
    const int slot = PositionSlot(formatted);
    const int symbol = MatchSymbol(slot, length);
    out.Put(codes.mainCodes[symbol], codes.mainLengths[symbol]);
    if (length - kMinMatch >= kNumPrimaryLengths) {
        const uint32_t l = length - kMinMatch - kNumPrimaryLengths;
        out.Put(codes.lengthCodes[l], codes.lengthLengths[l]);
    }
    if (slot < kNumRepeatedOffsets) return;
    const int extra = kSlots.extraBits[slot];
    const uint32_t footer = formatted - kSlots.base[slot];
    if (aligned && extra >= kAlignedBits) {
        out.Put(footer >> kAlignedBits, extra - kAlignedBits);
        out.Put(codes.alignedCodes[footer & 7], codes.alignedLengths[footer & 7]);
    } else {
        out.Put(footer, extra);
    }
}

void BlockWriter::WriteCompressed(BitWriter& out, int type, uint32_t size, const BlockCodes& codes,
                                  const Sequence& items)
{
    WriteHeader(out, type, size, codes);
    for (const Item item : items) WriteItem(out, item, codes, type == kBlockAligned);
}

std::size_t BlockWriter::UncompressedBits(std::size_t startBit, uint32_t size)
{
    std::size_t bits = startBit + 3 + 24;
    bits = (bits + 16) & ~static_cast<std::size_t>(15);
    bits += 8 * (4 * kNumRepeatedOffsets + static_cast<std::size_t>(size) + (size & 1));
    return bits - startBit;
}

void BlockWriter::WriteUncompressed(BitWriter& out, const uint8_t* data, uint32_t size,
                                    const uint32_t (&repeated)[kNumRepeatedOffsets])
{
    out.Put(kBlockUncompressed, 3);
    out.Put(size, 24);
    // One to sixteen bits of padding up to the next word.
    if (out.Aligned())
        out.Put(0, 16);
    else
        out.AlignToWord();
    for (const uint32_t r : repeated) {
        uint8_t field[4];
        PutLe32(field, r);
        out.PutBytes(field, sizeof field);
    }
    out.PutBytes(data, size);
    if (size & 1) out.PutByte(0);
}

} // namespace cab::lzx
