#include "arch/cab_format.h"

#include "arch/byte_order.h"

namespace cab {

namespace {
const uint8_t kSignature[4] = {'M', 'S', 'C', 'F'};
}

void AppendHeader(std::vector<uint8_t>& out, const Header& h)
{
    out.insert(out.end(), kSignature, kSignature + 4);
    AppendLe32(out, 0); // reserved1
    AppendLe32(out, h.cabinetSize);
    AppendLe32(out, 0); // reserved2
    AppendLe32(out, h.filesOffset);
    AppendLe32(out, 0); // reserved3
    out.push_back(h.versionMinor);
    out.push_back(h.versionMajor);
    AppendLe16(out, h.folderCount);
    AppendLe16(out, h.fileCount);
    AppendLe16(out, h.flags);
    AppendLe16(out, h.setId);
    AppendLe16(out, h.cabinetIndex);
}

Header DecodeHeader(const uint8_t* p, bool& signatureOk)
{
    signatureOk = p[0] == kSignature[0] && p[1] == kSignature[1] && p[2] == kSignature[2] && p[3] == kSignature[3];
    Header h;
    h.cabinetSize = GetLe32(p + 8);
    h.filesOffset = GetLe32(p + 16);
    h.versionMinor = p[24];
    h.versionMajor = p[25];
    h.folderCount = GetLe16(p + 26);
    h.fileCount = GetLe16(p + 28);
    h.flags = GetLe16(p + 30);
    h.setId = GetLe16(p + 32);
    h.cabinetIndex = GetLe16(p + 34);
    return h;
}

void AppendFolderRecord(std::vector<uint8_t>& out, const FolderRecord& f)
{
    AppendLe32(out, f.dataOffset);
    AppendLe16(out, f.blockCount);
    AppendLe16(out, f.compression);
}

FolderRecord DecodeFolderRecord(const uint8_t* p)
{
    FolderRecord f;
    f.dataOffset = GetLe32(p);
    f.blockCount = GetLe16(p + 4);
    f.compression = GetLe16(p + 6);
    return f;
}

void AppendFileRecord(std::vector<uint8_t>& out, const FileRecord& f, const std::string& name)
{
    AppendLe32(out, f.size);
    AppendLe32(out, f.folderOffset);
    AppendLe16(out, f.folder);
    AppendLe16(out, f.date);
    AppendLe16(out, f.time);
    AppendLe16(out, f.attributes);
    out.insert(out.end(), name.begin(), name.end());
    out.push_back(0);
}

FileRecord DecodeFileRecord(const uint8_t* p)
{
    FileRecord f;
    f.size = GetLe32(p);
    f.folderOffset = GetLe32(p + 4);
    f.folder = GetLe16(p + 8);
    f.date = GetLe16(p + 10);
    f.time = GetLe16(p + 12);
    f.attributes = GetLe16(p + 14);
    return f;
}

void EncodeDataBlockHeader(uint8_t* p, const DataBlockHeader& d)
{
    PutLe32(p, d.checksum);
    PutLe16(p + 4, d.compressedSize);
    PutLe16(p + 6, d.uncompressedSize);
}

DataBlockHeader DecodeDataBlockHeader(const uint8_t* p)
{
    DataBlockHeader d;
    d.checksum = GetLe32(p);
    d.compressedSize = GetLe16(p + 4);
    d.uncompressedSize = GetLe16(p + 6);
    return d;
}

uint32_t Checksum(const uint8_t* data, std::size_t size, uint32_t seed)
{
    uint32_t sum = seed;
    std::size_t words = size / 4;
    for (std::size_t i = 0; i < words; ++i, data += 4) sum ^= GetLe32(data);
    uint32_t tail = 0;
    for (std::size_t i = 0; i < size % 4; ++i) tail = (tail << 8) | data[i];
    return sum ^ tail;
}

uint32_t DataBlockChecksum(const uint8_t* blockHeader, const uint8_t* reserve, std::size_t reserveSize,
                           const uint8_t* data, std::size_t dataSize)
{
    uint32_t sum = Checksum(data, dataSize, 0);
    if (reserveSize == 0) return Checksum(blockHeader + 4, 4, sum);
    // The size fields and the reserve area form one range.
    std::vector<uint8_t> fields(blockHeader + 4, blockHeader + 8);
    fields.insert(fields.end(), reserve, reserve + reserveSize);
    return Checksum(fields.data(), fields.size(), sum);
}

std::string CompressionName(uint16_t compression)
{
    switch (compression & kCompressTypeMask) {
    case kCompressNone: return "none";
    case kCompressMszip: return "MSZIP";
    case kCompressQuantum: return "Quantum";
    case kCompressLzx: return "LZX:" + std::to_string((compression >> 8) & 0x1F);
    default: return "type " + std::to_string(compression & kCompressTypeMask);
    }
}

} // namespace cab
