// Reading a package's head: the start folder from the cabinet's file table.
#include "view/package_head.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// A cabinet head as a writer lays it out: the 36-byte header, one folder
// entry, then the file entries (16 bytes each and the zero-terminated name).
struct FileRecord {
    std::string name;
    uint16_t date = 0x5A21;
    uint16_t time = 0x6000;
    uint16_t attributes = 0x0020;
};

void Put16(std::string& out, uint16_t v)
{
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
}

void Put32(std::string& out, uint32_t v)
{
    Put16(out, static_cast<uint16_t>(v & 0xFFFF));
    Put16(out, static_cast<uint16_t>(v >> 16));
}

std::string CabinetHead(const std::vector<FileRecord>& files)
{
    std::string head = "MSCF";
    Put32(head, 0);      // reserved
    Put32(head, 100000); // cabinet size
    Put32(head, 0);      // reserved
    Put32(head, 44);     // first file entry
    Put32(head, 0);      // reserved
    head += '\x03';      // version minor
    head += '\x01';      // version major
    Put16(head, 1);      // folders
    Put16(head, static_cast<uint16_t>(files.size()));
    Put16(head, 0);      // flags
    Put16(head, 0);      // set id
    Put16(head, 0);      // cabinet number
    Put32(head, 2000);   // folder: first data block
    Put16(head, 3);      // data blocks
    Put16(head, 0x1503); // LZX:21
    uint32_t offset = 0;
    for (const FileRecord& f : files) {
        Put32(head, 1234);
        Put32(head, offset);
        offset += 1234;
        Put16(head, 0);
        Put16(head, f.date);
        Put16(head, f.time);
        Put16(head, f.attributes);
        head += f.name;
        head += '\0';
    }
    return head;
}

// The head buffer as the program fills it: at most 2056 bytes of the file,
// all but the last read, the last always zero.
std::string HeadBuffer(const std::string& file)
{
    std::size_t size = file.size() < kPackageHeadBufferSize ? file.size() : kPackageHeadBufferSize;
    std::string head(size, '\0');
    file.copy(&head[0], size - 1);
    return head;
}

std::string StartFolder(const std::vector<FileRecord>& files, bool trailer)
{
    std::string file = CabinetHead(files) + std::string(3000, 'x');
    return FindStartFolderInHead(HeadBuffer(file), trailer);
}

} // namespace

TEST(PackageHead, TrailerMeansNamesRelativeToTheWorkFolder)
{
    EXPECT_EQ("show", StartFolder({{"show\\resources\\blue.gif"}, {"show\\index.html"}}, true));
    EXPECT_EQ("a\\b", StartFolder({{"a\\b\\index.html"}}, true));
}

TEST(PackageHead, FirstNameHoldingIndexHtmlWins)
{
    EXPECT_EQ("first\\resources", StartFolder({{"first\\resources\\index.html"}, {"show\\index.html"}}, true));
}

TEST(PackageHead, BareIndexHtmlGivesAnEmptyStartFolder)
{
    EXPECT_EQ("", StartFolder({{"index.html"}}, true));
    EXPECT_EQ("rundll32.exe url.dll,FileProtocolHandler c:\\documents\\ambrel\\temp\\\\index.html",
              StartPageOpenCommand("c:\\documents\\ambrel\\temp\\", ""));
    EXPECT_EQ("rundll32.exe url.dll,FileProtocolHandler c:\\documents\\ambrel\\temp\\show\\index.html",
              StartPageOpenCommand("c:\\documents\\ambrel\\temp\\", "show"));
}

TEST(PackageHead, RecordDatedForTheOlderRuleUsesTheIndexRule)
{
    // A record dated 0x2F27 with attributes 0x0020: the name after it is read
    // up to its first "\index", whatever follows.
    FileRecord dated{"album\\index.htm", 0x2F27, 0x1234, 0x0020};
    EXPECT_EQ("album", StartFolder({dated}, true));
    FileRecord otherDate{"album\\index.htm", 0x2F28, 0x1234, 0x0020};
    EXPECT_EQ("", StartFolder({otherDate}, true));
}

