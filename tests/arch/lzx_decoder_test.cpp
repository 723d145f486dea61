// The decoder against real LZX cabinets (their members' sha256 as
// cabextract extracts them) and against damaged input.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "arch/codec.h"
#include "tests/arch/lzx_test_util.h"

using namespace lzxtest;

namespace {

const std::string kFixtures = LZX_FIXTURE_DIR;

std::map<std::string, std::string> Manifest() {
    std::map<std::string, std::string> sums;
    std::ifstream in(kFixtures + "/MANIFEST.sha256");
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        std::string sum, path;
        fields >> sum >> path;
        sums[path] = sum;
    }
    return sums;
}

Cabinet Load(const std::string& name) {
    Cabinet cab;
    std::string error;
    EXPECT_TRUE(ParseCabinet(ReadFile(kFixtures + "/" + name + ".cab"), cab, error)) << name << ": " << error;
    return cab;
}

bool IsLzx(const Folder& f) { return (f.typeCompress & 0x0F) == 3; }
int WindowBits(const Folder& f) { return (f.typeCompress >> 8) & 0x1F; }

// Every member of every LZX folder of the cabinet matches the manifest.
void ExpectLzxMembersMatch(const std::string& name, int expectedWindowBits, int expectedMembers) {
    const auto sums = Manifest();
    const Cabinet cab = Load(name);
    int checked = 0;
    for (std::size_t i = 0; i < cab.folders.size(); ++i) {
        const Folder& folder = cab.folders[i];
        if (!IsLzx(folder))
            continue;
        EXPECT_EQ(WindowBits(folder), expectedWindowBits);
        std::vector<uint8_t> stream;
        std::string error;
        ASSERT_TRUE(DecodeFolder(folder.blocks, WindowBits(folder), stream, error)) << name << ": " << error;
        for (const Member& m : cab.members) {
            if (m.folder != i)
                continue;
            ASSERT_LE(uint64_t{m.offset} + m.size, stream.size()) << m.name;
            const std::vector<uint8_t> bytes(stream.begin() + m.offset, stream.begin() + m.offset + m.size);
            const auto expected = sums.find(name + "/" + m.name);
            ASSERT_NE(expected, sums.end()) << m.name;
            EXPECT_EQ(Sha256(bytes), expected->second) << name << "/" << m.name;
            ++checked;
        }
    }
    EXPECT_EQ(checked, expectedMembers) << name;
}

} // namespace

TEST(LzxDecoderFixtures, TwoFoldersCabinetLzx18Folder) { ExpectLzxMembersMatch("normal_2files_2folders", 18, 2); }

TEST(LzxDecoderFixtures, MixedCabinetLzx18Folder) { ExpectLzxMembersMatch("mixed", 18, 1); }

TEST(LzxDecoderFixtures, LargeLzx21Member) { ExpectLzxMembersMatch("large-files-cab", 21, 1); }

// Every way of cutting a real folder short fails with a reason; nothing is
// read or written outside the buffers (the sanitizers watch).
TEST(LzxDecoderDamage, TruncatedBlocksFail) {
    const Cabinet cab = Load("large-files-cab");
    ASSERT_FALSE(cab.folders.empty());
    const Folder& folder = cab.folders[0];
    ASSERT_GE(folder.blocks.size(), 3u);
    for (std::size_t victim = 0; victim < 3; ++victim) {
        for (std::size_t keep : {std::size_t{0}, std::size_t{1}, std::size_t{2}, std::size_t{7},
                                 folder.blocks[victim].compressed.size() / 2,
                                 folder.blocks[victim].compressed.size() - 4}) {
            std::vector<DataBlock> blocks(folder.blocks.begin(), folder.blocks.begin() + victim + 1);
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
TEST(LzxDecoderDamage, CorruptedBlocksNeverCrash) {
    const Cabinet cab = Load("large-files-cab");
    const Folder& folder = cab.folders[0];
    uint32_t seed = 12345;
    int failures = 0;
    for (int trial = 0; trial < 60; ++trial) {
        std::vector<DataBlock> blocks(folder.blocks.begin(), folder.blocks.begin() + 4);
        for (int flips = 0; flips < 1 + trial % 5; ++flips) {
            seed = seed * 1103515245 + 12345;
            DataBlock& b = blocks[(seed >> 8) % blocks.size()];
            seed = seed * 1103515245 + 12345;
            b.compressed[(seed >> 4) % b.compressed.size()] ^= static_cast<uint8_t>(1 + (seed >> 20) % 255);
        }
        auto decoder = cab::MakeLzxDecoder(21);
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

TEST(LzxDecoderDamage, WindowOutsideTheFormatIsRefused) {
    EXPECT_EQ(cab::MakeLzxDecoder(14), nullptr);
    EXPECT_EQ(cab::MakeLzxDecoder(22), nullptr);
    EXPECT_NE(cab::MakeLzxDecoder(15), nullptr);
    EXPECT_NE(cab::MakeLzxDecoder(21), nullptr);
}
