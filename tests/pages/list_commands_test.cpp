// The list editing buttons of the creation pages, driven as the user would:
// a row selected in the list box, a button clicked, a dialog answered. Rows of
// the same text always lead to the first entry with that text.
#include <gtest/gtest.h>

#include "pages/document_page.h"
#include "pages/photo_page.h"
#include "resources/resource.h"
#include "system/install_paths.h"
#include "tests/pages/page_driver.h"
#include "tests/support/gui_driver.h"
#include "tests/support/test_env.h"

using pagetest::FileDialogAnswers;
using pagetest::Items;
using pagetest::Rows;
using pagetest::Selection;
using Strings = std::vector<std::string>;

namespace {

class ListCommands : public pagetest::PageTest {};

// Selects a row and clicks a button whose command opens no window.
void SelectAndClick(HWND page, int row, int button)
{
    pagetest::Select(page, row);
    EXPECT_TRUE(pagetest::ClickAndWait(page, button));
}

// Selects a row, clicks Edit and waits for the dialog of that caption.
HWND StartEdit(HWND page, int row, const std::string& caption)
{
    pagetest::Select(page, row);
    gui::Click(page, IDC_EDIT_ENTRY);
    return gui::WaitForWindow(caption);
}

} // namespace

TEST_F(ListCommands, EditOfARepeatedRowChangesTheFirstEntryAndWritesTheSelectedRow)
{
    CPropertyPage1 page;
    std::string presetPath, presetTitle;
    pagetest::RunSheet({&page}, [&](HWND sheet) {
        HWND p = gui::CurrentPage(sheet);
        ASSERT_TRUE(pagetest::AddFiles(p, answers, {"C:\\one\\a.pdf"}));
        ASSERT_TRUE(pagetest::AddFiles(p, answers, {"C:\\two\\a.pdf"}));
        HWND dialog = StartEdit(p, 1, "Add Document");
        ASSERT_TRUE(dialog);
        presetPath = gui::GetText(dialog, IDC_CHOSEN_FILE);
        presetTitle = gui::GetText(dialog, IDC_ENTRY_TITLE);
        answers.Choose("C:\\three\\b.pdf");
        pagetest::ClickAndWait(dialog, IDC_SELECT_DOCUMENTS);
        pagetest::ClickAndWait(dialog, IDOK);
        ASSERT_TRUE(pagetest::WaitCommandEnd(p, dialog));
        EXPECT_EQ((Strings{"   a", "   b"}), Rows(p));
        EXPECT_EQ(-1, Selection(p)) << "no row is selected after an accepted edit";
    });
    EXPECT_EQ("C:\\one\\a.pdf", presetPath) << "the dialog shows the first entry of that text";
    EXPECT_EQ("a", presetTitle);
    EXPECT_EQ((Strings{"b", "a"}), Items(page.m_utilities.m_listTitles));
    EXPECT_EQ((Strings{"C:\\three\\b.pdf", "C:\\two\\a.pdf"}), Items(page.m_utilities.m_listFiles));
}

