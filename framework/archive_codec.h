// The archive encoding of strings and string lists: the byte layout the
// framework's CArchive gives them, little-endian throughout. Portable: the
// encoding works on any byte source or sink (a file through CArchive, or
// memory), and only the 16-bit-to-ANSI conversion comes from the platform.
//
// String: a length, then the characters, without a terminating zero.
//   length up to 254:          1 byte
//   255 up to 65533 (0xFFFD):  FF, then 2 bytes
//   larger:                    FF FF FF, then 4 bytes
//                              (FF FF FF FF FF FF FF, then 8 bytes, from 0xFFFFFFFF)
//   FF FE FF before the length marks a string of 16-bit characters (UTF-16LE),
//   which reading converts to 8-bit text in the ANSI code page.
// String list: a count (2 bytes below 65535; otherwise FF FF, then 4 bytes),
//   then that many strings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/string_list.h"

// Where loading takes its bytes from.
class ArchiveByteSource {
public:
    virtual ~ArchiveByteSource() = default;
    // Copies up to `count` bytes; returns how many there were (fewer only at
    // the end of the data).
    virtual size_t ReadBytes(void* buffer, size_t count) = 0;
    // How many bytes are left at most. Reading refuses a length or count the
    // rest cannot hold before it allocates anything for it.
    virtual uint64_t BytesLeft() const = 0;
};

// Where storing puts its bytes.
class ArchiveByteSink {
public:
    virtual ~ArchiveByteSink() = default;
    virtual void WriteBytes(const void* data, size_t count) = 0;
};

// Bytes held in memory by someone else.
class MemoryByteSource : public ArchiveByteSource {
public:
    MemoryByteSource(const void* data, size_t size) : m_data(static_cast<const unsigned char*>(data)), m_size(size) {}
    // The bytes are not copied: they must outlive the source.
    explicit MemoryByteSource(const std::string& bytes) : MemoryByteSource(bytes.data(), bytes.size()) {}
    explicit MemoryByteSource(std::string&&) = delete;
    size_t ReadBytes(void* buffer, size_t count) override;
    uint64_t BytesLeft() const override { return m_size - m_pos; }

private:
    const unsigned char* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

class MemoryByteSink : public ArchiveByteSink {
public:
    void WriteBytes(const void* data, size_t count) override;
    const std::string& Bytes() const { return m_bytes; }

private:
    std::string m_bytes;
};

// How a read ended.
enum class ArchiveStatus {
    ok,
    endsEarly, // the data ends inside an item, or a length or count needs more than is left
    badLength  // an 8-byte string length of 2^31 or more
};

void WriteArchiveCount(ArchiveByteSink& sink, size_t count);
void WriteArchiveString(ArchiveByteSink& sink, const std::string& text);
void WriteArchiveStringList(ArchiveByteSink& sink, const CStringList& list);

// Each read leaves its output untouched unless it returns ok.
ArchiveStatus ReadArchiveCount(ArchiveByteSource& source, uint32_t& count);
ArchiveStatus ReadArchiveString(ArchiveByteSource& source, std::string& text);
// Appends the list's strings to `list`, all of them or none.
ArchiveStatus ReadArchiveStringList(ArchiveByteSource& source, CStringList& list);

// 16-bit text in the 8-bit ANSI code page, as the platform converts it.
// Windows build: the system's conversion, which gives a character the code
// page cannot hold as a near one where it knows one (U+0100 as "A") and as
// "?" otherwise. Host build: code page 1252, with "?" for every such unit.
std::string AnsiFromUtf16(const std::u16string& text);
