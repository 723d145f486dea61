// The LZX encoder and decoder together, with no cabinet around them: every
// kind of input comes back byte for byte for every window and both levels,
// every frame fits a data block and ends on a 16-bit boundary, and the sizes
// are sensible; the output is the same for any number of threads.
#include <gtest/gtest.h>

#include "arch/codec.h"
#include "arch/lzx/match_finder.h"
#include "arch/lzx/sequence.h"
#include "arch/lzx/tree_finder.h"
#include "bench/lzx_corpus.h"
#include "tests/arch/host_support.h"
#include "tests/arch/lzx_test_util.h"
#include "tests/arch/test_data.h"

using namespace lzxtest;

namespace {

void ExpectRoundTrip(const std::string& name, const std::vector<uint8_t>& data, int windowBits, int level)
{
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

std::size_t TotalSize(const std::vector<DataBlock>& blocks)
{
    std::size_t n = 0;
    for (const DataBlock& b : blocks) n += b.compressed.size();
    return n;
}

class LzxRoundTrip : public ::testing::TestWithParam<int> {};

} // namespace

TEST_P(LzxRoundTrip, EveryKindOfInputEveryLevel)
{
    const int windowBits = GetParam();
    const std::string photo = archtest::SamplePhoto(), program = archtest::SampleProgram();
    ASSERT_GT(photo.size(), 10000u) << "the build made no photo";
    ASSERT_GT(program.size(), 100000u) << "the build made no x86 program";
    std::vector<archtest::SampleFile> samples = archtest::LzxSampleFiles(windowBits, photo, program);
    // Call instructions in every position of short frames: frames of 10
    // bytes or fewer and the last 10 bytes of every frame are never
    // translated.
    std::string calls;
    for (int i = 0; i < 40000; ++i)
        calls += std::string{'\xE8', static_cast<char>(i), static_cast<char>(i >> 8), '\0', '\0'};
    samples.push_back({"calls", calls});
    samples.push_back({"zeros", std::string(100000, '\0')});
    for (const archtest::SampleFile& s : samples)
        for (int level : {0, 1, 2})
            ExpectRoundTrip(s.name + " level " + std::to_string(level), Bytes(s.bytes), windowBits, level);
}

INSTANTIATE_TEST_SUITE_P(Windows, LzxRoundTrip, ::testing::Range(15, 22),
                         [](const ::testing::TestParamInfo<int>& info) { return "Lzx" + std::to_string(info.param); });

// Frames of every short size, each the last of its folder.
TEST(LzxRoundTripFrames, EveryShortFrameSize)
{
    const std::vector<uint8_t> text = lzxcorpus::Html(40000, 9);
    for (std::size_t size = 1; size <= 40; ++size)
        ExpectRoundTrip("size " + std::to_string(size), std::vector<uint8_t>(text.begin(), text.begin() + size), 16, 1);
    for (std::size_t size : {32767u, 32768u + 1, 32768u + 10, 32768u + 11, 32768u + 12})
        for (int level : {0, 1})
            ExpectRoundTrip("size " + std::to_string(size), std::vector<uint8_t>(text.begin(), text.begin() + size), 16,
                            level);
}

// Compressible input shrinks, and incompressible input is stored with
// little overhead rather than expanded.
TEST(LzxRoundTripFrames, SizesAreSensible)
{
    const auto html = lzxcorpus::Html(300000, 10);
    const auto random = lzxcorpus::Random(300000, 10);
    for (int level : {0, 1, 2}) {
        EXPECT_LT(TotalSize(EncodeFolder(html, 21, level)), html.size() / 3) << level;
        const std::size_t stored = TotalSize(EncodeFolder(random, 21, level));
        EXPECT_LE(stored, random.size() + random.size() / 1000) << level;
        // The same incompressible bytes twice (one file packed twice): the
        // second copy refers to the first.
        std::vector<uint8_t> twice = random;
        twice.insert(twice.end(), random.begin(), random.end());
        EXPECT_LT(TotalSize(EncodeFolder(twice, 21, level)), random.size() + random.size() / 10) << level;
    }
    // Each level spends its time on a smaller result.
    EXPECT_LT(TotalSize(EncodeFolder(html, 21, 1)), TotalSize(EncodeFolder(html, 21, 0)));
    EXPECT_LT(TotalSize(EncodeFolder(html, 21, 2)), TotalSize(EncodeFolder(html, 21, 1)));
}

// Text repeated from nearly a whole window back is found at both levels: a
// quarter window of text again after the first costs next to nothing.
TEST(LzxRoundTripFrames, RepeatsFromAcrossTheWindowAreFound)
{
    const std::size_t window = std::size_t{1} << 21;
    const std::vector<uint8_t> first = Bytes(archtest::RandomText(window - 4000, 8));
    std::vector<uint8_t> again = first;
    again.insert(again.end(), first.begin(), first.begin() + window / 4);
    for (int level : {0, 1, 2}) {
        const std::size_t once = TotalSize(EncodeFolder(first, 21, level));
        EXPECT_LT(TotalSize(EncodeFolder(again, 21, level)), once + once / 50) << level;
    }
}

// A folder of several stretches (text, then random bytes, then text that
// repeats the first across the stretch boundaries): the same bytes with 1,
// 2 and 4 threads, and they decode.
TEST(LzxRoundTripFrames, SameBytesForAnyNumberOfThreads)
{
    const std::vector<uint8_t> text = lzxcorpus::Html(1300000, 12);
    std::vector<uint8_t> data = text;
    const std::vector<uint8_t> random = lzxcorpus::Random(200000, 12);
    data.insert(data.end(), random.begin(), random.end());
    data.insert(data.end(), text.begin(), text.begin() + 1100000);
    for (const int windowBits : {15, 17}) {
        for (const int level : {1, 2}) {
            const std::string name = "LZX:" + std::to_string(windowBits) + " level " + std::to_string(level);
            const std::vector<DataBlock> one = EncodeFolder(data, windowBits, level, 1);
            for (const int threads : {2, 4}) {
                const std::vector<DataBlock> more = EncodeFolder(data, windowBits, level, threads);
                ASSERT_EQ(more.size(), one.size()) << name;
                for (std::size_t i = 0; i < one.size(); ++i)
                    ASSERT_TRUE(more[i].compressed == one[i].compressed)
                        << name << ", " << threads << " threads: data block " << i << " differs";
            }
            std::vector<uint8_t> decoded;
            std::string error;
            ASSERT_TRUE(DecodeFolder(one, windowBits, decoded, error)) << name << ": " << error;
            EXPECT_TRUE(decoded == data) << name << " differs after the round trip";
        }
    }
}

TEST(LzxRoundTripFrames, EncoderRefusesWindowsOutsideTheFormat)
{
    EXPECT_EQ(cab::MakeLzxEncoder(14, 1), nullptr);
    EXPECT_EQ(cab::MakeLzxEncoder(22, 0), nullptr);
}

// Every formatted offset of the largest window falls in the position slot
// whose base the format publishes (bases doubling in pairs up to slot 36,
// 2^17 apart from there on).
TEST(LzxPositionSlots, AgreeWithThePublishedBases)
{
    std::vector<uint32_t> bases = {0, 1, 2, 3};
    for (uint32_t base = 4; bases.size() < 37; base *= 2) {
        bases.push_back(base);
        bases.push_back(base + base / 2);
    }
    bases.resize(37);
    EXPECT_EQ(bases[36], 262144u);
    while (bases.size() < 51) bases.push_back(bases.back() + 131072);
    EXPECT_EQ(bases[50], 1u << 21);
    int slot = 0;
    for (uint32_t formatted = 0; formatted < bases[50]; ++formatted) {
        if (formatted == bases[slot + 1]) ++slot;
        ASSERT_EQ(cab::lzx::PositionSlot(formatted), slot) << formatted;
    }
}

// The best level's tree finder, searching every candidate, against a
// comparison with every earlier position: each match it gives is real and
// longer than the one before, and the longest is the longest there is (from
// four bytes on, the length its trees are keyed by).
TEST(LzxTreeFinder, FindsTheLongestMatchThereIs)
{
    const std::vector<uint8_t> text = lzxcorpus::Html(6000, 14);
    const uint32_t n = static_cast<uint32_t>(text.size());
    cab::lzx::TreeFinder finder(15, cab::lzx::MaxOffset(15), 1u << 20, cab::lzx::kMaxMatch);
    std::vector<cab::lzx::Match> found(cab::lzx::kMaxMatch + 2);
    for (uint32_t p = 0; p + cab::lzx::TreeFinder::kHashBytes <= n; ++p) {
        const uint32_t maxLength = std::min<uint32_t>(cab::lzx::kMaxMatch, n - p);
        const int count = finder.Find(text.data(), p, n - p, maxLength, found.data());
        uint32_t longest = 0;
        for (uint32_t q = 0; q < p; ++q) {
            uint32_t len = 0;
            while (len < maxLength && text[q + len] == text[p + len]) ++len;
            longest = std::max(longest, len);
        }
        uint32_t previous = 0;
        for (int k = 0; k < count; ++k) {
            const cab::lzx::Match m = found[k];
            ASSERT_TRUE(m.offset >= 1 && m.offset <= p) << p;
            ASSERT_GT(m.length, previous) << p;
            ASSERT_TRUE(std::equal(text.begin() + p, text.begin() + p + m.length, text.begin() + (p - m.offset))) << p;
            previous = m.length;
        }
        if (longest >= 4) {
            ASSERT_EQ(previous, longest) << "at " << p;
        }
    }
}

// The rows of the default and fast levels keep the sixteen latest positions
// of a beginning, newest first: copies of one phrase are planted in random
// bytes, the k-th latest running on furthest. A search comparing k
// positions finds that one, its whole length and its distance, wherever it
// sits in its row; one comparing k - 1 does not reach it.
TEST(LzxRowFinder, ComparesTheLatestPositionsFirst)
{
    constexpr uint32_t kCopies = 20, kSpacing = 100, kPhrase = 24, kMore = 20;
    for (uint32_t k = 1; k <= 16; ++k) {
        std::vector<uint8_t> bytes = lzxcorpus::Random(kCopies * kSpacing + 200, 30 + k);
        const uint32_t size = static_cast<uint32_t>(bytes.size());
        const uint32_t at = size - kPhrase - kMore; // the position searched
        const uint32_t longestCopy = kCopies - k;   // copy 0 is the oldest
        for (uint32_t c = 0; c < kCopies; ++c)
            std::copy(bytes.begin() + at, bytes.begin() + at + (c == longestCopy ? kPhrase + kMore : kPhrase),
                      bytes.begin() + c * kSpacing);
        auto longest = [&](int depth) {
            cab::lzx::MatchFinder finder(15, 16, cab::lzx::MaxOffset(21));
            finder.SetSearch(depth, cab::lzx::kMaxMatch, cab::lzx::kMaxMatch);
            for (uint32_t c = 0; c < kCopies; ++c)
                finder.Insert(bytes.data() + c * kSpacing, c * kSpacing, size - c * kSpacing);
            std::vector<cab::lzx::Match> found(cab::lzx::kMaxMatch + 2);
            const int count = finder.FindAndInsert(bytes.data() + at, at, at, kPhrase + kMore, found.data());
            return count > 0 ? found[count - 1] : cab::lzx::Match{0, 0};
        };
        const cab::lzx::Match reached = longest(static_cast<int>(k));
        EXPECT_EQ(reached.length, kPhrase + kMore) << k;
        EXPECT_EQ(reached.offset, at - longestCopy * kSpacing) << k;
        if (k > 1) {
            EXPECT_LT(longest(static_cast<int>(k) - 1).length, kPhrase + kMore) << k;
        }
    }
}
