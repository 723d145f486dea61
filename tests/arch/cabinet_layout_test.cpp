// The bytes arch writes, field by field, against the published MS-CAB
// layout; and the reader's view of real cabinets against what cabextract
// lists for them.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <ctime>

#include "arch/cab_reader.h"
#include "arch/file_system.h"
#include "tests/arch/host_support.h"

using namespace archtest;

namespace {

// The file's last-write time in the MS-DOS form, from the published packing.
void DosStamp(const std::string& path, uint32_t& date, uint32_t& time)
{
    struct stat st;
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    struct tm t;
    ASSERT_TRUE(::localtime_r(&st.st_mtime, &t));
    date = static_cast<uint32_t>((t.tm_year + 1900 - 1980) << 9 | (t.tm_mon + 1) << 5 | t.tm_mday);
    time = static_cast<uint32_t>(t.tm_hour << 11 | t.tm_min << 5 | t.tm_sec / 2);
}

} // namespace

TEST(CabinetLayout, HeaderFolderFileAndDataRecords)
{
    ScratchDir dir;
    const std::string first = RandomBytes(40000, 9), second = "second file";
    WriteBytes(dir / "work/pkg/a.bin", first);
    WriteBytes(dir / "work/pkg/sub/b.txt", second);
    ASSERT_EQ(::chmod((dir / "work/pkg/sub/b.txt").c_str(), 0444), 0);
    const ArchRun run =
        RunArchiver({"-m", "NONE", "-r", "-p", "-P", dir / "work", "N", dir / "t.cab", dir / "work/pkg/*.*"});
    ASSERT_EQ(run.code, 0) << run.err;
    const std::string b = ReadBytes(dir / "t.cab");

    // CFHEADER
    EXPECT_EQ(b.substr(0, 4), "MSCF");
    EXPECT_EQ(U32(b, 4), 0u);        // reserved1
    EXPECT_EQ(U32(b, 8), b.size());  // cbCabinet
    EXPECT_EQ(U32(b, 12), 0u);       // reserved2
    EXPECT_EQ(U32(b, 16), 36u + 8u); // coffFiles: after the one CFFOLDER
    EXPECT_EQ(U32(b, 20), 0u);       // reserved3
    EXPECT_EQ(b[24], 3);             // versionMinor
    EXPECT_EQ(b[25], 1);             // versionMajor
    EXPECT_EQ(U16(b, 26), 1u);       // cFolders
    EXPECT_EQ(U16(b, 28), 2u);       // cFiles
    EXPECT_EQ(U16(b, 30), 0u);       // flags: no reserve, no set
    EXPECT_EQ(U16(b, 34), 0u);       // iCabinet

    // CFFILE records, each 16 bytes and a zero-terminated name.
    std::size_t at = 44;
    uint32_t date = 0, time = 0;
    EXPECT_EQ(U32(b, at), first.size()); // cbFile
    EXPECT_EQ(U32(b, at + 4), 0u);       // uoffFolderStart
    EXPECT_EQ(U16(b, at + 8), 0u);       // iFolder
    DosStamp(dir / "work/pkg/a.bin", date, time);
    EXPECT_EQ(U16(b, at + 10), date);
    EXPECT_EQ(U16(b, at + 12), time);
    EXPECT_EQ(U16(b, at + 14), 0x20u); // archive
    EXPECT_EQ(b.substr(at + 16, 10), std::string("pkg\\a.bin\0", 10));
    at += 16 + 10;
    EXPECT_EQ(U32(b, at), second.size());
    EXPECT_EQ(U32(b, at + 4), first.size()); // right after the first file in the folder
    DosStamp(dir / "work/pkg/sub/b.txt", date, time);
    EXPECT_EQ(U16(b, at + 10), date);
    EXPECT_EQ(U16(b, at + 12), time);
    EXPECT_EQ(U16(b, at + 14), 0x21u); // read-only, archive
    EXPECT_EQ(b.substr(at + 16, 14), std::string("pkg\\sub\\b.txt\0", 14));
    at += 16 + 14;

    // CFFOLDER: data right after the file table, two blocks, stored.
    EXPECT_EQ(U32(b, 36), at); // coffCabStart
    EXPECT_EQ(U16(b, 40), 2u); // cCFData
    EXPECT_EQ(U16(b, 42), 0u); // typeCompress: none

    // CFDATA: csum, cbData, cbUncomp, then the frame; 32768 then the rest.
    const std::string stream = first + second;
    EXPECT_EQ(U16(b, at + 4), 32768u);
    EXPECT_EQ(U16(b, at + 6), 32768u);
    std::string sizes = b.substr(at + 4, 4);
    EXPECT_EQ(U32(b, at), PublishedChecksum(sizes, PublishedChecksum(stream.substr(0, 32768), 0)));
    EXPECT_EQ(b.substr(at + 8, 32768), stream.substr(0, 32768));
    at += 8 + 32768;
    const std::size_t rest = stream.size() - 32768;
    EXPECT_EQ(U16(b, at + 4), rest);
    EXPECT_EQ(U16(b, at + 6), rest);
    sizes = b.substr(at + 4, 4);
    EXPECT_EQ(U32(b, at), PublishedChecksum(sizes, PublishedChecksum(stream.substr(32768), 0)));
    EXPECT_EQ(b.substr(at + 8), stream.substr(32768));
}

