// Start-up as the user meets it: the sheet of each edition, the splash
// program that is started, the file-type registration, the package path on
// the command line and the "?" buttons. The user interface runs for real on
// the test's main thread; a driver thread looks at it and closes it.
#include "shell/ambrel_app.h"

#include <gtest/gtest.h>
#include <sddl.h>

#include "resources/resource.h"
#include "system/install_paths.h"
#include "tests/support/gui_driver.h"
#include "tests/support/test_env.h"

using testenv::Recorder;
using testenv::TestRoot;

namespace {

const char kDocumentCaption[] = "Ambrel";

struct SheetSeen {
    bool shown = false;
    std::string caption;
    std::vector<std::string> tabs;
    std::string firstPageTitle;
    bool standardButtonsHidden = false;
    bool canMinimise = false;
};

// Runs start-up with a command line; when a sheet appears, records what it
// shows and closes it.
SheetSeen RunStartup(const std::string& commandLine, const std::string& expectedCaption, DWORD waitMs = 15000)
{
    SheetSeen seen;
    g_strDataFolder.clear();
    CAmbrelApp app;
    app.m_lpCmdLine = commandLine;
    gui::RunDriven([&] { app.InitInstance(); },
                   [&] {
                       HWND sheet = gui::WaitForWindow(expectedCaption, waitMs);
                       if (!sheet) return;
                       seen.shown = true;
                       seen.caption = gui::Text(sheet);
                       seen.tabs = gui::TabTitles(sheet);
                       HWND page = gui::CurrentPage(sheet);
                       seen.firstPageTitle = page ? gui::Text(page) : "";
                       seen.standardButtonsHidden = true;
                       for (int id : {IDOK, IDCANCEL, IDHELP, 12321}) {
                           HWND b = ::GetDlgItem(sheet, id);
                           if (b && ::IsWindowVisible(b)) seen.standardButtonsHidden = false;
                       }
                       seen.canMinimise = (::GetWindowLongPtrA(sheet, GWL_STYLE) & WS_MINIMIZEBOX) != 0;
                       ::PostMessageA(sheet, WM_SYSCOMMAND, SC_CLOSE, 0);
                   });
    return seen;
}

} // namespace

TEST(Startup, NoArgumentsShowsTheDocumentEdition)
{
    TestRoot t;
    SheetSeen seen = RunStartup("", kDocumentCaption);
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ("Ambrel", seen.caption);
    EXPECT_EQ(
        (std::vector<std::string>{"View an Ambrel document", "Create an Ambrel document", "Create a Photo Album"}),
        seen.tabs);
    EXPECT_EQ("View an Ambrel document", seen.firstPageTitle);
    EXPECT_TRUE(seen.standardButtonsHidden);
    EXPECT_TRUE(seen.canMinimise);
}

TEST(Startup, SnapvaleSwitchShowsThePhotoEdition)
{
    TestRoot t;
    SheetSeen seen = RunStartup("-Snapvale", kPhotoEditionTitle);
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ("Snapvale - an Ambrel product from Corvane", seen.caption);
    EXPECT_EQ((std::vector<std::string>{"View a Photo Album", "Create a Photo Album"}), seen.tabs);
    EXPECT_TRUE(seen.standardButtonsHidden);
}

TEST(Startup, PathBeforeTheSwitchIsIgnored)
{
    TestRoot t;
    Recorder recorder;
    SheetSeen seen = RunStartup("c:\\x.ambd -Snapvale", kPhotoEditionTitle);
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ((std::vector<std::string>{"View a Photo Album", "Create a Photo Album"}), seen.tabs);
    EXPECT_TRUE(recorder.StaysAt(0, 500)) << "no package may be opened";
}

TEST(Startup, SwitchInsideAFileNameCountsAsTheSwitch)
{
    TestRoot t;
    Recorder recorder;
    SheetSeen seen = RunStartup("\"c:\\trips\\my-Snapvale-album.ambd\"", kPhotoEditionTitle);
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(2u, seen.tabs.size());
    EXPECT_TRUE(recorder.StaysAt(0, 500));
}

TEST(Startup, LowerCaseSwitchIsAPackagePath)
{
    TestRoot t;
    Recorder recorder;
    // A page left in the work folder by an earlier run.
    testenv::WriteFile(t.WorkFolder() + "index.html", "<html></html>");
    g_strDataFolder.clear();
    CAmbrelApp app;
    app.m_lpCmdLine = "-snapvale";
    std::string box;
    bool sheetShown = false;
    gui::RunDriven([&] { app.InitInstance(); },
                   [&] {
                       HWND message = gui::WaitForMessageBox();
                       for (HWND w : gui::TopLevelWindows())
                           if (gui::IsShown(w) && ::FindWindowExA(w, nullptr, "SysTabControl32", nullptr))
                               sheetShown = true;
                       if (!message) return;
                       box = gui::StaticTexts(message);
                       ::PostMessageA(message, WM_COMMAND, IDOK, 0);
                   });
    EXPECT_FALSE(sheetShown) << "a package path shows no sheet";
    // The opener went to the package path: nothing can be read from it, the
    // user is told so, and the page an earlier run left is not shown.
    EXPECT_EQ("-snapvale was not found.", box);
    EXPECT_TRUE(recorder.StaysAt(0, 1000));
}

