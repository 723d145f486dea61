// How far packing and extraction have come: the machine-readable lines a
// program reads (--progress) and the one line a terminal shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "arch/arch_app.h"
#include "arch/file_system.h"
#include "tests/arch/host_support.h"

using archtest::ScratchDir;

namespace {

struct Progress {
    std::vector<uint64_t> done;
    uint64_t total = 0;
    std::vector<std::string> partials;
    bool wellFormed = true;
};

// Reads the --progress lines of an output; other lines are the archiver's
// summary and are passed over.
Progress ReadLines(const std::string& output)
{
    Progress p;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("partial ", 0) == 0) p.partials.push_back(line.substr(8));
        if (line.rfind("progress ", 0) != 0) continue;
        unsigned long long done = 0, total = 0;
        char extra = 0;
        if (std::sscanf(line.c_str(), "progress %llu %llu%c", &done, &total, &extra) != 2) p.wellFormed = false;
        p.done.push_back(done);
        p.total = total;
    }
    return p;
}

int RunWith(const std::vector<std::string>& args, std::string& out, std::string& err, bool terminal)
{
    std::unique_ptr<arch::FileSystem> fs = arch::MakeNativeFileSystem();
    std::ostringstream o, e;
    const int code = arch::RunArch(args, *fs, o, e, terminal);
    out = o.str();
    err = e.str();
    return code;
}

} // namespace

TEST(Progress, LinesCountEveryByteReadAndNameTheTemporaryCabinet)
{
    ScratchDir dir;
    // Three files of 700 KiB, 1 MiB and 10 bytes: 1,766,410 bytes to read.
    archtest::WriteBytes(dir / "in/a.bin", std::string(700 * 1024, 'a'));
    archtest::WriteBytes(dir / "in/b.bin", std::string(1024 * 1024, 'b'));
    archtest::WriteBytes(dir / "in/c.txt", "0123456789");
    const uint64_t inputBytes = 700 * 1024 + 1024 * 1024 + 10;
    std::string out, err;
    ASSERT_EQ(0, RunWith({"--progress", "-m", "LZX:21", "N", dir / "show.cab", dir / "in/*.*"}, out, err, false))
        << err;
    Progress packing = ReadLines(out);
    EXPECT_TRUE(packing.wellFormed) << out;
    ASSERT_GE(packing.done.size(), 4u) << "at least every 256 KiB and at each file's end";
    EXPECT_TRUE(std::is_sorted(packing.done.begin(), packing.done.end()));
    EXPECT_EQ(inputBytes, packing.done.back());
    EXPECT_EQ(inputBytes, packing.total);
    ASSERT_EQ(1u, packing.partials.size()) << out;
    EXPECT_EQ(dir.Path(), packing.partials[0].substr(0, dir.Path().size())) << "beside the cabinet";
    EXPECT_FALSE(archtest::Exists(packing.partials[0])) << "it became the cabinet";
    EXPECT_EQ("", err) << "nothing for a terminal that is not there";

    // Extraction counts the cabinet's bytes.
    ASSERT_EQ(0, RunWith({"--progress", "X", dir / "show.cab", dir / "out/"}, out, err, false)) << err;
    Progress extracting = ReadLines(out);
    EXPECT_TRUE(extracting.partials.empty());
    ASSERT_FALSE(extracting.done.empty());
    EXPECT_EQ(archtest::ReadBytes(dir / "show.cab").size(), extracting.total);
    EXPECT_EQ(extracting.total, extracting.done.back());
}

TEST(Progress, ATerminalSeesOneLineThatKeepsCount)
{
    ScratchDir dir;
    archtest::WriteBytes(dir / "in/a.bin", std::string(3 << 20, 'x'));
    std::string out, err;
    ASSERT_EQ(0, RunWith({"-m", "MSZIP", "N", dir / "t.cab", dir / "in/*.*"}, out, err, true));
    EXPECT_EQ(std::string::npos, out.find("progress ")) << "no machine lines unless asked for";
    EXPECT_NE(std::string::npos, err.find("\rarch: packing 100% (3 of 3 MB)")) << err;
    EXPECT_EQ(1, std::count(err.begin(), err.end(), '\n')) << "one line, ended once";
    ASSERT_EQ(0, RunWith({"X", dir / "t.cab", dir / "out/"}, out, err, true));
    EXPECT_NE(std::string::npos, err.find("\rarch: extracting 100%")) << err;
}
