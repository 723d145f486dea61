// A package from end to end under Wine: packed by the program's own packing
// step with the real archiver, then opened from the viewing page, from the
// command line at start-up, and by the command the shell runs for a
// double click. The browser is the recorder.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <functional>

#include "framework/command_guard.h"
#include "framework/file_dialog.h"
#include "framework/win_app.h"
#include "framework/property_sheet.h"
#include "model/ambrel_utilities.h"
#include "resources/resource.h"
#include "shell/ambrel_app.h"
#include "shell/file_type_registration.h"
#include "system/install_paths.h"
#include "tests/support/gui_driver.h"
#include "tests/support/test_env.h"
#include "view/view_page.h"

using testenv::Exists;
using testenv::ReadFile;
using testenv::Recorder;
using testenv::TestRoot;
using testenv::WriteFile;

namespace {

const char kIndexPage[] =
    "<html><frameset cols=\"220,*\"><frame src=\"resources/left.html\"><frame name=\"main\"></frameset></html>";
const char kLeftPage[] = "<html><body>navigation</body></html>";

class OpenPackage : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_strDataFolder.clear();
        root = std::make_unique<TestRoot>();
        root->InstallArchiver();
        recorder = std::make_unique<Recorder>();
        packagePath = root->Base() + "\\My Shows\\show.ambd";
        testenv::MakeDirectories(root->Base() + "\\My Shows");
    }
    void TearDown() override { CFileDialog::SetChooser(nullptr); }

    // A package folder as a generation leaves it, packed into packagePath;
    // the failure's message when packing failed.
    std::string MakePackage()
    {
        std::string folder = root->WorkFolder() + "show";
        WriteFile(folder + "\\index.html", kIndexPage);
        WriteFile(folder + "\\resources\\left.html", kLeftPage);
        std::string failure;
        try {
            CAmbrelUtilities utilities;
            utilities.CreatePackage(packagePath, folder);
        } catch (const CCommandFailure& e) {
            failure = e.GetErrorMessage();
        }
        // Opening must bring the pages back from the package, not find them.
        testenv::RemoveTree(folder);
        return failure;
    }

    // Opens a package that cannot be shown: the text of the message box the
    // user is told in ("" when none came).
    std::string OpenAndReadTheMessage(const std::string& path)
    {
        CWinApp app("Ambrel");
        return gui::RunAndReadTheMessage([&] { CAmbrelUtilities().OpenPackage(path); });
    }

    std::string ExpectedStartPage() const { return testenv::Lower(root->WorkFolder() + "show\\index.html"); }

    void ExpectOpened()
    {
        ASSERT_TRUE(recorder->WaitForLines(1)) << "the browser was never asked to open the start page";
        EXPECT_EQ(ExpectedStartPage(), testenv::Lower(recorder->Lines()[0]));
        EXPECT_EQ(kIndexPage, ReadFile(root->WorkFolder() + "show\\index.html"));
        EXPECT_EQ(kLeftPage, ReadFile(root->WorkFolder() + "show\\resources\\left.html"));
        EXPECT_TRUE(recorder->StaysAt(1, 500));
    }

    // Shows the viewing page in a sheet, clicks its select button and closes
    // the sheet once the command has ended and `until` is met.
    void ClickSelectOnTheViewingPage(const std::function<void()>& until)
    {
        CPropertySheet sheet(IDS_SHEET_CAPTION);
        CPropertyPage2 page;
        sheet.AddPage(&page);
        gui::RunDriven([&] { sheet.DoModal(); },
                       [&] {
                           HWND window = gui::WaitForWindow("Ambrel");
                           if (!window) return;
                           // The chooser answers at once, so the command ends
                           // without a dialog on screen.
                           EXPECT_TRUE(gui::ClickAndWait(gui::CurrentPage(window), IDC_SELECT_DOCUMENT, 60000));
                           until();
                           // The sheet stays open after the command.
                           EXPECT_TRUE(::IsWindowVisible(window));
                           ::PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
                       });
    }

    std::unique_ptr<TestRoot> root;
    std::unique_ptr<Recorder> recorder;
    std::string packagePath;
};

} // namespace

