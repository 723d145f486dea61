#include "arch/cab_reader.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "arch/byte_order.h"
#include "arch/codec.h"
#include "arch/codec_registry.h"

namespace arch {

namespace {

// Members whose data ranges overlap are handed out together; beyond this
// many at once the cabinet is taken as hostile.
constexpr std::size_t kMaxOverlappingMembers = 256;
constexpr std::size_t kMaxSetNameBytes = 255;

// Reads the directory area through a small window, checking every read
// against the cabinet's extent.
class DirectoryInput {
public:
    DirectoryInput(InputFile& in, uint64_t limit) : m_in(in), m_limit(limit) {}

    // Up to `want` bytes at `offset`, fewer only at the cabinet's end.
    bool Peek(uint64_t offset, std::size_t want, const uint8_t*& data, std::size_t& got)
    {
        if (offset >= m_limit) {
            got = 0;
            return true;
        }
        if (offset < m_start || offset + want > m_start + m_buffer.size()) {
            const uint64_t size = std::min<uint64_t>(std::max<std::size_t>(want, 65536), m_limit - offset);
            m_buffer.resize(static_cast<std::size_t>(size));
            if (!m_in.ReadAt(offset, m_buffer.data(), m_buffer.size())) return false;
            m_start = offset;
        }
        data = m_buffer.data() + (offset - m_start);
        got = static_cast<std::size_t>(std::min<uint64_t>(want, m_start + m_buffer.size() - offset));
        return true;
    }

    bool Read(uint64_t offset, std::size_t size, const uint8_t*& data)
    {
        std::size_t got = 0;
        return Peek(offset, size, data, got) && got == size;
    }

