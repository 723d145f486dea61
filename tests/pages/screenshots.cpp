// Shows both creation pages and the three entry dialogs one after another, so
// that screenshots.sh can photograph the screen. For each window it writes
// C:\ambrel-tests\shots\ready-<name> and waits for done-<name>.
#include <gtest/gtest.h>

#include <functional>

#include "pages/document_page.h"
#include "pages/photo_page.h"
#include "resources/resource.h"
#include "system/install_paths.h"
#include "tests/pages/page_driver.h"
#include "tests/support/gui_driver.h"
#include "system/progress_window.h"
#include "tests/support/test_env.h"

namespace {

const char kShots[] = "C:\\ambrel-tests\\shots\\";

// Lets the screenshot be taken, then goes on.
void Pose(HWND window, const std::string& name)
{
    ::SetForegroundWindow(window);
    pagetest::WaitIdle(window);
    ::Sleep(300);
    testenv::WriteFile(kShots + ("ready-" + name), name);
    const bool taken = gui::WaitUntil([&] { return testenv::Exists(kShots + ("done-" + name)); }, 60000);
    EXPECT_TRUE(taken) << name;
}

// Opens a page's dialog, fills it, lets it be photographed and closes it
// with Escape.
void PoseDialog(HWND page, int button, const char* caption, const std::string& name,
                const std::function<void(HWND)>& fill)
{
    HWND dialog = pagetest::OpenDialog(page, button, caption);
    ASSERT_TRUE(dialog) << caption;
    fill(dialog);
    Pose(dialog, name);
    pagetest::PressKey(dialog, VK_ESCAPE);
    EXPECT_TRUE(pagetest::WaitCommandEnd(page, dialog)) << caption;
}

void FillPage(HWND page, pagetest::FileDialogAnswers& answers, bool photo)
{
    ASSERT_TRUE(pagetest::AddGroup(page, photo ? "The beach" : "Quarterly figures"));
    ASSERT_TRUE(
        pagetest::AddFiles(page, answers, {photo ? "C:\\photos\\sunset.jpg" : "C:\\reports\\Annual Report.pdf"}));
    if (!photo) {
        ASSERT_TRUE(pagetest::AddUrl(page, "Company site", "www.example.com"));
    }
    gui::SetText(page, IDC_PAGE_TITLE, photo ? "Summer 2004" : "Annual meeting");
    gui::SetText(page, IDC_PAGE_SUBTITLE, photo ? "At the sea" : "Results and plans");
    gui::SetText(page, IDC_PAGE_AUTHOR, photo ? "Grandma" : "The board");
    gui::SetText(page, IDC_PAGE_DATE, "12 May 2004");
    pagetest::Select(page, 1);
}

} // namespace

TEST(Screenshots, PagesAndEntryDialogs)
{
    g_strDataFolder.clear();
    testenv::MakeDirectories("C:\\ambrel-tests\\shots");
    testenv::TestRoot root;
    pagetest::FileDialogAnswers answers;
    CPropertyPage1 documentPage;
    CPropertyPage3 photoPage;
    pagetest::RunSheet({&documentPage, &photoPage}, [&](HWND sheet) {
        ASSERT_TRUE(sheet);
        HWND document = gui::CurrentPage(sheet);
        Pose(sheet, "document-page-fresh");
        FillPage(document, answers, false);
        Pose(sheet, "document-page");

        PoseDialog(document, IDC_ADD_FILES, "Add Document", "add-document", [&](HWND dialog) {
            answers.Choose("C:\\My Documents\\Reports\\Annual Report 2004.pdf");
            pagetest::ClickAndWait(dialog, IDC_SELECT_DOCUMENTS);
        });
        PoseDialog(document, IDC_ADD_URL, "Add Live URL", "add-live-url", [](HWND dialog) {
            gui::SetText(dialog, IDC_URL, "www.example.com/news/today.html");
            gui::SetText(dialog, IDC_ENTRY_TITLE, "Today's news");
        });
        PoseDialog(document, IDC_ADD_GROUP, "Add Group", "add-group",
                   [](HWND dialog) { gui::SetText(dialog, IDC_GROUP_TEXT, "Chapter 1"); });

        gui::SelectPage(sheet, 1);
        HWND photo = gui::CurrentPage(sheet);
        FillPage(photo, answers, true);
        Pose(sheet, "photo-page");

        PoseDialog(photo, IDC_ADD_FILES, "Add Document", "add-photos", [](HWND) {});
    });
}

TEST(Screenshots, ProgressWindow)
{
    // The progress window at two moments of a long Save.
    auto pose = [](CWorkProgress& progress, const char* step, uint64_t done, const std::string& name) {
        progress.SetStep(step);
        progress.SetProgress(done, 100);
        ::Sleep(CLongWork::kShowAfterMs + 400);
        testenv::WriteFile(kShots + ("ready-" + name), name);
        EXPECT_TRUE(gui::WaitUntil([&] { return testenv::Exists(kShots + ("done-" + name)); }, 60000)) << name;
    };
    EXPECT_TRUE(RunWithProgressWindow([&](CWorkProgress& progress) {
        pose(progress, "Copying documents", 40, "progress-copying");
        pose(progress, "Packing", 70, "progress-packing");
    }));
}
