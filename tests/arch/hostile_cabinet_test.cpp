// Cabinets made to hurt: names that leave the destination, counts and
// sizes far beyond what is there, truncated and corrupted data blocks.
// Each fails with a message, writes nothing outside the destination and
// leaves no partial file behind.
#include <gtest/gtest.h>

#include <map>

#include "arch/cab_format.h"
#include "arch/cab_reader.h"
#include "arch/file_system.h"
#include "tests/arch/host_support.h"

using namespace archtest;

namespace {

struct Outcome {
    ArchRun run;
    std::map<std::string, std::string> everything; // the whole scratch folder afterwards
};

// Extracts `cabinet` into <scratch>/a/b/dest with -o -p; the scratch
// folder also holds a sentinel file that must stay as it was.
Outcome ExtractCrafted(const ScratchDir& dir, const std::string& cabinet)
{
    WriteBytes(dir / "a/sentinel.txt", "sentinel");
    WriteBytes(dir / "cab/x.cab", cabinet);
    Outcome outcome;
    outcome.run = RunArchiver({"-o", "-p", "X", dir / "cab/x.cab", dir / "a/b/dest"});
    outcome.everything = TreeContents(dir.Path());
    outcome.everything.erase("cab/x.cab");
    return outcome;
}

} // namespace