    // A zero-terminated string of at most `maxBytes` bytes.
    bool ReadString(uint64_t& offset, std::size_t maxBytes, std::string& text)
    {
        const uint8_t* data = nullptr;
        std::size_t got = 0;
        if (!Peek(offset, maxBytes + 1, data, got)) return false;
        const void* end = got ? std::memchr(data, 0, got) : nullptr;
        if (!end) return false;
        const std::size_t length = static_cast<std::size_t>(static_cast<const uint8_t*>(end) - data);
        text.assign(reinterpret_cast<const char*>(data), length);
        offset += length + 1;
        return true;
    }

private:
    InputFile& m_in;
    uint64_t m_limit;
    uint64_t m_start = 0;
    std::vector<uint8_t> m_buffer;
};

struct PendingMember {
    std::size_t index;
    uint64_t start;
    uint64_t end;
};

} // namespace

bool ReadDirectory(InputFile& in, CabinetDirectory& directory, std::string& error)
{
    directory = CabinetDirectory();
    const uint64_t fileSize = in.Size();
    uint8_t head[cab::kHeaderSize];
    const bool headRead = fileSize >= cab::kHeaderSize && in.ReadAt(0, head, sizeof head);
    if (!headRead) {
        uint8_t sig[4];
        if (fileSize >= 4 && in.ReadAt(0, sig, 4) && std::memcmp(sig, "MSCF", 4) == 0)
            error = "the cabinet is truncated: the file ends inside its header";
        else
            error = "not a cabinet file (it is too short)";
        return false;
    }
    bool signatureOk = false;
    cab::Header& h = directory.header;
    h = cab::DecodeHeader(head, signatureOk);
    if (!signatureOk) {
        error = "not a cabinet file (no \"MSCF\" signature)";
        return false;
    }
    if (h.versionMajor != 1) {
        error = "unsupported cabinet format version " + std::to_string(h.versionMajor) + "." +
                std::to_string(h.versionMinor);
        return false;
    }
    if (h.cabinetSize < cab::kHeaderSize) {
        error = "the cabinet's header is damaged (it gives a size of " + std::to_string(h.cabinetSize) + " bytes)";
        return false;
    }
    if (h.cabinetSize > fileSize) {
        error = "the cabinet is truncated: its header gives " + std::to_string(h.cabinetSize) +
                " bytes, the file has " + std::to_string(fileSize);
        return false;
    }

    DirectoryInput input(in, h.cabinetSize);
    const uint8_t* p = nullptr;
    uint64_t pos = cab::kHeaderSize;
    const std::string damaged = "the cabinet's directory is damaged: ";
    if (h.flags & cab::kFlagReservePresent) {
        if (!input.Read(pos, cab::kHeaderReserveFieldsSize, p)) {
            error = damaged + "the reserve sizes lie past its end";
            return false;
        }
        directory.headerReserve = cab::GetLe16(p);
        directory.folderReserve = p[2];
        directory.dataReserve = p[3];
        if (directory.headerReserve > cab::kMaxHeaderReserve) {
            error = damaged + "its header reserve is too large";
            return false;
        }
        pos += cab::kHeaderReserveFieldsSize + directory.headerReserve;
    }
    std::string disk;
    if (h.flags & cab::kFlagPrevCabinet) {
        if (!input.ReadString(pos, kMaxSetNameBytes, directory.previousCabinet) ||
            !input.ReadString(pos, kMaxSetNameBytes, disk)) {
            error = damaged + "the name of the previous cabinet is unreadable";
            return false;
        }
    }
    if (h.flags & cab::kFlagNextCabinet) {
        if (!input.ReadString(pos, kMaxSetNameBytes, directory.nextCabinet) ||
            !input.ReadString(pos, kMaxSetNameBytes, disk)) {
            error = damaged + "the name of the next cabinet is unreadable";
            return false;
        }
    }

    directory.folders.reserve(h.folderCount);
    for (std::size_t i = 0; i < h.folderCount; ++i) {
        if (!input.Read(pos, cab::kFolderRecordSize, p)) {
            error = damaged + "folder record " + std::to_string(i + 1) + " of " + std::to_string(h.folderCount) +
                    " lies past its end";
            return false;
        }
        directory.folders.push_back(cab::DecodeFolderRecord(p));
        pos += cab::kFolderRecordSize + directory.folderReserve;
    }

    pos = h.filesOffset;
    directory.members.reserve(h.fileCount);
    for (std::size_t i = 0; i < h.fileCount; ++i) {
        CabinetMember member;
        if (!input.Read(pos, cab::kFileRecordSize, p)) {
            error = damaged + "file record " + std::to_string(i + 1) + " of " + std::to_string(h.fileCount) +
                    " lies past its end";
            return false;
        }
        member.record = cab::DecodeFileRecord(p);
        pos += cab::kFileRecordSize;
        if (!input.ReadString(pos, cab::kMaxNameBytes, member.name)) {
            error = damaged + "the name of file " + std::to_string(i + 1) + " is unterminated or too long";
            return false;
        }
        directory.members.push_back(std::move(member));
    }
    return true;
}

std::unique_ptr<InputFile> OpenCabinet(FileSystem& fs, const std::string& path, CabinetDirectory& directory,
                                       std::string& error)
{
    std::unique_ptr<InputFile> in = fs.OpenRead(path, error);
    if (in && !ReadDirectory(*in, directory, error)) {
        error = path + ": " + error;
        in.reset();
    }
    return in;
}

std::unique_ptr<InputFile> OpenCabinet(FileSystem& fs, const std::string& path, CabinetDirectory& directory,
                                       std::ostream& messages)
{
    std::string error;
    std::unique_ptr<InputFile> in = OpenCabinet(fs, path, directory, error);
    if (!in) messages << "arch: " << error << "\n";
    return in;
}

DataBlockReader::DataBlockReader(InputFile& in, const CabinetDirectory& directory, std::size_t folder)
    : m_in(in), m_directory(directory), m_folder(folder)
{
    if (folder < directory.folders.size()) m_cursor = directory.folders[folder].dataOffset;
}

bool DataBlockReader::Next(Block& block, std::string& error)
{
    error.clear();
    if (m_folder >= m_directory.folders.size()) {
        error = "folder " + std::to_string(m_folder + 1) + " does not exist";
        return false;
    }
    if (m_index >= m_directory.folders[m_folder].blockCount) return false;
    auto fail = [&](const std::string& what) {
        error = "data block " + std::to_string(m_index + 1) + " of folder " + std::to_string(m_folder + 1) + what;
        return false;
    };
    const char* const pastTheEnd = " lies past the cabinet's end (the cabinet is truncated or damaged)";
    const uint64_t limit = m_directory.header.cabinetSize;
    const std::size_t headerSize = cab::kDataBlockHeaderSize + m_directory.dataReserve;
    m_buffer.resize(headerSize + cab::kMaxBlockData);
    if (m_cursor + headerSize > limit || !m_in.ReadAt(m_cursor, m_buffer.data(), headerSize)) return fail(pastTheEnd);
    const cab::DataBlockHeader h = cab::DecodeDataBlockHeader(m_buffer.data());
    if (h.uncompressedSize == 0 || h.uncompressedSize > cab::kFrameSize || h.compressedSize > cab::kMaxBlockData)
        return fail(" is damaged (it gives " + std::to_string(h.compressedSize) + " bytes for " +
                    std::to_string(h.uncompressedSize) + ")");
    uint8_t* data = m_buffer.data() + headerSize;
    const uint64_t dataStart = m_cursor + headerSize;
    if (dataStart + h.compressedSize > limit || !m_in.ReadAt(dataStart, data, h.compressedSize))
        return fail(pastTheEnd);
    if (h.checksum != 0) {
        // Some writers leave the reserve area out of the checksum, some
        // take it in: either is accepted.
        const uint8_t* reserve = m_buffer.data() + cab::kDataBlockHeaderSize;
        const bool matches =
            h.checksum == cab::DataBlockChecksum(m_buffer.data(), nullptr, 0, data, h.compressedSize) ||
            (m_directory.dataReserve &&
             h.checksum ==
                 cab::DataBlockChecksum(m_buffer.data(), reserve, m_directory.dataReserve, data, h.compressedSize));
        if (!matches) return fail(" fails its checksum (the cabinet is damaged)");
    }
    m_cursor = dataStart + h.compressedSize;
    ++m_index;
    block.data = data;
    block.size = h.compressedSize;
    block.uncompressedSize = h.uncompressedSize;
    return true;
}

bool ExtractFolder(InputFile& in, const CabinetDirectory& directory, std::size_t folder, MemberSink& sink,
                   std::string& error)
{
    const std::string where = "folder " + std::to_string(folder + 1);
    if (folder >= directory.folders.size()) {
        error = where + " does not exist";
        return false;
    }
    const cab::FolderRecord& record = directory.folders[folder];

    std::vector<PendingMember> pending;
    for (std::size_t i = 0; i < directory.members.size(); ++i) {
        const cab::FileRecord& r = directory.members[i].record;
        if (r.folder != folder) continue;
        if (r.size == 0) {
            if (sink.Begin(i)) sink.End(i, true, std::string());
            continue;
        }
        pending.push_back({i, r.folderOffset, static_cast<uint64_t>(r.folderOffset) + r.size});
    }
    if (pending.empty()) return true;
    std::stable_sort(pending.begin(), pending.end(),
                     [](const PendingMember& a, const PendingMember& b) { return a.start < b.start; });

    std::vector<PendingMember> active;
    std::size_t next = 0;
    // Every member not yet finished fails with `reason`.
    auto failRest = [&](const std::string& reason) {
        for (const PendingMember& m : active) sink.End(m.index, false, reason);
        for (std::size_t k = next; k < pending.size(); ++k) sink.End(pending[k].index, false, reason);
        active.clear();
        next = pending.size();
    };

    std::unique_ptr<cab::FolderDecoder> decoder = cab::MakeFolderDecoder(record.compression, error);
    if (!decoder) {
        error = where + ": " + error;
        failRest(error);
        return false;
    }

    DataBlockReader blocks(in, directory, folder);
    std::vector<uint8_t> frame(cab::kFrameSize);
    uint64_t position = 0;
    bool ok = true;

    for (std::size_t b = 0; next < pending.size() || !active.empty(); ++b) {
        DataBlockReader::Block block;
        if (!blocks.Next(block, error)) {
            if (error.empty()) break; // the folder's blocks end: reported below
            ok = false;
            break;
        }
        std::string reason;
        if (!decoder->DecodeFrame(block.data, block.size, frame.data(), block.uncompressedSize, reason)) {
            error = "data block " + std::to_string(b + 1) + " of " + where + ": " + reason;
            ok = false;
            break;
        }

        const uint64_t frameStart = position;
        const uint64_t frameEnd = position + block.uncompressedSize;
        position = frameEnd;
        while (next < pending.size() && pending[next].start < frameEnd) {
            const PendingMember& m = pending[next++];
            if (!sink.Begin(m.index)) continue;
            if (active.size() == kMaxOverlappingMembers) {
                sink.End(m.index, false, "its data overlaps too many other files (the cabinet is damaged)");
                continue;
            }
            active.push_back(m);
        }
        for (std::size_t k = 0; k < active.size();) {
            const PendingMember& m = active[k];
            const uint64_t from = std::max(m.start, frameStart);
            const uint64_t to = std::min(m.end, frameEnd);
            bool written = true;
            if (from < to)
                written = sink.Write(m.index, frame.data() + (from - frameStart), static_cast<std::size_t>(to - from));
            if (!written || m.end <= frameEnd) {
                sink.End(m.index, written, std::string());
                active.erase(active.begin() + static_cast<std::ptrdiff_t>(k));
            } else {
                ++k;
            }
        }
    }
    if (!ok) {
        failRest(error);
        return false;
    }
    if (!active.empty() || next < pending.size()) {
        error = where + " ends before all of its files' data (the cabinet is damaged)";
        failRest(error);
        return false;
    }
    return true;
}

} // namespace arch