TEST_F(ListCommands, EditOfHeaderAndLiveUrlUsesTheirOwnDialogs)
{
    CPropertyPage3 page; // the photo-album page edits the same way
    pagetest::RunSheet({&page}, [&](HWND sheet) {
        HWND p = gui::CurrentPage(sheet);
        ASSERT_TRUE(pagetest::AddGroup(p, "Summer"));
        ASSERT_TRUE(pagetest::AddFiles(p, answers, {"C:\\photos\\sea.jpg"}));

        HWND dialog = StartEdit(p, 0, "Add Group");
        ASSERT_TRUE(dialog);
        EXPECT_EQ("Summer", gui::GetText(dialog, IDC_GROUP_TEXT));
        gui::SetText(dialog, IDC_GROUP_TEXT, "Winter");
        pagetest::ClickAndWait(dialog, IDOK);
        ASSERT_TRUE(pagetest::WaitCommandEnd(p, dialog));
        EXPECT_EQ((Strings{"Group: Winter", "   sea"}), Rows(p));

        // A file is edited in the document wording, even on the photo page.
        dialog = StartEdit(p, 1, "Add Document");
        ASSERT_TRUE(dialog);
        EXPECT_EQ("Select document(s)...", gui::GetText(dialog, IDC_SELECT_DOCUMENTS));
        EXPECT_EQ("C:\\photos\\sea.jpg", gui::GetText(dialog, IDC_CHOSEN_FILE));
        gui::SetText(dialog, IDC_ENTRY_TITLE, "The sea");
        pagetest::ClickAndWait(dialog, IDOK);
        ASSERT_TRUE(pagetest::WaitCommandEnd(p, dialog));
        EXPECT_EQ((Strings{"Group: Winter", "   The sea"}), Rows(p));

        // A cancelled edit changes nothing and keeps the selection.
        dialog = StartEdit(p, 1, "Add Document");
        ASSERT_TRUE(dialog);
        pagetest::PressKey(dialog, VK_ESCAPE);
        ASSERT_TRUE(pagetest::WaitCommandEnd(p, dialog));
        EXPECT_EQ(1, Selection(p));
    });
    EXPECT_EQ((Strings{"Winter", ""}), Items(page.m_utilities.m_listGroups));
    EXPECT_EQ((Strings{"", "The sea"}), Items(page.m_utilities.m_listTitles));
    EXPECT_EQ((Strings{"", "C:\\photos\\sea.jpg"}), Items(page.m_utilities.m_listFiles));

    CPropertyPage1 documentPage;
    pagetest::RunSheet({&documentPage}, [&](HWND sheet) {
        HWND p = gui::CurrentPage(sheet);
        ASSERT_TRUE(pagetest::AddUrl(p, "News", "http://news.example"));
        HWND dialog = StartEdit(p, 0, "Add Live URL");
        ASSERT_TRUE(dialog);
        EXPECT_EQ("http://news.example", gui::GetText(dialog, IDC_URL));
        EXPECT_EQ("News", gui::GetText(dialog, IDC_ENTRY_TITLE));
        gui::SetText(dialog, IDC_URL, "www.weather.example");
        gui::SetText(dialog, IDC_ENTRY_TITLE, "Weather");
        pagetest::ClickAndWait(dialog, IDOK);
        ASSERT_TRUE(pagetest::WaitCommandEnd(p, dialog));
        EXPECT_EQ(Strings{"   Weather"}, Rows(p));
    });
    EXPECT_EQ(Strings{"http://www.weather.example"}, Items(documentPage.m_utilities.m_listURLs));
    EXPECT_EQ(Strings{"Weather"}, Items(documentPage.m_utilities.m_listTitles));
    EXPECT_EQ(Strings{""}, Items(documentPage.m_utilities.m_listFiles));
}

TEST_F(ListCommands, EditChoosingSeveralFilesPutsThemAllInTheEntrysPlace)
{
    CPropertyPage1 page;
    pagetest::RunSheet({&page}, [&](HWND sheet) {
        HWND p = gui::CurrentPage(sheet);
        ASSERT_TRUE(pagetest::AddFiles(p, answers, {"C:\\d\\first.pdf"}));
        ASSERT_TRUE(pagetest::AddFiles(p, answers, {"C:\\d\\old.pdf"}));
        ASSERT_TRUE(pagetest::AddFiles(p, answers, {"C:\\d\\last.pdf"}));
        HWND dialog = StartEdit(p, 1, "Add Document");
        ASSERT_TRUE(dialog);
        answers.Choose(Strings{"C:\\n\\x.pdf", "C:\\n\\y.pdf"});
        pagetest::ClickAndWait(dialog, IDC_SELECT_DOCUMENTS);
        ASSERT_TRUE(pagetest::WaitCommandEnd(p, dialog));
        // In the order an addition gives them: the last reported first.
        EXPECT_EQ((Strings{"   first", "   y", "   x", "   last"}), Rows(p));
        EXPECT_EQ(-1, Selection(p));
    });
    EXPECT_EQ((Strings{"first", "y", "x", "last"}), Items(page.m_utilities.m_listTitles));
    EXPECT_EQ((Strings{"C:\\d\\first.pdf", "C:\\n\\y.pdf", "C:\\n\\x.pdf", "C:\\d\\last.pdf"}),
              Items(page.m_utilities.m_listFiles));
    EXPECT_EQ((Strings{"", "", "", ""}), Items(page.m_utilities.m_listURLs));
}

