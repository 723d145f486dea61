// Real cabinets from other writers (stored, MSZIP, LZX:18, LZX:21): every
// member extracts to the sha256 its MANIFEST gives (as cabextract extracts
// it), and to the same tree as cabextract; a Quantum member is refused with
// a clear message; the damaged ones fail clearly and write nothing; a
// package trailer after the cabinet changes nothing.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "tests/arch/host_support.h"

using namespace archtest;

namespace {

// cabinet name -> member path (with '/') -> sha256
std::map<std::string, std::map<std::string, std::string>> Manifest()
{
    std::map<std::string, std::map<std::string, std::string>> manifest;
    std::istringstream in(ReadBytes(FixturesDir() + "/MANIFEST.sha256"));
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        const std::string hash = line.substr(0, 64);
        const std::string path = line.substr(66);
        const std::size_t slash = path.find('/');
        manifest[path.substr(0, slash)][path.substr(slash + 1)] = hash;
    }
    return manifest;
}

std::string Sha256(const std::string& path)
{
    Ran ran = RunShell("sha256sum " + ShellQuote(path));
    return ran.status == 0 ? ran.output.substr(0, 64) : "sha256sum failed: " + ran.output;
}

// The one member of the fixtures that arch refuses, and its message.
const char kQuantumMember[] = "mixed/qtm.txt";
const char kQuantumRefusal[] = "Quantum compression is not supported";

class FixtureCabinet : public testing::TestWithParam<std::string> {};

} // namespace

TEST(FixtureManifest, ListsTheFixtures)
{
    const auto manifest = Manifest();
    ASSERT_GE(manifest.size(), 8u) << "fixtures not found in " << FixturesDir();
    EXPECT_TRUE(manifest.count("large-files-cab"));
    EXPECT_TRUE(manifest.count("mixed"));
}

TEST_P(FixtureCabinet, ExtractsToItsManifestAndAgreesWithCabextract)
{
    const std::string name = GetParam();
    const std::string cabinet = FixturesDir() + "/" + name + ".cab";
    ScratchDir dir;
    const ArchRun run = RunArchiver({"-p", "X", cabinet, dir / "ours"});
    const auto manifest = Manifest();
    // (encoding-latin1 has no line: its 8-bit name is compared with
    // cabextract's below.)
    const auto listed = manifest.count(name) ? manifest.at(name) : std::map<std::string, std::string>();
    bool refused = false;
    for (const auto& member : listed) {
        const std::string key = name + "/" + member.first;
        const std::string extracted = dir / ("ours/" + member.first);
        if (key == kQuantumMember) {
            EXPECT_FALSE(Exists(extracted)) << key;
            EXPECT_NE(run.err.find(kQuantumRefusal), std::string::npos) << run.err;
            refused = true;
            continue;
        }
        ASSERT_TRUE(Exists(extracted)) << key << "\n" << run.err;
        EXPECT_EQ(Sha256(extracted), member.second) << key;
    }
    EXPECT_EQ(run.code, refused ? 1 : 0) << run.err;

    // The same tree as cabextract's, file for file (this also covers
    // members the manifest leaves out, such as 8-bit names).
    const Ran peer = RunShell("cabextract -q -d " + ShellQuote(dir / "peer") + " " + ShellQuote(cabinet));
    ASSERT_EQ(peer.status, 0) << peer.output;
    auto theirs = TreeContents(dir / "peer");
    if (refused) theirs.erase(std::string(kQuantumMember).substr(name.size() + 1));
    EXPECT_EQ(TreeContents(dir / "ours"), theirs);
}

TEST_P(FixtureCabinet, TrailerAfterTheCabinetIsIgnored)
{
    const std::string name = GetParam();
    ScratchDir dir;
    WriteBytes(dir / "package.ambd", ReadBytes(FixturesDir() + "/" + name + ".cab") + "ambd1");
    const ArchRun bare = RunArchiver({"-p", "X", FixturesDir() + "/" + name + ".cab", dir / "bare"});
    const ArchRun packaged = RunArchiver({"-p", "X", dir / "package.ambd", dir / "packaged"});
    EXPECT_EQ(packaged.code, bare.code) << packaged.err;
    EXPECT_FALSE(TreeContents(dir / "bare").empty()) << bare.err;
    EXPECT_EQ(TreeContents(dir / "packaged"), TreeContents(dir / "bare"));
}

INSTANTIATE_TEST_SUITE_P(Real, FixtureCabinet,
                         testing::Values("simple", "dir", "case-ascii", "encoding-latin1", "normal_255c_filename",
                                         "reserve_---", "normal_2files_2folders", "mixed", "large-files-cab"),
                         [](const testing::TestParamInfo<std::string>& info) {
                             std::string n = info.param;
                             for (char& c : n)
                                 if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                             return n;
                         });

TEST(DamagedFixture, FailClearlyAndWriteNothing)
{
    const std::pair<const char*, const char*> damaged[] = {
        {"partial_shortfile1.cab", "the cabinet is truncated"},
        {"bad_signature.cab", "not a cabinet file"},
    };
    for (const auto& d : damaged) {
        ScratchDir dir;
        WriteBytes(dir / "sentinel", "keep");
        const ArchRun run = RunArchiver({"-o", "-p", "X", FixturesDir() + "/" + d.first, dir / "out"});
        EXPECT_EQ(run.code, 1) << d.first;
        EXPECT_NE(run.err.find(d.second), std::string::npos) << run.err;
        EXPECT_NE(run.err.find(d.first), std::string::npos) << "the message names the file: " << run.err;
        // Nothing beside the sentinel: not even the destination folder.
        EXPECT_EQ(TreeContents(dir.Path()), (std::map<std::string, std::string>{{"sentinel", "keep"}}));
        EXPECT_FALSE(Exists(dir / "out"));
        const ArchRun list = RunArchiver({"L", FixturesDir() + "/" + d.first});
        EXPECT_EQ(list.code, 1);
        EXPECT_NE(list.err.find(d.second), std::string::npos) << list.err;
    }
}
