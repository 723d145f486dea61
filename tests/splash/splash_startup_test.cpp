// The real splash programs started by ambrel's start-up in each edition: the
// edition's own picture appears, on top, and the sheet comes up beneath it
// after the pause.
#include "shell/ambrel_app.h"

#include <gtest/gtest.h>

#include "system/install_paths.h"
#include "tests/splash/splash_probe.h"
#include "tests/support/gui_driver.h"
#include "tests/support/test_env.h"

using splashprobe::Picture;
using splashprobe::SplashProcess;
using splashprobe::SplashProgram;
using testenv::TestRoot;

namespace {

struct EditionCase {
    const char* commandLine;
    const char* sheetCaption;
    SplashProgram expected;
};

void PrintTo(const EditionCase& c, std::ostream* os) { *os << (*c.commandLine ? c.commandLine : "(none)"); }

class SplashAtStartup : public ::testing::TestWithParam<EditionCase> {};

TEST_P(SplashAtStartup, TheEditionsSplashShowsWhileTheSheetComesUp)
{
    const EditionCase& c = GetParam();
    TestRoot t;
    t.InstallProgram(splashprobe::kGlowcard.builtPath, splashprobe::kGlowcard.installName);
    t.InstallProgram(splashprobe::kDocumentSplash.builtPath, splashprobe::kDocumentSplash.installName);
    ASSERT_TRUE(splashprobe::SplashWindows().empty()) << "a splash of an earlier test is still up";

    Picture picture, other;
    ASSERT_TRUE(splashprobe::LoadPictureFile(testenv::SourceDir() + "\\" + c.expected.picture, picture));
    ASSERT_TRUE(splashprobe::LoadPictureFile(testenv::SourceDir() + "\\" + c.expected.otherPicture, other));

    SplashProcess splash;
    HWND splashWindow = nullptr, sheet = nullptr;
    DWORD splashSeenMs = 0, sheetSeenMs = 0;
    bool splashUpWithSheet = false, splashAboveSheet = false;
    size_t splashWindows = 0;
    double likeness = 0, otherLikeness = 0;
    Picture screen;

    g_strDataFolder.clear();
    CAmbrelApp app;
    app.m_lpCmdLine = c.commandLine;
    const DWORD start = ::GetTickCount();
    gui::RunDriven([&] { app.InitInstance(); },
                   [&] {
                       if (!gui::WaitUntil([&] { return !splashprobe::SplashWindows().empty(); })) return;
                       splashSeenMs = ::GetTickCount() - start;
                       splashWindow = splashprobe::SplashWindows().front();
                       splash.Attach(splashprobe::ProcessOf(splashWindow));

                       // Its picture, once painted. Wine on a screen without a
                       // window manager stacks our sheet over the splash when
                       // it maps it, whatever the z-order says, so only what
                       // the sheet leaves uncovered is looked at.
                       gui::WaitUntil(
                           [&] {
                               Picture capture;
                               splashprobe::CaptureClientArea(splashWindow, capture);
                               std::vector<RECT> covered = splashprobe::CoveredByOurWindows(splashWindow);
                               likeness = splashprobe::Likeness(capture, picture, covered);
                               otherLikeness = splashprobe::Likeness(capture, other, covered);
                               return likeness >= 0.95;
                           },
                           2000);

                       sheet = gui::WaitForWindow(c.sheetCaption);
                       if (!sheet) return;
                       sheetSeenMs = ::GetTickCount() - start;
                       gui::Settle(sheet);
                       splashWindows = splashprobe::SplashWindows().size();
                       splashUpWithSheet = ::IsWindowVisible(splashWindow) != FALSE;
                       splashAboveSheet = splashprobe::IsAbove(splashWindow, sheet);
                       RECT all{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
                       splashprobe::CaptureScreen(all, screen);
                       ::PostMessageA(sheet, WM_SYSCOMMAND, SC_CLOSE, 0);
                   });

    ASSERT_NE(nullptr, splashWindow) << "no splash window appeared";
    EXPECT_EQ(testenv::Lower(t.ProgramFolder() + c.expected.installName), testenv::Lower(splash.ImagePath()));
    EXPECT_GE(likeness, 0.95) << "the splash shows another picture, or none";
    EXPECT_LT(otherLikeness, 0.6);
    ASSERT_NE(nullptr, sheet) << "the sheet did not come up";
    EXPECT_EQ(1u, splashWindows) << "exactly one splash program runs";
    EXPECT_LT(splashSeenMs, sheetSeenMs);
    EXPECT_GE(sheetSeenMs, 500u) << "the sheet waits for the pause";
    EXPECT_TRUE(splashUpWithSheet) << "the splash was gone before the sheet came";
    EXPECT_TRUE(splashAboveSheet) << "the splash is not above the sheet";

    // What the screen looked like, kept in the build tree for looking at.
    testenv::MakeDirectories(testenv::BinaryDir() + "\\screenshots");
    splashprobe::SavePicture(screen,
                             testenv::BinaryDir() + "\\screenshots\\startup-" + c.expected.installName + ".bmp");

    DWORD code = 1;
    EXPECT_TRUE(splash.WaitForExit(5000, code)) << "the splash does not end by itself";
    EXPECT_EQ(0u, code);
}

INSTANTIATE_TEST_SUITE_P(Editions, SplashAtStartup,
                         ::testing::Values(EditionCase{"", "Ambrel", splashprobe::kDocumentSplash},
                                           EditionCase{"-Snapvale", kPhotoEditionTitle, splashprobe::kGlowcard}));

} // namespace
