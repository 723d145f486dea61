// LZX cabinets through the archiver's command line, for every window and
// every level of effort: the varied sample files, packed by arch into one
// LZX folder whose type word names the window, come back byte for byte from
// arch itself and from cabextract (libmspack), whose test of every block's
// checksum passes too. Packed on 1, 2 or 4 threads, the cabinet is the same.
#include <gtest/gtest.h>

#include <tuple>

#include "tests/arch/host_support.h"

using namespace archtest;

namespace {

// The window, and the level's option ("" for the default).
class LzxCabinet : public testing::TestWithParam<std::tuple<int, const char*>> {};

} // namespace

TEST_P(LzxCabinet, ArchAndCabextractRestoreEveryFile)
{
    const int windowBits = std::get<0>(GetParam());
    const std::string level = std::get<1>(GetParam());
    const std::string photo = SamplePhoto(), program = SampleProgram();
    ASSERT_GT(photo.size(), 10000u) << "the build made no photo";
    ASSERT_GT(program.size(), 100000u) << "the build made no x86 program";
    FileTree tree;
    for (const SampleFile& f : LzxSampleFiles(windowBits, photo, program)) tree["samples/" + f.name] = f.bytes;
    ScratchDir dir;
    for (const auto& f : tree) WriteBytes(dir / ("in/" + f.first), f.second);

    const std::string method = "LZX:" + std::to_string(windowBits);
    auto pack = [&](const std::string& cabinet, const std::string& threads) {
        std::vector<std::string> args = {
            "-j", threads, "-m", method, "-r", "-p", "-P", dir / "in", "N", cabinet, dir / "in/samples/*.*"};
        if (!level.empty()) args.insert(args.begin(), level);
        return RunArchiver(args);
    };
    const ArchRun packed = pack(dir / "lzx.cab", "1");
    ASSERT_EQ(packed.code, 0) << packed.err;
    const std::string cabinet = ReadBytes(dir / "lzx.cab");
    for (const char* threads : {"2", "4"}) {
        ASSERT_EQ(pack(dir / "threads.cab", threads).code, 0);
        EXPECT_TRUE(ReadBytes(dir / "threads.cab") == cabinet)
            << method << " " << level << " on " << threads << " threads gives another cabinet";
    }
    ASSERT_EQ(U16(cabinet, 26), 1u); // one folder
    EXPECT_EQ(U16(cabinet, 42), static_cast<uint32_t>(windowBits << 8 | 3)) << "typeCompress of " << method;

    const Ran peer = RunShell("cabextract -q -d " + ShellQuote(dir / "cabextract") + " " + ShellQuote(dir / "lzx.cab"));
    ASSERT_EQ(peer.status, 0) << peer.output;
    EXPECT_EQ(TreeDifferences(TreeContents(dir / "cabextract"), tree), "") << method << " as cabextract extracts it";
    const Ran test = RunShell("cabextract -t " + ShellQuote(dir / "lzx.cab"));
    EXPECT_NE(test.output.find("All done, no errors."), std::string::npos) << test.output;

    const ArchRun extracted = RunArchiver({"-p", "X", dir / "lzx.cab", dir / "arch"});
    ASSERT_EQ(extracted.code, 0) << extracted.err;
    EXPECT_EQ(TreeDifferences(TreeContents(dir / "arch"), tree), "") << method << " as arch extracts it";
}

INSTANTIATE_TEST_SUITE_P(Windows, LzxCabinet, testing::Combine(testing::Range(15, 22), testing::Values("-f", "", "-x")),
                         [](const testing::TestParamInfo<std::tuple<int, const char*>>& info) {
                             const std::string level = std::get<1>(info.param);
                             return "Lzx" + std::to_string(std::get<0>(info.param)) +
                                    (level == "-f"   ? "Fast"
                                     : level == "-x" ? "Best"
                                                     : "Default");
                         });