TEST_F(OpenPackage, PackingWritesACabinetAndTheTrailer)
{
    MakePackage();
    std::string bytes = ReadFile(packagePath);
    ASSERT_GT(bytes.size(), 41u);
    EXPECT_EQ("MSCF", bytes.substr(0, 4));
    // The cabinet's own size field stops right before the trailer.
    uint32_t cabinetSize = static_cast<uint8_t>(bytes[8]) | static_cast<uint8_t>(bytes[9]) << 8 |
                           static_cast<uint8_t>(bytes[10]) << 16 |
                           static_cast<uint32_t>(static_cast<uint8_t>(bytes[11])) << 24;
    EXPECT_EQ(bytes.size() - 5, cabinetSize);
    EXPECT_EQ("ambd1", bytes.substr(bytes.size() - 5));
    // Stored names begin with the package folder's name.
    EXPECT_NE(std::string::npos, bytes.find(std::string("show\\index.html") + '\0'));
    EXPECT_NE(std::string::npos, bytes.find(std::string("show\\resources\\left.html") + '\0'));
}

TEST_F(OpenPackage, NoArchiverMeansNoPackageFile)
{
    ::DeleteFileA((root->ProgramFolder() + "arch.exe").c_str());
    EXPECT_NE(std::string::npos, MakePackage().find("the archiver " + root->ProgramFolder() + "arch.exe"));
    EXPECT_FALSE(Exists(packagePath)) << "no empty or five-byte package may appear";
}

TEST_F(OpenPackage, AFailedPackingLeavesAnOlderFileAsItWas)
{
    ::DeleteFileA((root->ProgramFolder() + "arch.exe").c_str());
    WriteFile(packagePath, "older package ambd1");
    EXPECT_NE("", MakePackage()) << "the failure is told";
    EXPECT_EQ("older package ambd1", ReadFile(packagePath)) << "no trailer after a failed packing";
}

TEST_F(OpenPackage, ExtractsIntoTheWorkFolderAndShowsTheStartPage)
{
    MakePackage();
    CAmbrelUtilities utilities;
    utilities.OpenPackage(packagePath);
    EXPECT_EQ(2, utilities.m_nPackageFormat);
    ExpectOpened();
}

TEST_F(OpenPackage, OpeningAgainOverwritesTheFirstExtraction)
{
    MakePackage();
    {
        CAmbrelUtilities utilities;
        utilities.OpenPackage(packagePath);
    }
    ASSERT_TRUE(recorder->WaitForLines(1));
    WriteFile(root->WorkFolder() + "show\\index.html", "changed since");
    {
        CAmbrelUtilities utilities;
        utilities.OpenPackage(packagePath);
    }
    ASSERT_TRUE(recorder->WaitForLines(2));
    EXPECT_EQ(kIndexPage, ReadFile(root->WorkFolder() + "show\\index.html"));
}

TEST_F(OpenPackage, FromTheViewingPage)
{
    MakePackage();
    std::vector<CFileDialog::Request> asked;
    CFileDialog::SetChooser([&](const CFileDialog::Request& request, std::vector<std::string>& paths) {
        asked.push_back(request);
        paths.push_back(packagePath);
        return true;
    });
    ClickSelectOnTheViewingPage([&] { recorder->WaitForLines(1); });
    ASSERT_EQ(1u, asked.size());
    EXPECT_TRUE(asked[0].open);
    EXPECT_EQ("ambd", asked[0].defaultExt);
    EXPECT_EQ("Ambrel Files (*.ambd)|*.ambd||", asked[0].filter);
    ExpectOpened();
}

TEST_F(OpenPackage, CancelledDialogOpensNothing)
{
    MakePackage();
    CFileDialog::SetChooser([](const CFileDialog::Request&, std::vector<std::string>&) { return false; });
    ClickSelectOnTheViewingPage([] {});
    EXPECT_TRUE(recorder->StaysAt(0, 1000));
    EXPECT_FALSE(Exists(root->WorkFolder() + "show"));
}

