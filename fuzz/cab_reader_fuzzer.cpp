// Any bytes as a cabinet: the directory reader, every folder's decoding
// (stored, MSZIP and LZX of every window) and the stored-name check must
// end cleanly, within bounded memory, whatever the input. Seeds: the real
// cabinets of tests/fixtures/cab and cabinets arch wrote with each method
// (arch_*.cab).
//
// A changed byte in a data block almost always breaks the block's checksum,
// and the reader then stops before the decoder sees it; so each input is
// read a second time with every checksum cleared ("not computed"), which
// hands the changed blocks to the decoders.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "arch/cab_reader.h"
#include "arch/stored_name.h"

namespace {

class MemoryInput : public arch::InputFile {
public:
    MemoryInput(const uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    uint64_t Size() const override { return m_size; }
    bool ReadAt(uint64_t offset, void* buffer, std::size_t size) override
    {
        if (offset > m_size || size > m_size - offset) return false;
        if (size) std::memcpy(buffer, m_data + offset, size);
        return true;
    }

private:
    const uint8_t* m_data;
    std::size_t m_size;
};

// Beyond this many bytes of a folder the members are declined, which ends
// the folder's decoding: a few megabytes of a real folder only repeat the
// same work at each run.
constexpr std::size_t kBytesTaken = 1 << 20;

// Takes every member's bytes and checks that the reader keeps its promises.
class CheckingSink : public arch::MemberSink {
public:
    explicit CheckingSink(const arch::CabinetDirectory& d) : m_state(d.members.size(), 0) {}
    bool Begin(std::size_t member) override
    {
        if (m_state.at(member) != 0) __builtin_trap(); // begun twice
        m_state[member] = 1;
        return member % 7 != 3; // decline some
    }
    bool Write(std::size_t member, const uint8_t* data, std::size_t size) override
    {
        if (m_state.at(member) != 1) __builtin_trap();
        volatile uint8_t sink = 0;
        for (std::size_t i = 0; i < size; ++i) sink = sink ^ data[i];
        (void)sink;
        m_taken += size;
        return m_taken <= kBytesTaken;
    }
    void End(std::size_t member, bool, const std::string&) override
    {
        if (m_state.at(member) == 2) __builtin_trap(); // ended twice
        m_state[member] = 2;
    }

private:
    std::vector<int> m_state;
    std::size_t m_taken = 0;
};

// Folders beyond the first few only repeat the same work.
constexpr std::size_t kFoldersRead = 4;

// Clears the checksum of every data block of the folders read that lies
// inside the bytes. Gives false when there was none to clear.
bool ClearChecksums(const arch::CabinetDirectory& directory, std::vector<uint8_t>& bytes)
{
    bool cleared = false;
    const std::size_t headerSize = 8 + directory.dataReserve;
    for (std::size_t f = 0; f < directory.folders.size() && f < kFoldersRead; ++f) {
        const auto& folder = directory.folders[f];
        std::size_t at = folder.dataOffset;
        for (std::size_t b = 0; b < folder.blockCount && at <= bytes.size() && bytes.size() - at >= headerSize; ++b) {
            for (std::size_t i = 0; i < 4; ++i) {
                cleared = cleared || bytes[at + i] != 0;
                bytes[at + i] = 0;
            }
            at += headerSize + (bytes[at + 4] | bytes[at + 5] << 8);
        }
    }
    return cleared;
}

// Reads the directory, checks the stored names and decodes the folders.
// Gives the directory, or false when there was none.
bool ReadAll(const uint8_t* data, std::size_t size, arch::CabinetDirectory& directory)
{
    MemoryInput in(data, size);
    std::string error;
    if (!arch::ReadDirectory(in, directory, error)) return false;
    for (const arch::CabinetMember& member : directory.members) {
        std::vector<std::string> parts;
        std::string reason;
        if (arch::ExtractionParts(member.name, parts, reason)) {
            for (const std::string& part : parts)
                if (part == ".." || part.empty() || part.find(':') != std::string::npos) __builtin_trap();
        }
    }
    for (std::size_t f = 0; f < directory.folders.size() && f < kFoldersRead; ++f) {
        CheckingSink sink(directory);
        arch::ExtractFolder(in, directory, f, sink, error);
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    arch::CabinetDirectory directory;
    if (!ReadAll(data, size, directory)) return 0;
    std::vector<uint8_t> unchecked(data, data + size);
    if (ClearChecksums(directory, unchecked)) ReadAll(unchecked.data(), unchecked.size(), directory);
    return 0;
}