TEST(CraftedCabinet, AWellFormedOneExtracts)
{
    // The builder itself is right: cabextract and arch both accept it.
    ScratchDir dir;
    const std::string big = RandomBytes(70000, 1);
    WriteBytes(dir / "ok.cab", StoredCabinet({{"one.txt", "first"}, {"sub\\two.bin", big}}).Build());
    ASSERT_EQ(RunShell("cabextract -q -d " + ShellQuote(dir / "peer") + " " + ShellQuote(dir / "ok.cab")).status, 0);
    const ArchRun run = RunArchiver({"-p", "X", dir / "ok.cab", dir / "ours"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(TreeContents(dir / "ours"), TreeContents(dir / "peer"));
    EXPECT_EQ(TreeContents(dir / "ours").at("sub/two.bin"), big);
}

TEST(HostileCabinet, NamesLeavingTheDestinationAreRefused)
{
    const char* const names[] = {"..\\evil.txt", "..\\..\\evil.txt", "ok\\..\\..\\..\\evil.txt",
                                 "../evil.txt",  "c:\\evil.txt",     "c:evil.txt",
                                 "\\evil.txt",   "/tmp/evil.txt",    "\\\\srv\\s\\evil.txt"};
    for (const char* name : names) {
        ScratchDir dir;
        const Outcome o = ExtractCrafted(dir, StoredCabinet({{name, "EVIL"}, {"good.txt", "good"}}).Build());
        EXPECT_EQ(o.run.code, 1) << name;
        EXPECT_NE(o.run.err.find(std::string("\"") + name + "\" not extracted"), std::string::npos) << o.run.err;
        // The good member is there, the sentinel untouched, and nothing else.
        EXPECT_EQ(o.everything,
                  (std::map<std::string, std::string>{{"a/sentinel.txt", "sentinel"}, {"a/b/dest/good.txt", "good"}}))
            << name;
        EXPECT_FALSE(Exists("/tmp/evil.txt"));
    }
}

TEST(HostileCabinet, CountsBeyondTheDirectory)
{
    CraftedCabinet files = StoredCabinet({{"a.txt", "aaaa"}});
    files.fileCount = 65535;
    CraftedCabinet folders = StoredCabinet({{"a.txt", "aaaa"}});
    folders.folderCount = 65535;
    for (const CraftedCabinet* cab : {&files, &folders}) {
        ScratchDir dir;
        const Outcome o = ExtractCrafted(dir, cab->Build());
        EXPECT_EQ(o.run.code, 1);
        EXPECT_NE(o.run.err.find("directory is damaged"), std::string::npos) << o.run.err;
        EXPECT_EQ(o.everything, (std::map<std::string, std::string>{{"a/sentinel.txt", "sentinel"}}));
    }
}

TEST(HostileCabinet, SizesBeyondTheData)
{
    // A member claiming 4 GiB with one small block, and one that starts past
    // the folder's data: both fail, nothing partial remains, and nothing is
    // allocated by the claimed size (the sanitizers would see it).
    CraftedCabinet cab = StoredCabinet({{"huge.bin", "0123456789"}, {"after.bin", ""}});
    cab.files[0].size = 0xFFFFFFFF;
    cab.files[1].size = 100;
    cab.files[1].offset = 0x7FFF0000;
    ScratchDir dir;
    const Outcome o = ExtractCrafted(dir, cab.Build());
    EXPECT_EQ(o.run.code, 1);
    EXPECT_NE(o.run.err.find("\"huge.bin\" not extracted"), std::string::npos) << o.run.err;
    EXPECT_NE(o.run.err.find("\"after.bin\" not extracted"), std::string::npos) << o.run.err;
    EXPECT_NE(o.run.err.find("ends before"), std::string::npos) << o.run.err;
    EXPECT_EQ(o.everything, (std::map<std::string, std::string>{{"a/sentinel.txt", "sentinel"}}));

    CraftedCabinet claimed = StoredCabinet({{"a.txt", "aaaa"}});
    claimed.cabinetSize = 0xFFFFFFFF;
    ScratchDir dir2;
    const Outcome o2 = ExtractCrafted(dir2, claimed.Build());
    EXPECT_EQ(o2.run.code, 1);
    EXPECT_NE(o2.run.err.find("truncated"), std::string::npos) << o2.run.err;
}

TEST(HostileCabinet, TruncatedDataBlocks)
{
    const std::string content = RandomBytes(50000, 7);
    const std::string whole = StoredCabinet({{"data.bin", content}}).Build();

    // The file cut inside its second block while the header still gives the
    // full size.
    {
        ScratchDir dir;
        const Outcome o = ExtractCrafted(dir, whole.substr(0, whole.size() - 1000));
        EXPECT_EQ(o.run.code, 1);
        EXPECT_NE(o.run.err.find("truncated"), std::string::npos) << o.run.err;
        EXPECT_EQ(o.everything.size(), 1u);
    }
    // The header's size fixed up to the cut: a block now lies past the end.
    {
        CraftedCabinet cut = StoredCabinet({{"data.bin", content}});
        cut.cabinetSize = static_cast<int64_t>(whole.size() - 1000);
        ScratchDir dir;
        const Outcome o = ExtractCrafted(dir, cut.Build().substr(0, whole.size() - 1000));
        EXPECT_EQ(o.run.code, 1);
        EXPECT_NE(o.run.err.find("data block 2 of folder 1 lies past the cabinet's end"), std::string::npos)
            << o.run.err;
        EXPECT_EQ(o.everything.size(), 1u);
    }
    // More blocks announced than there are.
    {
        CraftedCabinet more = StoredCabinet({{"data.bin", content}});
        more.blockCount = 40000;
        more.files[0].size = 0x7FFF0000;
        ScratchDir dir;
        const Outcome o = ExtractCrafted(dir, more.Build());
        EXPECT_EQ(o.run.code, 1);
        EXPECT_NE(o.run.err.find("lies past the cabinet's end"), std::string::npos) << o.run.err;
        EXPECT_EQ(o.everything.size(), 1u);
    }
}

TEST(HostileCabinet, BlockSizesOutOfRange)
{
    CraftedCabinet cab = StoredCabinet({{"a.txt", "aaaa"}});
    cab.blocks[0].uncompressed = 40000; // frames are at most 32768 bytes
    cab.files[0].size = 40000;
    ScratchDir dir;
    const Outcome o = ExtractCrafted(dir, cab.Build());
    EXPECT_EQ(o.run.code, 1);
    EXPECT_NE(o.run.err.find("data block 1 of folder 1 is damaged"), std::string::npos) << o.run.err;

    CraftedCabinet mismatch = StoredCabinet({{"a.txt", "aaaa"}});
    mismatch.blocks[0].uncompressed = 3; // stored data must be as long as its frame
    mismatch.files[0].size = 3;
    ScratchDir dir2;
    const Outcome o2 = ExtractCrafted(dir2, mismatch.Build());
    EXPECT_EQ(o2.run.code, 1);
    EXPECT_NE(o2.run.err.find("uncompressed data block holds 4 bytes instead of 3"), std::string::npos) << o2.run.err;
}

TEST(HostileCabinet, DamagedDataNeverReplacesAnExistingFile)
{
    ScratchDir dir;
    WriteBytes(dir / "a/b/dest/data.txt", "the user's own file");
    std::string cabinet = StoredCabinet({{"data.txt", RandomText(40000, 3)}}).Build();
    cabinet[cabinet.size() - 10] ^= 0x55; // inside the last block: its checksum fails
    const Outcome o = ExtractCrafted(dir, cabinet);
    EXPECT_EQ(o.run.code, 1);
    EXPECT_NE(o.run.err.find("data block 2 of folder 1 fails its checksum"), std::string::npos) << o.run.err;
    EXPECT_EQ(o.everything, (std::map<std::string, std::string>{{"a/sentinel.txt", "sentinel"},
                                                                {"a/b/dest/data.txt", "the user's own file"}}));
    // cabextract finds the same block bad.
    EXPECT_NE(RunShell("cabextract -t " + ShellQuote(dir / "cab/x.cab")).status, 0);
}

TEST(HostileCabinet, UnverifiedBlocksAreAccepted)
{
    // A checksum of 0 means "not computed".
    CraftedCabinet cab = StoredCabinet({{"a.txt", "no checksum here"}});
    cab.blocks[0].checksum = false;
    ScratchDir dir;
    const Outcome o = ExtractCrafted(dir, cab.Build());
    EXPECT_EQ(o.run.code, 0) << o.run.err;
    EXPECT_EQ(o.everything.at("a/b/dest/a.txt"), "no checksum here");
}

TEST(HostileCabinet, DamagedMszipAndUnknownCompression)
{
    CraftedCabinet mszip = StoredCabinet({{"a.txt", "aaaa"}});
    mszip.compression = 1;
    mszip.blocks[0].data = "CK\xff\xff\xff\xff"; // an invalid deflate block type
    ScratchDir dir;
    const Outcome o = ExtractCrafted(dir, mszip.Build());
    EXPECT_EQ(o.run.code, 1);
    EXPECT_NE(o.run.err.find("MSZIP data block is damaged"), std::string::npos) << o.run.err;

    mszip.blocks[0].data = "XXnotdeflate";
    ScratchDir dir2;
    const Outcome o2 = ExtractCrafted(dir2, mszip.Build());
    EXPECT_NE(o2.run.err.find("does not start with \"CK\""), std::string::npos) << o2.run.err;

    CraftedCabinet unknown = StoredCabinet({{"a.txt", "aaaa"}});
    unknown.compression = 7;
    ScratchDir dir3;
    const Outcome o3 = ExtractCrafted(dir3, unknown.Build());
    EXPECT_EQ(o3.run.code, 1);
    EXPECT_NE(o3.run.err.find("unknown compression type 7"), std::string::npos) << o3.run.err;
    EXPECT_EQ(o3.everything.size(), 1u);
}

TEST(HostileCabinet, UnterminatedNameAndTinyFiles)
{
    std::string cabinet = StoredCabinet({{"a.txt", "aaaa"}}).Build();
    // Cut right inside the name, with the header's size following the cut.
    std::string cut = cabinet.substr(0, 36 + 8 + 16 + 2);
    cut[8] = static_cast<char>(cut.size());
    ScratchDir dir;
    const Outcome o = ExtractCrafted(dir, cut);
    EXPECT_EQ(o.run.code, 1);
    EXPECT_NE(o.run.err.find("unterminated"), std::string::npos) << o.run.err;

    for (const std::string& tiny : {std::string(), std::string("MSCF"), std::string("MSCF\0\0\0\0", 8)}) {
        ScratchDir d;
        const Outcome t = ExtractCrafted(d, tiny);
        EXPECT_EQ(t.run.code, 1);
        EXPECT_FALSE(t.run.err.empty());
        EXPECT_EQ(t.everything.size(), 1u);
    }
}

TEST(HostileCabinet, OverlappingMembersShareTheirBytes)
{
    // Two names for one range of the folder: both get the bytes.
    CraftedCabinet cab = StoredCabinet({{"one.txt", "shared bytes"}, {"two.txt", ""}});
    cab.files[1].size = cab.files[0].size;
    cab.files[1].offset = 0;
    ScratchDir dir;
    const Outcome o = ExtractCrafted(dir, cab.Build());
    EXPECT_EQ(o.run.code, 0) << o.run.err;
    EXPECT_EQ(o.everything.at("a/b/dest/one.txt"), "shared bytes");
    EXPECT_EQ(o.everything.at("a/b/dest/two.txt"), "shared bytes");
}
