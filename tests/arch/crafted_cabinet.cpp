#include "tests/arch/crafted_cabinet.h"

#include "arch/byte_order.h"

namespace archtest {

namespace {

void Le16(std::string& out, uint32_t v)
{
    uint8_t field[2];
    cab::PutLe16(field, static_cast<uint16_t>(v));
    out.append(reinterpret_cast<const char*>(field), sizeof field);
}

void Le32(std::string& out, uint32_t v)
{
    uint8_t field[4];
    cab::PutLe32(field, v);
    out.append(reinterpret_cast<const char*>(field), sizeof field);
}

} // namespace

uint32_t PublishedChecksum(const std::string& bytes, uint32_t seed)
{
    uint32_t sum = seed;
    std::size_t i = 0;
    for (; i + 4 <= bytes.size(); i += 4) sum ^= cab::GetLe32(reinterpret_cast<const uint8_t*>(bytes.data() + i));
    uint32_t tail = 0;
    for (; i < bytes.size(); ++i) tail = tail << 8 | static_cast<unsigned char>(bytes[i]);
    return sum ^ tail;
}

std::string CraftedCabinet::Build() const
{
    const uint32_t headerSize = 36, folderSize = 8;
    std::string fileTable;
    for (const CraftedFile& f : files) {
        Le32(fileTable, f.size);
        Le32(fileTable, f.offset);
        Le16(fileTable, f.folder);
        Le16(fileTable, 0x2F27); // 7 September 2003
        Le16(fileTable, 0x6000); // 12:00:00
        Le16(fileTable, f.attributes);
        fileTable += f.name;
        fileTable += '\0';
    }
    std::string data;
    for (const CraftedBlock& b : blocks) {
        std::string sizes;
        Le16(sizes, static_cast<uint32_t>(b.data.size()));
        Le16(sizes, b.uncompressed);
        Le32(data, b.checksum ? PublishedChecksum(sizes, PublishedChecksum(b.data, 0)) : 0);
        data += sizes + b.data;
    }
    const uint32_t filesOffset = headerSize + folderSize;
    const uint32_t dataOffset = filesOffset + static_cast<uint32_t>(fileTable.size());
    const uint32_t total = dataOffset + static_cast<uint32_t>(data.size());

    std::string cab = "MSCF";
    Le32(cab, 0);
    Le32(cab, cabinetSize >= 0 ? static_cast<uint32_t>(cabinetSize) : total);
    Le32(cab, 0);
    Le32(cab, filesOffset);
    Le32(cab, 0);
    cab += '\x03';
    cab += '\x01';
    Le16(cab, folderCount >= 0 ? static_cast<uint32_t>(folderCount) : 1);
    Le16(cab, fileCount >= 0 ? static_cast<uint32_t>(fileCount) : static_cast<uint32_t>(files.size()));
    Le16(cab, 0); // flags
    Le16(cab, 0x1234);
    Le16(cab, 0);
    Le32(cab, dataOffset);
    Le16(cab, blockCount >= 0 ? static_cast<uint32_t>(blockCount) : static_cast<uint32_t>(blocks.size()));
    Le16(cab, compression);
    return cab + fileTable + data;
}

// A stored cabinet of one folder holding the given files' bytes in order.
CraftedCabinet StoredCabinet(const std::vector<std::pair<std::string, std::string>>& files)
{
    CraftedCabinet cab;
    std::string stream;
    for (const auto& f : files) {
        CraftedFile file;
        file.name = f.first;
        file.size = static_cast<uint32_t>(f.second.size());
        file.offset = static_cast<uint32_t>(stream.size());
        cab.files.push_back(file);
        stream += f.second;
    }
    for (std::size_t at = 0; at < stream.size(); at += 32768) {
        CraftedBlock block;
        block.data = stream.substr(at, 32768);
        block.uncompressed = static_cast<uint16_t>(block.data.size());
        cab.blocks.push_back(block);
    }
    return cab;
}

} // namespace archtest
