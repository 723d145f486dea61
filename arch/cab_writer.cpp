#include "arch/cab_writer.h"

#include <memory>

#include "arch/codec.h"
#include "arch/codec_registry.h"
#include "arch/partial_file.h"

namespace arch {

namespace {

struct FolderPlan {
    std::size_t firstFile = 0;
    std::size_t fileCount = 0;
    cab::FolderRecord record;
};

class CabinetWriter {
public:
    CabinetWriter(FileSystem& fs, const std::vector<SourceFile>& files, uint16_t compression,
                  const cab::Packing& packing, const WriterLimits& limits)
        : m_fs(fs), m_files(files), m_compression(compression), m_packing(packing), m_limits(limits)
    {}

    bool Write(const std::string& cabinetPath, WriteSummary& summary, std::string& error)
    {
        if (!Plan(error)) return false;
        std::string partial;
        m_out = CreatePartialFile(m_fs, cabinetPath, partial, error);
        if (!m_out) return false;
        bool ok = WriteAll(error);
        if (!m_out->Close() && ok) {
            error = partial + ": the cabinet could not be written completely";
            ok = false;
        }
        m_out.reset();
        if (ok) ok = m_fs.Replace(partial, cabinetPath, error);
        if (!ok) {
            m_fs.RemoveFile(partial);
            return false;
        }
        summary.folders = m_folders.size();
        summary.inputBytes = m_inputBytes;
        summary.cabinetBytes = m_position;
        return true;
    }

private:
    bool Plan(std::string& error)
    {
        if (m_files.empty()) {
            error = "there are no files to add";
            return false;
        }
        if (m_files.size() > m_limits.maxFiles) {
            error = std::to_string(m_files.size()) + " files are more than one cabinet holds (" +
                    std::to_string(m_limits.maxFiles) + ")";
            return false;
        }
        uint64_t folderBytes = 0;
        for (std::size_t i = 0; i < m_files.size(); ++i) {
            const uint64_t size = m_files[i].info.size;
            if (size > m_limits.maxFolderBytes) {
                error = m_files[i].path + ": " + std::to_string(size) +
                        " bytes are more than a cabinet folder holds (" + std::to_string(m_limits.maxFolderBytes) + ")";
                return false;
            }
            if (m_folders.empty() || folderBytes + size > m_limits.maxFolderBytes) {
                if (m_folders.size() == cab::kMaxFolders) {
                    error = "the files need more folders than one cabinet holds";
                    return false;
                }
                m_folders.emplace_back();
                m_folders.back().firstFile = i;
                m_folders.back().record.compression = m_compression;
                folderBytes = 0;
            }
            m_folders.back().fileCount++;
            m_fileFolder.push_back(static_cast<uint16_t>(m_folders.size() - 1));
            m_fileOffset.push_back(static_cast<uint32_t>(folderBytes));
            folderBytes += size;
            m_inputBytes += size;
        }
        if (m_compression == cab::kCompressNone && m_inputBytes > m_limits.maxCabinetBytes) {
            error = "the files (" + std::to_string(m_inputBytes) + " bytes) do not fit in one cabinet (at most " +
                    std::to_string(m_limits.maxCabinetBytes) + " bytes)";
            return false;
        }
        return true;
    }

    std::vector<uint8_t> Directory() const
    {
        std::vector<uint8_t> bytes;
        cab::Header header;
        header.cabinetSize = static_cast<uint32_t>(m_position);
        header.filesOffset = static_cast<uint32_t>(cab::kHeaderSize + cab::kFolderRecordSize * m_folders.size());
        header.folderCount = static_cast<uint16_t>(m_folders.size());
        header.fileCount = static_cast<uint16_t>(m_files.size());
        cab::AppendHeader(bytes, header);
        for (const FolderPlan& folder : m_folders) cab::AppendFolderRecord(bytes, folder.record);
        for (std::size_t i = 0; i < m_files.size(); ++i) {
            const SourceFile& file = m_files[i];
            cab::FileRecord record;
            record.size = static_cast<uint32_t>(file.info.size);
            record.folderOffset = m_fileOffset[i];
            record.folder = m_fileFolder[i];
            record.date = file.info.dosDate;
            record.time = file.info.dosTime;
            record.attributes = file.info.attributes & cab::kAttrFileMask;
            if (m_fs.StoresNameAsUtf8(file.storedName)) record.attributes |= cab::kAttrNameIsUtf8;
            cab::AppendFileRecord(bytes, record, file.storedName);
        }
        return bytes;
    }

    bool WriteAll(std::string& error)
    {
        // The directory is written first with placeholders, then again once
        // the folders' positions and block counts are known.
        std::vector<uint8_t> directory = Directory();
        if (!Append(directory.data(), directory.size(), error)) return false;
        for (FolderPlan& folder : m_folders)
            if (!WriteFolder(folder, error)) return false;
        directory = Directory();
        if (!m_out->WriteAt(0, directory.data(), directory.size())) {
            error = "the cabinet could not be written";
            return false;
        }
        return true;
    }

