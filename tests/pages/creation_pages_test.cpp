// The two creation pages as they come up and as their own buttons work: the
// initial values, the combo boxes' transfer, the hand-over to generation on
// Save, and the background-music and thumbnail check boxes.
#include <gtest/gtest.h>

#include "pages/document_page.h"
#include "pages/photo_page.h"
#include "resources/resource.h"
#include "system/install_paths.h"
#include "tests/pages/page_driver.h"
#include "tests/support/gui_driver.h"
#include "tests/support/test_env.h"
#include "view/view_page.h"

using pagetest::FileDialogAnswers;
using pagetest::IsChecked;
using pagetest::Rows;
using Strings = std::vector<std::string>;

namespace {

class CreationPages : public pagetest::PageTest {};

Strings ComboItems(HWND page, int combo)
{
    Strings items;
    int count = static_cast<int>(gui::SendTo(page, combo, CB_GETCOUNT));
    for (int i = 0; i < count; ++i) {
        char buffer[256] = {};
        if (gui::SendTo(page, combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i)) < static_cast<LRESULT>(sizeof(buffer)))
            gui::SendTo(page, combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer));
        items.push_back(buffer);
    }
    return items;
}

int ComboSelection(HWND page, int combo) { return static_cast<int>(gui::SendTo(page, combo, CB_GETCURSEL)); }

bool IsShownOnPage(HWND page, int control) { return gui::IsShown(::GetDlgItem(page, control)); }

const Strings kIntervals{
    "Not Automated", "1",   "2",   "3",   "4",   "5", "6", "7", "8", "9", "10", "15", "20", "25", "30", "45", "60",
    "120",           "240", "480", "960", "1920"};
const Strings kTransitions{"Standard", "Dissolve", "Wipe", "Fade", "Box"};

// What a fresh page shows; the photo-album page adds its thumbnails box.
void ExpectFreshPage(HWND p, bool photo)
{
    EXPECT_TRUE(Rows(p).empty());
    for (int edit : {IDC_PAGE_TITLE, IDC_PAGE_SUBTITLE, IDC_PAGE_AUTHOR, IDC_PAGE_DATE})
        EXPECT_EQ("", gui::GetText(p, edit)) << "edit " << edit;
    EXPECT_EQ("", gui::GetText(p, IDC_LIST_FILE_PATH));
    EXPECT_EQ("", gui::GetText(p, IDC_MUSIC_FILE));
    EXPECT_EQ(kIntervals, ComboItems(p, IDC_AUTO_SECONDS));
    EXPECT_EQ(kTransitions, ComboItems(p, IDC_TRANSITION));
    EXPECT_EQ("Not Automated", gui::GetText(p, IDC_AUTO_SECONDS));
    EXPECT_EQ(0, ComboSelection(p, IDC_AUTO_SECONDS));
    EXPECT_EQ("Standard", gui::GetText(p, IDC_TRANSITION));
    EXPECT_EQ(0, ComboSelection(p, IDC_TRANSITION));
    EXPECT_TRUE(IsChecked(p, IDC_FIT_IMAGES));
    EXPECT_FALSE(IsChecked(p, IDC_MUSIC));
    EXPECT_TRUE(IsChecked(p, IDC_LOOP_MUSIC));
    // Transition type and music stay hidden.
    EXPECT_FALSE(IsShownOnPage(p, IDC_TRANSITION));
    EXPECT_FALSE(IsShownOnPage(p, IDC_MUSIC));
    EXPECT_FALSE(IsShownOnPage(p, IDC_LOOP_MUSIC));
    EXPECT_TRUE(IsShownOnPage(p, IDC_AUTO_SECONDS));
    EXPECT_TRUE(IsShownOnPage(p, IDC_FIT_IMAGES));
    if (photo) {
        EXPECT_TRUE(IsChecked(p, IDC_THUMBNAILS));
        EXPECT_FALSE(::GetDlgItem(p, IDC_ADD_URL)) << "no live addresses in a photo album";
    }
}

} // namespace

