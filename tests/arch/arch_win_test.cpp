// arch.exe under Wine, run with the program's own packing and extraction
// command lines (quoted paths, doubled trailing backslashes), with Wine's
// extrac32 as an independent reader of what it writes with every method:
// stored, MSZIP and LZX of every window, at both levels of effort.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "tests/arch/crafted_cabinet.h"
#include "tests/arch/test_data.h"
#include "tests/support/test_env.h"

using archtest::U16;
using archtest::U32;
using testenv::TestRoot;

namespace {

struct Finished {
    DWORD exitCode = 0xFFFFFFFF;
    std::string output; // standard output and error
};

// Runs a command line hidden, as the program's launcher does, and waits.
Finished RunHidden(const std::string& commandLine, const std::string& currentDirectory)
{
    Finished finished;
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    char tempDir[MAX_PATH], tempFile[MAX_PATH];
    ::GetTempPathA(MAX_PATH, tempDir);
    ::GetTempFileNameA(tempDir, "arc", 0, tempFile);
    HANDLE log = ::CreateFileA(tempFile, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    si.wShowWindow = SW_HIDE;
    si.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = log;
    si.hStdError = log;
    PROCESS_INFORMATION pi = {};
    std::string line = commandLine;
    if (::CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                         currentDirectory.empty() ? nullptr : currentDirectory.c_str(), &si, &pi)) {
        ::WaitForSingleObject(pi.hProcess, 120000);
        ::GetExitCodeProcess(pi.hProcess, &finished.exitCode);
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
    } else {
        finished.output = "CreateProcess failed: " + std::to_string(::GetLastError());
    }
    ::CloseHandle(log);
    finished.output += testenv::ReadFile(tempFile);
    ::DeleteFileA(tempFile);
    return finished;
}

std::string ArchPath(const TestRoot& root) { return root.ProgramFolder() + "arch.exe"; }

// The packing line exactly as the program builds it: the prefix is the
// work folder without its drive, written with a doubled final backslash.
std::string PackingLine(const TestRoot& root, const std::string& output, const std::string& packageFolder)
{
    const std::string work = root.WorkFolder();
    const std::string prefix = work.substr(work.find('\\') + 1);
    return "\"" + ArchPath(root) + "\" -m LZX:21 -r -p -P \"" + prefix + "\\\" N \"" + output + "\" \"" +
           packageFolder + "\\*.*\"";
}

// The extraction line exactly as the program builds it: the program path
// unquoted, the destination (a folder ending in a backslash, like the work
// folder) followed by one more backslash.
std::string ExtractionLine(const TestRoot& root, const std::string& package, const std::string& destination)
{
    return ArchPath(root) + " -o -m LZX:21 -r -p X \"" + package + "\" \"" + destination + "\\\"";
}

Finished RunExtrac32(const std::string& cabinet, const std::string& destination)
{
    char system[MAX_PATH];
    ::GetSystemDirectoryA(system, MAX_PATH);
    return RunHidden("\"" + std::string(system) + "\\extrac32.exe\" /E /L \"" + destination + "\" \"" + cabinet + "\"",
                     "");
}

using Tree = std::map<std::string, std::string>;

Tree ReadTree(const std::string& folder)
{
    Tree tree;
    for (const std::string& name : testenv::ListFiles(folder)) tree[name] = testenv::ReadFile(folder + "\\" + name);
    return tree;
}

void WriteTree(const std::string& folder, const Tree& tree)
{
    for (const auto& f : tree) {
        const std::string path = folder + "\\" + f.first;
        testenv::MakeDirectories(path.substr(0, path.rfind('\\')));
        testenv::WriteFile(path, f.second);
    }
}

Tree PackageTree()
{
    return {{"index.html", "<html><frameset><frame src=\"left.html\"></frameset></html>\r\n"},
            {"left.html", archtest::RandomText(3000, 1)},
            {"empty.txt", ""},
            {"resources\\left.html", archtest::RandomText(900, 2)},
            {"resources\\photo.jpg", archtest::RandomBytes(100000, 3)},
            {"resources\\long page.html", archtest::RandomText(150000, 4)},
            {"resources\\nested\\deeper\\a b.txt", "spaces"}};
}

// The stored names, read from the cabinet's file table by the published
// layout, in order, each with the offset of its record in the file.
std::vector<std::pair<std::string, std::size_t>> StoredNames(const std::string& cab)
{
    std::vector<std::pair<std::string, std::size_t>> names;
    std::size_t at = U32(cab, 16);
    const uint32_t count = U16(cab, 28);
    for (uint32_t i = 0; i < count; ++i) {
        const std::size_t end = cab.find('\0', at + 16);
        names.emplace_back(cab.substr(at + 16, end - at - 16), at);
        at = end + 1;
    }
    return names;
}

Tree Under(const std::string& folder, const Tree& tree)
{
    Tree result;
    for (const auto& f : tree) result[folder + "\\" + f.first] = f.second;
    return result;
}

} // namespace

