// The entry dialogs as the user meets them on the creation pages: choosing
// files (one, several, one after another), typing titles, live addresses and
// group headers, and the dialogs that stay open until their input is whole.
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
using Strings = std::vector<std::string>;

namespace {

const char kDocumentFilter[] =
    "Documents (*.pdf; *.html; *.htm; *.jpg; *.jpeg; *.swf)|*.pdf;*.html;*.htm;*.jpg;*.jpeg;*.swf|PDF Files "
    "(*.pdf)|*.pdf|Web Files (*.html; *.htm; *.jpg; *.jpeg; *.swf)|*.html;*.htm;*.jpg;*.jpeg;*.swf||";
const char kPhotoFilter[] =
    "Photos (*.jpg; *.jpeg; *.swf)|*.jpg;*.jpeg;*.swf|Documents (*.pdf; *.html; *.htm)|*.pdf;*.html;*.htm||";

class EntryDialogs : public pagetest::PageTest {};

HWND OpenAddDocument(HWND page) { return pagetest::OpenDialog(page, IDC_ADD_FILES, "Add Document"); }

} // namespace

TEST_F(EntryDialogs, OneFileKeepsTheDialogOpenWithItsPathAndTitle)
{
    CPropertyPage1 page;
    bool stayedOpen = false, pathVisible = false;
    std::string shownPath, shownTitle, rowsBeforeOk;
    pagetest::RunSheet({&page}, [&](HWND sheet) {
        HWND p = gui::CurrentPage(sheet);
        HWND dialog = OpenAddDocument(p);
        ASSERT_TRUE(dialog);
        answers.Choose("C:\\My Documents\\Annual Report.2004.pdf");
        ASSERT_TRUE(pagetest::ClickAndWait(dialog, IDC_SELECT_DOCUMENTS));
        stayedOpen = pagetest::IsOpen(dialog);
        shownPath = gui::GetText(dialog, IDC_CHOSEN_FILE);
        pathVisible = gui::IsShown(::GetDlgItem(dialog, IDC_CHOSEN_FILE));
        shownTitle = gui::GetText(dialog, IDC_ENTRY_TITLE);
        EXPECT_TRUE(Rows(p).empty()) << "nothing is added before OK";
        // The user may change the title before OK.
        gui::SetText(dialog, IDC_ENTRY_TITLE, "Our year");
        pagetest::PressKey(dialog, VK_RETURN);
        EXPECT_TRUE(pagetest::WaitCommandEnd(p, dialog));
        EXPECT_EQ(Strings{"   Our year"}, Rows(p));
    });
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(pathVisible);
    EXPECT_EQ("C:\\My Documents\\Annual Report.2004.pdf", shownPath);
    EXPECT_EQ("Annual Report.2004", shownTitle);
    EXPECT_EQ(Strings{"Our year"}, Items(page.m_utilities.m_listTitles));
    EXPECT_EQ(Strings{"C:\\My Documents\\Annual Report.2004.pdf"}, Items(page.m_utilities.m_listFiles));
    EXPECT_EQ(Strings{""}, Items(page.m_utilities.m_listGroups));
    EXPECT_EQ(Strings{""}, Items(page.m_utilities.m_listURLs));

    // The dialog asked for existing documents, several allowed.
    ASSERT_EQ(1u, answers.Requests().size());
    const CFileDialog::Request request = answers.Requests()[0];
    EXPECT_TRUE(request.open);
    EXPECT_EQ(kDocumentFilter, request.filter);
    EXPECT_EQ("", request.defaultExt);
    EXPECT_EQ("", request.fileName);
    EXPECT_TRUE(request.flags & OFN_ALLOWMULTISELECT);
}

TEST_F(EntryDialogs, ThreeFilesAtOnceCloseTheDialogAndArriveInReverseOrder)
{
    CPropertyPage1 page;
    pagetest::RunSheet({&page}, [&](HWND sheet) {
        HWND p = gui::CurrentPage(sheet);
        HWND dialog = OpenAddDocument(p);
        ASSERT_TRUE(dialog);
        answers.Choose(Strings{"C:\\album\\one.jpg", "C:\\album\\two.pdf", "C:\\album\\three.html"});
        pagetest::ClickAndWait(dialog, IDC_SELECT_DOCUMENTS);
        EXPECT_TRUE(pagetest::WaitCommandEnd(p, dialog)) << "several files need no OK";
        EXPECT_EQ((Strings{"   three", "   two", "   one"}), Rows(p));
    });
    EXPECT_EQ((Strings{"three", "two", "one"}), Items(page.m_utilities.m_listTitles));
    EXPECT_EQ((Strings{"C:\\album\\three.html", "C:\\album\\two.pdf", "C:\\album\\one.jpg"}),
              Items(page.m_utilities.m_listFiles));
}

