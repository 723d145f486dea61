#include "arch/lzx/decoder.h"

#include <algorithm>
#include <cstring>

#include "arch/byte_order.h"
#include "arch/lzx/e8.h"

namespace cab::lzx {
namespace {

// Most codes of a main tree are 12 bits or shorter: one look-up each.
constexpr int kMainTableBits = 12;
constexpr int kLengthTableBits = 10;
constexpr int kSmallTableBits = 7;

// Past the end of a frame: a match started inside it may run on by up to
// kMaxMatch - 1 bytes, and a copy moves up to 15 bytes past its end.
constexpr std::size_t kHistorySlack = kMaxMatch + 16;

// Copies a match of `length` bytes from `offset` bytes back, as the format
// defines it: byte after byte, so that a short offset repeats its bytes.
// May write up to 15 bytes past the end.
inline void CopyForward(uint8_t* dst, uint32_t offset, uint32_t length)
{
    const uint8_t* src = dst - offset;
    uint8_t* const end = dst + length;
    if (offset >= 16) {
        do {
            std::memcpy(dst, src, 16);
            dst += 16;
            src += 16;
        } while (dst < end);
    } else if (offset >= 8) {
        do {
            std::memcpy(dst, src, 8);
            dst += 8;
            src += 8;
        } while (dst < end);
    } else if (offset == 1) {
        std::memset(dst, *src, length);
    } else {
        do *dst++ = *src++;
        while (dst < end);
    }
}

} // namespace

Decoder::Decoder(int windowBits)
    : m_windowSize(1u << windowBits), m_mainSymbols(MainSymbolCount(windowBits)),
      // Two windows, or a window and two frames for small windows, so that
      // sliding moves the history back at most once per window decoded.
      m_history(std::max<std::size_t>(2 * m_windowSize, m_windowSize + 2 * kFrameSize) + kHistorySlack, 0)
{}

void Decoder::MakeRoom()
{
    const std::size_t room = m_history.size() - kHistorySlack;
    if (m_frameStart + kFrameSize - m_historyStart <= room) return;
    // Keep one window before the frame, and what a match has already
    // decoded past its start.
    const uint64_t keepFrom = m_frameStart - std::min<uint64_t>(m_frameStart - m_historyStart, m_windowSize);
    const std::size_t keep = static_cast<std::size_t>(m_decoded - keepFrom);
    std::memmove(m_history.data(), At(keepFrom), keep);
    m_historyStart = keepFrom;
}

bool Decoder::Fail(std::string& error, const char* reason)
{
    m_broken = true;
    error = std::string("LZX data is damaged: ") + reason;
    return false;
}

bool Decoder::DecodeFrame(const uint8_t* data, std::size_t size, uint8_t* out, std::size_t outSize, std::string& error)
{
    if (m_broken) return Fail(error, "an earlier data block of the folder failed");
    if (outSize == 0 || outSize > kFrameSize)
        return Fail(error, "a data block's uncompressed size is not 1 to 32768 bytes");

    BitReader in(data, size);
    if (!m_headerRead && !ReadStreamHeader(in, error)) return false;

    MakeRoom();
    const uint64_t frameEnd = m_frameStart + outSize;
    while (m_decoded < frameEnd) {
        if (m_blockRemaining == 0 && !ReadBlockHeader(in, error)) return false;
        const bool ok = m_blockType == kBlockUncompressed ? CopyUncompressed(in, frameEnd, error)
                                                          : DecodeCompressed(in, frameEnd, error);
        if (!ok) return false;
    }
    if (in.Overrun()) return Fail(error, "a data block ends before its frame is complete");
    // The padding byte of an odd uncompressed block that ends with the frame
    // may close this data block or open the next one.
    if (m_padPending && in.BytesLeft() > 0) {
        in.SkipBytes(1);
        m_padPending = false;
    }

    std::memcpy(out, At(m_frameStart), outSize);
    if (m_e8 && m_frameIndex < kE8FrameLimit) E8Decode(out, outSize, static_cast<uint32_t>(m_frameStart), m_e8Size);

    m_frameStart = frameEnd;
    ++m_frameIndex;
    return true;
}

bool Decoder::ReadStreamHeader(BitReader& in, std::string& error)
{
    if (in.Read(1)) {
        const uint32_t high = in.Read(16);
        const uint32_t low = in.Read(16);
        m_e8Size = static_cast<int32_t>(high << 16 | low);
        m_e8 = true;
    }
    if (in.Overrun()) return Fail(error, "the stream header is cut short");
    m_headerRead = true;
    return true;
}

bool Decoder::ReadBlockHeader(BitReader& in, std::string& error)
{
    if (m_padPending) {
        if (!in.SkipBytes(1)) return Fail(error, "an uncompressed block's padding byte is missing");
        m_padPending = false;
    }
    const int type = static_cast<int>(in.Read(3));
    const uint32_t length = in.Read(24);
    if (in.Overrun()) return Fail(error, "a block header is cut short");
    if (length == 0) return Fail(error, "a block has length 0");

    switch (type) {
    case kBlockAligned:
        for (uint8_t& len : m_alignedLengths) len = static_cast<uint8_t>(in.Read(kAlignedBits));
        if (m_alignedTree.Build(m_alignedLengths, kAlignedSymbols, kSmallTableBits) !=
            HuffmanDecoder::BuildResult::kComplete)
            return Fail(error, "the aligned offset tree is invalid");
        [[fallthrough]];
    case kBlockVerbatim: {
        if (!ReadLengths(in, m_mainLengths, 0, kNumChars, error) ||
            !ReadLengths(in, m_mainLengths, kNumChars, m_mainSymbols, error))
            return false;
        if (m_mainTree.Build(m_mainLengths, m_mainSymbols, kMainTableBits) != HuffmanDecoder::BuildResult::kComplete)
            return Fail(error, "the main tree is invalid");
        if (!ReadLengths(in, m_lengthLengths, 0, kLengthSymbols, error)) return false;
        const auto built = m_lengthTree.Build(m_lengthLengths, kLengthSymbols, kLengthTableBits);
        if (built == HuffmanDecoder::BuildResult::kInvalid) return Fail(error, "the length tree is invalid");
        m_lengthTreeEmpty = built == HuffmanDecoder::BuildResult::kEmpty;
        break;
    }
    case kBlockUncompressed: {
        if (!in.AlignForBytes() || in.BytesLeft() < 4 * kNumRepeatedOffsets)
            return Fail(error, "an uncompressed block header is cut short");
        const uint8_t* p = in.BytePointer();
        for (uint32_t& r : m_repeated) {
            r = GetLe32(p);
            p += 4;
        }
        in.SkipBytes(4 * kNumRepeatedOffsets);
        break;
    }
    default: return Fail(error, "unknown block type");
    }
    if (in.Overrun()) return Fail(error, "a block header is cut short");
    m_blockType = type;
    m_blockLength = length;
    m_blockRemaining = length;
    return true;
}

bool Decoder::ReadLengths(BitReader& in, uint8_t* lengths, int first, int last, std::string& error)
{
    uint8_t pre[kPretreeSymbols];
    for (uint8_t& len : pre) len = static_cast<uint8_t>(in.Read(kPretreeFieldBits));
    if (m_pretree.Build(pre, kPretreeSymbols, kSmallTableBits) != HuffmanDecoder::BuildResult::kComplete)
        return Fail(error, "a pretree is invalid");

    int x = first;
    while (x < last) {
        const int sym = m_pretree.Decode(in);
        int run;
        uint8_t value;
        if (sym == 17) {
            run = 4 + static_cast<int>(in.Read(4));
            value = 0;
        } else if (sym == 18) {
            run = 20 + static_cast<int>(in.Read(5));
            value = 0;
        } else if (sym == 19) {
            run = 4 + static_cast<int>(in.Read(1));
            const int delta = m_pretree.Decode(in);
            if (delta > 16) return Fail(error, "a tree length run repeats a run");
            value = static_cast<uint8_t>((lengths[x] + 17 - delta) % 17);
        } else {
            lengths[x] = static_cast<uint8_t>((lengths[x] + 17 - sym) % 17);
            ++x;
            continue;
        }
        // A run may pass `last` by less than kLengthSlack (at most 50).
        std::memset(lengths + x, value, static_cast<std::size_t>(run));
        x += run;
    }
    if (in.Overrun()) return Fail(error, "tree lengths are cut short");
    return true;
}

bool Decoder::DecodeCompressed(BitReader& in, uint64_t frameEnd, std::string& error)
{
    const uint64_t blockEnd = m_decoded + m_blockRemaining;
    const uint64_t until = std::min(frameEnd, blockEnd);
    const bool aligned = m_blockType == kBlockAligned;
    // The block's bounds are checked here and once per match; MakeRoom left
    // room for the frame and kHistorySlack past it.
    uint8_t* const start = At(m_decoded);
    uint8_t* const stop = start + (until - m_decoded);
    uint8_t* const blockStop = start + (blockEnd - m_decoded);
    uint8_t* out = start;
    while (out < stop) {
        int sym = m_mainTree.Decode(in);
        if (sym < kNumChars) {
            *out++ = static_cast<uint8_t>(sym);
            continue;
        }
        sym -= kNumChars;
        uint32_t length = static_cast<uint32_t>(sym & 7);
        if (length == kNumPrimaryLengths) {
            if (m_lengthTreeEmpty) return Fail(error, "a match needs the length tree, which is empty");
            length += static_cast<uint32_t>(m_lengthTree.Decode(in));
        }
        length += kMinMatch;

        const int slot = sym >> 3;
        uint32_t offset;
        if (slot < kNumRepeatedOffsets) {
            offset = m_repeated[slot];
            m_repeated[slot] = m_repeated[0];
            m_repeated[0] = offset;
        } else {
            const int extra = kSlots.extraBits[slot];
            offset = kSlots.base[slot] - 2;
            if (aligned && extra >= kAlignedBits) {
                offset += in.Read(extra - kAlignedBits) << kAlignedBits;
                offset += static_cast<uint32_t>(m_alignedTree.Decode(in));
            } else {
                offset += in.Read(extra);
            }
            m_repeated[2] = m_repeated[1];
            m_repeated[1] = m_repeated[0];
            m_repeated[0] = offset;
        }

        if (length > static_cast<std::size_t>(blockStop - out))
            return Fail(error, "a match runs past the end of its block");
        // A match reaches back at most a window, and not before the stream.
        if (offset == 0 || offset > m_windowSize || offset > m_decoded + static_cast<uint64_t>(out - start))
            return Fail(error, "a match refers outside the window");
        CopyForward(out, offset, length);
        out += length;
    }
    m_decoded += static_cast<uint64_t>(out - start);
    m_blockRemaining = static_cast<uint32_t>(blockEnd - m_decoded);
    return true;
}

bool Decoder::CopyUncompressed(BitReader& in, uint64_t frameEnd, std::string& error)
{
    const uint64_t until = std::min(frameEnd, m_decoded + m_blockRemaining);
    const std::size_t n = static_cast<std::size_t>(until - m_decoded);
    if (in.BytesLeft() < n) return Fail(error, "an uncompressed block is cut short");
    std::memcpy(At(m_decoded), in.BytePointer(), n);
    in.SkipBytes(n);
    m_decoded = until;
    m_blockRemaining -= static_cast<uint32_t>(n);
    if (m_blockRemaining == 0 && (m_blockLength & 1)) m_padPending = true;
    return true;
}

} // namespace cab::lzx

namespace cab {

std::unique_ptr<FolderDecoder> MakeLzxDecoder(int windowBits)
{
    if (windowBits < lzx::kMinWindowBits || windowBits > lzx::kMaxWindowBits) return nullptr;
    return std::make_unique<lzx::Decoder>(windowBits);
}

} // namespace cab
