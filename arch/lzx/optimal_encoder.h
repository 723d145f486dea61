// The LZX encoder of the default and best levels. The folder's input is
// cut into stretches of a fixed size; each stretch is coded on its own
// thread from the window of input before it and the stretch itself, so the
// stretches of a folder can be coded at the same time and the output does
// not depend on how many threads there are. Within a stretch, a tree match
// finder lists the matches at every position, a minimum-cost path through
// those lists (priced by the block's own Huffman code lengths, iterated)
// chooses literals and matches, and frames are grouped into blocks where
// one set of trees serves them better than two. The blocks are then written
// in order, frame by frame, on the calling thread.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "arch/codec.h"
#include "arch/lzx/block_writer.h"

namespace cab::lzx {

struct OptimalSettings {
    bool trees;             // the tree match finder, else the rows of long and short beginnings
    uint32_t depth;         // tree nodes, or positions in the rows of short beginnings, compared per position
    uint32_t longDepth;     // positions in the rows of long beginnings compared
    uint32_t nice;          // a match this long is taken without looking inside it
    int passes;             // parses of a block with the codes of the one before
    int chunkFrames;        // frames parsed together, the most one block spans
    uint32_t repeatLengths; // a repeated offset's match is tried at each length up to this, then only whole
    uint32_t insideRepeat;  // inside a match taken whole, repeated offsets are tried up to this length
};

// A block as a stretch's coder leaves it: the frames it covers, coded with
// one set of trees.
struct CodedBlock {
    bool stored = false; // its frames as uncompressed blocks
    uint32_t frames = 0;
    uint32_t size = 0;
    int type = kBlockVerbatim;
    BlockCodes codes;
    Sequence items;
};

class OptimalEncoder final : public FolderEncoder {
public:
    OptimalEncoder(int windowBits, int level, int threads);
    ~OptimalEncoder() override;
    void EncodeFrame(const uint8_t* data, std::size_t size, std::vector<EncodedFrame>& ready) override;
    void Finish(std::vector<EncodedFrame>& ready) override;

    // The input coded on its own: stretches of four windows (at least 1 MiB).
    static std::size_t StretchSize(int windowBits);

private:
    struct Stretch;
    void Launch();
    void WriteOldest(std::vector<EncodedFrame>& ready);
    void WriteBlock(const Stretch& stretch, const CodedBlock& block, uint32_t& frame, uint32_t& at,
                    std::vector<EncodedFrame>& ready);
    void WriteStoredFrames(const Stretch& stretch, uint32_t firstFrame, uint32_t count, uint32_t at,
                           std::vector<EncodedFrame>& ready);

    const int m_windowBits;
    const OptimalSettings m_settings;
    const int m_threads;
    const std::size_t m_stretchSize;

    // Input: the window before the stretch being gathered, and the stretch.
    std::vector<uint8_t> m_history;
    std::vector<uint8_t> m_gathered;
    std::vector<uint32_t> m_gatheredFrames;
    uint64_t m_streamPosition = 0;
    uint32_t m_framesIn = 0;

    std::deque<std::unique_ptr<Stretch>> m_inFlight;

    // Output state, in stream order.
    BlockWriter m_writer;
    uint32_t m_repeated[kNumRepeatedOffsets] = {1, 1, 1};
    uint32_t m_framesOut = 0;
};

} // namespace cab::lzx
