// A second independent reader: Wine's own cabinet code (extrac32.exe, in a
// prefix of the test's own) restores the encoder's folders byte for byte.
#include <gtest/gtest.h>

#include "bench/lzx_corpus.h"
#include "tests/arch/lzx_test_util.h"

using namespace lzxtest;

TEST(LzxWineExtrac32, RestoresTheEncodersFolders) {
    if (RunCommand("command -v wine >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "wine is not installed";
    const std::string dir = MakeTempDir();
    const std::string env = "WINEPREFIX='" + dir + "/prefix' WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=' LANG=C.UTF-8 ";
    ASSERT_EQ(RunCommand(env + "timeout 300 wineboot -i >/dev/null 2>&1"), 0);

    const struct {
        const char* name;
        std::vector<uint8_t> data;
        int windowBits;
        int level;
    } cases[] = {
        {"html", lzxcorpus::Html(300000, 42), 21, 1},
        {"x86", X86Code(), 21, 0},
        {"random", lzxcorpus::Random(100001, 43), 15, 1},
        {"pdf", lzxcorpus::PdfLike(150000, 44), 18, 1},
        {"far", TextWithFarRepeats(2300000, 2000000, 41), 21, 1},
    };
    for (const auto& c : cases) {
        const std::string cabinet = dir + "/" + c.name + ".cab";
        WriteFile(cabinet, BuildCabinet(static_cast<uint16_t>(c.windowBits << 8 | 3),
                                        EncodeFolder(c.data, c.windowBits, c.level), c.name,
                                        static_cast<uint32_t>(c.data.size())));
        const std::string out = dir + "/out";
        RunCommand("rm -rf '" + out + "' && mkdir -p '" + out + "'");
        RunCommand("cd '" + dir + "' && " + env + "timeout 120 wine extrac32 /E /L out '" + c.name +
                   ".cab' >/dev/null 2>&1");
        const auto restored = ReadFile(out + "/" + c.name);
        EXPECT_EQ(restored.size(), c.data.size()) << c.name;
        EXPECT_TRUE(restored == c.data) << c.name << " LZX:" << c.windowBits << " level " << c.level;
    }
    RunCommand(env + "wineserver -k >/dev/null 2>&1");
    RunCommand("rm -rf '" + dir + "'");
}
