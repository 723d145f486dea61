// Reads an LZX bit stream from one data block: 16-bit little-endian words,
// most significant bit first. Reading past the end yields zero bits and is
// remembered, so callers check Overrun() instead of every single read.
#pragma once

#include <cstddef>
#include <cstdint>

namespace cab::lzx {

class BitReader {
public:
    BitReader(const uint8_t* data, std::size_t size) : origin_(data), pos_(data), end_(data + size) {}

    // The next n bits (n <= 32) without consuming them.
    uint32_t Peek(int n) {
        if (count_ < n)
            Refill();
        return n == 0 ? 0 : static_cast<uint32_t>(buffer_ >> (64 - n));
    }
    void Skip(int n) {
        buffer_ <<= n;
        count_ -= n;
    }
    uint32_t Read(int n) {
        const uint32_t v = Peek(n);
        Skip(n);
        return v;
    }

    // True when bits past the end of the block were consumed.
    bool Overrun() const { return zeroBits_ > static_cast<std::size_t>(count_); }

    // Moves to the next 16-bit boundary as an uncompressed block header
    // does: one to sixteen bits of padding are skipped. Afterwards the
    // stream is read bytewise through the functions below.
    bool AlignForBytes() {
        const std::size_t consumed = ConsumedBits();
        std::size_t next = (consumed + 16) & ~static_cast<std::size_t>(15);
        return SeekByte(next / 8);
    }
    std::size_t BytesLeft() const { return static_cast<std::size_t>(end_ - pos_); }
    // Only valid right after AlignForBytes() or other byte reads.
    const uint8_t* BytePointer() const { return pos_; }
    // Skips bytes in byte mode; the words of the bit stream that follows
    // start after them.
    bool SkipBytes(std::size_t n) {
        if (n > BytesLeft())
            return false;
        pos_ += n;
        origin_ = pos_;
        return true;
    }

private:
    void Refill() {
        while (count_ <= 48) {
            uint64_t word;
            if (end_ - pos_ >= 2) {
                word = static_cast<uint64_t>(pos_[0]) | static_cast<uint64_t>(pos_[1]) << 8;
                pos_ += 2;
            } else {
                // Past the end (a lone last byte is no whole word either):
                // zero bits, counted so that consuming them shows.
                word = 0;
                zeroBits_ += 16;
            }
            buffer_ |= word << (48 - count_);
            count_ += 16;
        }
    }
    // Bits consumed since the word stream started.
    std::size_t ConsumedBits() const {
        return static_cast<std::size_t>(pos_ - origin_) * 8 + zeroBits_ - static_cast<std::size_t>(count_);
    }
    bool SeekByte(std::size_t offset) {
        buffer_ = 0;
        count_ = 0;
        zeroBits_ = 0;
        if (offset > static_cast<std::size_t>(end_ - origin_)) {
            pos_ = end_;
            return false;
        }
        pos_ = origin_ + offset;
        return true;
    }

    const uint8_t* origin_;
    const uint8_t* pos_;
    const uint8_t* end_;
    uint64_t buffer_ = 0;
    int count_ = 0;
    std::size_t zeroBits_ = 0;
};

} // namespace cab::lzx
