// The records of a cabinet file, their sizes and limits, and the checksum
// of its data blocks. Layout in the file:
//   header (36 bytes, then optional reserve sizes and areas, then optional
//   names of the previous and next cabinet of a set)
//   folder records (8 bytes each, plus the folder reserve)
//   file records (16 bytes each, then the zero-terminated name)
//   each folder's data blocks (8 bytes each, plus the data reserve, then the
//   compressed bytes)
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace cab {

constexpr std::size_t kHeaderSize = 36;
constexpr std::size_t kHeaderReserveFieldsSize = 4;
constexpr std::size_t kFolderRecordSize = 8;
constexpr std::size_t kFileRecordSize = 16;
constexpr std::size_t kDataBlockHeaderSize = 8;

// Header flags.
constexpr uint16_t kFlagPrevCabinet = 0x0001;
constexpr uint16_t kFlagNextCabinet = 0x0002;
constexpr uint16_t kFlagReservePresent = 0x0004;

// Folder numbers of files that continue across cabinets of a set.
constexpr uint16_t kFolderContinuedFromPrev = 0xFFFD;
constexpr uint16_t kFolderContinuedToNext = 0xFFFE;
constexpr uint16_t kFolderContinuedPrevAndNext = 0xFFFF;

// File attributes kept in a cabinet.
constexpr uint16_t kAttrReadOnly = 0x01;
constexpr uint16_t kAttrHidden = 0x02;
constexpr uint16_t kAttrSystem = 0x04;
constexpr uint16_t kAttrArchive = 0x20;
constexpr uint16_t kAttrExecute = 0x40;
constexpr uint16_t kAttrNameIsUtf8 = 0x80;
constexpr uint16_t kAttrFileMask = kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrArchive;

// Compression types (low four bits of a folder's type word); LZX keeps its
// window exponent in bits 8 to 12.
constexpr uint16_t kCompressNone = 0;
constexpr uint16_t kCompressMszip = 1;
constexpr uint16_t kCompressQuantum = 2;
constexpr uint16_t kCompressLzx = 3;
constexpr uint16_t kCompressTypeMask = 0x000F;

// Limits of the format. A folder's uncompressed stream stays below
// kMaxFolderBytes; offsets are 32-bit and readers treat them as signed, so a
// cabinet stays below 2 GiB; counts are 16-bit.
constexpr uint64_t kMaxFolderBytes = 0x7FFF8000;
constexpr uint64_t kMaxCabinetBytes = 0x7FFFFFFF;
constexpr std::size_t kMaxFiles = 65535;
constexpr std::size_t kMaxFolders = 0xFFFC;
// Longest stored name, in bytes without its terminator.
constexpr std::size_t kMaxNameBytes = 255;
// A data block holds at most one 32 KiB frame, compressed into at most
// 32 KiB plus the growth a codec may need.
constexpr std::size_t kMaxBlockData = 32768 + 6144;
constexpr std::size_t kMaxHeaderReserve = 60000;

struct Header {
    uint32_t cabinetSize = 0;
    uint32_t filesOffset = 0;
    uint8_t versionMinor = 3;
    uint8_t versionMajor = 1;
    uint16_t folderCount = 0;
    uint16_t fileCount = 0;
    uint16_t flags = 0;
    uint16_t setId = 0;
    uint16_t cabinetIndex = 0;
};

struct FolderRecord {
    uint32_t dataOffset = 0;
    uint16_t blockCount = 0;
    uint16_t compression = kCompressNone;
};

struct FileRecord {
    uint32_t size = 0;
    uint32_t folderOffset = 0;
    uint16_t folder = 0;
    uint16_t date = 0;
    uint16_t time = 0;
    uint16_t attributes = 0;
};

struct DataBlockHeader {
    uint32_t checksum = 0;
    uint16_t compressedSize = 0;
    uint16_t uncompressedSize = 0;
};

// Fixed-size parts, without reserves or names. Encoders append; decoders
// read exactly the record's size from `p`.
void AppendHeader(std::vector<uint8_t>& out, const Header& h);
Header DecodeHeader(const uint8_t* p, bool& signatureOk);
void AppendFolderRecord(std::vector<uint8_t>& out, const FolderRecord& f);
FolderRecord DecodeFolderRecord(const uint8_t* p);
void AppendFileRecord(std::vector<uint8_t>& out, const FileRecord& f, const std::string& name);
FileRecord DecodeFileRecord(const uint8_t* p);
void EncodeDataBlockHeader(uint8_t* p, const DataBlockHeader& d);
DataBlockHeader DecodeDataBlockHeader(const uint8_t* p);

// The data block checksum: 32-bit little-endian words XORed together, a
// trailing one to three bytes taken most significant first; `seed` chains
// a second range onto the first.
uint32_t Checksum(const uint8_t* data, std::size_t size, uint32_t seed);

// A block's checksum covers its compressed bytes, then its two size fields
// (and, as some writers do, its reserve area: see the reader).
uint32_t DataBlockChecksum(const uint8_t* blockHeader, const uint8_t* reserve, std::size_t reserveSize,
                           const uint8_t* data, std::size_t dataSize);

// The name of a folder's compression for messages and listings: "none",
// "MSZIP", "Quantum", "LZX:21", or "type N" for anything else.
std::string CompressionName(uint16_t compression);

} // namespace cab
