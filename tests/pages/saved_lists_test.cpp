// Save List, Open List and the remembered list of each creation page: the
// list file written and read through the pages, the settings keys, static
// 1019, a restart of the program, old and damaged files.
#include <gtest/gtest.h>

#include <map>

#include "pages/document_page.h"
#include "pages/photo_page.h"
#include "resources/resource.h"
#include "shell/ambrel_app.h"
#include "system/install_paths.h"
#include "tests/pages/page_driver.h"
#include "tests/support/gui_driver.h"
#include "tests/support/test_env.h"
#include "view/view_page.h"

using pagetest::FileDialogAnswers;
using pagetest::IsChecked;
using pagetest::Items;
using pagetest::Rows;
using Strings = std::vector<std::string>;

namespace {

class SavedLists : public pagetest::PageTest {
protected:
    std::string SettingsFile() const { return root.DataFolder() + "ambrel\\ambrel.ini"; }
    std::string Remembered(const char* key) const
    {
        char value[1024] = {};
        ::GetPrivateProfileStringA("Parameters", key, "", value, sizeof(value), SettingsFile().c_str());
        return value;
    }
    void Remember(const char* key, const std::string& path) const
    {
        testenv::MakeDirectories(root.DataFolder() + "ambrel");
        ::WritePrivateProfileStringA("Parameters", key, path.c_str(), SettingsFile().c_str());
    }
    std::string ListPath(const std::string& name) const { return root.Base() + "\\lists\\" + name; }
};

// The archive encoding of texts and small counts, written out by hand.
std::string Count(int n) { return std::string{static_cast<char>(n & 0xFF), static_cast<char>(n >> 8)}; }
std::string Text(const std::string& s)
{
    if (s.size() < 255) return std::string(1, static_cast<char>(s.size())) + s;
    return "\xFF" + Count(static_cast<int>(s.size())) + s;
}
std::string TextList(const Strings& items)
{
    std::string bytes = Count(static_cast<int>(items.size()));
    for (const std::string& s : items) bytes += Text(s);
    return bytes;
}

// A list file as an older program wrote it: no transition texts after the
// author.
std::string Version11File()
{
    return Text("1.1") + TextList({"Old times", ""}) + TextList({"", "Letter"}) +
           TextList({"", "C:\\old\\letter.pdf"}) + TextList({"", ""}) + Text("Archive") + Text("Found again") +
           Text("1999") + Text("Clerk");
}

std::string Version12File(const std::string& autoSeconds)
{
    return Text("1.2") + TextList({""}) + TextList({"Memo"}) + TextList({"C:\\new\\memo.pdf"}) + TextList({""}) +
           Text("T") + Text("S") + Text("D") + Text("A") + Text(autoSeconds) + Text("Fade");
}

} // namespace

TEST_F(SavedLists, SaveListWritesTheListFileThroughThePage)
{
    testenv::MakeDirectories(root.Base() + "\\lists");
    CPropertyPage1 page;
    std::string shownPath;
    pagetest::RunSheet({&page}, [&](HWND sheet) {
        HWND p = gui::CurrentPage(sheet);
        ASSERT_TRUE(pagetest::AddFiles(p, answers, {"C:\\a.pdf"}));
        answers.Choose(ListPath("example.flist"));
        ASSERT_TRUE(pagetest::ClickAndWait(p, IDC_SAVE_LIST));
        shownPath = gui::GetText(p, IDC_LIST_FILE_PATH);
    });
    // One file entry titled a, empty fields, the initial combo values.
    const std::string expected = std::string("\x03"
                                             "1.2",
                                             4) +
                                 std::string("\x01\x00\x00", 3) +
                                 std::string("\x01\x00\x01"
                                             "a",
                                             4) +
                                 std::string("\x01\x00\x08"
                                             "C:\\a.pdf",
                                             11) +
                                 std::string("\x01\x00\x00", 3) + std::string(4, '\0') +
                                 "\x0D"
                                 "Not Automated" +
                                 "\x08"
                                 "Standard";
    EXPECT_EQ(expected, testenv::ReadFile(ListPath("example.flist")));
    EXPECT_EQ(ListPath("example.flist"), Remembered("File List"));
    EXPECT_EQ("", Remembered("Photo File List"));
    EXPECT_EQ(ListPath("example.flist"), shownPath);

    ASSERT_EQ(2u, answers.Requests().size());
    const CFileDialog::Request request = answers.Requests()[1];
    EXPECT_FALSE(request.open);
    EXPECT_EQ("flist", request.defaultExt);
    EXPECT_EQ("", request.fileName);
    EXPECT_EQ("Ambrel File List (*.flist)|*.flist||", request.filter);
}

