#include "framework/archive_codec.h"

#include <algorithm>
#include <cstring>

namespace {

// Length values that stand for "a wider field follows".
const uint64_t kByteEscape = 0xFF;
const uint64_t kWordEscape = 0xFFFF;
const uint64_t kWideMarker = 0xFFFE;
const uint64_t kDwordEscape = 0xFFFFFFFF;
// An 8-byte string length must stay below 2^31.
const uint64_t kLongestString = 0x7FFFFFFF;

void PutLittleEndian(ArchiveByteSink& sink, uint64_t value, int size)
{
    unsigned char bytes[8];
    for (int i = 0; i < size; ++i) bytes[i] = static_cast<unsigned char>(value >> (8 * i));
    sink.WriteBytes(bytes, static_cast<size_t>(size));
}

bool GetLittleEndian(ArchiveByteSource& source, int size, uint64_t& value)
{
    unsigned char bytes[8];
    if (source.ReadBytes(bytes, static_cast<size_t>(size)) != static_cast<size_t>(size)) return false;
    value = 0;
    for (int i = size - 1; i >= 0; --i) value = (value << 8) | bytes[i];
    return true;
}

// The length of a string in characters, and whether they are 16-bit ones.
ArchiveStatus ReadStringLength(ArchiveByteSource& source, uint64_t& length, bool& wide)
{
    wide = false;
    uint64_t value = 0;
    if (!GetLittleEndian(source, 1, value)) return ArchiveStatus::endsEarly;
    if (value < kByteEscape) {
        length = value;
        return ArchiveStatus::ok;
    }
    if (!GetLittleEndian(source, 2, value)) return ArchiveStatus::endsEarly;
    if (value == kWideMarker) {
        // The length proper follows the marker, in its own 1-byte or wider form.
        wide = true;
        if (!GetLittleEndian(source, 1, value)) return ArchiveStatus::endsEarly;
        if (value < kByteEscape) {
            length = value;
            return ArchiveStatus::ok;
        }
        if (!GetLittleEndian(source, 2, value)) return ArchiveStatus::endsEarly;
    }
    if (value != kWordEscape) {
        length = value;
        return ArchiveStatus::ok;
    }
    if (!GetLittleEndian(source, 4, value)) return ArchiveStatus::endsEarly;
    if (value != kDwordEscape) {
        length = value;
        return ArchiveStatus::ok;
    }
    if (!GetLittleEndian(source, 8, value)) return ArchiveStatus::endsEarly;
    if (value > kLongestString) return ArchiveStatus::badLength;
    length = value;
    return ArchiveStatus::ok;
}

} // namespace

size_t MemoryByteSource::ReadBytes(void* buffer, size_t count)
{
    size_t n = std::min(count, m_size - m_pos);
    if (n != 0) std::memcpy(buffer, m_data + m_pos, n);
    m_pos += n;
    return n;
}

void MemoryByteSink::WriteBytes(const void* data, size_t count)
{
    m_bytes.append(static_cast<const char*>(data), count);
}

void WriteArchiveCount(ArchiveByteSink& sink, size_t count)
{
    if (count < kWordEscape) {
        PutLittleEndian(sink, count, 2);
    } else {
        PutLittleEndian(sink, kWordEscape, 2);
        PutLittleEndian(sink, count, 4);
    }
}

void WriteArchiveString(ArchiveByteSink& sink, const std::string& text)
{
    const uint64_t n = text.size();
    if (n < kByteEscape) {
        PutLittleEndian(sink, n, 1);
    } else if (n < kWideMarker) {
        PutLittleEndian(sink, kByteEscape, 1);
        PutLittleEndian(sink, n, 2);
    } else if (n < kDwordEscape) {
        PutLittleEndian(sink, kByteEscape, 1);
        PutLittleEndian(sink, kWordEscape, 2);
        PutLittleEndian(sink, n, 4);
    } else {
        PutLittleEndian(sink, kByteEscape, 1);
        PutLittleEndian(sink, kWordEscape, 2);
        PutLittleEndian(sink, kDwordEscape, 4);
        PutLittleEndian(sink, n, 8);
    }
    sink.WriteBytes(text.data(), text.size());
}

void WriteArchiveStringList(ArchiveByteSink& sink, const CStringList& list)
{
    WriteArchiveCount(sink, static_cast<size_t>(list.GetCount()));
    for (const std::string& text : list) WriteArchiveString(sink, text);
}

ArchiveStatus ReadArchiveCount(ArchiveByteSource& source, uint32_t& count)
{
    uint64_t value = 0;
    if (!GetLittleEndian(source, 2, value)) return ArchiveStatus::endsEarly;
    if (value == kWordEscape && !GetLittleEndian(source, 4, value)) return ArchiveStatus::endsEarly;
    count = static_cast<uint32_t>(value);
    return ArchiveStatus::ok;
}

ArchiveStatus ReadArchiveString(ArchiveByteSource& source, std::string& text)
{
    uint64_t length = 0;
    bool wide = false;
    ArchiveStatus status = ReadStringLength(source, length, wide);
    if (status != ArchiveStatus::ok) return status;

    // Checked before anything is allocated: a damaged length never asks for
    // more memory than the data could fill.
    const uint64_t byteCount = wide ? length * 2 : length;
    if (byteCount > source.BytesLeft()) return ArchiveStatus::endsEarly;

    std::string bytes(static_cast<size_t>(byteCount), '\0');
    if (source.ReadBytes(&bytes[0], bytes.size()) != bytes.size()) return ArchiveStatus::endsEarly;
    if (!wide) {
        text = std::move(bytes);
        return ArchiveStatus::ok;
    }
    std::u16string units(static_cast<size_t>(length), u'\0');
    for (size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                         (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    }
    text = AnsiFromUtf16(units);
    return ArchiveStatus::ok;
}

ArchiveStatus ReadArchiveStringList(ArchiveByteSource& source, CStringList& list)
{
    uint32_t count = 0;
    ArchiveStatus status = ReadArchiveCount(source, count);
    if (status != ArchiveStatus::ok) return status;
    // Every string takes at least its length byte.
    if (count > source.BytesLeft()) return ArchiveStatus::endsEarly;

    CStringList read;
    for (uint32_t i = 0; i < count; ++i) {
        std::string text;
        status = ReadArchiveString(source, text);
        if (status != ArchiveStatus::ok) return status;
        read.AddTail(text);
    }
    for (const std::string& text : read) list.AddTail(text);
    return ArchiveStatus::ok;
}
