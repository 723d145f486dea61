// Writes an LZX bit stream: 16-bit little-endian words, most significant
// bit first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace cab::lzx {

class BitWriter {
public:
    explicit BitWriter(std::vector<uint8_t>& out) : out_(out), start_(out.size()) {}
    ~BitWriter() { FlushWords(); }
    BitWriter(const BitWriter&) = delete;
    BitWriter& operator=(const BitWriter&) = delete;

    // Appends the low `count` bits of `bits` (count <= 32). Bits gather
    // until two whole words can go out at once.
    void Put(uint32_t bits, int count) {
        buffer_ = buffer_ << count | (bits & ((uint64_t{1} << count) - 1));
        count_ += count;
        if (count_ >= 32) {
            count_ -= 32;
            const uint32_t words = static_cast<uint32_t>(buffer_ >> count_);
            const uint8_t bytes[4] = {static_cast<uint8_t>(words >> 16), static_cast<uint8_t>(words >> 24),
                                      static_cast<uint8_t>(words), static_cast<uint8_t>(words >> 8)};
            out_.insert(out_.end(), bytes, bytes + 4);
            buffer_ &= (uint64_t{1} << count_) - 1;
        }
    }

    // Pads with zero bits to the next 16-bit boundary (none when there).
    void AlignToWord() {
        if (count_ % 16 != 0)
            Put(0, 16 - count_ % 16);
        FlushWords();
    }

    // Bits written since this writer started, padding included.
    std::size_t BitCount() const { return (out_.size() - start_) * 8 + static_cast<std::size_t>(count_); }
    bool Aligned() const { return count_ % 16 == 0; }

    // Raw bytes, only at a word boundary.
    void PutBytes(const uint8_t* data, std::size_t size) {
        FlushWords();
        out_.insert(out_.end(), data, data + size);
    }
    void PutByte(uint8_t b) {
        FlushWords();
        out_.push_back(b);
    }

private:
    // Writes out the whole words gathered.
    void FlushWords() {
        while (count_ >= 16) {
            count_ -= 16;
            const uint32_t word = static_cast<uint32_t>(buffer_ >> count_) & 0xFFFF;
            out_.push_back(static_cast<uint8_t>(word));
            out_.push_back(static_cast<uint8_t>(word >> 8));
        }
        buffer_ &= (uint64_t{1} << count_) - 1;
    }

    std::vector<uint8_t>& out_;
    std::size_t start_;
    uint64_t buffer_ = 0;
    int count_ = 0;
};

} // namespace cab::lzx
