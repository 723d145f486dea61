// Copying files and folder trees into a package and deleting an earlier
// build, on the real file system of the test's Wine prefix.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/command_guard.h"
#include "framework/file_dialog.h"
#include "framework/file_exception.h"
#include "framework/win_app.h"
#include "model/ambrel_utilities.h"
#include "system/install_paths.h"
#include "tests/generate/scratch_folder.h"
#include "tests/support/gui_driver.h"
#include "tests/support/test_env.h"
#include "tests/support/windows_path_model.h"

using testenv::Exists;
using testenv::ReadFile;
using testenv::WriteFile;

namespace {

// Bytes that show a lost or moved piece: every position has its own value.
std::string Pattern(size_t size)
{
    std::string s(size, '\0');
    uint32_t x = 2463534242u;
    for (size_t i = 0; i < size; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        s[i] = static_cast<char>(x);
    }
    return s;
}

FILETIME LastWriteTime(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

uint64_t Ticks(const FILETIME& t) { return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

void SetLastWriteTime(const std::string& path, int year)
{
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(year);
    st.wMonth = 6;
    st.wDay = 1;
    FILETIME ft{};
    ::SystemTimeToFileTime(&st, &ft);
    HANDLE h = ::CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    ::SetFileTime(h, nullptr, nullptr, &ft);
    ::CloseHandle(h);
}

bool IsReadOnly(const std::string& path)
{
    DWORD a = ::GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_READONLY);
}
} // namespace

// ---- CopyOneFile -----------------------------------------------------------

TEST(CopyOneFile, ReplacesTheWholeContentWithTheCopyTimeAndNoAttributes)
{
    std::string dir = Scratch();
    std::string source = dir + "\\source.bin";
    std::string target = dir + "\\target.bin";
    WriteFile(source, "short");
    WriteFile(target, std::string(10000, 'x'));
    SetLastWriteTime(source, 2001);
    ::SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_READONLY);

