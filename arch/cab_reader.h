// Reads a cabinet: its directory (header, folders, files) and, one folder
// at a time, the data of its files. Nothing read from the file is trusted:
// every offset, count and size is checked against the cabinet's extent, and
// memory stays bounded (one data block and one 32 KiB frame at a time)
// whatever the sizes claim. Bytes after the cabinet's own size (such as a
// package trailer) are ignored.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "arch/cab_format.h"
#include "arch/file_system.h"

namespace arch {

struct CabinetMember {
    std::string name; // bytes as stored
    cab::FileRecord record;
};

struct CabinetDirectory {
    cab::Header header;
    uint16_t headerReserve = 0;
    uint8_t folderReserve = 0;
    uint8_t dataReserve = 0;
    std::string previousCabinet; // names of neighbours in a cabinet set
    std::string nextCabinet;
    std::vector<cab::FolderRecord> folders;
    std::vector<CabinetMember> members;
};

bool ReadDirectory(InputFile& in, CabinetDirectory& directory, std::string& error);

// Opens a cabinet file and reads its directory; null with a message that
// names the file when either fails.
std::unique_ptr<InputFile> OpenCabinet(FileSystem& fs, const std::string& path, CabinetDirectory& directory,
                                       std::string& error);
// The same, telling `messages` why when it fails.
std::unique_ptr<InputFile> OpenCabinet(FileSystem& fs, const std::string& path, CabinetDirectory& directory,
                                       std::ostream& messages);

// The data blocks of one folder, in order, as they are stored: each checked
// against the cabinet's extent, the format's size limits and its checksum
// before it is handed out. Holds one block at a time.
class DataBlockReader {
public:
    DataBlockReader(InputFile& in, const CabinetDirectory& directory, std::size_t folder);

    struct Block {
        const uint8_t* data = nullptr; // the compressed bytes, valid until the next call
        std::size_t size = 0;
        std::size_t uncompressedSize = 0; // 1 to 32768
    };
    // The next block; false at the folder's last block (error empty) or
    // with a message that names the block when it cannot be used.
    bool Next(Block& block, std::string& error);

private:
    InputFile& m_in;
    const CabinetDirectory& m_directory;
    std::size_t m_folder;
    std::size_t m_index = 0;
    uint64_t m_cursor = 0;
    std::vector<uint8_t> m_buffer;
};

// Receives the files of a folder as it is decoded.
class MemberSink {
public:
    virtual ~MemberSink() = default;
    // A member's data is about to come; false declines it (no End follows).
    virtual bool Begin(std::size_t member) = 0;
    // False when the bytes could not be taken; the member then gets End
    // with complete == false and no further data.
    virtual bool Write(std::size_t member, const uint8_t* data, std::size_t size) = 0;
    // Once for every member of the folder that was not declined, also for
    // those whose data could not be reached (then without Begin).
    virtual void End(std::size_t member, bool complete, const std::string& error) = 0;
};

// Decodes folder `folder` block by block and hands each of its members'
// bytes to the sink, in the order of their positions in the folder. Empty
// members need no data and are handed over even when the folder cannot be
// decoded. Returns false with a message when the folder is unreadable
// (unsupported compression, damaged or truncated blocks, bad checksums).
bool ExtractFolder(InputFile& in, const CabinetDirectory& directory, std::size_t folder, MemberSink& sink,
                   std::string& error);

} // namespace arch
