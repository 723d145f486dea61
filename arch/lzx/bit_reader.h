// Reads an LZX bit stream from one data block: 16-bit little-endian words,
// most significant bit first. Reading past the end yields zero bits and is
// remembered, so callers check Overrun() instead of every single read.
#pragma once

#include <cstddef>
#include <cstdint>

#include "arch/byte_order.h"

namespace cab::lzx {

class BitReader {
public:
    BitReader(const uint8_t* data, std::size_t size) : m_origin(data), m_pos(data), m_end(data + size) {}

    // The next n bits (n <= 32) without consuming them.
    uint32_t Peek(int n)
    {
        if (m_count < n) Refill();
        return n == 0 ? 0 : static_cast<uint32_t>(m_buffer >> (64 - n));
    }
    void Skip(int n)
    {
        m_buffer <<= n;
        m_count -= n;
    }
    uint32_t Read(int n)
    {
        const uint32_t v = Peek(n);
        Skip(n);
        return v;
    }

    // True when bits past the end of the block were consumed.
    bool Overrun() const { return m_zeroBits > static_cast<std::size_t>(m_count); }

    // Moves to the next 16-bit boundary as an uncompressed block header
    // does: one to sixteen bits of padding are skipped. Afterwards the
    // stream is read bytewise through the functions below.
    bool AlignForBytes()
    {
        const std::size_t consumed = ConsumedBits();
        std::size_t next = (consumed + 16) & ~static_cast<std::size_t>(15);
        return SeekByte(next / 8);
    }
    std::size_t BytesLeft() const { return static_cast<std::size_t>(m_end - m_pos); }
    // Only valid right after AlignForBytes() or other byte reads.
    const uint8_t* BytePointer() const { return m_pos; }
    // Skips bytes in byte mode; the words of the bit stream that follows
    // start after them.
    bool SkipBytes(std::size_t n)
    {
        if (n > BytesLeft()) return false;
        m_pos += n;
        m_origin = m_pos;
        return true;
    }

private:
    void Refill()
    {
        // Two words at once while they last: one branch per 32 bits.
        if (m_count <= 32 && m_end - m_pos >= 4) {
            const uint64_t words = static_cast<uint64_t>(GetLe16(m_pos)) << 16 | GetLe16(m_pos + 2);
            m_buffer |= words << (32 - m_count);
            m_pos += 4;
            m_count += 32;
            return;
        }
        while (m_count <= 48) {
            uint64_t word;
            if (m_end - m_pos >= 2) {
                word = GetLe16(m_pos);
                m_pos += 2;
            } else {
                // Past the end (a lone last byte is no whole word either):
                // zero bits, counted so that consuming them shows.
                word = 0;
                m_zeroBits += 16;
            }
            m_buffer |= word << (48 - m_count);
            m_count += 16;
        }
    }
    // Bits consumed since the word stream started.
    std::size_t ConsumedBits() const
    {
        return static_cast<std::size_t>(m_pos - m_origin) * 8 + m_zeroBits - static_cast<std::size_t>(m_count);
    }
    bool SeekByte(std::size_t offset)
    {
        m_buffer = 0;
        m_count = 0;
        m_zeroBits = 0;
        if (offset > static_cast<std::size_t>(m_end - m_origin)) {
            m_pos = m_end;
            return false;
        }
        m_pos = m_origin + offset;
        return true;
    }

    const uint8_t* m_origin;
    const uint8_t* m_pos;
    const uint8_t* m_end;
    uint64_t m_buffer = 0;
    int m_count = 0;
    std::size_t m_zeroBits = 0;
};

} // namespace cab::lzx