TEST_F(CreationPages, FreshStartShowsTheInitialValues)
{
    CPropertyPage1 documentPage;
    CPropertyPage3 photoPage;
    pagetest::RunSheet({&documentPage, &photoPage}, [&](HWND sheet) {
        EXPECT_EQ((Strings{"Create an Ambrel document", "Create a Photo Album"}), gui::TabTitles(sheet));
        ExpectFreshPage(gui::CurrentPage(sheet), false);
        gui::SelectPage(sheet, 1);
        ExpectFreshPage(gui::CurrentPage(sheet), true);
    });
    EXPECT_EQ(0, answers.Unexpected());
}

TEST_F(CreationPages, ComboBoxShowsItsItemOrTheTextAsTyped)
{
    CPropertyPage1 page;
    pagetest::RunSheet({&page}, [&](HWND sheet) {
        HWND p = gui::CurrentPage(sheet);
        // Every list command takes the page values and shows them again: a
        // typed interval must come back as the user typed it, even where an
        // item begins with it (24 and 240, 12 and 120).
        gui::SetText(p, IDC_AUTO_SECONDS, "24");
        ASSERT_TRUE(pagetest::ClickAndWait(p, IDC_MOVE_UP));
        EXPECT_EQ("24", gui::GetText(p, IDC_AUTO_SECONDS));
        EXPECT_EQ(CB_ERR, ComboSelection(p, IDC_AUTO_SECONDS));
        EXPECT_EQ("24", page.m_strAutoSeconds);

        gui::SetText(p, IDC_AUTO_SECONDS, "12");
        ASSERT_TRUE(pagetest::ClickAndWait(p, IDC_MOVE_UP));
        EXPECT_EQ("12", gui::GetText(p, IDC_AUTO_SECONDS));

        gui::SetText(p, IDC_AUTO_SECONDS, "35");
        ASSERT_TRUE(pagetest::ClickAndWait(p, IDC_MOVE_UP));
        EXPECT_EQ("35", gui::GetText(p, IDC_AUTO_SECONDS));

        // A text equal to an item selects that item.
        gui::SetText(p, IDC_AUTO_SECONDS, "240");
        ASSERT_TRUE(pagetest::ClickAndWait(p, IDC_MOVE_UP));
        EXPECT_EQ("240", gui::GetText(p, IDC_AUTO_SECONDS));
        EXPECT_EQ(18, ComboSelection(p, IDC_AUTO_SECONDS));

        // The match ignores letter case.
        gui::SetText(p, IDC_AUTO_SECONDS, "not automated");
        ASSERT_TRUE(pagetest::ClickAndWait(p, IDC_MOVE_UP));
        EXPECT_EQ("Not Automated", gui::GetText(p, IDC_AUTO_SECONDS));
        EXPECT_EQ(0, ComboSelection(p, IDC_AUTO_SECONDS));

        // Typed text after a selection leaves no stale item selected.
        gui::SetText(p, IDC_AUTO_SECONDS, "7");
        ASSERT_TRUE(pagetest::ClickAndWait(p, IDC_MOVE_UP));
        EXPECT_EQ(7, ComboSelection(p, IDC_AUTO_SECONDS));
        gui::SetText(p, IDC_AUTO_SECONDS, "7.5");
        ASSERT_TRUE(pagetest::ClickAndWait(p, IDC_MOVE_UP));
        EXPECT_EQ("7.5", gui::GetText(p, IDC_AUTO_SECONDS));
        EXPECT_EQ(CB_ERR, ComboSelection(p, IDC_AUTO_SECONDS));
    });
}