TEST_F(ListCommands, DeleteOfARepeatedRowRemovesTheFirstEntryAndTheSelectedRow)
{
    CPropertyPage1 page;
    pagetest::RunSheet({&page}, [&](HWND sheet) {
        HWND p = gui::CurrentPage(sheet);
        ASSERT_TRUE(pagetest::AddFiles(p, answers, {"C:\\one\\a.pdf"}));
        ASSERT_TRUE(pagetest::AddFiles(p, answers, {"C:\\two\\a.pdf"}));
        SelectAndClick(p, 1, IDC_DELETE_ENTRY);
        EXPECT_EQ(Strings{"   a"}, Rows(p));
        EXPECT_EQ(0, Selection(p));
    });
    EXPECT_EQ(Strings{"C:\\two\\a.pdf"}, Items(page.m_utilities.m_listFiles));
}

TEST_F(ListCommands, DeleteSelectsTheRowAboveOrNone)
{
    CPropertyPage1 page;
    pagetest::RunSheet({&page}, [&](HWND sheet) {
        HWND p = gui::CurrentPage(sheet);
        ASSERT_TRUE(pagetest::AddFiles(
            p, answers, {"C:\\d\\0.pdf", "C:\\d\\1.pdf", "C:\\d\\2.pdf", "C:\\d\\3.pdf", "C:\\d\\4.pdf"}));
        ASSERT_EQ((Strings{"   4", "   3", "   2", "   1", "   0"}), Rows(p));
        SelectAndClick(p, 3, IDC_DELETE_ENTRY);
        EXPECT_EQ((Strings{"   4", "   3", "   2", "   0"}), Rows(p));
        EXPECT_EQ(2, Selection(p));
        SelectAndClick(p, 0, IDC_DELETE_ENTRY);
        EXPECT_EQ((Strings{"   3", "   2", "   0"}), Rows(p));
        EXPECT_EQ(-1, Selection(p));
        // Without a selection nothing is deleted.
        EXPECT_TRUE(pagetest::ClickAndWait(p, IDC_DELETE_ENTRY));
        EXPECT_EQ(3u, Rows(p).size());
    });
    EXPECT_EQ((Strings{"3", "2", "0"}), Items(page.m_utilities.m_listTitles));
}

TEST_F(ListCommands, MovesActOnTheFirstEntryOfTheSelectedText)
{
    CPropertyPage1 page;
    pagetest::RunSheet({&page}, [&](HWND sheet) {
        HWND p = gui::CurrentPage(sheet);
        ASSERT_TRUE(pagetest::AddFiles(p, answers, {"C:\\x\\x.pdf"}));
        ASSERT_TRUE(pagetest::AddFiles(p, answers, {"C:\\one\\a.pdf"}));
        ASSERT_TRUE(pagetest::AddFiles(p, answers, {"C:\\two\\a.pdf"}));
        // The last "a" is selected; the first one moves.
        SelectAndClick(p, 2, IDC_MOVE_UP);
        EXPECT_EQ((Strings{"   a", "   x", "   a"}), Rows(p));
        EXPECT_EQ(1, Selection(p));
    });
    EXPECT_EQ((Strings{"C:\\one\\a.pdf", "C:\\x\\x.pdf", "C:\\two\\a.pdf"}), Items(page.m_utilities.m_listFiles));

    CPropertyPage1 second;
    pagetest::RunSheet({&second}, [&](HWND sheet) {
        HWND p = gui::CurrentPage(sheet);
        ASSERT_TRUE(pagetest::AddFiles(p, answers, {"C:\\one\\a.pdf"}));
        ASSERT_TRUE(pagetest::AddFiles(p, answers, {"C:\\two\\a.pdf"}));
        ASSERT_TRUE(pagetest::AddFiles(p, answers, {"C:\\x\\x.pdf"}));
        SelectAndClick(p, 1, IDC_MOVE_DOWN);
        EXPECT_EQ((Strings{"   a", "   a", "   x"}), Rows(p));
        EXPECT_EQ(2, Selection(p));
    });
    EXPECT_EQ((Strings{"C:\\two\\a.pdf", "C:\\one\\a.pdf", "C:\\x\\x.pdf"}), Items(second.m_utilities.m_listFiles));
}

