// Any bytes as a cabinet: the directory reader, every folder's decoding
// (stored, MSZIP, and LZX when the build has it) and the stored-name check
// must end cleanly, within bounded memory, whatever the input.
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
        return true;
    }
    void End(std::size_t member, bool, const std::string&) override
    {
        if (m_state.at(member) == 2) __builtin_trap(); // ended twice
        m_state[member] = 2;
    }

private:
    std::vector<int> m_state;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    MemoryInput in(data, size);
    arch::CabinetDirectory directory;
    std::string error;
    if (!arch::ReadDirectory(in, directory, error)) return 0;
    for (const arch::CabinetMember& member : directory.members) {
        std::vector<std::string> parts;
        std::string reason;
        if (arch::ExtractionParts(member.name, parts, reason)) {
            for (const std::string& part : parts)
                if (part == ".." || part.empty() || part.find(':') != std::string::npos) __builtin_trap();
        }
    }
    // Folders beyond the first few only repeat the same work.
    for (std::size_t f = 0; f < directory.folders.size() && f < 4; ++f) {
        CheckingSink sink(directory);
        arch::ExtractFolder(in, directory, f, sink, error);
    }
    return 0;
}
