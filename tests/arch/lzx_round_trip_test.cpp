// Encoder and decoder together: every input comes back byte for byte, for
// every window size and both levels, and every frame fits a data block.
#include <gtest/gtest.h>

#include "arch/codec.h"
#include "bench/lzx_corpus.h"
#include "tests/arch/lzx_test_util.h"

using namespace lzxtest;

namespace {

struct Sample {
    std::string name;
    std::vector<uint8_t> data;
};

const std::vector<Sample>& Corpus() {
    static const std::vector<Sample> corpus = [] {
        std::vector<Sample> c;
        c.push_back({"empty", {}});
        c.push_back({"one byte", {0xE8}});
        c.push_back({"32768 bytes", lzxcorpus::Text(32768, 1)});
        c.push_back({"32769 bytes", lzxcorpus::Text(32769, 2)});
        c.push_back({"runs", lzxcorpus::Runs(300000, 3)});
        c.push_back({"zeros", std::vector<uint8_t>(100000, 0)});
        c.push_back({"text", lzxcorpus::Text(200000, 4)});
        c.push_back({"html", lzxcorpus::Html(200000, 5)});
        c.push_back({"pdf", lzxcorpus::PdfLike(150000, 6)});
        c.push_back({"random", lzxcorpus::Random(70000, 8)});
        c.push_back({"x86", X86Code()});
        c.push_back({"jpeg", Jpeg()});
        // Short frames of E8 bytes: frames of 10 bytes or fewer and the
        // tail of every frame are never translated.
        std::vector<uint8_t> calls;
        for (int i = 0; i < 40000; ++i) {
            const uint8_t b[5] = {0xE8, static_cast<uint8_t>(i), static_cast<uint8_t>(i >> 8), 0, 0};
            calls.insert(calls.end(), b, b + 5);
        }
        c.push_back({"calls", calls});
        return c;
    }();
    return corpus;
}

void ExpectRoundTrip(const std::string& name, const std::vector<uint8_t>& data, int windowBits, int level) {
    const std::vector<DataBlock> blocks = EncodeFolder(data, windowBits, level);
    ASSERT_EQ(blocks.size(), (data.size() + cab::kFrameSize - 1) / cab::kFrameSize) << name;
    for (const DataBlock& b : blocks) {
        EXPECT_LE(b.compressed.size(), cab::kFrameSize + 6144) << name;
        EXPECT_EQ(b.compressed.size() % 2, 0u) << name << ": frames end on a 16-bit boundary";
    }
    std::vector<uint8_t> decoded;
    std::string error;
    ASSERT_TRUE(DecodeFolder(blocks, windowBits, decoded, error)) << name << ": " << error;
    ASSERT_EQ(decoded.size(), data.size()) << name;
    EXPECT_TRUE(decoded == data) << name << " differs after the round trip";
}

class LzxRoundTrip : public ::testing::TestWithParam<int> {};

} // namespace

TEST_P(LzxRoundTrip, CorpusBothLevels) {
    const int windowBits = GetParam();
    for (const Sample& s : Corpus()) {
        if (s.name == "jpeg") {
            EXPECT_GT(s.data.size(), 10000u) << "ImageMagick made no JPEG";
        }
        for (int level : {0, 1})
            ExpectRoundTrip(s.name + " level " + std::to_string(level), s.data, windowBits, level);
    }
}

TEST_P(LzxRoundTrip, InputLargerThanTheWindow) {
    const int windowBits = GetParam();
    // Repeats from nearly a window back use the largest offsets.
    const std::size_t window = std::size_t{1} << windowBits;
    const std::vector<uint8_t> data = TextWithFarRepeats(window + window / 8 + 1000, window - 4000, 11);
    for (int level : {0, 1})
        ExpectRoundTrip("larger than window, level " + std::to_string(level), data, windowBits, level);
}

INSTANTIATE_TEST_SUITE_P(Windows, LzxRoundTrip, ::testing::Range(15, 22),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return "Lzx" + std::to_string(info.param);
                         });

// Frames of every short size, each the last of its folder.
TEST(LzxRoundTripFrames, EveryShortFrameSize) {
    const std::vector<uint8_t> text = lzxcorpus::Html(40000, 9);
    for (std::size_t size = 1; size <= 40; ++size)
        ExpectRoundTrip("size " + std::to_string(size), std::vector<uint8_t>(text.begin(), text.begin() + size), 16, 1);
    for (std::size_t size : {32767u, 32768u + 1, 32768u + 10, 32768u + 11, 32768u + 12})
        for (int level : {0, 1})
            ExpectRoundTrip("size " + std::to_string(size), std::vector<uint8_t>(text.begin(), text.begin() + size),
                            16, level);
}

// Compressible input shrinks, and incompressible input is stored with
// little overhead rather than expanded.
TEST(LzxRoundTripFrames, SizesAreSensible) {
    auto total = [](const std::vector<DataBlock>& blocks) {
        std::size_t n = 0;
        for (const DataBlock& b : blocks)
            n += b.compressed.size();
        return n;
    };
    const auto html = lzxcorpus::Html(300000, 10);
    const auto random = lzxcorpus::Random(300000, 10);
    for (int level : {0, 1}) {
        EXPECT_LT(total(EncodeFolder(html, 21, level)), html.size() / 3) << level;
        const std::size_t stored = total(EncodeFolder(random, 21, level));
        EXPECT_LE(stored, random.size() + random.size() / 1000) << level;
        // The same incompressible bytes twice (one file packed twice): the
        // second copy refers to the first.
        std::vector<uint8_t> twice = random;
        twice.insert(twice.end(), random.begin(), random.end());
        EXPECT_LT(total(EncodeFolder(twice, 21, level)), random.size() + random.size() / 10) << level;
    }
}

TEST(LzxRoundTripFrames, EncoderRefusesWindowsOutsideTheFormat) {
    EXPECT_EQ(cab::MakeLzxEncoder(14, 1), nullptr);
    EXPECT_EQ(cab::MakeLzxEncoder(22, 0), nullptr);
}
