// Decompresses the LZX stream of one cabinet folder, one data block (frame)
// at a time. The window, the trees and the repeated offsets carry over from
// frame to frame; memory is the window and the trees, whatever the input.
// The history is kept in one straight run of bytes (slid back by a window
// now and then) rather than a ring, so that a match is one copy without
// wrapping, and copies may move 16 bytes at a time past their end into
// bytes not decoded yet.
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
    // Makes room for one more frame and what a match may run past it.
    void MakeRoom();
    uint8_t* At(uint64_t position) { return m_history.data() + (position - m_historyStart); }
    bool Fail(std::string& error, const char* reason);

    const uint32_t m_windowSize;
    const int m_mainSymbols;
    // Stream positions from m_historyStart on; at least one window of them
    // before the frame being decoded.
    std::vector<uint8_t> m_history;
    uint64_t m_historyStart = 0;

    // Bytes of the stream decoded into the window so far; a match may run
    // a little past the end of a frame, so this can lead `m_frameStart`.
    uint64_t m_decoded = 0;
    uint64_t m_frameStart = 0;
    uint32_t m_frameIndex = 0;
    bool m_broken = false;

    bool m_headerRead = false;
    int32_t m_e8Size = 0;
    bool m_e8 = false;

    int m_blockType = 0;
    uint32_t m_blockLength = 0;
    uint32_t m_blockRemaining = 0;
    // An uncompressed block of odd length is followed by one padding byte.
    bool m_padPending = false;
    uint32_t m_repeated[kNumRepeatedOffsets] = {1, 1, 1};

    // Slack past the last symbol: a run in the tree lengths may overshoot
    // the end of its range, as other readers allow.
    static constexpr int kLengthSlack = 64;
    uint8_t m_mainLengths[kMaxMainSymbols + kLengthSlack] = {};
    uint8_t m_lengthLengths[kLengthSymbols + kLengthSlack] = {};
    uint8_t m_alignedLengths[kAlignedSymbols] = {};
    bool m_lengthTreeEmpty = true;
    HuffmanDecoder m_mainTree;
    HuffmanDecoder m_lengthTree;
    HuffmanDecoder m_alignedTree;
    HuffmanDecoder m_pretree;
};

} // namespace cab::lzx