TEST(PackageHead, NoTrailerLooksForTheWorkFolderInTheNames)
{
    EXPECT_EQ("show", StartFolder({{"documents\\ambrel\\temp\\show\\index.html"}}, false));
    EXPECT_EQ("", StartFolder({{"documents\\ambrel\\show\\index.html"}}, false));
    EXPECT_EQ("", StartFolder({{"documents\\ambrel\\TEMP\\show\\index.html"}}, false));
}

TEST(PackageHead, NamesBeyondTheHeadAreNotSeen)
{
    // A long first name pushes the start page past the 2056 bytes read.
    std::vector<FileRecord> files = {{std::string(2100, 'n')}, {"show\\index.html"}};
    EXPECT_EQ("", StartFolder(files, true));
}

TEST(PackageHead, ShortFilesAreReadWholeExceptTheLastByte)
{
    std::string file = CabinetHead({{"show\\index.html"}});
    ASSERT_LT(file.size(), kPackageHeadBufferSize);
    EXPECT_EQ("show", FindStartFolderInHead(HeadBuffer(file), true));
    // The last byte of a short file is not read: here it is the last
    // character of the name, which then no longer holds "index.html".
    std::string cut = file.substr(0, file.size() - 1);
    EXPECT_EQ("", FindStartFolderInHead(HeadBuffer(cut), true));
    EXPECT_EQ("", FindStartFolderInHead(std::string(1, '\0'), true));
    EXPECT_EQ("", FindStartFolderInHead(std::string(), true));
}

TEST(PackageHead, TrailerIsExactAndCaseSensitive)
{
    EXPECT_TRUE(IsPackageTrailer("ambd1"));
    EXPECT_FALSE(IsPackageTrailer("AMBD1"));
    EXPECT_FALSE(IsPackageTrailer("ambd2"));
    EXPECT_FALSE(IsPackageTrailer(std::string("amb\0"
                                              "1",
                                              5)
                                      .c_str()));
}

TEST(PackageHead, StartFolderNeverLeavesTheWorkFolder)
{
    EXPECT_EQ("", StartFolder({{"..\\..\\windows\\index.html"}}, true));
    EXPECT_EQ("", StartFolder({{"show\\..\\..\\index.html"}}, true));
    EXPECT_EQ("", StartFolder({{"c:\\evil\\index.html"}}, true));
    EXPECT_EQ("", StartFolder({{"\\evil\\index.html"}}, true));
    EXPECT_EQ("", StartFolder({{"documents\\ambrel\\temp\\..\\x\\index.html"}}, false));
    for (const char* name : {"show/../../index.html", "CON\\index.html", "show.\\index.html", "a:b\\index.html"})
        EXPECT_EQ("", StartFolder({{name}}, true)) << name;
    // Dots inside a name are fine.
    EXPECT_EQ("my..show", StartFolder({{"my..show\\index.html"}}, true));
}

// A cabinet made by another tool (gcab) with the package's layout: its own
// file table gives the start folder.
TEST(PackageHead, CabinetWrittenByGcab)
{
    char dir[] = "/tmp/ambrel-head-XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(dir));
    std::string base = dir;
    ASSERT_EQ(0, std::system(("mkdir -p " + base + "/show/resources && echo page > " + base +
                              "/show/index.html && echo nav > " + base + "/show/resources/left.html")
                                 .c_str()));
    ASSERT_EQ(0,
              std::system(("cd " + base + " && gcab -c -z show.cab show/resources/left.html show/index.html").c_str()));
    std::ifstream in(base + "/show.cab", std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    std::string file = bytes.str() + kPackageTrailer;
    EXPECT_EQ("show", FindStartFolderInHead(HeadBuffer(file), true));
    std::system(("rm -rf " + base).c_str());
}
