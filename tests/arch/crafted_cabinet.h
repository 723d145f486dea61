// Cabinets put together field by field from the published MS-CAB layout,
// for the damaged and hostile ones that no writer would make. Shared by the
// host and Windows tests.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace archtest {

// A cabinet put together field by field. One folder with the given
// compression type word and data blocks; the counts, sizes and offsets are
// computed unless a test sets its own.
struct CraftedFile {
    std::string name;
    uint32_t size = 0;
    uint32_t offset = 0;
    uint16_t folder = 0;
    uint16_t attributes = 0x20;
};
struct CraftedBlock {
    std::string data;
    uint16_t uncompressed = 0;
    bool checksum = true;
};
struct CraftedCabinet {
    std::vector<CraftedFile> files;
    std::vector<CraftedBlock> blocks;
    uint16_t compression = 0;
    // Values that replace the computed ones when set (>= 0).
    int64_t cabinetSize = -1;
    int64_t fileCount = -1;
    int64_t folderCount = -1;
    int64_t blockCount = -1;
    std::string Build() const;
};

// A stored cabinet of one folder holding the given files (name, bytes)
// one after the other, in 32 KiB blocks.
CraftedCabinet StoredCabinet(const std::vector<std::pair<std::string, std::string>>& files);

// The published data block checksum (used to build blocks above).
uint32_t PublishedChecksum(const std::string& bytes, uint32_t seed);

} // namespace archtest