TEST(Startup, RegistersThePackageFileTypeFromTheInstallRoot)
{
    TestRoot t;
    for (const char* key : {".ambd", "Ambrelfile"}) testenv::DeleteRegistryTree(HKEY_CLASSES_ROOT, key);
    RunStartup("", kDocumentCaption);

    std::string value;
    ASSERT_TRUE(testenv::GetRegistryString(HKEY_CLASSES_ROOT, ".ambd", nullptr, value));
    EXPECT_EQ("Ambrelfile", value);
    ASSERT_TRUE(testenv::GetRegistryString(HKEY_CLASSES_ROOT, "Ambrelfile", nullptr, value));
    EXPECT_EQ("Ambrel file", value);
    ASSERT_TRUE(testenv::GetRegistryString(HKEY_CLASSES_ROOT, "Ambrelfile\\DefaultIcon", nullptr, value));
    EXPECT_EQ(t.Root() + "corvane\\res\\utilities\\ambrel\\ambrel.exe", value);
    ASSERT_TRUE(testenv::GetRegistryString(HKEY_CLASSES_ROOT, "Ambrelfile\\Shell\\Play\\Command", nullptr, value));
    EXPECT_EQ(t.Root() + "corvane\\res\\utilities\\ambrel\\ambrel.exe %1", value);
    // No default verb is set on Shell.
    EXPECT_FALSE(testenv::GetRegistryString(HKEY_CLASSES_ROOT, "Ambrelfile\\Shell", nullptr, value) && !value.empty());
}

TEST(Startup, RegistrationRewritesChangedValues)
{
    TestRoot t;
    testenv::SetRegistryString(HKEY_CLASSES_ROOT, ".ambd", nullptr, "SomethingElse");
    testenv::SetRegistryString(HKEY_CLASSES_ROOT, "Ambrelfile\\Shell\\Play\\Command", nullptr, "old.exe %1");
    RunStartup("", kDocumentCaption);
    std::string value;
    ASSERT_TRUE(testenv::GetRegistryString(HKEY_CLASSES_ROOT, ".ambd", nullptr, value));
    EXPECT_EQ("Ambrelfile", value);
    ASSERT_TRUE(testenv::GetRegistryString(HKEY_CLASSES_ROOT, "Ambrelfile\\Shell\\Play\\Command", nullptr, value));
    EXPECT_EQ(t.Root() + "corvane\\res\\utilities\\ambrel\\ambrel.exe %1", value);
}

namespace {
// Sets a key's access list from a security descriptor string.
bool SetKeyAccess(const char* subkey, const char* sddl)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, subkey, 0, WRITE_DAC, &key) != ERROR_SUCCESS) return false;
    PSECURITY_DESCRIPTOR sd = nullptr;
    bool ok = ::ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &sd, nullptr) &&
              ::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, sd) == ERROR_SUCCESS;
    if (sd) ::LocalFree(sd);
    ::RegCloseKey(key);
    return ok;
}
} // namespace

TEST(Startup, UnwritableClassesDoNotStopStartup)
{
    TestRoot t;
    testenv::SetRegistryString(HKEY_CLASSES_ROOT, ".ambd", nullptr, "Old");
    testenv::SetRegistryString(HKEY_CLASSES_ROOT, "Ambrelfile", nullptr, "Old");
    // Everyone may read these keys, nobody may change them.
    ASSERT_TRUE(SetKeyAccess(".ambd", "D:P(A;;KR;;;WD)"));
    ASSERT_TRUE(SetKeyAccess("Ambrelfile", "D:P(A;;KR;;;WD)"));

    SheetSeen seen = RunStartup("", kDocumentCaption);

    std::string extension, type;
    testenv::GetRegistryString(HKEY_CLASSES_ROOT, ".ambd", nullptr, extension);
    testenv::GetRegistryString(HKEY_CLASSES_ROOT, "Ambrelfile", nullptr, type);
    SetKeyAccess(".ambd", "D:P(A;;KA;;;WD)");
    SetKeyAccess("Ambrelfile", "D:P(A;;KA;;;WD)");

    EXPECT_TRUE(seen.shown) << "the sheet comes up as usual";
    EXPECT_EQ("Old", extension) << "the key really was unwritable";
    EXPECT_EQ("Old", type);
}

