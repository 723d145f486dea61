// Cabinets that arch writes, read by independent readers (cabextract from
// libmspack, gcab), and cabinets that gcab writes, read by arch.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

#include "arch/cab_reader.h"
#include "arch/cab_writer.h"
#include "arch/file_collector.h"
#include "arch/file_system.h"
#include "tests/arch/host_support.h"

using namespace archtest;

namespace {

using Tree = std::map<std::string, std::string>;

// A package-like tree: nested folders, many small files, empty files,
// files beyond one frame and beyond several, names with spaces.
Tree SampleTree()
{
    Tree tree;
    tree["index.html"] = "<html><body>start</body></html>\r\n";
    tree["left.html"] = RandomText(5000, 1);
    tree["empty.txt"] = "";
    tree["resources/left.html"] = RandomText(1200, 2);
    tree["resources/big text.html"] = RandomText(200000, 3); // several frames, compressible
    tree["resources/photo 1.jpg"] = RandomBytes(100000, 4);  // several frames, incompressible
    tree["resources/exactly one frame.bin"] = RandomBytes(32768, 5);
    tree["resources/one more.bin"] = RandomBytes(32769, 6);
    tree["resources/deep/er/still/empty too.txt"] = "";
    tree["resources/deep/er/still/x.txt"] = "x";
    for (int i = 0; i < 120; ++i)
        tree["many/file " + std::to_string(i) + ".txt"] = RandomText(static_cast<std::size_t>(i * 37), 100 + i);
    return tree;
}

void WriteTree(const std::string& root, const Tree& tree)
{
    for (const auto& f : tree) WriteBytes(root + "/" + f.first, f.second);
}

std::string Backslashed(std::string path)
{
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

// cabextract -l: name -> size.
std::map<std::string, uint64_t> CabextractListing(const std::string& cabinet)
{
    const Ran ran = RunShell("cabextract -l " + ShellQuote(cabinet));
    EXPECT_EQ(ran.status, 0) << ran.output;
    std::map<std::string, uint64_t> listing;
    std::istringstream in(ran.output);
    std::string line;
    while (std::getline(in, line)) {
        // "      1234 | 09.12.2026 08:49:04 | show/index.html"
        const std::size_t bar1 = line.find(" | "), bar2 = line.find(" | ", bar1 + 1);
        if (bar1 == std::string::npos || bar2 == std::string::npos || line.find("File size") != std::string::npos)
            continue;
        listing[line.substr(bar2 + 3)] = std::stoull(line.substr(0, bar1));
    }
    return listing;
}

std::map<std::string, uint64_t> ExpectedListing(const Tree& tree, const std::string& under)
{
    std::map<std::string, uint64_t> listing;
    for (const auto& f : tree) listing[under + f.first] = f.second.size();
    return listing;
}

Tree Prefixed(const Tree& tree, const std::string& under)
{
    Tree result;
    for (const auto& f : tree) result[under + f.first] = f.second;
    return result;
}

class WrittenByArch : public testing::TestWithParam<const char*> {};

} // namespace

TEST_P(WrittenByArch, ListsAndExtractsIdenticallyWithCabextractAndGcab)
{
    ScratchDir dir;
    const Tree tree = SampleTree();
    WriteTree(dir / "work/show", tree);
    // As the program packs: the work folder is the prefix, show the package.
    const ArchRun run =
        RunArchiver({"-m", GetParam(), "-r", "-p", "-P", dir / "work/", "N", dir / "show.cab", dir / "work/show/*.*"});
    ASSERT_EQ(run.code, 0) << run.err;
    const std::string cabinet = dir / "show.cab";

    EXPECT_EQ(CabextractListing(cabinet), ExpectedListing(tree, "show/"));
    const Ran test = RunShell("cabextract -t " + ShellQuote(cabinet)); // checks every block's checksum
    EXPECT_EQ(test.status, 0) << test.output;
    EXPECT_NE(test.output.find("All done, no errors."), std::string::npos) << test.output;
    ASSERT_EQ(RunShell("cabextract -q -d " + ShellQuote(dir / "cabextract") + " " + ShellQuote(cabinet)).status, 0);
    EXPECT_EQ(TreeContents(dir / "cabextract"), Prefixed(tree, "show/"));

    // gcab lists the stored names with their backslashes.
    const Ran listing = RunShell("gcab -t " + ShellQuote(cabinet));
    ASSERT_EQ(listing.status, 0) << listing.output;
    std::set<std::string> names, expected;
    std::istringstream in(listing.output);
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) names.insert(line);
    for (const auto& f : tree) expected.insert(Backslashed("show/" + f.first));
    EXPECT_EQ(names, expected);
    ASSERT_EQ(RunShell("gcab -x -C " + ShellQuote(dir / "gcab") + " " + ShellQuote(cabinet)).status, 0);
    EXPECT_EQ(TreeContents(dir / "gcab"), Prefixed(tree, "show/"));