TEST_F(EntryDialogs, OneFileThenAnotherAddsBothTheLaterFirst)
{
    CPropertyPage1 page;
    pagetest::RunSheet({&page}, [&](HWND sheet) {
        HWND p = gui::CurrentPage(sheet);
        HWND dialog = OpenAddDocument(p);
        ASSERT_TRUE(dialog);
        answers.Choose("C:\\docs\\first.pdf");
        pagetest::ClickAndWait(dialog, IDC_SELECT_DOCUMENTS);
        ASSERT_TRUE(pagetest::IsOpen(dialog));
        // A title typed for the first file does not survive the second choice.
        gui::SetText(dialog, IDC_ENTRY_TITLE, "Typed title");
        answers.Choose("C:\\docs\\second.htm");
        pagetest::ClickAndWait(dialog, IDC_SELECT_DOCUMENTS);
        EXPECT_TRUE(pagetest::WaitCommandEnd(p, dialog));
        EXPECT_EQ((Strings{"   second", "   first"}), Rows(p));
    });
    EXPECT_EQ((Strings{"second", "first"}), Items(page.m_utilities.m_listTitles));
    EXPECT_EQ((Strings{"C:\\docs\\second.htm", "C:\\docs\\first.pdf"}), Items(page.m_utilities.m_listFiles));
}

TEST_F(EntryDialogs, AddDocumentStaysOpenUntilItHasATitleAndAFile)
{
    CPropertyPage1 page;
    pagetest::RunSheet({&page}, [&](HWND sheet) {
        HWND p = gui::CurrentPage(sheet);
        HWND dialog = OpenAddDocument(p);
        ASSERT_TRUE(dialog);
        // Nothing at all.
        pagetest::ClickAndWait(dialog, IDOK);
        EXPECT_TRUE(pagetest::IsOpen(dialog));
        // A title without a file.
        gui::SetText(dialog, IDC_ENTRY_TITLE, "Only a title");
        pagetest::ClickAndWait(dialog, IDOK);
        EXPECT_TRUE(pagetest::IsOpen(dialog));
        // A cancelled file dialog changes nothing.
        answers.Cancel();
        pagetest::ClickAndWait(dialog, IDC_SELECT_DOCUMENTS);
        EXPECT_TRUE(pagetest::IsOpen(dialog));
        EXPECT_EQ("Only a title", gui::GetText(dialog, IDC_ENTRY_TITLE));
        pagetest::ClickAndWait(dialog, IDOK);
        EXPECT_TRUE(pagetest::IsOpen(dialog));
        // A file whose name has no extension brings no title.
        answers.Choose("C:\\docs\\README");
        pagetest::ClickAndWait(dialog, IDC_SELECT_DOCUMENTS);
        EXPECT_EQ("", gui::GetText(dialog, IDC_ENTRY_TITLE));
        pagetest::ClickAndWait(dialog, IDOK);
        EXPECT_TRUE(pagetest::IsOpen(dialog));
        EXPECT_TRUE(Rows(p).empty());
        // With both, OK closes it.
        gui::SetText(dialog, IDC_ENTRY_TITLE, "Read me");
        pagetest::ClickAndWait(dialog, IDOK);
        EXPECT_TRUE(pagetest::WaitCommandEnd(p, dialog));
        EXPECT_EQ(Strings{"   Read me"}, Rows(p));
    });
    EXPECT_EQ(Strings{"C:\\docs\\README"}, Items(page.m_utilities.m_listFiles));
}

TEST_F(EntryDialogs, EscapeAndTheCloseBoxAddNothing)
{
    CPropertyPage1 page;
    pagetest::RunSheet({&page}, [&](HWND sheet) {
        HWND p = gui::CurrentPage(sheet);
        HWND dialog = OpenAddDocument(p);
        ASSERT_TRUE(dialog);
        EXPECT_FALSE(::GetDlgItem(dialog, IDCANCEL)) << "the dialog has no Cancel button";
        answers.Choose("C:\\docs\\kept.pdf");
        pagetest::ClickAndWait(dialog, IDC_SELECT_DOCUMENTS);
        pagetest::PressKey(dialog, VK_ESCAPE);
        EXPECT_TRUE(pagetest::WaitCommandEnd(p, dialog));

        dialog = pagetest::OpenDialog(p, IDC_ADD_URL, "Add Live URL");
        ASSERT_TRUE(dialog);
        gui::SetText(dialog, IDC_URL, "www.example.com");
        gui::SetText(dialog, IDC_ENTRY_TITLE, "Example");
        ::PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_TRUE(pagetest::WaitCommandEnd(p, dialog));

        dialog = pagetest::OpenDialog(p, IDC_ADD_GROUP, "Add Group");
        ASSERT_TRUE(dialog);
        gui::SetText(dialog, IDC_GROUP_TEXT, "Part one");
        pagetest::PressKey(dialog, VK_ESCAPE);
        EXPECT_TRUE(pagetest::WaitCommandEnd(p, dialog));
        EXPECT_TRUE(Rows(p).empty());
    });
    EXPECT_EQ(0, page.m_utilities.GetEntryCount());
}

