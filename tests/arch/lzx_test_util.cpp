#include "tests/arch/lzx_test_util.h"

#include <algorithm>
#include <memory>

#include "arch/cab_reader.h"
#include "arch/codec.h"
#include "arch/file_system.h"

namespace lzxtest {

bool DecodeFolder(const std::vector<DataBlock>& blocks, int windowBits, std::vector<uint8_t>& out, std::string& error)
{
    std::unique_ptr<cab::FolderDecoder> decoder = cab::MakeLzxDecoder(windowBits);
    if (!decoder) {
        error = "no decoder for this window";
        return false;
    }
    out.clear();
    for (const DataBlock& block : blocks) {
        const std::size_t at = out.size();
        out.resize(at + block.uncompressedSize);
        if (!decoder->DecodeFrame(block.compressed.data(), block.compressed.size(), out.data() + at,
                                  block.uncompressedSize, error))
            return false;
    }
    return true;
}

std::vector<DataBlock> EncodeFolder(const std::vector<uint8_t>& data, int windowBits, int level, int threads)
{
    std::unique_ptr<cab::FolderEncoder> encoder = cab::MakeLzxEncoder(windowBits, level, threads);
    std::vector<cab::EncodedFrame> frames;
    for (std::size_t at = 0; at < data.size(); at += cab::kFrameSize)
        encoder->EncodeFrame(data.data() + at, std::min(cab::kFrameSize, data.size() - at), frames);
    encoder->Finish(frames);
    std::vector<DataBlock> blocks;
    for (cab::EncodedFrame& frame : frames) blocks.push_back({std::move(frame.data), frame.size});
    return blocks;
}

bool ReadFolderBlocks(const std::string& cabinet, std::size_t folder, std::vector<DataBlock>& blocks,
                      uint16_t& compression, std::string& error)
{
    std::unique_ptr<arch::FileSystem> fs = arch::MakeNativeFileSystem();
    arch::CabinetDirectory directory;
    std::unique_ptr<arch::InputFile> in = arch::OpenCabinet(*fs, cabinet, directory, error);
    if (!in) return false;
    if (folder >= directory.folders.size()) {
        error = cabinet + " has no folder " + std::to_string(folder + 1);
        return false;
    }
    compression = directory.folders[folder].compression;
    arch::DataBlockReader reader(*in, directory, folder);
    arch::DataBlockReader::Block block;
    blocks.clear();
    while (reader.Next(block, error))
        blocks.push_back({std::vector<uint8_t>(block.data, block.data + block.size), block.uncompressedSize});
    return error.empty();
}

std::vector<uint8_t> Bytes(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

} // namespace lzxtest