TEST_F(ListCommands, MovesStopAtTheEndsOfTheList)
{
    CPropertyPage1 page;
    pagetest::RunSheet({&page}, [&](HWND sheet) {
        HWND p = gui::CurrentPage(sheet);
        ASSERT_TRUE(pagetest::AddGroup(p, "Top"));
        ASSERT_TRUE(pagetest::AddFiles(p, answers, {"C:\\d\\middle.pdf"}));
        ASSERT_TRUE(pagetest::AddUrl(p, "Bottom", "http://bottom.example"));
        const Strings order{"Group: Top", "   middle", "   Bottom"};

        SelectAndClick(p, 0, IDC_MOVE_UP);
        EXPECT_EQ(order, Rows(p));
        EXPECT_EQ(0, Selection(p)) << "Move Up on the first row does nothing";

        SelectAndClick(p, 2, IDC_MOVE_DOWN);
        EXPECT_EQ(order, Rows(p));
        EXPECT_EQ(-1, Selection(p)) << "there is no row below the last";

        SelectAndClick(p, 0, IDC_MOVE_DOWN);
        EXPECT_EQ((Strings{"   middle", "Group: Top", "   Bottom"}), Rows(p));
        EXPECT_EQ(1, Selection(p));
        SelectAndClick(p, 1, IDC_MOVE_UP);
        EXPECT_EQ(order, Rows(p));
        EXPECT_EQ(0, Selection(p));
    });
    EXPECT_EQ((Strings{"Top", "", ""}), Items(page.m_utilities.m_listGroups));
    EXPECT_EQ((Strings{"", "", "http://bottom.example"}), Items(page.m_utilities.m_listURLs));
}

TEST_F(ListCommands, AnUntitledRowAfterAHeaderFindsTheHeader)
{
    CPropertyPage1 page;
    std::string editPath = "unset";
    pagetest::RunSheet({&page}, [&](HWND sheet) {
        HWND p = gui::CurrentPage(sheet);
        ASSERT_TRUE(pagetest::AddGroup(p, "Notes"));
        // Files without an extension bring no title: their rows are three
        // spaces alone.
        ASSERT_TRUE(pagetest::AddFiles(p, answers, {"C:\\d\\README", "C:\\d\\plan.pdf"}));
        ASSERT_EQ((Strings{"Group: Notes", "   plan", "   "}), Rows(p));

        // Edit of that row opens the header's entry, as a file entry.
        HWND dialog = StartEdit(p, 2, "Add Document");
        ASSERT_TRUE(dialog);
        editPath = gui::GetText(dialog, IDC_CHOSEN_FILE);
        pagetest::PressKey(dialog, VK_ESCAPE);
        ASSERT_TRUE(pagetest::WaitCommandEnd(p, dialog));

        SelectAndClick(p, 2, IDC_DELETE_ENTRY);
        EXPECT_EQ((Strings{"Group: Notes", "   plan"}), Rows(p));
        EXPECT_EQ(1, Selection(p));
    });
    EXPECT_EQ("", editPath);
    // The header went; the untitled file stays in the list.
    EXPECT_EQ((Strings{"", ""}), Items(page.m_utilities.m_listGroups));
    EXPECT_EQ((Strings{"plan", ""}), Items(page.m_utilities.m_listTitles));
    EXPECT_EQ((Strings{"C:\\d\\plan.pdf", "C:\\d\\README"}), Items(page.m_utilities.m_listFiles));
}