TEST_F(SavedLists, ADocumentListOpensOnThePhotoPageAndComesBackAfterARestart)
{
    testenv::MakeDirectories(root.Base() + "\\lists");
    const std::string list = ListPath("trip.flist");
    CPropertyPage1 documentPage;
    CPropertyPage3 photoPage;
    Strings documentRows, photoRows;
    std::string photoShownPath;
    pagetest::RunSheet({&documentPage, &photoPage}, [&](HWND sheet) {
        HWND document = gui::CurrentPage(sheet);
        ASSERT_TRUE(pagetest::AddGroup(document, "Day one"));
        ASSERT_TRUE(pagetest::AddFiles(document, answers, {"C:\\trip\\map.pdf"}));
        ASSERT_TRUE(pagetest::AddUrl(document, "Hotel", "www.hotel.example"));
        gui::SetText(document, IDC_PAGE_TITLE, "Our trip");
        gui::SetText(document, IDC_PAGE_SUBTITLE, "Summer");
        gui::SetText(document, IDC_PAGE_AUTHOR, "Sam");
        gui::SetText(document, IDC_PAGE_DATE, "August");
        gui::SetText(document, IDC_AUTO_SECONDS, "45");
        answers.Choose(list);
        ASSERT_TRUE(pagetest::ClickAndWait(document, IDC_SAVE_LIST));
        documentRows = Rows(document);

        gui::SelectPage(sheet, 1);
        HWND photo = gui::CurrentPage(sheet);
        answers.Choose(list);
        ASSERT_TRUE(pagetest::ClickAndWait(photo, IDC_OPEN_LIST));
        photoRows = Rows(photo);
        photoShownPath = gui::GetText(photo, IDC_LIST_FILE_PATH);
        EXPECT_EQ("Our trip", gui::GetText(photo, IDC_PAGE_TITLE));
        EXPECT_EQ("Summer", gui::GetText(photo, IDC_PAGE_SUBTITLE));
        EXPECT_EQ("Sam", gui::GetText(photo, IDC_PAGE_AUTHOR));
        EXPECT_EQ("August", gui::GetText(photo, IDC_PAGE_DATE));
        EXPECT_EQ("45", gui::GetText(photo, IDC_AUTO_SECONDS));
    });
    const Strings rows{"Group: Day one", "   map", "   Hotel"};
    EXPECT_EQ(rows, documentRows);
    EXPECT_EQ(rows, photoRows);
    EXPECT_EQ(list, photoShownPath);
    EXPECT_EQ(list, Remembered("File List"));
    EXPECT_EQ(list, Remembered("Photo File List"));
    EXPECT_EQ((Strings{"Day one", "", ""}), Items(photoPage.m_utilities.m_listGroups));
    EXPECT_EQ((Strings{"", "map", "Hotel"}), Items(photoPage.m_utilities.m_listTitles));
    EXPECT_EQ((Strings{"", "C:\\trip\\map.pdf", ""}), Items(photoPage.m_utilities.m_listFiles));
    EXPECT_EQ((Strings{"", "", "http://www.hotel.example"}), Items(photoPage.m_utilities.m_listURLs));

    // A new run of the program finds the list on both pages.
    g_strDataFolder.clear();
    CAmbrelApp app;
    app.m_lpCmdLine = "";
    Strings restartedRows;
    std::string restartedPath, restartedTitle, restartedInterval;
    gui::RunDriven([&] { app.InitInstance(); },
                   [&] {
                       HWND sheet = gui::WaitForWindow("Ambrel");
                       ASSERT_TRUE(sheet);
                       gui::SelectPage(sheet, 1);
                       HWND document = gui::CurrentPage(sheet);
                       restartedRows = Rows(document);
                       restartedPath = gui::GetText(document, IDC_LIST_FILE_PATH);
                       restartedTitle = gui::GetText(document, IDC_PAGE_TITLE);
                       restartedInterval = gui::GetText(document, IDC_AUTO_SECONDS);
                       gui::SelectPage(sheet, 2);
                       EXPECT_EQ(rows, Rows(gui::CurrentPage(sheet)));
                       EXPECT_TRUE(IsChecked(gui::CurrentPage(sheet), IDC_THUMBNAILS));
                       ::PostMessageA(sheet, WM_SYSCOMMAND, SC_CLOSE, 0);
                   });
    EXPECT_EQ(rows, restartedRows);
    EXPECT_EQ(list, restartedPath);
    EXPECT_EQ("Our trip", restartedTitle);
    EXPECT_EQ("45", restartedInterval);
}