    bool WriteFolder(FolderPlan& folder, std::string& error)
    {
        folder.record.dataOffset = static_cast<uint32_t>(m_position);
        std::unique_ptr<cab::FolderEncoder> encoder = cab::MakeFolderEncoder(m_compression, m_packing);
        if (!encoder) {
            error = "the " + cab::CompressionName(m_compression) + " compressor could not be set up";
            return false;
        }
        std::vector<uint8_t> frame(cab::kFrameSize);
        std::size_t filled = 0;
        for (std::size_t i = folder.firstFile; i < folder.firstFile + folder.fileCount; ++i) {
            const SourceFile& file = m_files[i];
            if (file.info.size == 0) continue;
            std::unique_ptr<InputFile> in = m_fs.OpenRead(file.path, error);
            if (!in) return false;
            if (in->Size() != file.info.size) {
                error = file.path + ": the file changed while the cabinet was being made";
                return false;
            }
            uint64_t offset = 0;
            while (offset < file.info.size) {
                const uint64_t left = file.info.size - offset;
                const std::size_t take =
                    left < cab::kFrameSize - filled ? static_cast<std::size_t>(left) : cab::kFrameSize - filled;
                if (!in->ReadAt(offset, frame.data() + filled, take)) {
                    error = file.path + ": the file could not be read";
                    return false;
                }
                offset += take;
                filled += take;
                if (filled == cab::kFrameSize) {
                    if (!WriteBlock(*encoder, frame.data(), filled, folder, error)) return false;
                    filled = 0;
                }
            }
        }
        if (filled != 0 && !WriteBlock(*encoder, frame.data(), filled, folder, error)) return false;
        encoder->Finish(m_ready);
        return WriteReady(folder, error);
    }

    bool WriteBlock(cab::FolderEncoder& encoder, const uint8_t* frame, std::size_t size, FolderPlan& folder,
                    std::string& error)
    {
        encoder.EncodeFrame(frame, size, m_ready);
        return WriteReady(folder, error);
    }

    // Writes the data blocks of the frames the encoder has finished.
    bool WriteReady(FolderPlan& folder, std::string& error)
    {
        for (const cab::EncodedFrame& frame : m_ready)
            if (!WriteDataBlock(frame, folder, error)) return false;
        m_ready.clear();
        return true;
    }

    bool WriteDataBlock(const cab::EncodedFrame& frame, FolderPlan& folder, std::string& error)
    {
        m_block.assign(cab::kDataBlockHeaderSize, 0);
        m_block.insert(m_block.end(), frame.data.begin(), frame.data.end());
        const std::size_t size = frame.size;
        const std::size_t dataSize = m_block.size() - cab::kDataBlockHeaderSize;
        if (dataSize > cab::kMaxBlockData) {
            error = "a compressed block came out larger than a cabinet allows";
            return false;
        }
        cab::DataBlockHeader header;
        header.compressedSize = static_cast<uint16_t>(dataSize);
        header.uncompressedSize = static_cast<uint16_t>(size);
        cab::EncodeDataBlockHeader(m_block.data(), header);
        header.checksum =
            cab::DataBlockChecksum(m_block.data(), nullptr, 0, m_block.data() + cab::kDataBlockHeaderSize, dataSize);
        cab::EncodeDataBlockHeader(m_block.data(), header);
        folder.record.blockCount++;
        return Append(m_block.data(), m_block.size(), error);
    }

    bool Append(const uint8_t* data, std::size_t size, std::string& error)
    {
        if (m_position + size > m_limits.maxCabinetBytes) {
            error = "the cabinet would grow past " + std::to_string(m_limits.maxCabinetBytes) +
                    " bytes, the most one cabinet holds";
            return false;
        }
        if (!m_out->Write(data, size)) {
            error = "the cabinet could not be written (disk full?)";
            return false;
        }
        m_position += size;
        return true;
    }

    FileSystem& m_fs;
    const std::vector<SourceFile>& m_files;
    const uint16_t m_compression;
    const cab::Packing m_packing;
    const WriterLimits m_limits;
    std::vector<FolderPlan> m_folders;
    std::vector<uint16_t> m_fileFolder;
    std::vector<uint32_t> m_fileOffset;
    uint64_t m_inputBytes = 0;
    uint64_t m_position = 0;
    std::unique_ptr<OutputFile> m_out;
    std::vector<uint8_t> m_block;
    std::vector<cab::EncodedFrame> m_ready;
};

} // namespace

bool WriteCabinet(FileSystem& fs, const std::string& cabinetPath, const std::vector<SourceFile>& files,
                  uint16_t compression, const cab::Packing& packing, const WriterLimits& limits, WriteSummary& summary,
                  std::string& error)
{
    CabinetWriter writer(fs, files, compression, packing, limits);
    return writer.Write(cabinetPath, summary, error);
}

} // namespace arch
