// The LZX decoder on damaged input: the data blocks of a real LZX:21
// cabinet (large-files-cab, as the archiver's reader hands them out) cut
// short or with bytes flipped. Every failure comes with a reason, nothing
// is read or written outside the buffers (the sanitizers watch), and a
// folder that failed once stays failed. (Whole real cabinets, decoded to
// the sha256 of their manifest, are the fixture cabinet tests.)
#include <gtest/gtest.h>

#include "arch/codec.h"
#include "tests/arch/host_support.h"
#include "tests/arch/lzx_test_util.h"

using namespace lzxtest;

namespace {

std::vector<DataBlock> RealLzx21Blocks()
{
    std::vector<DataBlock> blocks;
    uint16_t compression = 0;
    std::string error;
    EXPECT_TRUE(ReadFolderBlocks(archtest::FixturesDir() + "/large-files-cab.cab", 0, blocks, compression, error))
        << error;
    EXPECT_EQ(compression, 0x1503u); // LZX:21
    return blocks;
}

} // namespace

TEST(LzxDecoderDamage, TheRealFolderDecodes)
{
    const std::vector<DataBlock> blocks = RealLzx21Blocks();
    ASSERT_GE(blocks.size(), 3u);
    std::vector<uint8_t> out;
    std::string error;
    EXPECT_TRUE(DecodeFolder(blocks, 21, out, error)) << error;
}

TEST(LzxDecoderDamage, TruncatedBlocksFail)
{
    const std::vector<DataBlock> folder = RealLzx21Blocks();
    ASSERT_GE(folder.size(), 3u);
    for (std::size_t victim = 0; victim < 3; ++victim) {
        const std::size_t size = folder[victim].compressed.size();
        for (std::size_t keep : {std::size_t{0}, std::size_t{1}, std::size_t{2}, std::size_t{7}, size / 2, size - 4}) {
            std::vector<DataBlock> blocks(folder.begin(), folder.begin() + static_cast<std::ptrdiff_t>(victim) + 1);
            blocks[victim].compressed.resize(keep);
            std::vector<uint8_t> out;
            std::string error;
            EXPECT_FALSE(DecodeFolder(blocks, 21, out, error)) << "block " << victim << " cut to " << keep;
            EXPECT_FALSE(error.empty());
        }
    }
}

// Flipped bytes either fail cleanly or decode to something; they never
// crash, and the decoder refuses to go on after a failure.
TEST(LzxDecoderDamage, CorruptedBlocksNeverCrash)
{
    const std::vector<DataBlock> folder = RealLzx21Blocks();
    ASSERT_GE(folder.size(), 4u);
    uint32_t seed = 12345;
    int failures = 0;
    for (int trial = 0; trial < 60; ++trial) {
        std::vector<DataBlock> blocks(folder.begin(), folder.begin() + 4);
        for (int flips = 0; flips < 1 + trial % 5; ++flips) {
            seed = seed * 1103515245 + 12345;
            DataBlock& b = blocks[(seed >> 8) % blocks.size()];
            seed = seed * 1103515245 + 12345;
            b.compressed[(seed >> 4) % b.compressed.size()] ^= static_cast<uint8_t>(1 + (seed >> 20) % 255);
        }
        std::unique_ptr<cab::FolderDecoder> decoder = cab::MakeLzxDecoder(21);
        std::vector<uint8_t> out(cab::kFrameSize);
        std::string error;
        bool failed = false;
        for (const DataBlock& b : blocks) {
            if (!decoder->DecodeFrame(b.compressed.data(), b.compressed.size(), out.data(), b.uncompressedSize,
                                      error)) {
                failed = true;
                EXPECT_FALSE(error.empty());
                // Once broken, the folder stays broken.
                std::string again;
                EXPECT_FALSE(decoder->DecodeFrame(b.compressed.data(), b.compressed.size(), out.data(),
                                                  b.uncompressedSize, again));
                break;
            }
        }
        failures += failed;
    }
    // Random damage to Huffman-coded data is almost always noticed somewhere.
    EXPECT_GT(failures, 30);
}

TEST(LzxDecoderDamage, WindowOutsideTheFormatIsRefused)
{
    EXPECT_EQ(cab::MakeLzxDecoder(14), nullptr);
    EXPECT_EQ(cab::MakeLzxDecoder(22), nullptr);
    EXPECT_NE(cab::MakeLzxDecoder(15), nullptr);
    EXPECT_NE(cab::MakeLzxDecoder(21), nullptr);
}