TEST_F(EntryDialogs, PhotoPageAsksForPhotosUnderTheSameCaption)
{
    CPropertyPage3 page;
    std::string button, label;
    pagetest::RunSheet({&page}, [&](HWND sheet) {
        HWND p = gui::CurrentPage(sheet);
        HWND dialog = OpenAddDocument(p);
        ASSERT_TRUE(dialog);
        button = gui::GetText(dialog, IDC_SELECT_DOCUMENTS);
        label = gui::GetText(dialog, IDC_TITLE_LABEL);
        answers.Choose("C:\\photos\\beach.jpg");
        pagetest::ClickAndWait(dialog, IDC_SELECT_DOCUMENTS);
        EXPECT_EQ("beach", gui::GetText(dialog, IDC_ENTRY_TITLE));
        pagetest::ClickAndWait(dialog, IDOK);
        EXPECT_TRUE(pagetest::WaitCommandEnd(p, dialog));
        EXPECT_EQ(Strings{"   beach"}, Rows(p));
    });
    EXPECT_EQ("Add Photo(s)", button);
    EXPECT_EQ("Photo Title:", label);
    ASSERT_EQ(1u, answers.Requests().size());
    EXPECT_EQ(kPhotoFilter, answers.Requests()[0].filter);
}

TEST_F(EntryDialogs, LiveAddressesStartingWithWwwGetTheWebScheme)
{
    CPropertyPage1 page;
    pagetest::RunSheet({&page}, [&](HWND sheet) {
        HWND p = gui::CurrentPage(sheet);
        ASSERT_TRUE(pagetest::AddUrl(p, "Example", "WWW.Example.com"));
        ASSERT_TRUE(pagetest::AddUrl(p, "Files", "ftp://x"));
        ASSERT_TRUE(pagetest::AddUrl(p, "Plain", "example.org/www."));
        EXPECT_EQ((Strings{"   Example", "   Files", "   Plain"}), Rows(p));
    });
    EXPECT_EQ((Strings{"http://WWW.Example.com", "ftp://x", "example.org/www."}), Items(page.m_utilities.m_listURLs));
    EXPECT_EQ((Strings{"", "", ""}), Items(page.m_utilities.m_listFiles));
    EXPECT_EQ((Strings{"Example", "Files", "Plain"}), Items(page.m_utilities.m_listTitles));
}

TEST_F(EntryDialogs, LiveUrlAndGroupStayOpenUntilTheirInputIsWhole)
{
    CPropertyPage1 page;
    pagetest::RunSheet({&page}, [&](HWND sheet) {
        HWND p = gui::CurrentPage(sheet);
        HWND dialog = pagetest::OpenDialog(p, IDC_ADD_URL, "Add Live URL");
        ASSERT_TRUE(dialog);
        gui::SetText(dialog, IDC_URL, "www.example.com");
        pagetest::ClickAndWait(dialog, IDOK);
        EXPECT_TRUE(pagetest::IsOpen(dialog)) << "no title";
        EXPECT_EQ("www.example.com", gui::GetText(dialog, IDC_URL)) << "a refused address is not changed";
        gui::SetText(dialog, IDC_URL, "");
        gui::SetText(dialog, IDC_ENTRY_TITLE, "Example");
        pagetest::ClickAndWait(dialog, IDOK);
        EXPECT_TRUE(pagetest::IsOpen(dialog)) << "no address";
        pagetest::PressKey(dialog, VK_ESCAPE);
        ASSERT_TRUE(pagetest::WaitCommandEnd(p, dialog));

        dialog = pagetest::OpenDialog(p, IDC_ADD_GROUP, "Add Group");
        ASSERT_TRUE(dialog);
        pagetest::ClickAndWait(dialog, IDOK);
        EXPECT_TRUE(pagetest::IsOpen(dialog)) << "an empty header is refused";
        gui::SetText(dialog, IDC_GROUP_TEXT, "Chapter 1");
        pagetest::PressKey(dialog, VK_RETURN);
        EXPECT_TRUE(pagetest::WaitCommandEnd(p, dialog));
        EXPECT_EQ(Strings{"Group: Chapter 1"}, Rows(p));
    });
    EXPECT_EQ(Strings{"Chapter 1"}, Items(page.m_utilities.m_listGroups));
    EXPECT_EQ(Strings{""}, Items(page.m_utilities.m_listTitles));
}