TEST_F(ListCommands, ClearEmptiesTheListWithoutAsking)
{
    CPropertyPage3 page;
    size_t windowsDuring = 0, windowsBefore = 0;
    pagetest::RunSheet({&page}, [&](HWND sheet) {
        HWND p = gui::CurrentPage(sheet);
        ASSERT_TRUE(pagetest::AddGroup(p, "Day one"));
        ASSERT_TRUE(pagetest::AddFiles(p, answers, {"C:\\p\\a.jpg", "C:\\p\\b.jpg"}));
        gui::SetText(p, IDC_PAGE_TITLE, "Holiday");
        auto shown = [] {
            size_t n = 0;
            for (HWND w : gui::TopLevelWindows()) n += gui::IsShown(w) ? 1 : 0;
            return n;
        };
        windowsBefore = shown();
        pagetest::Select(p, 1);
        gui::Click(p, IDC_CLEAR_LIST);
        EXPECT_TRUE(gui::WaitUntil([&] { return Rows(p).empty(); }, 5000));
        windowsDuring = shown();
        EXPECT_EQ("Holiday", gui::GetText(p, IDC_PAGE_TITLE));
        // Clear on an empty list does nothing visible.
        EXPECT_TRUE(pagetest::ClickAndWait(p, IDC_CLEAR_LIST));
        EXPECT_TRUE(Rows(p).empty());
    });
    EXPECT_EQ(windowsBefore, windowsDuring) << "Clear asks nothing";
    EXPECT_EQ(0, page.m_utilities.GetEntryCount());
    EXPECT_EQ(0, page.m_utilities.m_listFiles.GetCount());
    EXPECT_EQ(0, page.m_utilities.m_listGroups.GetCount());
    EXPECT_EQ(0, page.m_utilities.m_listURLs.GetCount());
}

TEST_F(ListCommands, TypedInformationSurvivesEveryListCommand)
{
    CPropertyPage1 page;
    pagetest::RunSheet({&page}, [&](HWND sheet) {
        HWND p = gui::CurrentPage(sheet);
        const std::vector<std::pair<int, std::string>> fields{{IDC_PAGE_TITLE, "Annual meeting"},
                                                              {IDC_PAGE_SUBTITLE, "Results and plans"},
                                                              {IDC_PAGE_AUTHOR, "The board"},
                                                              {IDC_PAGE_DATE, "12 May"}};
        for (const auto& field : fields) gui::SetText(p, field.first, field.second);
        auto expectFields = [&](const char* after) {
            for (const auto& field : fields) EXPECT_EQ(field.second, gui::GetText(p, field.first)) << "after " << after;
        };
        ASSERT_TRUE(pagetest::AddFiles(p, answers, {"C:\\d\\a.pdf"}));
        expectFields("Add File(s)");
        ASSERT_TRUE(pagetest::AddFiles(p, answers, {"C:\\d\\b.pdf", "C:\\d\\c.pdf"}));
        expectFields("Add File(s) with several files");
        ASSERT_TRUE(pagetest::AddUrl(p, "Site", "www.site.example"));
        expectFields("Add Live URL");
        ASSERT_TRUE(pagetest::AddGroup(p, "Group"));
        expectFields("Add Group");

        HWND dialog = StartEdit(p, 0, "Add Document");
        ASSERT_TRUE(dialog);
        gui::SetText(dialog, IDC_ENTRY_TITLE, "A");
        pagetest::ClickAndWait(dialog, IDOK);
        ASSERT_TRUE(pagetest::WaitCommandEnd(p, dialog));
        expectFields("Edit");

        SelectAndClick(p, 1, IDC_MOVE_DOWN);
        expectFields("Move Down");
        SelectAndClick(p, 2, IDC_MOVE_UP);
        expectFields("Move Up");
        SelectAndClick(p, 0, IDC_DELETE_ENTRY);
        expectFields("Delete");
        EXPECT_TRUE(pagetest::ClickAndWait(p, IDC_EDIT_ENTRY)) << "Edit without a selection opens nothing";
        expectFields("Edit without a selection");
        EXPECT_TRUE(pagetest::ClickAndWait(p, IDC_CLEAR_LIST));
        expectFields("Clear List");
    });
    EXPECT_EQ("Annual meeting", page.m_strTitle);
    EXPECT_EQ("Results and plans", page.m_strSubtitle);
    EXPECT_EQ("The board", page.m_strAuthor);
    EXPECT_EQ("12 May", page.m_strDate);
}
