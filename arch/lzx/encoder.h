// Compresses the frames of one cabinet folder into one LZX stream: the
// history of the whole window is searched for matches, each frame becomes
// one block (verbatim, aligned-offset or uncompressed, whichever is
// smallest), and the bit stream is aligned to 16 bits at each frame's end
// so that every data block decodes on its own terms.
#pragma once

#include <cstdint>
#include <vector>

#include "arch/codec.h"
#include "arch/lzx/bit_writer.h"
#include "arch/lzx/block_writer.h"
#include "arch/lzx/format.h"
#include "arch/lzx/match_finder.h"
#include "arch/lzx/prices.h"
#include "arch/lzx/sequence.h"

namespace cab::lzx {

// The call translation size written in the stream header: what cabinet
// tools write, and larger than any program one would pack.
constexpr int32_t kE8TranslationSize = 12000000;

// The stream header of a folder: call translation on, with its size.
void WriteStreamHeader(BitWriter& out);

// The fast level: each frame one block, parsed greedily by the prices of
// the block before.
class Encoder final : public FrameByFrameEncoder {
public:
    Encoder(int windowBits, int level);

protected:
    void Encode(const uint8_t* data, std::size_t size, std::vector<uint8_t>& out) override;

private:
    // Frames of compressed or random data are stored without a search.
    bool LooksIncompressible(uint32_t begin, uint32_t end);
    void AppendFrame(const uint8_t* data, std::size_t size);
    // Hashes the positions before `position` that are not hashed yet (with
    // a step, only every step-th of them).
    void InsertUpTo(uint64_t position, uint32_t step = 1);
    // Matches at buffer index `at` into m_matches; returns how many.
    int Search(uint32_t at, uint32_t maxLength);
    uint32_t FinderPosition(uint64_t position) const { return static_cast<uint32_t>(position - m_finderBase); }
    uint32_t RepeatLength(uint32_t at, uint32_t offset, uint32_t maxLength) const;
    // The best match at a position: repIndex >= 0 for a repeated offset;
    // gain is what it saves over literals, in price units.
    struct Candidate {
        uint32_t length = 0;
        uint32_t offset = 0;
        int repIndex = -1;
        int32_t gain = 0;
    };
    Candidate BestAt(uint32_t at, uint32_t end);
    void Emit(const Candidate& c);
    // Turns the frame's bytes into m_items.
    void Parse(uint32_t begin, uint32_t end);
    // Writes the frame as an uncompressed block.
    void WriteStored(std::vector<uint8_t>& out, uint32_t begin, std::size_t size, bool first);
    // A match, coded through a repeated offset when it equals one.
    void EmitMatch(uint32_t length, uint32_t offset);
    void EmitRepeat(uint32_t length, int index);

    const int m_windowBits;
    const int m_level;
    const uint32_t m_windowSize;
    const uint32_t m_maxOffset;

    std::vector<uint8_t> m_buffer; // history and the current frame
    uint32_t m_bufferLength = 0;
    uint64_t m_bufferStart = 0; // stream position of m_buffer[0]
    uint64_t m_inserted = 0;    // stream positions below this are in the finder
    uint64_t m_finderBase = 0;  // stream position the finder counts from
    uint32_t m_frameIndex = 0;
    uint32_t m_repeated[kNumRepeatedOffsets] = {1, 1, 1};

    MatchFinder m_finder;
    BlockWriter m_writer;
    Sequence m_items;
    Prices m_prices;
    std::vector<uint32_t> m_literalCost;
    uint32_t m_frameBegin = 0;
    uint32_t m_insertLimit = 0;
    uint32_t m_skipShift = 0;
    uint32_t m_storedStep = 1;
    std::vector<Match> m_matches;
    std::vector<uint8_t> m_scratch;
};

} // namespace cab::lzx