    // And arch reads its own.
    const ArchRun back = RunArchiver({"-p", "X", cabinet, dir / "arch"});
    EXPECT_EQ(back.code, 0) << back.err;
    EXPECT_EQ(TreeContents(dir / "arch"), Prefixed(tree, "show/"));
}

INSTANTIATE_TEST_SUITE_P(Methods, WrittenByArch, testing::Values("NONE", "MSZIP", "LZX:21"));

TEST(WrittenByGcab, ExtractsWithArch)
{
    for (const bool compressed : {false, true}) {
        ScratchDir dir;
        const Tree tree = SampleTree();
        WriteTree(dir / "src", tree);
        std::string files;
        for (const auto& f : tree) files += " " + ShellQuote(f.first);
        const Ran made = RunShell("cd " + ShellQuote(dir / "src") + " && gcab -c " + (compressed ? "-z " : "") +
                                  ShellQuote(dir / "g.cab") + files);
        ASSERT_EQ(made.status, 0) << made.output;
        const ArchRun run = RunArchiver({"-p", "X", dir / "g.cab", dir / "out"});
        EXPECT_EQ(run.code, 0) << run.err;
        EXPECT_EQ(TreeContents(dir / "out"), tree) << (compressed ? "MSZIP" : "stored");
    }
}

TEST(Writer, NewFolderBeforeTheFolderLimit)
{
    // The limit is lowered so that a test can pass it; readers see several
    // folders, none of which holds more than the limit.
    ScratchDir dir;
    Tree tree;
    for (int i = 0; i < 9; ++i) tree["f" + std::to_string(i) + ".bin"] = RandomText(40000, 50 + i);
    WriteTree(dir / "src", tree);
    std::unique_ptr<arch::FileSystem> fs = arch::MakeNativeFileSystem();
    arch::CollectOptions collect;
    std::vector<arch::SourceFile> files;
    std::string error;
    ASSERT_TRUE(arch::CollectFiles(*fs, {dir / "src/*.*"}, collect, files, error)) << error;
    arch::WriterLimits limits;
    limits.maxFolderBytes = 100000;
    arch::WriteSummary summary;
    ASSERT_TRUE(arch::WriteCabinet(*fs, dir / "split.cab", files, cab::kCompressMszip, cab::Effort::Default, limits,
                                   summary, error))
        << error;
    EXPECT_EQ(summary.folders, 5u); // two files of 40000 bytes per folder

    auto in = fs->OpenRead(dir / "split.cab", error);
    arch::CabinetDirectory directory;
    ASSERT_TRUE(arch::ReadDirectory(*in, directory, error)) << error;
    ASSERT_EQ(directory.folders.size(), 5u);
    std::map<uint16_t, uint64_t> perFolder;
    for (const auto& m : directory.members) perFolder[m.record.folder] += m.record.size;
    for (const auto& f : perFolder) EXPECT_LE(f.second, limits.maxFolderBytes);

    ASSERT_EQ(RunShell("cabextract -q -d " + ShellQuote(dir / "peer") + " " + ShellQuote(dir / "split.cab")).status, 0);
    EXPECT_EQ(TreeContents(dir / "peer"), tree);
    ASSERT_EQ(RunShell("gcab -x -C " + ShellQuote(dir / "gcab") + " " + ShellQuote(dir / "split.cab")).status, 0);
    EXPECT_EQ(TreeContents(dir / "gcab"), tree);
}

