// Decompresses the LZX stream of one cabinet folder, one data block (frame)
// at a time. The window, the trees and the repeated offsets carry over from
// frame to frame; memory is the window and the trees, whatever the input.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "arch/codec.h"
#include "arch/lzx/bit_reader.h"
#include "arch/lzx/format.h"
#include "arch/lzx/huffman_decoder.h"

namespace cab::lzx {

class Decoder final : public FolderDecoder {
public:
    explicit Decoder(int windowBits);
    bool DecodeFrame(const uint8_t* data, std::size_t size, uint8_t* out, std::size_t outSize,
                     std::string& error) override;

private:
    bool ReadStreamHeader(BitReader& in, std::string& error);
    bool ReadBlockHeader(BitReader& in, std::string& error);
    bool ReadLengths(BitReader& in, uint8_t* lengths, int first, int last, std::string& error);
    bool DecodeCompressed(BitReader& in, uint64_t until, std::string& error);
    bool CopyUncompressed(BitReader& in, uint64_t until, std::string& error);
    bool CopyMatch(uint32_t offset, uint32_t length, std::string& error);
    bool Fail(std::string& error, const char* reason);

    const uint32_t windowMask_;
    const int mainSymbols_;
    std::vector<uint8_t> window_;

    // Bytes of the stream decoded into the window so far; a match may run
    // a little past the end of a frame, so this can lead `frameStart_`.
    uint64_t decoded_ = 0;
    uint64_t frameStart_ = 0;
    uint32_t frameIndex_ = 0;
    bool broken_ = false;

    bool headerRead_ = false;
    int32_t e8Size_ = 0;
    bool e8_ = false;

    int blockType_ = 0;
    uint32_t blockLength_ = 0;
    uint32_t blockRemaining_ = 0;
    // An uncompressed block of odd length is followed by one padding byte.
    bool padPending_ = false;
    uint32_t repeated_[kNumRepeatedOffsets] = {1, 1, 1};

    // Slack past the last symbol: a run in the tree lengths may overshoot
    // the end of its range, as other readers allow.
    static constexpr int kLengthSlack = 64;
    uint8_t mainLengths_[kMaxMainSymbols + kLengthSlack] = {};
    uint8_t lengthLengths_[kLengthSymbols + kLengthSlack] = {};
    uint8_t alignedLengths_[kAlignedSymbols] = {};
    bool lengthTreeEmpty_ = true;
    HuffmanDecoder mainTree_;
    HuffmanDecoder lengthTree_;
    HuffmanDecoder alignedTree_;
    HuffmanDecoder pretree_;
};

} // namespace cab::lzx