TEST(CabinetLayout, MszipAndLzxBlocks)
{
    ScratchDir dir;
    WriteBytes(dir / "in/a.txt", RandomText(100000, 4));
    ArchRun run = RunArchiver({"-m", "MSZIP", "N", dir / "z.cab", dir / "in/a.txt"});
    ASSERT_EQ(run.code, 0) << run.err;
    std::string b = ReadBytes(dir / "z.cab");
    EXPECT_EQ(U16(b, 42), 1u); // typeCompress: MSZIP
    const uint32_t data = U32(b, 36);
    EXPECT_EQ(U16(b, 40), 4u); // 100000 bytes: four frames
    EXPECT_EQ(b.substr(data + 8, 2), "CK");
    EXPECT_EQ(U16(b, data + 6), 32768u);
    EXPECT_LT(U16(b, data + 4), 32768u);

    // LZX: the window's exponent in bits 8 to 12 of typeCompress, at
    // either level of effort; blocks of whole 16-bit words.
    for (const bool fast : {false, true}) {
        std::vector<std::string> args = {"-m", "LZX:21", "N", dir / "l.cab", dir / "in/a.txt"};
        if (fast) args.insert(args.begin(), "-f");
        run = RunArchiver(args);
        ASSERT_EQ(run.code, 0) << run.err;
        b = ReadBytes(dir / "l.cab");
        EXPECT_EQ(U16(b, 42), 0x1503u); // LZX, window 2^21
        EXPECT_EQ(U16(b, 40), 4u);
        const uint32_t first = U32(b, 36);
        EXPECT_EQ(U16(b, first + 4) % 2, 0u);
        EXPECT_EQ(U16(b, first + 6), 32768u);
        EXPECT_LT(U16(b, first + 4), 32768u / 2) << "text packs to less than half";
    }
}

TEST(CabinetLayout, ReaderAgreesWithCabextractOnRealCabinets)
{
    std::unique_ptr<arch::FileSystem> fs = arch::MakeNativeFileSystem();
    std::string error;
    arch::CabinetDirectory d;

    // cabextract -l simple.cab: hello.c 77 bytes 12.03.1997 11:13:52,
    // welcome.c 74 bytes 12.03.1997 11:15:14.
    auto in = fs->OpenRead(FixturesDir() + "/simple.cab", error);
    ASSERT_TRUE(in) << error;
    ASSERT_TRUE(arch::ReadDirectory(*in, d, error)) << error;
    ASSERT_EQ(d.members.size(), 2u);
    EXPECT_EQ(d.members[0].name, "hello.c");
    EXPECT_EQ(d.members[0].record.size, 77u);
    EXPECT_EQ(d.members[0].record.date, (1997u - 1980) << 9 | 3 << 5 | 12);
    EXPECT_EQ(d.members[0].record.time, 11u << 11 | 13 << 5 | 52 / 2);
    EXPECT_EQ(d.members[1].name, "welcome.c");
    EXPECT_EQ(d.members[1].record.size, 74u);
    EXPECT_EQ(d.members[1].record.time, 11u << 11 | 15 << 5 | 14 / 2);
    ASSERT_EQ(d.folders.size(), 1u);
    EXPECT_EQ(d.folders[0].compression, 0u);

    // Reserved fields present (empty) in reserve_---.cab.
    in = fs->OpenRead(FixturesDir() + "/reserve_---.cab", error);
    ASSERT_TRUE(arch::ReadDirectory(*in, d, error)) << error;
    EXPECT_TRUE(d.header.flags & 0x0004);
    ASSERT_EQ(d.members.size(), 2u);
    EXPECT_EQ(d.members[1].name, "test2.txt");

    // Three folders in mixed.cab: MSZIP, LZX:18 and Quantum.
    in = fs->OpenRead(FixturesDir() + "/mixed.cab", error);
    ASSERT_TRUE(arch::ReadDirectory(*in, d, error)) << error;
    ASSERT_EQ(d.folders.size(), 3u);
    EXPECT_EQ(d.folders[0].compression & 0xF, 1u);
    EXPECT_EQ(d.folders[1].compression, 0x1203u);
    EXPECT_EQ(d.folders[2].compression & 0xF, 2u);
}

TEST(CabinetLayout, ListingCommand)
{
    const ArchRun run = RunArchiver({"L", FixturesDir() + "/dir.cab"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("2 files in 1 folder (none)"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("        77 1997-03-12 11:13:52 ---A plain.c\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("        74 1997-03-12 11:15:14 ---A 1\\2\\3\\4.c\n"), std::string::npos) << run.out;
}