TEST_F(OpenPackage, FromTheCommandLineWithoutTheSheet)
{
    MakePackage();
    CAmbrelApp app;
    app.m_lpCmdLine = packagePath; // blanks and all, as the shell passes it
    bool sheetSeen = false;
    gui::RunDriven([&] { app.InitInstance(); }, [&] { sheetSeen = !gui::NoWindowAppears("Ambrel", 3000); });
    EXPECT_FALSE(sheetSeen);
    ExpectOpened();
}

TEST_F(OpenPackage, ByTheCommandRegisteredForTheFileType)
{
    MakePackage();
    root->InstallProgram("ambrel.exe", "ambrel.exe");
    RegisterPackageFileType(root->Root());
    // What the shell does for a double click: the type's only verb, Play
    // (Windows takes the first verb when the type names no default; Wine's
    // ShellExecute looks only for "open", so the verb is named here).
    HINSTANCE started = ::ShellExecuteA(nullptr, "Play", packagePath.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    ASSERT_GT(reinterpret_cast<INT_PTR>(started), 32) << "the shell could not run the registered command";
    ExpectOpened();
}

TEST_F(OpenPackage, FileShorterThanTheTrailerOpensNothing)
{
    WriteFile(root->WorkFolder() + "index.html", "<html>left from before</html>");
    WriteFile(packagePath, "amb");
    EXPECT_EQ(packagePath + " is not an Ambrel package.", OpenAndReadTheMessage(packagePath));
    EXPECT_TRUE(recorder->StaysAt(0, 1500)) << "no stale page may be shown";
}

TEST_F(OpenPackage, DamagedPackageIsToldAndShowsNothingStale)
{
    // Not a cabinet: nothing is extracted, and the page an earlier package
    // left in the work folder is not shown in its place.
    WriteFile(root->WorkFolder() + "index.html", "<html>left from before</html>");
    WriteFile(packagePath, std::string(100, 'x') + "ambd1");
    EXPECT_NE(std::string::npos, OpenAndReadTheMessage(packagePath).find("could not be opened"));
    EXPECT_TRUE(recorder->StaysAt(0, 1500));
    CAmbrelUtilities utilities;
    utilities.GetPackageStartFolder(packagePath);
    EXPECT_EQ(2, utilities.m_nPackageFormat);
    // A package that is not there at all is told too.
    EXPECT_NE(std::string::npos, OpenAndReadTheMessage(packagePath + ".missing").find("was not found"));
}

TEST_F(OpenPackage, HostileStartFolderOpensTheWorkFolderPage)
{
    // A head naming a folder outside the work folder is read as naming none.
    std::string head = "MSCF" + std::string(60, '\0') + "..\\..\\windows\\index.html" + std::string(1, '\0');
    WriteFile(packagePath, head + "ambd1");
    CAmbrelUtilities utilities;
    EXPECT_EQ("", utilities.GetPackageStartFolder(packagePath));
    EXPECT_EQ(2, utilities.m_nPackageFormat);
}

TEST_F(OpenPackage, PackageWithoutTrailerIsTheOlderFormat)
{
    MakePackage();
    std::string bytes = ReadFile(packagePath);
    WriteFile(packagePath, bytes.substr(0, bytes.size() - 5));
    CAmbrelUtilities utilities;
    // Its names hold no "\temp\": no start folder by the older rule.
    EXPECT_EQ("", utilities.GetPackageStartFolder(packagePath));
    EXPECT_EQ(1, utilities.m_nPackageFormat);
}

TEST_F(OpenPackage, MissingPackageLeavesTheFormatAsItWas)
{
    CAmbrelUtilities utilities;
    utilities.m_nPackageFormat = 7;
    EXPECT_EQ("", utilities.GetPackageStartFolder(packagePath + ".missing"));
    EXPECT_EQ(7, utilities.m_nPackageFormat);
}
