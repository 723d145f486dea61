// Streams put together by hand, for what the encoder never writes but
// other writers may: odd-length uncompressed blocks whose padding byte
// falls at a frame's end, blocks with an empty length tree, and matches that
// run past the end of their frame. Each is
// checked against the bytes it was made of, and, wrapped into a cabinet,
// against cabextract and the archiver itself.
#include <gtest/gtest.h>

#include "arch/lzx/bit_writer.h"
#include "arch/lzx/block_writer.h"
#include "arch/lzx/huffman_encoder.h"
#include "bench/lzx_corpus.h"
#include "tests/arch/host_support.h"
#include "tests/arch/lzx_test_util.h"

using namespace lzxtest;
namespace lzx = cab::lzx;

namespace {

// An uncompressed block as the format lays it out: type 3 and the 24-bit
// size, one to sixteen bits of padding, the three repeated offsets, the
// bytes, and a padding byte after an odd count (left to the caller here).
void UncompressedBlock(std::vector<uint8_t>& out, bool streamHeader, const std::vector<uint8_t>& bytes)
{
    lzx::BitWriter w(out);
    if (streamHeader) w.Put(0, 1); // no call translation
    w.Put(3, 3);
    w.Put(static_cast<uint32_t>(bytes.size()), 24);
    w.AlignToWord();
    for (int r = 0; r < 3; ++r) w.PutBytes(reinterpret_cast<const uint8_t*>("\1\0\0\0"), 4);
    w.PutBytes(bytes.data(), bytes.size());
}

// The blocks as the one folder of a one-file cabinet: cabextract and arch
// both give `expected` back.
void ExpectReadersGive(const std::vector<DataBlock>& blocks, int windowBits, const std::vector<uint8_t>& expected)
{
    archtest::CraftedCabinet cabinet;
    cabinet.compression = static_cast<uint16_t>(windowBits << 8 | 3);
    cabinet.files.push_back({"m", static_cast<uint32_t>(expected.size())});
    for (const DataBlock& b : blocks)
        cabinet.blocks.push_back(
            {std::string(b.compressed.begin(), b.compressed.end()), static_cast<uint16_t>(b.uncompressedSize)});
    archtest::ScratchDir dir;
    archtest::WriteBytes(dir / "t.cab", cabinet.Build());
    const archtest::Ran peer = archtest::RunShell("cabextract -q -d " + archtest::ShellQuote(dir / "peer") + " " +
                                                  archtest::ShellQuote(dir / "t.cab"));
    ASSERT_EQ(peer.status, 0) << peer.output;
    EXPECT_TRUE(Bytes(archtest::ReadBytes(dir / "peer/m")) == expected);
    const archtest::ArchRun ours = archtest::RunArchiver({"X", dir / "t.cab", dir / "ours"});
    ASSERT_EQ(ours.code, 0) << ours.err;
    EXPECT_TRUE(Bytes(archtest::ReadBytes(dir / "ours/m")) == expected);
}

} // namespace

TEST(LzxHandMadeStreams, OddUncompressedBlockEndingWithTheFrame)
{
    const std::vector<uint8_t> one = {'a'};
    const std::vector<uint8_t> rest = lzxcorpus::Text(32767, 51);
    const std::vector<uint8_t> next = lzxcorpus::Text(100, 52);
    std::vector<uint8_t> expected = one;
    expected.insert(expected.end(), rest.begin(), rest.end());
    expected.insert(expected.end(), next.begin(), next.end());

    // Frame 1: a one-byte block and its padding byte, then a 32767-byte
    // block that ends with the frame. Frame 2: a block of 100 bytes.
    std::vector<uint8_t> first;
    UncompressedBlock(first, true, one);
    first.push_back(0);
    UncompressedBlock(first, false, rest);
    std::vector<uint8_t> second;
    UncompressedBlock(second, false, next);

    // The second block's padding byte may close the first data block or
    // open the next one; both reach the same stream.
    for (bool padInFirst : {true, false}) {
        std::vector<DataBlock> blocks(2);
        blocks[0].compressed = first;
        blocks[1].compressed = second;
        (padInFirst ? blocks[0].compressed : blocks[1].compressed)
            .insert(padInFirst ? blocks[0].compressed.end() : blocks[1].compressed.begin(), 0);
        blocks[0].uncompressedSize = 32768;
        blocks[1].uncompressedSize = next.size();
        std::vector<uint8_t> decoded;
        std::string error;
        ASSERT_TRUE(DecodeFolder(blocks, 16, decoded, error)) << padInFirst << ": " << error;
        EXPECT_TRUE(decoded == expected) << padInFirst;
        ExpectReadersGive(blocks, 16, expected);
    }
}

