// Writes an LZX bit stream: 16-bit little-endian words, most significant
// bit first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace cab::lzx {

class BitWriter {
public:
    explicit BitWriter(std::vector<uint8_t>& out) : m_out(out), m_start(out.size()) {}
    ~BitWriter() { FlushWords(); }
    BitWriter(const BitWriter&) = delete;
    BitWriter& operator=(const BitWriter&) = delete;

    // Appends the low `count` bits of `bits` (count <= 32). Bits gather
    // until two whole words can go out at once.
    void Put(uint32_t bits, int count)
    {
        m_buffer = m_buffer << count | (bits & ((uint64_t{1} << count) - 1));
        m_count += count;
        if (m_count >= 32) {
            m_count -= 32;
            const uint32_t words = static_cast<uint32_t>(m_buffer >> m_count);
            const uint8_t bytes[4] = {static_cast<uint8_t>(words >> 16), static_cast<uint8_t>(words >> 24),
                                      static_cast<uint8_t>(words), static_cast<uint8_t>(words >> 8)};
            m_out.insert(m_out.end(), bytes, bytes + 4);
            m_buffer &= (uint64_t{1} << m_count) - 1;
        }
    }

    // Pads with zero bits to the next 16-bit boundary (none when there).
    void AlignToWord()
    {
        if (m_count % 16 != 0) Put(0, 16 - m_count % 16);
        FlushWords();
    }

    // Bits written since this writer started, padding included.
    std::size_t BitCount() const { return (m_out.size() - m_start) * 8 + static_cast<std::size_t>(m_count); }
    bool Aligned() const { return m_count % 16 == 0; }

    // Raw bytes, only at a word boundary.
    void PutBytes(const uint8_t* data, std::size_t size)
    {
        FlushWords();
        m_out.insert(m_out.end(), data, data + size);
    }
    void PutByte(uint8_t b)
    {
        FlushWords();
        m_out.push_back(b);
    }

private:
    // Writes out the whole words gathered.
    void FlushWords()
    {
        while (m_count >= 16) {
            m_count -= 16;
            const uint32_t word = static_cast<uint32_t>(m_buffer >> m_count) & 0xFFFF;
            m_out.push_back(static_cast<uint8_t>(word));
            m_out.push_back(static_cast<uint8_t>(word >> 8));
        }
        m_buffer &= (uint64_t{1} << m_count) - 1;
    }

    std::vector<uint8_t>& m_out;
    std::size_t m_start;
    uint64_t m_buffer = 0;
    int m_count = 0;
};

} // namespace cab::lzx