TEST(Writer, BeyondTheCabinetLimitsAClearErrorAndTheOldCabinetStays)
{
    ScratchDir dir;
    WriteTree(dir / "src", {{"a.txt", RandomText(50000, 1)}, {"b.txt", RandomText(60000, 2)}, {"c.txt", "c"}});
    WriteBytes(dir / "old.cab", "the previous cabinet");
    std::unique_ptr<arch::FileSystem> fs = arch::MakeNativeFileSystem();
    std::vector<arch::SourceFile> files;
    std::string error;
    ASSERT_TRUE(arch::CollectFiles(*fs, {dir / "src/*.*"}, arch::CollectOptions(), files, error)) << error;
    arch::WriteSummary summary;

    arch::WriterLimits fewFiles;
    fewFiles.maxFiles = 2;
    EXPECT_FALSE(arch::WriteCabinet(*fs, dir / "old.cab", files, cab::kCompressMszip, cab::Effort::Default, fewFiles,
                                    summary, error));
    EXPECT_NE(error.find("3 files are more than one cabinet holds (2)"), std::string::npos) << error;

    arch::WriterLimits smallFolder;
    smallFolder.maxFolderBytes = 55000;
    EXPECT_FALSE(arch::WriteCabinet(*fs, dir / "old.cab", files, cab::kCompressMszip, cab::Effort::Default, smallFolder,
                                    summary, error));
    EXPECT_NE(error.find("60000 bytes are more than a cabinet folder holds"), std::string::npos) << error;

    // Found only while writing: compressed data passing the size limit.
    arch::WriterLimits smallCabinet;
    smallCabinet.maxCabinetBytes = 2000;
    EXPECT_FALSE(arch::WriteCabinet(*fs, dir / "old.cab", files, cab::kCompressMszip, cab::Effort::Default,
                                    smallCabinet, summary, error));
    EXPECT_NE(error.find("the cabinet would grow past 2000 bytes"), std::string::npos) << error;

    EXPECT_TRUE(ReadBytes(dir / "old.cab") == "the previous cabinet");
    EXPECT_EQ(TreeContents(dir.Path()).size(), 4u) << "no temporary file is left";
}

TEST(Writer, CommandLineErrorsOfPacking)
{
    ScratchDir dir;
    WriteBytes(dir / "src/a.txt", "a");
    WriteBytes(dir / "src/sub/a.txt", "another a");
    ArchRun run = RunArchiver({"-r", "N", dir / "x.cab", dir / "src/*.*"});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("already stored as \"a.txt\" (use -p to keep paths)"), std::string::npos) << run.err;
    run = RunArchiver({"N", dir / "x.cab", dir / "src/*.zip"});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("no file matches"), std::string::npos) << run.err;
    run = RunArchiver({"N", dir / "x.cab", dir / "missing"});
    EXPECT_NE(run.err.find("no such file or folder"), std::string::npos) << run.err;
    run = RunArchiver({"-q"});
    EXPECT_EQ(run.code, 2);
    EXPECT_FALSE(Exists(dir / "x.cab"));
}

TEST(Writer, TheCabinetItselfIsNotPacked)
{
    ScratchDir dir;
    WriteBytes(dir / "src/a.txt", "a");
    WriteBytes(dir / "src/out.cab", "an old cabinet in the packed folder");
    const ArchRun run = RunArchiver({"-p", "-P", dir / "src", "N", dir / "src/out.cab", dir / "src/*.*"});
    ASSERT_EQ(run.code, 0) << run.err;
    const Ran listing = RunShell("gcab -t " + ShellQuote(dir / "src/out.cab"));
    EXPECT_EQ(listing.output, "a.txt\n");
}