TEST_F(CreationPages, SaveHandsThePageValuesToGeneration)
{
    CPropertyPage2 viewPage;
    CPropertyPage1 documentPage;
    CPropertyPage3 photoPage;
    pagetest::RunSheet({&viewPage, &documentPage, &photoPage}, [&](HWND sheet) {
        gui::SelectPage(sheet, 2);
        HWND photo = gui::CurrentPage(sheet);
        ASSERT_TRUE(IsChecked(photo, IDC_THUMBNAILS));
        gui::SelectPage(sheet, 1);
        HWND document = gui::CurrentPage(sheet);
        gui::SetText(document, IDC_PAGE_TITLE, "Report");
        gui::SetText(document, IDC_PAGE_SUBTITLE, "Second quarter");
        gui::SetText(document, IDC_PAGE_AUTHOR, "Finance");
        gui::SetText(document, IDC_PAGE_DATE, "July");
        gui::SetText(document, IDC_AUTO_SECONDS, "30");
        gui::SendTo(document, IDC_FIT_IMAGES, BM_SETCHECK, BST_UNCHECKED);
        // The Save dialog of generation is cancelled: only the hand-over is
        // looked at here.
        answers.Cancel();
        ASSERT_TRUE(pagetest::ClickAndWait(document, IDC_SAVE_AS));

        gui::SelectPage(sheet, 2);
        photo = gui::CurrentPage(sheet);
        gui::SetText(photo, IDC_PAGE_AUTHOR, "Grandma");
        answers.Cancel();
        ASSERT_TRUE(pagetest::ClickAndWait(photo, IDC_SAVE_AS));
    });
    ASSERT_EQ(2u, answers.Requests().size());
    EXPECT_FALSE(answers.Requests()[0].open) << "generation asks where to save";

    const CAmbrelUtilities& document = documentPage.m_utilities;
    EXPECT_EQ("Report", document.m_strTitle);
    EXPECT_EQ("Second quarter", document.m_strSubtitle);
    EXPECT_EQ("Finance", document.m_strAuthor);
    EXPECT_EQ("July", document.m_strDate);
    EXPECT_EQ("30", document.m_strAutoSeconds);
    EXPECT_EQ("Standard", document.m_strTransition);
    EXPECT_EQ(0, document.m_bFitImages);
    EXPECT_EQ(1, document.m_bLoopMusic);
    EXPECT_EQ("", document.m_strMusicFile);
    EXPECT_EQ(0, document.m_bThumbnails) << "the document page never asks for thumbnails";

    const CAmbrelUtilities& photo = photoPage.m_utilities;
    EXPECT_EQ("Grandma", photo.m_strAuthor);
    EXPECT_EQ(1, photo.m_bThumbnails);
    EXPECT_EQ(1, photo.m_bFitImages);
    EXPECT_EQ("Not Automated", photo.m_strAutoSeconds);
}

TEST_F(CreationPages, PhotoSaveFollowsTheThumbnailsBox)
{
    CPropertyPage3 page;
    int afterClick = -1;
    pagetest::RunSheet({&page}, [&](HWND sheet) {
        HWND p = gui::CurrentPage(sheet);
        // The click alone takes the page values (the command has ended when
        // SetCheck returns).
        pagetest::SetCheck(p, IDC_THUMBNAILS, false);
        afterClick = page.m_bThumbnails;
        answers.Cancel();
        ASSERT_TRUE(pagetest::ClickAndWait(p, IDC_SAVE_AS));
    });
    EXPECT_EQ(0, afterClick);
    EXPECT_EQ(0, page.m_utilities.m_bThumbnails);
}

TEST_F(CreationPages, SaveWithAnEmptyListStillBuildsAPackage)
{
    root.InstallTemplate();
    root.InstallArchiver();
    testenv::Recorder browser;
    CPropertyPage1 page;
    const std::string output = root.Base() + "\\out\\empty.ambd";
    testenv::MakeDirectories(root.Base() + "\\out");
    pagetest::RunSheet({&page}, [&](HWND sheet) {
        HWND p = gui::CurrentPage(sheet);
        ASSERT_TRUE(Rows(p).empty());
        answers.Choose(output);
        gui::Click(p, IDC_SAVE_AS);
        browser.WaitForLines(1);
        pagetest::WaitIdle(p);
    });
    EXPECT_EQ(0, answers.Unexpected());
    const std::string folder = root.WorkFolder() + "empty";
    EXPECT_TRUE(testenv::IsDirectory(folder)) << folder;
    EXPECT_TRUE(testenv::Exists(folder + "\\index.html"));
    EXPECT_TRUE(testenv::Exists(folder + "\\resources\\left.html"));
    ASSERT_EQ(1u, browser.Lines().size()) << "the new package is shown";
    EXPECT_EQ(testenv::Lower(folder + "\\index.html"), testenv::Lower(browser.Lines()[0]));
    // A cabinet with the package trailer.
    const std::string package = testenv::ReadFile(output);
    ASSERT_GT(package.size(), 9u);
    EXPECT_EQ("MSCF", package.substr(0, 4));
    EXPECT_EQ("ambd1", package.substr(package.size() - 5));
}