TEST(LzxHandMadeStreams, EmptyLengthTree)
{
    // Literals and matches of at most 8 bytes need no length tree.
    std::vector<uint8_t> data;
    lzx::Sequence items;
    for (int i = 0; i < 400; ++i) {
        const uint8_t text[] = "abcdefgh";
        for (int k = 0; k < 3; ++k) {
            data.push_back(text[(i + k) % 8]);
            items.push_back(lzx::LiteralItem(data.back()));
        }
        if (data.size() > 20) {
            // Six bytes from 17 back.
            for (int k = 0; k < 6; ++k) data.push_back(data[data.size() - 17]);
            items.push_back(lzx::MatchItem(6, 17 + 2));
        }
    }
    lzx::SymbolCounts counts;
    lzx::CountSymbols(items, counts);
    lzx::BlockCodes codes;
    lzx::BlockWriter writer(17);
    writer.ChooseCodes(counts, codes);
    std::fill(std::begin(codes.lengthLengths), std::end(codes.lengthLengths), 0);
    std::vector<DataBlock> blocks(1);
    blocks[0].uncompressedSize = data.size();
    {
        lzx::BitWriter w(blocks[0].compressed);
        w.Put(0, 1);
        writer.WriteCompressed(w, lzx::kBlockVerbatim, static_cast<uint32_t>(data.size()), codes, items);
        w.AlignToWord();
    }
    std::vector<uint8_t> decoded;
    std::string error;
    ASSERT_TRUE(DecodeFolder(blocks, 17, decoded, error)) << error;
    EXPECT_TRUE(decoded == data);
    ExpectReadersGive(blocks, 17, data);

    // A match of 9 bytes or more would need the missing tree.
    items.push_back(lzx::MatchItem(12, 17 + 2));
    counts = lzx::SymbolCounts{};
    lzx::CountSymbols(items, counts);
    lzx::BlockWriter second(17);
    second.ChooseCodes(counts, codes);
    std::fill(std::begin(codes.lengthLengths), std::end(codes.lengthLengths), 0);
    std::vector<DataBlock> broken(1);
    broken[0].uncompressedSize = data.size() + 12;
    {
        lzx::BitWriter w(broken[0].compressed);
        w.Put(0, 1);
        second.WriteCompressed(w, lzx::kBlockVerbatim, static_cast<uint32_t>(data.size() + 12), codes, items);
        w.AlignToWord();
    }
    EXPECT_FALSE(DecodeFolder(broken, 17, decoded, error));
    EXPECT_NE(error.find("length tree"), std::string::npos) << error;
}

// One block across several frames whose matches run on past the frame's
// end by up to 250 bytes (and past the window's end), reach back as far as
// the window allows and repeat bytes from just behind; the bit stream
// realigns after the match that ends each frame. cabextract refuses such
// streams; the archiver reads them, giving the bytes that the matches copy
// by the format's definition.
TEST(LzxHandMadeStreams, MatchesRunningPastTheFrameEnd)
{
    for (const int windowBits : {15, 16}) {
        const uint32_t maxOffset = (1u << windowBits) - 3;
        const std::size_t total = 5 * 32768 + 700;
        std::vector<uint8_t> data;
        lzx::Sequence items;
        uint32_t seed = 7;
        auto next = [&seed](uint32_t n) {
            seed = seed * 1103515245u + 12345u;
            return (seed >> 8) % n;
        };
        while (data.size() < total) {
            const std::size_t toEnd = 32768 - data.size() % 32768;
            uint32_t length = 0, offset = 0;
            if (data.size() > 300 && toEnd < 40) {
                length = static_cast<uint32_t>(toEnd) + 10 + next(240); // across the frame's end
                offset = 1 + next(static_cast<uint32_t>(std::min<std::size_t>(data.size(), maxOffset)));
            } else if (data.size() > 300 && next(4) == 0) {
                length = 2 + next(256);
                const uint32_t kind = next(3);
                offset = kind == 0 ? 1 + next(4) : kind == 1 ? maxOffset - next(20) : 1 + next(maxOffset);
                offset = std::min<uint32_t>(offset, static_cast<uint32_t>(data.size()));
            }
            length = std::min<uint32_t>(length, static_cast<uint32_t>(total + 200 - data.size()));
            if (length < 2) {
                data.push_back(static_cast<uint8_t>('a' + next(26)));
                items.push_back(lzx::LiteralItem(data.back()));
                continue;
            }
            for (uint32_t k = 0; k < length; ++k) data.push_back(data[data.size() - offset]);
            items.push_back(lzx::MatchItem(length, offset + 2));
        }
        lzx::SymbolCounts counts;
        lzx::CountSymbols(items, counts);
        lzx::BlockCodes codes;
        lzx::BlockWriter writer(windowBits);
        const int type = writer.ChooseCodes(counts, codes);

        std::vector<DataBlock> blocks;
        std::size_t item = 0, at = 0;
        while (at < data.size()) {
            blocks.emplace_back();
            blocks.back().uncompressedSize = std::min<std::size_t>(32768, data.size() - (blocks.size() - 1) * 32768);
            lzx::BitWriter w(blocks.back().compressed);
            if (blocks.size() == 1) {
                w.Put(0, 1);
                writer.WriteHeader(w, type, static_cast<uint32_t>(data.size()), codes);
            }
            const std::size_t frameEnd = blocks.size() * 32768;
            while (at < frameEnd && item < items.size()) {
                lzx::BlockWriter::WriteItem(w, items[item], codes, type == lzx::kBlockAligned);
                at += lzx::IsMatch(items[item]) ? lzx::MatchLength(items[item]) : 1;
                ++item;
            }
            w.AlignToWord();
        }
        std::vector<uint8_t> decoded;
        std::string error;
        ASSERT_TRUE(DecodeFolder(blocks, windowBits, decoded, error)) << windowBits << ": " << error;
        EXPECT_TRUE(decoded == data) << windowBits;
    }
}
