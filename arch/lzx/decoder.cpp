#include "arch/lzx/decoder.h"

#include <algorithm>
#include <cstring>

#include "arch/lzx/e8.h"

namespace cab::lzx {
namespace {

constexpr int kMainTableBits = 11;
constexpr int kLengthTableBits = 10;
constexpr int kSmallTableBits = 7;

} // namespace

Decoder::Decoder(int windowBits)
    : windowMask_((1u << windowBits) - 1),
      mainSymbols_(MainSymbolCount(windowBits)),
      window_(std::size_t{1} << windowBits, 0) {}

bool Decoder::Fail(std::string& error, const char* reason) {
    broken_ = true;
    error = std::string("LZX data is damaged: ") + reason;
    return false;
}

bool Decoder::DecodeFrame(const uint8_t* data, std::size_t size, uint8_t* out, std::size_t outSize,
                          std::string& error) {
    if (broken_)
        return Fail(error, "an earlier data block of the folder failed");
    if (outSize == 0 || outSize > kFrameSize)
        return Fail(error, "a data block's uncompressed size is not 1 to 32768 bytes");

    BitReader in(data, size);
    if (!headerRead_ && !ReadStreamHeader(in, error))
        return false;

    const uint64_t frameEnd = frameStart_ + outSize;
    while (decoded_ < frameEnd) {
        if (blockRemaining_ == 0 && !ReadBlockHeader(in, error))
            return false;
        const bool ok = blockType_ == kBlockUncompressed ? CopyUncompressed(in, frameEnd, error)
                                                         : DecodeCompressed(in, frameEnd, error);
        if (!ok)
            return false;
    }
    if (in.Overrun())
        return Fail(error, "a data block ends before its frame is complete");
    // The padding byte of an odd uncompressed block that ends with the frame
    // may close this data block or open the next one.
    if (padPending_ && in.BytesLeft() > 0) {
        in.SkipBytes(1);
        padPending_ = false;
    }

    const uint32_t start = static_cast<uint32_t>(frameStart_) & windowMask_;
    const std::size_t first = std::min<std::size_t>(outSize, window_.size() - start);
    std::memcpy(out, window_.data() + start, first);
    std::memcpy(out + first, window_.data(), outSize - first);
    if (e8_ && frameIndex_ < kE8FrameLimit)
        E8Decode(out, outSize, static_cast<uint32_t>(frameStart_), e8Size_);

    frameStart_ = frameEnd;
    ++frameIndex_;
    return true;
}

bool Decoder::ReadStreamHeader(BitReader& in, std::string& error) {
    if (in.Read(1)) {
        const uint32_t high = in.Read(16);
        const uint32_t low = in.Read(16);
        e8Size_ = static_cast<int32_t>(high << 16 | low);
        e8_ = true;
    }
    if (in.Overrun())
        return Fail(error, "the stream header is cut short");
    headerRead_ = true;
    return true;
}

bool Decoder::ReadBlockHeader(BitReader& in, std::string& error) {
    if (padPending_) {
        if (!in.SkipBytes(1))
            return Fail(error, "an uncompressed block's padding byte is missing");
        padPending_ = false;
    }
    const int type = static_cast<int>(in.Read(3));
    const uint32_t length = in.Read(24);
    if (in.Overrun())
        return Fail(error, "a block header is cut short");
    if (length == 0)
        return Fail(error, "a block has length 0");

    switch (type) {
    case kBlockAligned:
        for (uint8_t& len : alignedLengths_)
            len = static_cast<uint8_t>(in.Read(kAlignedBits));
        if (alignedTree_.Build(alignedLengths_, kAlignedSymbols, kSmallTableBits) !=
            HuffmanDecoder::BuildResult::kComplete)
            return Fail(error, "the aligned offset tree is invalid");
        [[fallthrough]];
    case kBlockVerbatim: {
        if (!ReadLengths(in, mainLengths_, 0, kNumChars, error) ||
            !ReadLengths(in, mainLengths_, kNumChars, mainSymbols_, error))
            return false;
        if (mainTree_.Build(mainLengths_, mainSymbols_, kMainTableBits) != HuffmanDecoder::BuildResult::kComplete)
            return Fail(error, "the main tree is invalid");
        if (!ReadLengths(in, lengthLengths_, 0, kLengthSymbols, error))
            return false;
        const auto built = lengthTree_.Build(lengthLengths_, kLengthSymbols, kLengthTableBits);
        if (built == HuffmanDecoder::BuildResult::kInvalid)
            return Fail(error, "the length tree is invalid");
        lengthTreeEmpty_ = built == HuffmanDecoder::BuildResult::kEmpty;
        break;
    }
    case kBlockUncompressed: {
        if (!in.AlignForBytes() || in.BytesLeft() < 4 * kNumRepeatedOffsets)
            return Fail(error, "an uncompressed block header is cut short");
        const uint8_t* p = in.BytePointer();
        for (uint32_t& r : repeated_) {
            r = static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
                static_cast<uint32_t>(p[3]) << 24;
            p += 4;
        }
        in.SkipBytes(4 * kNumRepeatedOffsets);
        break;
    }
    default:
        return Fail(error, "unknown block type");
    }
    if (in.Overrun())
        return Fail(error, "a block header is cut short");
    blockType_ = type;
    blockLength_ = length;
    blockRemaining_ = length;
    return true;
}

bool Decoder::ReadLengths(BitReader& in, uint8_t* lengths, int first, int last, std::string& error) {
    uint8_t pre[kPretreeSymbols];
    for (uint8_t& len : pre)
        len = static_cast<uint8_t>(in.Read(kPretreeFieldBits));
    if (pretree_.Build(pre, kPretreeSymbols, kSmallTableBits) != HuffmanDecoder::BuildResult::kComplete)
        return Fail(error, "a pretree is invalid");

    int x = first;
    while (x < last) {
        const int sym = pretree_.Decode(in);
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
            const int delta = pretree_.Decode(in);
            if (delta > 16)
                return Fail(error, "a tree length run repeats a run");
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
    if (in.Overrun())
        return Fail(error, "tree lengths are cut short");
    return true;
}

bool Decoder::DecodeCompressed(BitReader& in, uint64_t frameEnd, std::string& error) {
    const uint64_t blockEnd = decoded_ + blockRemaining_;
    const uint64_t until = std::min(frameEnd, blockEnd);
    const bool aligned = blockType_ == kBlockAligned;
    while (decoded_ < until) {
        int sym = mainTree_.Decode(in);
        if (sym < kNumChars) {
            window_[static_cast<uint32_t>(decoded_) & windowMask_] = static_cast<uint8_t>(sym);
            ++decoded_;
            continue;
        }
        sym -= kNumChars;
        uint32_t length = static_cast<uint32_t>(sym & 7);
        if (length == kNumPrimaryLengths) {
            if (lengthTreeEmpty_)
                return Fail(error, "a match needs the length tree, which is empty");
            length += static_cast<uint32_t>(lengthTree_.Decode(in));
        }
        length += kMinMatch;

        const int slot = sym >> 3;
        uint32_t offset;
        if (slot < kNumRepeatedOffsets) {
            offset = repeated_[slot];
            repeated_[slot] = repeated_[0];
            repeated_[0] = offset;
        } else {
            const int extra = kSlots.extraBits[slot];
            offset = kSlots.base[slot] - 2;
            if (aligned && extra >= kAlignedBits) {
                offset += in.Read(extra - kAlignedBits) << kAlignedBits;
                offset += static_cast<uint32_t>(alignedTree_.Decode(in));
            } else {
                offset += in.Read(extra);
            }
            repeated_[2] = repeated_[1];
            repeated_[1] = repeated_[0];
            repeated_[0] = offset;
        }

        if (length > blockEnd - decoded_)
            return Fail(error, "a match runs past the end of its block");
        if (!CopyMatch(offset, length, error))
            return false;
    }
    blockRemaining_ = static_cast<uint32_t>(blockEnd - decoded_);
    return true;
}

bool Decoder::CopyMatch(uint32_t offset, uint32_t length, std::string& error) {
    if (offset == 0 || offset > window_.size() || offset > decoded_)
        return Fail(error, "a match refers outside the window");
    uint32_t dst = static_cast<uint32_t>(decoded_) & windowMask_;
    uint32_t src = (static_cast<uint32_t>(decoded_) - offset) & windowMask_;
    uint8_t* w = window_.data();
    // Without wrapping, a copy from far back or from the window's other
    // end (src above dst) is a plain move; an overlapping copy from just
    // behind repeats bytes and goes one at a time.
    if (dst + length <= window_.size() && src + length <= window_.size() && (offset >= length || src > dst)) {
        std::memmove(w + dst, w + src, length);
    } else {
        for (uint32_t i = 0; i < length; ++i) {
            w[dst] = w[src];
            dst = (dst + 1) & windowMask_;
            src = (src + 1) & windowMask_;
        }
    }
    decoded_ += length;
    return true;
}

bool Decoder::CopyUncompressed(BitReader& in, uint64_t frameEnd, std::string& error) {
    const uint64_t until = std::min(frameEnd, decoded_ + blockRemaining_);
    const std::size_t n = static_cast<std::size_t>(until - decoded_);
    if (in.BytesLeft() < n)
        return Fail(error, "an uncompressed block is cut short");
    const uint8_t* p = in.BytePointer();
    const uint32_t start = static_cast<uint32_t>(decoded_) & windowMask_;
    const std::size_t first = std::min<std::size_t>(n, window_.size() - start);
    std::memcpy(window_.data() + start, p, first);
    std::memcpy(window_.data(), p + first, n - first);
    in.SkipBytes(n);
    decoded_ = until;
    blockRemaining_ -= static_cast<uint32_t>(n);
    if (blockRemaining_ == 0 && (blockLength_ & 1))
        padPending_ = true;
    return true;
}

} // namespace cab::lzx

namespace cab {

std::unique_ptr<FolderDecoder> MakeLzxDecoder(int windowBits) {
    if (windowBits < lzx::kMinWindowBits || windowBits > lzx::kMaxWindowBits)
        return nullptr;
    return std::make_unique<lzx::Decoder>(windowBits);
}

} // namespace cab