    FILETIME before{};
    ::GetSystemTimeAsFileTime(&before);
    EXPECT_TRUE(CAmbrelUtilities::CopyOneFile(source, target));
    EXPECT_EQ("short", ReadFile(target));
    // Timestamps have a resolution of a second or two on some file systems.
    EXPECT_GE(Ticks(LastWriteTime(target)) + 20000000ull, Ticks(before));
    EXPECT_FALSE(IsReadOnly(target));
    EXPECT_TRUE(IsReadOnly(source));
    ::SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(CopyOneFile, CopiesFilesOfManyPiecesAndOfNoBytes)
{
    std::string dir = Scratch();
    for (size_t size : {size_t(0), size_t(1), size_t(1) << 20, (size_t(7) << 20) / 2 + 3}) {
        std::string source = dir + "\\in" + std::to_string(size);
        std::string target = dir + "\\out" + std::to_string(size);
        std::string content = Pattern(size);
        WriteFile(source, content);
        ASSERT_TRUE(CAmbrelUtilities::CopyOneFile(source, target)) << size;
        ASSERT_TRUE(Exists(target)) << size;
        EXPECT_TRUE(ReadFile(target) == content) << size;
    }
}

TEST(CopyOneFile, MakesTheMissingFolderButNotTheOneAboveIt)
{
    std::string dir = Scratch();
    WriteFile(dir + "\\a.gif", "GIF89a");
    EXPECT_TRUE(CAmbrelUtilities::CopyOneFile(dir + "\\a.gif", dir + "\\new\\a.gif"));
    EXPECT_EQ("GIF89a", ReadFile(dir + "\\new\\a.gif"));

    EXPECT_FALSE(CAmbrelUtilities::CopyOneFile(dir + "\\a.gif", dir + "\\x\\y\\a.gif"));
    EXPECT_FALSE(Exists(dir + "\\x"));
}

TEST(CopyOneFile, FailuresLeaveTheDestinationAlone)
{
    std::string dir = Scratch();
    WriteFile(dir + "\\kept.txt", "kept");
    // No source.
    EXPECT_FALSE(CAmbrelUtilities::CopyOneFile(dir + "\\missing.txt", dir + "\\kept.txt"));
    EXPECT_EQ("kept", ReadFile(dir + "\\kept.txt"));
    // A destination that another program holds open.
    WriteFile(dir + "\\source.txt", "new");
    HANDLE held = ::CreateFileA((dir + "\\kept.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    EXPECT_FALSE(CAmbrelUtilities::CopyOneFile(dir + "\\source.txt", dir + "\\kept.txt"));
    ::CloseHandle(held);
    EXPECT_EQ("kept", ReadFile(dir + "\\kept.txt"));
    // A file onto itself: the file is open for reading, so the copy cannot
    // take it over.
    EXPECT_FALSE(CAmbrelUtilities::CopyOneFile(dir + "\\source.txt", dir + "\\source.txt"));
    EXPECT_EQ("new", ReadFile(dir + "\\source.txt"));
}

// ---- DeleteTree ------------------------------------------------------------

TEST(DeleteTree, AMissingFolderIsNothingToDo)
{
    std::string dir = Scratch();
    WriteFile(dir + "\\other.txt", "x");
    EXPECT_FALSE(CAmbrelUtilities::DeleteTree(dir + "\\absent\\*.*"));
    EXPECT_EQ("x", ReadFile(dir + "\\other.txt"));
}

TEST(DeleteTree, RemovesEverythingAndTheFolderItself)
{
    std::string dir = Scratch();
    std::string tree = dir + "\\show";
    WriteFile(tree + "\\index.html", "i");
    WriteFile(tree + "\\resources\\left.html", "l");
    WriteFile(tree + "\\resources\\report_files\\img\\deep\\x.gif", "g");
    testenv::MakeDirectories(tree + "\\resources\\empty\\emptier");
    WriteFile(tree + "\\hidden.txt", "h");
    ::SetFileAttributesA((tree + "\\hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    WriteFile(dir + "\\show2\\keep.txt", "k");

    EXPECT_TRUE(CAmbrelUtilities::DeleteTree(tree + "\\*.*"));
    EXPECT_FALSE(Exists(tree));
    // A neighbour whose name begins the same is not touched.
    EXPECT_EQ("k", ReadFile(dir + "\\show2\\keep.txt"));
}

TEST(DeleteTree, AFileTheSystemWillNotDeleteRaisesAFileError)
{
    std::string dir = Scratch();
    std::string tree = dir + "\\show";
    WriteFile(tree + "\\locked.html", "old");
    ::SetFileAttributesA((tree + "\\locked.html").c_str(), FILE_ATTRIBUTE_READONLY);
    bool raised = false;
    try {
        CAmbrelUtilities::DeleteTree(tree + "\\*.*");
    } catch (const CFileException& e) {
        raised = true;
        EXPECT_EQ(tree + "\\locked.html", e.m_strFileName);
        EXPECT_EQ(CFileException::accessDenied, e.m_cause);
    }
    EXPECT_TRUE(raised);
    EXPECT_EQ("old", ReadFile(tree + "\\locked.html"));
    ::SetFileAttributesA((tree + "\\locked.html").c_str(), FILE_ATTRIBUTE_NORMAL);
}

// ---- CopyTree --------------------------------------------------------------

TEST(CopyTree, CopiesFilesBelowTheSourceToTheSamePlaces)
{
    std::string dir = Scratch();
    std::string from = dir + "\\t";
    std::string to = dir + "\\out";
    WriteFile(from + "\\top.css", "top");
    WriteFile(from + "\\a\\b.gif", "b");
    WriteFile(from + "\\a\\deeper\\c.png", "c");
    testenv::MakeDirectories(from + "\\empty\\emptier");
    testenv::MakeDirectories(to);

    EXPECT_TRUE(CAmbrelUtilities::CopyTree(from + "\\*.*", from, to));
    EXPECT_EQ((std::vector<std::string>{"a\\b.gif", "a\\deeper\\c.png", "top.css"}), testenv::ListFiles(to));
    EXPECT_EQ("b", ReadFile(to + "\\a\\b.gif"));
    // Folders without files are not reproduced.
    EXPECT_FALSE(Exists(to + "\\empty"));
}

TEST(CopyTree, AFolderHoldingOnlyAFolderIsNeverMade)
{
    // c:\t\a\b\c.gif is the only file: a holds nothing but b, so a is not
    // made, and the copy of c.gif cannot make two levels at once.
    std::string dir = Scratch();
    std::string from = dir + "\\t";
    std::string to = dir + "\\out";
    WriteFile(from + "\\a\\b\\c.gif", "c");
    testenv::MakeDirectories(to);

    EXPECT_TRUE(CAmbrelUtilities::CopyTree(from + "\\*.*", from, to));
    EXPECT_FALSE(Exists(to + "\\a"));
    EXPECT_TRUE(testenv::ListFiles(to).empty());
}

TEST(CopyTree, AMissingSourceCopiesNothing)
{
    std::string dir = Scratch();
    EXPECT_FALSE(CAmbrelUtilities::CopyTree(dir + "\\none\\*.*", dir + "\\none", dir + "\\out"));
    EXPECT_FALSE(Exists(dir + "\\out"));
}

// ---- The file error of an earlier build, as the user meets it --------------

TEST(GenerationFileError, AReadOnlyFileOfAnEarlierBuildEndsTheCommandWithTheFileErrorBox)
{
    testenv::TestRoot t;
    g_strDataFolder.clear();
    t.InstallTemplate();
    testenv::Recorder recorder;
    CWinApp app("Ambrel");
    std::string package = t.WorkFolder() + "show";
    WriteFile(package + "\\resources\\left.html", "from an earlier build");
    ::SetFileAttributesA((package + "\\resources\\left.html").c_str(), FILE_ATTRIBUTE_READONLY);

    CAmbrelUtilities u;
    u.m_strAutoSeconds = "Not Automated";
    u.m_strTransition = "Standard";
    CFileDialog::SetChooser([&](const CFileDialog::Request&, std::vector<std::string>& paths) {
        paths.push_back(t.DataFolder() + "show.ambd");
        return true;
    });

    bool commandEnded = false;
    std::string boxText;
    gui::RunDriven(
        [&] {
            AfxRunGuarded([&] { u.GeneratePackage(""); });
            commandEnded = true;
        },
        [&] {
            HWND box = gui::WaitForMessageBox();
            if (!box) return;
            boxText = gui::StaticTexts(box);
            ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        });
    CFileDialog::SetChooser(nullptr);

    EXPECT_TRUE(commandEnded);
    EXPECT_EQ("Access to " + package + "\\resources\\left.html was denied.", boxText);
    // The build stopped there: the old page is still in place, no template
    // was copied and nothing was opened.
    EXPECT_EQ("from an earlier build", ReadFile(package + "\\resources\\left.html"));
    EXPECT_FALSE(Exists(package + "\\index.html"));
    EXPECT_TRUE(recorder.StaysAt(0, 1000));
    ::SetFileAttributesA((package + "\\resources\\left.html").c_str(), FILE_ATTRIBUTE_NORMAL);
}

// The path model that the name rule's tests hold it against reads paths as
// the system does. It knows more devices than Wine does (COM0, LPT0 and the
// superscript digits that Windows documents as reserved, and device names
// followed by a stream), so those are only compared where Wine agrees.
TEST(PathModel, ReadsRandomNamesAsTheSystemDoes)
{
    auto beyondWine = [](const std::string& path) {
        const std::string last = testenv::Lower(path.substr(path.find_last_of("\\/") + 1));
        const std::size_t end = last.find_first_of(".:");
        std::string base = last.substr(0, end);
        while (!base.empty() && base.back() == ' ') base.pop_back();
        return last.find(':') != std::string::npos ||
               (base.size() == 4 && std::string("0\xb9\xb2\xb3").find(base[3]) != std::string::npos);
    };
    const std::string folder = "C:\\data\\ambrel\\temp\\show\\resources";
    int compared = 0;
    for (unsigned seed = 0; seed < 20000; ++seed) {
        const std::string path = folder + "\\" + pathmodel::DangerousName(seed);
        char full[1024] = {};
        DWORD length = ::GetFullPathNameA(path.c_str(), sizeof(full), full, nullptr);
        if (length == 0 || length >= sizeof(full)) continue;
        const pathmodel::Resolved model = pathmodel::Resolve(path);
        if (model.device && beyondWine(path)) continue;
        if (model.device)
            EXPECT_EQ(0u, std::string(full).rfind("\\\\.\\", 0)) << path << " -> " << full;
        else
            EXPECT_EQ(pathmodel::Join(model), full) << path;
        ++compared;
    }
    EXPECT_GT(compared, 19000);
}