namespace {

// The road of a package: the package folder <work folder><name> is packed
// by the program's packing line into `package`; Wine's extrac32 restores
// it byte for byte; the program's trailer is appended; the folder is
// removed and the program's extraction line restores it into the work
// folder, run from the install root. Gives the cabinet's stored names.
void PackAndExtract(const TestRoot& root, const std::string& name, const std::string& package,
                    std::vector<std::pair<std::string, std::size_t>>& stored)
{
    const Tree tree = PackageTree();
    const std::string work = root.WorkFolder();
    testenv::RemoveTree(work + name);
    WriteTree(work + name, tree);
    ::DeleteFileA(package.c_str());

    const Finished packed = RunHidden(PackingLine(root, package, work + name), "");
    ASSERT_EQ(packed.exitCode, 0u) << packed.output;
    const std::string cabinet = testenv::ReadFile(package);
    ASSERT_EQ(cabinet.substr(0, 4), "MSCF");
    stored = StoredNames(cabinet);

    const std::string byWine = root.Base() + "\\by extrac32";
    testenv::RemoveTree(byWine);
    const Finished wine = RunExtrac32(package, byWine);
    ASSERT_EQ(wine.exitCode, 0u) << wine.output;
    EXPECT_EQ(ReadTree(byWine), Under(name, tree));

    testenv::WriteFile(package, cabinet + "ambd1");
    testenv::RemoveTree(work + name);
    const Finished extracted = RunHidden(ExtractionLine(root, package, work), root.Root());
    ASSERT_EQ(extracted.exitCode, 0u) << extracted.output;
    EXPECT_EQ(ReadTree(work + name), tree);
}

} // namespace

TEST(ArchiverUnderWine, PacksAndExtractsWithTheProgramsCommandLines)
{
    TestRoot root;
    root.InstallArchiver();
    std::vector<std::pair<std::string, std::size_t>> stored;
    PackAndExtract(root, "show", root.DataFolder() + "show.ambd", stored);
    if (HasFatalFailure()) return;

    // Names relative to the prefix, with backslashes; the package folder's
    // own files before its subfolders, so that its start page is in the
    // head the program reads (the first 2056 bytes).
    std::set<std::string> names, expected;
    for (const auto& n : stored) names.insert(n.first);
    for (const auto& f : PackageTree()) expected.insert("show\\" + f.first);
    EXPECT_EQ(names, expected);
    EXPECT_TRUE(names.count("show\\index.html"));
    EXPECT_TRUE(names.count("show\\resources\\left.html"));
    for (const auto& n : stored) {
        if (n.first == "show\\index.html") {
            EXPECT_LT(n.second + 16 + n.first.size(), 2054u);
        }
    }

    // Again over the same files, one of them read-only: -o replaces them.
    const std::string work = root.WorkFolder();
    ::SetFileAttributesA((work + "show\\left.html").c_str(), FILE_ATTRIBUTE_READONLY);
    testenv::WriteFile(work + "show\\index.html", "changed since");
    const Finished again = RunHidden(ExtractionLine(root, root.DataFolder() + "show.ambd", work), root.Root());
    ASSERT_EQ(again.exitCode, 0u) << again.output;
    EXPECT_EQ(ReadTree(work + "show"), PackageTree());
}

