// Helpers of the LZX codec's tests: the frames of one folder through one
// encoder or one decoder, with no cabinet around them, and the data blocks
// of a real cabinet's folder as the archiver's reader hands them out.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lzxtest {

struct DataBlock {
    std::vector<uint8_t> compressed;
    std::size_t uncompressedSize = 0;
};

// Decodes every data block of a folder with a fresh decoder. False with the
// decoder's reason on failure.
bool DecodeFolder(const std::vector<DataBlock>& blocks, int windowBits, std::vector<uint8_t>& out, std::string& error);

// Encodes `data` as one folder, 32768 bytes per data block.
std::vector<DataBlock> EncodeFolder(const std::vector<uint8_t>& data, int windowBits, int level, int threads = 1);

// The data blocks of folder `folder` of a cabinet file, and its type word.
// False with the reader's message when the cabinet cannot be read.
bool ReadFolderBlocks(const std::string& cabinet, std::size_t folder, std::vector<DataBlock>& blocks,
                      uint16_t& compression, std::string& error);

std::vector<uint8_t> Bytes(const std::string& text);

} // namespace lzxtest