TEST_F(CreationPages, BackgroundMusicAsksForAnMp3AndForgetsItWhenCleared)
{
    CPropertyPage1 page;
    std::string shownName, shownAfterClear, shownAfterCancel;
    bool tickedAfterCancel = false;
    pagetest::RunSheet({&page}, [&](HWND sheet) {
        HWND p = gui::CurrentPage(sheet);
        answers.Choose("C:\\Music\\Our Song.mp3");
        pagetest::SetCheck(p, IDC_MUSIC, true);
        shownName = gui::GetText(p, IDC_MUSIC_FILE);
        EXPECT_EQ("C:\\Music\\Our Song.mp3", page.m_strMusicFile);

        pagetest::SetCheck(p, IDC_MUSIC, false);
        shownAfterClear = gui::GetText(p, IDC_MUSIC_FILE);
        EXPECT_EQ("", page.m_strMusicFile);

        answers.Cancel();
        pagetest::SetCheck(p, IDC_MUSIC, true);
        shownAfterCancel = gui::GetText(p, IDC_MUSIC_FILE);
        tickedAfterCancel = IsChecked(p, IDC_MUSIC);
    });
    EXPECT_EQ("Our Song.mp3", shownName);
    EXPECT_EQ("", shownAfterClear);
    EXPECT_EQ("", shownAfterCancel);
    EXPECT_TRUE(tickedAfterCancel) << "a cancelled choice leaves the box ticked";
    EXPECT_EQ("", page.m_strMusicFile);

    ASSERT_EQ(2u, answers.Requests().size()) << "clearing the box asks nothing";
    const CFileDialog::Request request = answers.Requests()[0];
    EXPECT_FALSE(request.open) << "a save-style dialog";
    EXPECT_EQ("MP3 File (*.mp3)|*.mp3||", request.filter);
    EXPECT_EQ("", request.fileName);
    EXPECT_EQ("mp3", request.defaultExt) << "a name typed without an extension becomes an MP3 file";
}

TEST_F(CreationPages, EnterAndEscapeKeepTheSheetAndItsList)
{
    CPropertyPage1 documentPage;
    CPropertyPage3 photoPage;
    bool closedByAltF4 = false;
    pagetest::RunSheet({&documentPage, &photoPage}, [&](HWND sheet) {
        ASSERT_TRUE(sheet);
        for (int tab : {0, 1}) {
            gui::SelectPage(sheet, tab);
            HWND p = gui::CurrentPage(sheet);
            ASSERT_TRUE(pagetest::AddGroup(p, "Unsaved work"));
            gui::SetText(p, IDC_PAGE_TITLE, "Typed, not saved");
            const Strings rows = Rows(p);
            // Enter in a field, and Escape, as the keyboard sends them.
            for (int field : {IDC_PAGE_TITLE, IDC_PAGE_AUTHOR, IDC_ENTRY_LIST}) {
                pagetest::PressKey(::GetDlgItem(p, field), VK_RETURN);
                pagetest::WaitIdle(p);
            }
            pagetest::PressKey(::GetDlgItem(p, IDC_PAGE_TITLE), VK_ESCAPE);
            pagetest::PressKey(p, VK_ESCAPE);
            pagetest::WaitIdle(p);
            ASSERT_TRUE(pagetest::IsOpen(sheet)) << "tab " << tab;
            EXPECT_EQ(rows, Rows(p)) << "tab " << tab;
            EXPECT_EQ("Typed, not saved", gui::GetText(p, IDC_PAGE_TITLE));
        }
        EXPECT_EQ(0, answers.Unexpected()) << "no key opened a file dialog";
        // Alt+F4 still ends the program, as the close box does.
        ::PostMessageA(sheet, WM_SYSKEYDOWN, VK_F4, static_cast<LPARAM>(0x203E0001));
        closedByAltF4 = pagetest::WaitClosed(sheet);
    });
    EXPECT_TRUE(closedByAltF4);
}