TEST(ArchiverUnderWine, PathsWithSpacesReachTheArchiverWhole)
{
    TestRoot root;
    root.InstallArchiver();
    testenv::MakeDirectories(root.DataFolder() + "My Packages");
    std::vector<std::pair<std::string, std::size_t>> stored;
    PackAndExtract(root, "my show", root.DataFolder() + "My Packages\\my show.ambd", stored);
    ASSERT_FALSE(stored.empty());
    for (const auto& n : stored) EXPECT_EQ(n.first.substr(0, 8), "my show\\");
}

namespace {

// Options of a packing run: the method and, for some, the fast level.
class ArchiverMethodUnderWine : public testing::TestWithParam<const char*> {};

} // namespace

// The LZX sample files (for the method's window), with the build's own
// programs as the x86 samples, packed by arch.exe into one folder of the
// method's type; Wine's extrac32 and arch.exe both restore every file.
TEST_P(ArchiverMethodUnderWine, Extrac32AndArchRestoreEveryFile)
{
    TestRoot root;
    root.InstallArchiver();
    const std::string options = GetParam();
    const std::size_t lzx = options.find("LZX:");
    const int windowBits = lzx == std::string::npos ? 21 : std::stoi(options.substr(lzx + 4));
    const uint32_t expectedType = lzx != std::string::npos ? static_cast<uint32_t>(windowBits << 8 | 3)
                                  : options.find("MSZIP") != std::string::npos ? 1u
                                                                               : 0u;
    const std::string photo = testenv::ReadFile(testenv::HostToWindowsPath(ARCH_TEST_PHOTO));
    const std::string program = testenv::ReadFile(testenv::BuiltProgram("arch\\arch.exe"));
    ASSERT_GT(photo.size(), 10000u) << "the build made no photo";
    ASSERT_GT(program.size(), 100000u);
    archtest::FileTree tree;
    for (const archtest::SampleFile& f : archtest::LzxSampleFiles(windowBits, photo, program)) tree[f.name] = f.bytes;
    tree["ambrel.exe"] = testenv::ReadFile(testenv::BuiltProgram("ambrel.exe"));
    WriteTree(root.Base() + "\\src\\pkg", tree);

    const std::string cab = root.Base() + "\\packed.cab";
    auto pack = [&](const std::string& into, const std::string& more) {
        return RunHidden("\"" + ArchPath(root) + "\" " + more + options + " -r -p -P \"" + root.Base() +
                             "\\src\" N \"" + into + "\" \"" + root.Base() + "\\src\\pkg\"",
                         "");
    };
    const Finished packed = pack(cab, "");
    ASSERT_EQ(packed.exitCode, 0u) << packed.output;
    const std::string cabinet = testenv::ReadFile(cab);
    ASSERT_EQ(U16(cabinet, 26), 1u); // one folder
    EXPECT_EQ(U16(cabinet, 42), expectedType) << "typeCompress for " << options;
    // Packed on one thread or on four, the cabinet is the same as on the
    // processors' count that arch.exe takes by default.
    for (const char* threads : {"1", "4"}) {
        const std::string other = root.Base() + "\\threads-" + threads + ".cab";
        const Finished again = pack(other, std::string("-j ") + threads + " ");
        ASSERT_EQ(again.exitCode, 0u) << again.output;
        EXPECT_TRUE(testenv::ReadFile(other) == cabinet) << options << " on " << threads << " threads";
    }

    const Finished wine = RunExtrac32(cab, root.Base() + "\\extrac32");
    ASSERT_EQ(wine.exitCode, 0u) << wine.output;
    EXPECT_EQ(archtest::TreeDifferences(ReadTree(root.Base() + "\\extrac32"), Under("pkg", tree)), "")
        << options << ", as extrac32 extracts it";

    const Finished extracted = RunHidden(ExtractionLine(root, cab, root.Base() + "\\arch\\"), "");
    ASSERT_EQ(extracted.exitCode, 0u) << extracted.output;
    EXPECT_EQ(archtest::TreeDifferences(ReadTree(root.Base() + "\\arch"), Under("pkg", tree)), "")
        << options << ", as arch.exe extracts it";
}