TEST_F(SavedLists, AnOlderFileKeepsTheComboValuesAndANewerOneSetsThem)
{
    testenv::WriteFile(ListPath("old.flist"), Version11File());
    testenv::WriteFile(ListPath("new.flist"), Version12File("24"));
    CPropertyPage1 page;
    pagetest::RunSheet({&page}, [&](HWND sheet) {
        HWND p = gui::CurrentPage(sheet);
        gui::SetText(p, IDC_AUTO_SECONDS, "7.5");
        answers.Choose(ListPath("old.flist"));
        ASSERT_TRUE(pagetest::ClickAndWait(p, IDC_OPEN_LIST));
        EXPECT_EQ((Strings{"Group: Old times", "   Letter"}), Rows(p));
        EXPECT_EQ("Archive", gui::GetText(p, IDC_PAGE_TITLE));
        EXPECT_EQ("Found again", gui::GetText(p, IDC_PAGE_SUBTITLE));
        EXPECT_EQ("1999", gui::GetText(p, IDC_PAGE_DATE));
        EXPECT_EQ("Clerk", gui::GetText(p, IDC_PAGE_AUTHOR));
        EXPECT_EQ("7.5", gui::GetText(p, IDC_AUTO_SECONDS)) << "the interval the user typed stays";
        EXPECT_EQ("Standard", gui::GetText(p, IDC_TRANSITION));

        answers.Choose(ListPath("new.flist"));
        ASSERT_TRUE(pagetest::ClickAndWait(p, IDC_OPEN_LIST));
        EXPECT_EQ(Strings{"   Memo"}, Rows(p));
        // 24 is restored as 24, not as the item 240 that begins with it.
        EXPECT_EQ("24", gui::GetText(p, IDC_AUTO_SECONDS));
        EXPECT_EQ(CB_ERR, static_cast<int>(gui::SendTo(p, IDC_AUTO_SECONDS, CB_GETCURSEL)));
        EXPECT_EQ("Fade", gui::GetText(p, IDC_TRANSITION));
    });
    EXPECT_EQ("24", page.m_strAutoSeconds) << "the page holds the file's text until the next command";
    EXPECT_EQ("Fade", page.m_strTransition);
    EXPECT_EQ(Strings{"C:\\new\\memo.pdf"}, Items(page.m_utilities.m_listFiles));
}