TEST(Startup, StartupPreparesTheWorkFolders)
{
    TestRoot t;
    RunStartup("", kDocumentCaption);
    EXPECT_TRUE(testenv::IsDirectory(t.DataFolder() + "ambrel\\temp"));
}

// ---- The splash program ----------------------------------------------------

struct SplashCase {
    bool photoEdition;
    bool splashPresent;
    bool glowcardPresent;
    const char* expected; // program name that starts, or nullptr for none
};

void PrintTo(const SplashCase& c, std::ostream* os)
{
    *os << (c.photoEdition ? "photo" : "document") << (c.splashPresent ? "+splash" : "")
        << (c.glowcardPresent ? "+glowcard" : "");
}

class StartupSplash : public ::testing::TestWithParam<SplashCase> {};

TEST_P(StartupSplash, StartsTheEditionsSplashOrTheOther)
{
    const SplashCase& c = GetParam();
    TestRoot t;
    Recorder recorder;
    if (c.splashPresent) t.InstallProgram("tests\\support\\recorder.exe", "splash.exe");
    if (c.glowcardPresent) t.InstallProgram("tests\\support\\recorder.exe", "glowcard.exe");

    RunStartup(c.photoEdition ? "-Snapvale" : "", c.photoEdition ? kPhotoEditionTitle : kDocumentCaption);

    if (c.expected) {
        ASSERT_TRUE(recorder.WaitForLines(1));
        EXPECT_EQ(t.ProgramFolder() + c.expected, recorder.Lines()[0]);
        EXPECT_TRUE(recorder.StaysAt(1, 300)) << "exactly one splash program starts";
    } else {
        EXPECT_TRUE(recorder.StaysAt(0, 500));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Editions, StartupSplash,
    ::testing::Values(SplashCase{false, true, true, "splash.exe"}, SplashCase{false, true, false, "splash.exe"},
                      SplashCase{false, false, true, "glowcard.exe"}, SplashCase{false, false, false, nullptr},
                      SplashCase{true, true, true, "glowcard.exe"}, SplashCase{true, true, false, "splash.exe"},
                      SplashCase{true, false, true, "glowcard.exe"}, SplashCase{true, false, false, nullptr}));

TEST(StartupSplashChoice, ChoosesWithoutLookingAtTheDisk)
{
    EXPECT_STREQ("corvane\\res\\utilities\\ambrel\\splash.exe", ChooseSplashProgram(false, false, false));
    EXPECT_STREQ("corvane\\res\\utilities\\ambrel\\glowcard.exe", ChooseSplashProgram(true, false, false));
}

// ---- The "?" buttons -------------------------------------------------------

namespace {
// Starts the sheet, clicks "?" on page `pageIndex` and returns what the
// browser was asked to open.
std::vector<std::string> HelpOpenedFrom(const std::string& commandLine, const std::string& caption, int pageIndex)
{
    TestRoot t;
    t.InstallReadmes();
    Recorder recorder;
    g_strDataFolder.clear();
    CAmbrelApp app;
    app.m_lpCmdLine = commandLine;
    gui::RunDriven([&] { app.InitInstance(); },
                   [&] {
                       HWND sheet = gui::WaitForWindow(caption);
                       if (!sheet) return;
                       gui::SelectPage(sheet, pageIndex);
                       HWND page = gui::CurrentPage(sheet);
                       gui::Click(page, IDC_HELP_BUTTON);
                       recorder.WaitForLines(1);
                       ::PostMessageA(sheet, WM_SYSCOMMAND, SC_CLOSE, 0);
                   });
    std::vector<std::string> lines = recorder.Lines();
    for (std::string& line : lines)
        if (line.rfind(t.ProgramFolder(), 0) == 0) line = line.substr(t.ProgramFolder().size());
    return lines;
}
} // namespace

TEST(HelpButton, DocumentEditionPagesOpenTheGeneralReadme)
{
    EXPECT_EQ(std::vector<std::string>{"readme.html"}, HelpOpenedFrom("", kDocumentCaption, 0));
    EXPECT_EQ(std::vector<std::string>{"readme.html"}, HelpOpenedFrom("", kDocumentCaption, 1));
    EXPECT_EQ(std::vector<std::string>{"readme.html"}, HelpOpenedFrom("", kDocumentCaption, 2));
}

TEST(HelpButton, PhotoEditionPagesOpenThePhotoReadme)
{
    EXPECT_EQ(std::vector<std::string>{"snapvalereadme.html"}, HelpOpenedFrom("-Snapvale", kPhotoEditionTitle, 0));
    EXPECT_EQ(std::vector<std::string>{"snapvalereadme.html"}, HelpOpenedFrom("-Snapvale", kPhotoEditionTitle, 1));
}