INSTANTIATE_TEST_SUITE_P(Methods, ArchiverMethodUnderWine,
                         testing::Values("-m NONE", "-m MSZIP", "-f -m MSZIP", "-m LZX:15", "-m LZX:16", "-m LZX:17",
                                         "-m LZX:18", "-m LZX:19", "-m LZX:20", "-m LZX:21", "-f -m LZX:15",
                                         "-f -m LZX:16", "-f -m LZX:17", "-f -m LZX:18", "-f -m LZX:19", "-f -m LZX:20",
                                         "-f -m LZX:21", "-x -m LZX:15", "-x -m LZX:16", "-x -m LZX:17", "-x -m LZX:18",
                                         "-x -m LZX:19", "-x -m LZX:20", "-x -m LZX:21"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             std::string name;
                             for (const char* c = info.param; *c; ++c)
                                 if (isalnum(static_cast<unsigned char>(*c))) name += *c;
                             return name;
                         });

TEST(ArchiverUnderWine, RealCabinetsExtractAsExtrac32ExtractsThem)
{
    TestRoot root;
    root.InstallArchiver();
    const std::string fixtures = testenv::HostToWindowsPath(ARCH_CAB_FIXTURES);
    // (normal_255c_filename is left out: its 255-character name passes
    // MAX_PATH below the test's folder, where Wine's extrac32 never ends.)
    for (const char* name : {"simple", "dir", "case-ascii", "reserve_---"}) {
        const std::string cab = fixtures + "\\" + name + ".cab";
        const std::string ours = root.Base() + "\\ours\\" + name, theirs = root.Base() + "\\wine\\" + name;
        const Finished extracted = RunHidden(ExtractionLine(root, cab, ours + "\\"), "");
        EXPECT_EQ(extracted.exitCode, 0u) << name << ": " << extracted.output;
        const Finished wine = RunExtrac32(cab, theirs);
        ASSERT_EQ(wine.exitCode, 0u) << wine.output;
        EXPECT_FALSE(ReadTree(theirs).empty()) << name;
        EXPECT_EQ(ReadTree(ours), ReadTree(theirs)) << name;
    }
    // Damaged ones fail with a message and create nothing.
    for (const char* name : {"partial_shortfile1", "bad_signature"}) {
        const std::string dest = root.Base() + "\\damaged\\" + name;
        const Finished run = RunHidden(ExtractionLine(root, fixtures + "\\" + name + ".cab", dest + "\\"), "");
        EXPECT_EQ(run.exitCode, 1u) << name;
        EXPECT_NE(run.output.find(name), std::string::npos) << run.output;
        EXPECT_FALSE(testenv::Exists(dest));
    }
}

TEST(ArchiverUnderWine, NamesLeavingTheDestinationWriteNothingOutsideIt)
{
    TestRoot root;
    root.InstallArchiver();
    const std::string base = root.Base();
    const std::string evilOnC = "C:\\arch-evil-" + testenv::CurrentTestName() + ".txt";
    ::DeleteFileA(evilOnC.c_str());
    const std::string absolute = evilOnC.substr(2); // "\arch-evil-....txt"
    const archtest::CraftedCabinet cab = archtest::StoredCabinet({{"..\\..\\evil.txt", "EVIL"},
                                                                  {evilOnC, "EVIL"},
                                                                  {absolute, "EVIL"},
                                                                  {"sub\\..\\..\\evil2.txt", "EVIL"},
                                                                  {"c:evil3.txt", "EVIL"},
                                                                  {"good.txt", "good"}});
    testenv::MakeDirectories(base + "\\cab");
    testenv::WriteFile(base + "\\cab\\hostile.cab", cab.Build());
    const std::string dest = base + "\\a\\b\\dest";
    const Finished run = RunHidden(ExtractionLine(root, base + "\\cab\\hostile.cab", dest + "\\"), base);
    EXPECT_EQ(run.exitCode, 1u) << run.output;
    EXPECT_NE(run.output.find("\"..\\..\\evil.txt\" not extracted"), std::string::npos) << run.output;
    EXPECT_EQ(ReadTree(dest), (Tree{{"good.txt", "good"}}));
    EXPECT_FALSE(testenv::Exists(evilOnC));
    EXPECT_FALSE(testenv::Exists(base + "\\a\\evil.txt"));
    EXPECT_FALSE(testenv::Exists(base + "\\a\\evil2.txt"));
    EXPECT_FALSE(testenv::Exists("C:evil3.txt"));
    const auto everything = testenv::ListFiles(base);
    for (const std::string& f : everything) EXPECT_EQ(f.find("evil"), std::string::npos) << f;
}
