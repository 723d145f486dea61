// A package folder on a full disk: the data folder lies on a small drive
// (tests/generate/full_disk_test.sh mounts one and names it in
// AMBREL_FULL_DRIVE), the documents do not fit, and the user is told so.
#include <gtest/gtest.h>

#include <cstdlib>

#include "framework/win_app.h"
#include "model/ambrel_utilities.h"
#include "system/install_paths.h"
#include "tests/generate/list_entries.h"
#include "tests/support/gui_driver.h"
#include "tests/support/test_env.h"

TEST(FullDisk, ThePackageFolderOnAFullDiskIsToldAndNothingIsShown)
{
    const char* drive = std::getenv("AMBREL_FULL_DRIVE");
    if (!drive) GTEST_SKIP() << "no small drive was mounted";
    testenv::TestRoot root;
    root.InstallTemplate();
    root.InstallArchiver();
    testenv::Recorder browser;
    const std::string data = std::string(drive) + "\\data\\";
    testenv::MakeDirectories(data);
    testenv::WriteFile(root.Root() + "corvane\\res\\corvane.ini", "[Parameters]\r\nData Folder=" + data + "\r\n");
    g_strDataFolder.clear();

    CWinApp app("Ambrel");
    CAmbrelUtilities u;
    // More than the drive holds.
    for (int i = 0; i < 4; ++i) {
        const std::string path = root.Base() + "\\doc" + std::to_string(i) + ".pdf";
        testenv::WriteFile(path, std::string(1 << 20, static_cast<char>('a' + i)));
        listentries::AddFile(u, "Doc", path);
    }
    std::string box;
    gui::RunDriven([&] { u.GeneratePackage(root.Base() + "\\show.ambd"); },
                   [&] {
                       HWND window = gui::WaitForMessageBox(120000);
                       if (!window) return;
                       box = gui::StaticTexts(window);
                       ::PostMessageA(window, WM_COMMAND, IDOK, 0);
                   });
    EXPECT_EQ(0u, box.find("Disk full while accessing " + testenv::Lower(data))) << box;
    EXPECT_FALSE(testenv::Exists(root.Base() + "\\show.ambd"));
    EXPECT_TRUE(browser.StaysAt(0, 500));
}