TEST_F(SavedLists, AFileThatCannotBeReadLeavesThePageAsItWas)
{
    // Cut inside the title list, and a file that is not there at all.
    const std::string whole = Version12File("10");
    testenv::WriteFile(ListPath("cut.flist"), whole.substr(0, 9));
    testenv::WriteFile(ListPath("noise.flist"), std::string("\x03"
                                                            "1.2"
                                                            "\xFF\xFF\xFF\xFF\xFF\xFF",
                                                            10));
    CPropertyPage1 page;
    pagetest::RunSheet({&page}, [&](HWND sheet) {
        HWND p = gui::CurrentPage(sheet);
        ASSERT_TRUE(pagetest::AddFiles(p, answers, {"C:\\mine\\kept.pdf"}));
        gui::SetText(p, IDC_PAGE_TITLE, "Mine");
        gui::SetText(p, IDC_AUTO_SECONDS, "5");
        for (const char* name : {"cut.flist", "noise.flist", "missing.flist"}) {
            answers.Choose(ListPath(name));
            ASSERT_TRUE(pagetest::ClickAndWait(p, IDC_OPEN_LIST));
            EXPECT_EQ(Strings{"   kept"}, Rows(p)) << name;
            EXPECT_EQ("Mine", gui::GetText(p, IDC_PAGE_TITLE)) << name;
            EXPECT_EQ("5", gui::GetText(p, IDC_AUTO_SECONDS)) << name;
            // The chosen path is remembered before it is read.
            EXPECT_EQ(ListPath(name), gui::GetText(p, IDC_LIST_FILE_PATH)) << name;
            EXPECT_EQ(ListPath(name), Remembered("File List")) << name;
        }
    });
    EXPECT_EQ(Strings{"kept"}, Items(page.m_utilities.m_listTitles));
    EXPECT_EQ(Strings{"C:\\mine\\kept.pdf"}, Items(page.m_utilities.m_listFiles));
    EXPECT_EQ(1, page.m_utilities.m_listGroups.GetCount());
    EXPECT_EQ(1, page.m_utilities.m_listURLs.GetCount());
}

TEST_F(SavedLists, ARememberedFileThatIsGoneGivesAnEmptyPageWithItsPath)
{
    Remember("Photo File List", ListPath("gone.flist"));
    CPropertyPage3 page;
    pagetest::RunSheet({&page}, [&](HWND sheet) {
        HWND p = gui::CurrentPage(sheet);
        EXPECT_EQ(ListPath("gone.flist"), gui::GetText(p, IDC_LIST_FILE_PATH));
        EXPECT_TRUE(Rows(p).empty());
        EXPECT_EQ("Not Automated", gui::GetText(p, IDC_AUTO_SECONDS));
        EXPECT_TRUE(IsChecked(p, IDC_THUMBNAILS));
    });
    EXPECT_EQ(0, page.m_utilities.GetEntryCount());
}

TEST_F(SavedLists, SavingWhereNothingCanBeWrittenStillRemembersThePath)
{
    const std::string nowhere = root.Base() + "\\no such folder\\list.flist";
    CPropertyPage3 page;
    pagetest::RunSheet({&page}, [&](HWND sheet) {
        HWND p = gui::CurrentPage(sheet);
        ASSERT_TRUE(pagetest::AddGroup(p, "Kept"));
        answers.Choose(nowhere);
        ASSERT_TRUE(pagetest::ClickAndWait(p, IDC_SAVE_LIST)) << "no message is shown";
        EXPECT_EQ(nowhere, gui::GetText(p, IDC_LIST_FILE_PATH));
        EXPECT_EQ(Strings{"Group: Kept"}, Rows(p));
    });
    EXPECT_EQ(nowhere, Remembered("Photo File List"));
    EXPECT_EQ("", Remembered("File List"));
    EXPECT_FALSE(testenv::Exists(nowhere));
}

TEST_F(SavedLists, CancelledDialogsChangeNothing)
{
    Remember("File List", ListPath("before.flist"));
    CPropertyPage1 page;
    pagetest::RunSheet({&page}, [&](HWND sheet) {
        HWND p = gui::CurrentPage(sheet);
        ASSERT_TRUE(pagetest::AddGroup(p, "G"));
        answers.Cancel();
        ASSERT_TRUE(pagetest::ClickAndWait(p, IDC_SAVE_LIST));
        answers.Cancel();
        ASSERT_TRUE(pagetest::ClickAndWait(p, IDC_OPEN_LIST));
        EXPECT_EQ(Strings{"Group: G"}, Rows(p));
        EXPECT_EQ(ListPath("before.flist"), gui::GetText(p, IDC_LIST_FILE_PATH));
    });
    EXPECT_EQ(ListPath("before.flist"), Remembered("File List"));
    EXPECT_FALSE(testenv::Exists(ListPath("before.flist")));
}

