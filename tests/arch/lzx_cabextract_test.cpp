// The encoder's folders as an independent reader sees them: wrapped into a
// one-file cabinet, cabextract (libmspack) must restore them byte for byte.
#include <gtest/gtest.h>

#include "arch/codec.h"
#include "bench/lzx_corpus.h"
#include "tests/arch/lzx_test_util.h"

using namespace lzxtest;

namespace {

void ExpectCabextractRestores(const std::string& what, const std::vector<uint8_t>& data, int windowBits, int level) {
    const std::string dir = MakeTempDir();
    const uint16_t type = static_cast<uint16_t>(windowBits << 8 | 3);
    const auto cabinet = BuildCabinet(type, EncodeFolder(data, windowBits, level), "member.bin",
                                      static_cast<uint32_t>(data.size()));
    ASSERT_TRUE(WriteFile(dir + "/test.cab", cabinet));
    ASSERT_EQ(RunCommand("cabextract -q -d '" + dir + "/out' '" + dir + "/test.cab' >/dev/null 2>&1"), 0)
        << what << " LZX:" << windowBits << " level " << level;
    const auto restored = ReadFile(dir + "/out/member.bin");
    EXPECT_EQ(restored.size(), data.size()) << what;
    EXPECT_TRUE(restored == data) << what << " LZX:" << windowBits << " level " << level;
    RunCommand("rm -rf '" + dir + "'");
}

} // namespace

TEST(LzxCabextract, RestoresEveryKindOfInput) {
    ASSERT_EQ(RunCommand("cabextract --version >/dev/null 2>&1"), 0) << "cabextract is missing";
    const std::vector<std::pair<std::string, std::vector<uint8_t>>> samples = {
        {"one byte", {'x'}},
        {"32769 bytes of text", lzxcorpus::Text(32769, 21)},
        {"html", lzxcorpus::Html(300000, 22)},
        {"runs", lzxcorpus::Runs(200000, 23)},
        {"pdf", lzxcorpus::PdfLike(100000, 24)},
        {"random", lzxcorpus::Random(100001, 25)},
        {"x86 code", X86Code()},
    };
    for (int windowBits : {15, 18, 21})
        for (int level : {0, 1})
            for (const auto& [what, data] : samples)
                ExpectCabextractRestores(what, data, windowBits, level);
}

TEST(LzxCabextract, RestoresInputLargerThanTheWindow) {
    // 2.5 MiB of text with repeats from far back, for the 2 MiB window.
    const std::vector<uint8_t> data = TextWithFarRepeats(2621440, 2000000, 31);
    ExpectCabextractRestores("larger than the window", data, 21, 1);
    ExpectCabextractRestores("larger than the window", data, 17, 0);
}
