// Just enough of the cabinet container for the LZX tests: pulls a folder's
// data blocks out of a real cabinet, and wraps encoder output into a
// one-file cabinet for outside readers. The archiver's own reader and
// writer replace both once they sit beside the codec.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lzxtest {

struct DataBlock {
    std::vector<uint8_t> compressed;
    std::size_t uncompressedSize = 0;
};

struct Folder {
    uint16_t typeCompress = 0;
    std::vector<DataBlock> blocks;
};

struct Member {
    std::string name;
    uint16_t folder = 0;
    uint32_t offset = 0;
    uint32_t size = 0;
};

struct Cabinet {
    std::vector<Folder> folders;
    std::vector<Member> members;
};

// False with a reason when the bytes are not a cabinet this helper reads.
bool ParseCabinet(const std::vector<uint8_t>& bytes, Cabinet& cab, std::string& error);

// One folder, one member named `name`, checksums 0 ("not computed").
std::vector<uint8_t> BuildCabinet(uint16_t typeCompress, const std::vector<DataBlock>& blocks,
                                  const std::string& name, uint32_t memberSize);

std::vector<uint8_t> ReadFile(const std::string& path);
bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);

} // namespace lzxtest