TEST_F(SavedLists, OpenListLeavesTheCheckBoxesButTicksThumbnailsAgain)
{
    testenv::WriteFile(ListPath("photos.flist"), Version12File("3"));
    CPropertyPage3 page;
    pagetest::RunSheet({&page}, [&](HWND sheet) {
        HWND p = gui::CurrentPage(sheet);
        // Fit Images has no command of its own: the click is only seen by
        // the next command that takes the page values.
        gui::SendTo(p, IDC_FIT_IMAGES, BM_SETCHECK, BST_UNCHECKED);
        pagetest::SetCheck(p, IDC_THUMBNAILS, false);
        answers.Choose(ListPath("photos.flist"));
        ASSERT_TRUE(pagetest::ClickAndWait(p, IDC_OPEN_LIST));
        EXPECT_EQ(Strings{"   Memo"}, Rows(p));
        EXPECT_FALSE(IsChecked(p, IDC_FIT_IMAGES));
        EXPECT_TRUE(IsChecked(p, IDC_THUMBNAILS));
    });
    EXPECT_EQ(0, page.m_bFitImages);
    EXPECT_EQ(1, page.m_bThumbnails);
}

// A list file from someone else, whose entries' names would lead the copies
// out of the package: every file outside the work folder and the chosen
// package stays as it was, nothing new appears outside them, the rest of the
// list is packaged and shown, and the user is told once which entries were
// left out.
TEST_F(SavedLists, AListFromSomeoneElseNeverWritesOutsideThePackage)
{
    root.InstallTemplate();
    root.InstallArchiver();
    testenv::Recorder browser;
    const std::string base = root.Base();
    // The sources lie as deep below the base as the package's resources
    // folder (data\ambrel\temp\<name>\resources), so that each climbing
    // name reads the same victim file as it would write.
    const std::string in = base + "\\in\\1\\2\\3\\4\\";
    const std::string climb = "x/../../../../../../victim/";
    testenv::WriteFile(base + "\\victim\\notes.html", "<html><head></head><body>window.name</body></html>");
    testenv::WriteFile(base + "\\victim\\mail.mht", "MIME-Version: 1.0\r\n\r\nwindow.name");
    testenv::WriteFile(base + "\\victim\\thesis.htm", "<head></head>thesis");
    testenv::WriteFile(base + "\\victim\\beach.jpg", std::string("\xff\xd8\xff\xe0 victim", 11));
    testenv::WriteFile(in + "plan.pdf", "%PDF-1.4 plan");
    testenv::WriteFile(in + "site.html", "<html><head></head><body>site</body></html>");
    testenv::WriteFile(in + "site_files\\a.css", "body{}");
    testenv::WriteFile(in + "Bay.jpg", std::string("\xff\xd8\xff\xe0 bay", 8));

    const Strings hostileTitles{"Notes", "Mail", "Thesis", "Beach", "Device", "Stream", "Drive", "Dot"};
    const Strings hostilePaths{in + climb + "notes.html", in + climb + "mail.mht", in + climb + "thesis.htm",
                               in + climb + "beach.jpg",  in + "LPT1.pdf",         in + "plan.pdf:hidden",
                               in + "c:plan.pdf",         in + "plan.pdf."};
    Strings groups{"Kept"}, titles{""}, paths{""}, urls{""};
    for (size_t i = 0; i < hostileTitles.size(); ++i) {
        groups.push_back("");
        titles.push_back(hostileTitles[i]);
        paths.push_back(hostilePaths[i]);
        urls.push_back("");
    }
    for (const Strings& good : {Strings{"Plan", in + "plan.pdf", ""}, Strings{"Site", in + "site.html", ""},
                                Strings{"Bay", in + "Bay.jpg", ""}, Strings{"Web", "", "http://example.com/"}}) {
        groups.push_back("");
        titles.push_back(good[0]);
        paths.push_back(good[1]);
        urls.push_back(good[2]);
    }
    const std::string list = ListPath("received.flist");
    testenv::WriteFile(list, Text("1.2") + TextList(groups) + TextList(titles) + TextList(paths) + TextList(urls) +
                                 Text("Shared") + Text("") + Text("") + Text("") + Text("Not Automated") +
                                 Text("Fade"));
    Remember("File List", list);

    // Everything outside the work folder, the packages and the program's
    // own settings, before and after.
    const std::string work = root.WorkFolder().substr(base.size() + 1);
    auto outside = [&] {
        std::map<std::string, std::string> files;
        for (const std::string& name : testenv::ListFiles(base, true)) {
            const std::string lower = testenv::Lower(name);
            if (lower.compare(0, work.size(), work) != 0 && lower.compare(0, 4, "out\\") != 0 &&
                lower != "data\\ambrel\\ambrel.ini")
                files[name] = name.back() == '\\' ? "(folder)" : testenv::ReadFile(base + "\\" + name);
        }
        return files;
    };
    testenv::MakeDirectories(base + "\\out");
    CWinApp app("Ambrel");       // the caption of the program's message boxes
    CPropertyPage1 documentPage; // (the pages make the program's own folders)
    CPropertyPage3 photoPage;
    const auto before = outside();
    std::vector<std::string> boxes;
    pagetest::RunSheet({&documentPage, &photoPage}, [&](HWND sheet) {
        ASSERT_TRUE(sheet);
        // Restored as the remembered list on one page, opened on the other.
        gui::SelectPage(sheet, 1);
        HWND photo = gui::CurrentPage(sheet);
        answers.Choose(list);
        ASSERT_TRUE(pagetest::ClickAndWait(photo, IDC_OPEN_LIST));
        for (int tab : {0, 1}) {
            gui::SelectPage(sheet, tab);
            HWND p = gui::CurrentPage(sheet);
            ASSERT_EQ(13u, Rows(p).size()) << "the whole list is shown before Save";
            answers.Choose(base + (tab == 0 ? "\\out\\show.ambd" : "\\out\\album.ambd"));
            gui::Click(p, IDC_SAVE_AS);
            HWND box = gui::WaitForMessageBox(60000);
            ASSERT_TRUE(box) << "tab " << tab;
            boxes.push_back(gui::StaticTexts(box));
            ::PostMessageA(box, WM_COMMAND, IDOK, 0);
            ASSERT_TRUE(browser.WaitForLines(static_cast<size_t>(tab) + 1));
            pagetest::WaitIdle(p);
        }
    });

    const auto after = outside();
    Strings changed;
    for (const auto& file : after)
        if (!before.count(file.first) || before.at(file.first) != file.second) changed.push_back(file.first);
    for (const auto& file : before)
        if (!after.count(file.first)) changed.push_back(file.first);
    EXPECT_EQ(Strings{}, changed) << "files outside the work folder and the packages changed, appeared or went";
    ASSERT_EQ(2u, boxes.size());
    for (const std::string& box : boxes) {
        for (const std::string& title : hostileTitles)
            EXPECT_NE(std::string::npos, box.find("\n" + title + ": ")) << title << " in\n" << box;
        for (const char* kept : {"Plan", "Site", "Bay", "Web"})
            EXPECT_EQ(std::string::npos, box.find(std::string(kept) + ": ")) << kept;
    }
    // The rest of the list is packaged and shown, numbered without gaps.
    for (const char* name : {"show", "album"}) {
        const std::string package = root.WorkFolder() + name;
        const std::string left = testenv::ReadFile(package + "\\resources\\left.html");
        for (const char* file : {"plan.pdf", "site.html", "site_files\\a.css", "Bay.jpg", "bay.html"})
            EXPECT_TRUE(testenv::Exists(package + "\\resources\\" + file)) << name << ": " << file;
        EXPECT_NE(std::string::npos, left.find("GoTo(4)")) << "four entries: " << name;
        EXPECT_EQ(std::string::npos, left.find("GoTo(5)")) << name;
        for (const char* gone : {"notes", "mail", "thesis", "beach", "LPT1", "hidden", "c:plan"})
            EXPECT_EQ(std::string::npos, left.find(gone)) << name << ": " << gone;
        const std::string cabinet = testenv::ReadFile(base + "\\out\\" + name + ".ambd");
        ASSERT_GT(cabinet.size(), 9u) << name;
        EXPECT_EQ("MSCF", cabinet.substr(0, 4));
        EXPECT_EQ("ambd1", cabinet.substr(cabinet.size() - 5));
    }
    EXPECT_EQ(testenv::Lower(root.WorkFolder() + "show\\index.html"), testenv::Lower(browser.Lines().at(0)));
    EXPECT_EQ(testenv::Lower(root.WorkFolder() + "album\\index.html"), testenv::Lower(browser.Lines().at(1)));
}
