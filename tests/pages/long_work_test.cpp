// Saving and opening as long work, driven through the sheet as a user would:
// the sheet keeps answering while hundreds of megabytes are copied and
// packed, the progress window shows its steps and appears only for work that
// lasts, Cancel stops the archiver and leaves an older package as it was,
// and every failure is told and shows nothing stale.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <set>
#include <vector>

#include "framework/win_app.h"
#include "pages/document_page.h"
#include "resources/resource.h"
#include "tests/generate/list_entries.h"
#include "tests/pages/page_driver.h"
#include "tests/support/gui_driver.h"
#include "tests/support/test_env.h"
#include "view/view_page.h"

using Strings = std::vector<std::string>;

namespace {

class LongWork : public pagetest::PageTest {
protected:
    void SetUp() override
    {
        pagetest::PageTest::SetUp();
        root.InstallTemplate();
        testenv::MakeDirectories(Out());
    }
    std::string Docs() const { return root.Base() + "\\docs\\"; }
    std::string Out() const { return root.Base() + "\\out\\"; }

    // Documents of `megabytes` MiB each: bytes that do not compress, as
    // photographs and PDFs mostly do not, or text of words, which the
    // archiver takes its time over.
    Strings MakeDocuments(int count, int megabytes, bool text = false)
    {
        static const char* const kWords[] = {"slide ",   "show ", "album ", "report ", "quarter ", "summer ",
                                             "picture ", "the ",  "of ",    "and ",    "page ",    "draft "};
        Strings paths;
        std::string content(static_cast<size_t>(megabytes) << 20, '\0');
        uint32_t state = 2463534242u;
        for (int i = 0; i < count; ++i) {
            for (size_t k = 0; k < content.size();) {
                state ^= state << 13, state ^= state >> 17, state ^= state << 5;
                if (!text) {
                    std::memcpy(&content[k], &state, 4);
                    k += 4;
                    continue;
                }
                for (const char* w = kWords[state % 12]; *w && k < content.size(); ++w) content[k++] = *w;
            }
            paths.push_back(Docs() + "doc" + std::to_string(i) + ".pdf");
            testenv::WriteFile(paths.back(), content);
        }
        return paths;
    }

    CWinApp m_app{"Ambrel"}; // the caption of the program's windows
    testenv::Recorder m_browser;
};

// The progress window over the sheet: the window of ours with a progress
// bar, or nullptr.
HWND ProgressWindow()
{
    for (HWND w : gui::TopLevelWindows())
        if (gui::IsShown(w) && ::FindWindowExA(w, nullptr, "msctls_progress32", nullptr)) return w;
    return nullptr;
}

// Clicks Save, then watches until the work ends: every step the progress
// window showed, and the message box at the end (its text, then closed).
struct SaveWatch {
    std::set<std::string> steps;
    Strings order;
    std::string box;
    bool sheetTookInput = false;
};

SaveWatch SaveAndWatch(HWND sheet, HWND page, testenv::Recorder& browser, DWORD timeoutMs,
                       std::vector<DWORD>* replies = nullptr)
{
    SaveWatch watch;
    const size_t shownBefore = browser.Lines().size();
    gui::Click(page, IDC_SAVE_AS);
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < timeoutMs) {
        const DWORD sent = ::GetTickCount();
        DWORD_PTR result = 0;
        ::SendMessageTimeoutA(sheet, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
        if (replies) replies->push_back(::GetTickCount() - sent);
        if (HWND progress = ProgressWindow()) {
            const std::string step = gui::GetText(progress, IDC_PROGRESS_STEP);
            if (watch.order.empty() || watch.order.back() != step) watch.order.push_back(step);
            watch.steps.insert(step);
            watch.sheetTookInput = watch.sheetTookInput || ::IsWindowEnabled(sheet);
        }
        if (HWND box = gui::FindMessageBox()) {
            watch.box = gui::StaticTexts(box);
            ::PostMessageA(box, WM_COMMAND, IDOK, 0);
            gui::WaitUntil([&] { return !::IsWindow(box); });
            break;
        }
        if (browser.Lines().size() > shownBefore && !ProgressWindow()) break;
        ::Sleep(50);
    }
    pagetest::WaitIdle(page);
    return watch;
}

} // namespace

TEST_F(LongWork, ThreeHundredMegabytesLeaveTheSheetAnswering)
{
    root.InstallArchiver();
    CPropertyPage1 page;
    for (const std::string& path : MakeDocuments(30, 10)) listentries::AddFile(page.m_utilities, "Doc", path);
    std::vector<DWORD> replies;
    SaveWatch watch;
    bool enabledAfter = false;
    pagetest::RunSheet({&page}, [&](HWND sheet) {
        answers.Choose(Out() + "big.ambd");
        watch = SaveAndWatch(sheet, gui::CurrentPage(sheet), m_browser, 600000, &replies);
        enabledAfter = ::IsWindowEnabled(sheet) != FALSE;
    });
    ASSERT_FALSE(replies.empty());
    std::sort(replies.begin(), replies.end());
    std::printf("sheet answered %zu messages: median %lu ms, 95th %lu ms, longest %lu ms\n", replies.size(),
                replies[replies.size() / 2], replies[replies.size() * 95 / 100], replies.back());
    EXPECT_LT(replies.back(), 250u) << "the sheet stopped answering";
    EXPECT_EQ("", watch.box);
    // What the window showed, in the work's order (the quicker steps may be
    // over before the window appears).
    const Strings known{"Copying documents", "Preparing pages", "Packing", "Opening"};
    ASSERT_FALSE(watch.order.empty()) << "work of seconds shows the progress window";
    auto at = known.begin();
    for (const std::string& step : watch.order) {
        at = std::find(at, known.end(), step);
        EXPECT_NE(known.end(), at) << step << " out of order or unknown";
    }
    EXPECT_FALSE(watch.sheetTookInput) << "the page's commands stay disabled while the work runs";
    EXPECT_TRUE(enabledAfter);
    ASSERT_EQ(1u, m_browser.Lines().size());
    const std::string package = testenv::ReadFile(Out() + "big.ambd");
    ASSERT_GT(package.size(), 300u << 20);
    EXPECT_EQ("ambd1", package.substr(package.size() - 5));
}

TEST_F(LongWork, CancelWhilePackingLeavesTheOlderPackageAndThePage)
{
    root.InstallArchiver();
    const std::string older = "MSCF an older package\x01\x02"
                              "ambd1";
    testenv::WriteFile(Out() + "show.ambd", older);
    CPropertyPage1 page;
    for (const std::string& path : MakeDocuments(12, 10, true)) listentries::AddFile(page.m_utilities, "Doc", path);
    DWORD cancelTook = 0;
    bool cancelled = false;
    std::string titleAfter;
    pagetest::RunSheet({&page}, [&](HWND sheet) {
        HWND p = gui::CurrentPage(sheet);
        gui::SetText(p, IDC_PAGE_TITLE, "Kept as typed");
        answers.Choose(Out() + "show.ambd");
        gui::Click(p, IDC_SAVE_AS);
        HWND progress = nullptr;
        ASSERT_TRUE(gui::WaitUntil(
            [&] { return (progress = ProgressWindow()) && gui::GetText(progress, IDC_PROGRESS_STEP) == "Packing"; },
            120000));
        const DWORD start = ::GetTickCount();
        ::PostMessageA(progress, WM_COMMAND, IDCANCEL, 0);
        cancelled = gui::WaitUntil([&] { return !ProgressWindow(); }, 5000);
        cancelTook = ::GetTickCount() - start;
        pagetest::WaitIdle(p);
        EXPECT_TRUE(::IsWindowEnabled(sheet));
        titleAfter = gui::GetText(p, IDC_PAGE_TITLE);
    });
    ASSERT_TRUE(cancelled);
    EXPECT_LT(cancelTook, 1000u) << "Cancel stops the work within a second";
    EXPECT_EQ(older, testenv::ReadFile(Out() + "show.ambd")) << "the older package stays exactly as it was";
    EXPECT_EQ(Strings{"show.ambd"}, testenv::ListFiles(Out())) << "no half-written package is left";
    EXPECT_TRUE(m_browser.StaysAt(0, 500));
    EXPECT_EQ("Kept as typed", titleAfter);
    EXPECT_EQ(12, page.m_utilities.GetEntryCount());
}

TEST_F(LongWork, FailuresAreToldAndNothingIsShown)
{
    CPropertyPage2 viewPage;
    CPropertyPage1 page;
    const Strings docs = MakeDocuments(2, 1);
    listentries::AddFile(page.m_utilities, "First", docs[0]);
    listentries::AddFile(page.m_utilities, "Second", docs[1]);
    SaveWatch noArchiver, deleted, fine;
    std::string damaged;
    pagetest::RunSheet({&page, &viewPage}, [&](HWND sheet) {
        HWND p = gui::CurrentPage(sheet);
        // The archiver is missing.
        answers.Choose(Out() + "show.ambd");
        noArchiver = SaveAndWatch(sheet, p, m_browser, 60000);

        // A small package that packs: no progress window at all.
        root.InstallArchiver();
        answers.Choose(Out() + "show.ambd");
        fine = SaveAndWatch(sheet, p, m_browser, 60000);

        // A document deleted after it was added.
        ::DeleteFileA(docs[1].c_str());
        answers.Choose(Out() + "again.ambd");
        deleted = SaveAndWatch(sheet, p, m_browser, 60000);

        // A damaged package from the viewing page: its head still names its
        // folder, its data does not unpack; a start page an earlier package
        // left there must not be shown.
        std::string package = testenv::ReadFile(Out() + "show.ambd");
        for (size_t i = package.size() / 2; i < package.size() - 5; i += 7) package[i] = static_cast<char>(~package[i]);
        testenv::WriteFile(Out() + "damaged.ambd", package);
        testenv::WriteFile(root.WorkFolder() + "show\\index.html", "a page an earlier package left");
        gui::SelectPage(sheet, 1);
        const size_t shownBefore = m_browser.Lines().size();
        answers.Choose(Out() + "damaged.ambd");
        gui::Click(gui::CurrentPage(sheet), IDC_SELECT_DOCUMENT);
        HWND box = nullptr;
        ASSERT_TRUE(box = gui::WaitForMessageBox(60000));
        damaged = gui::StaticTexts(box);
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(m_browser.StaysAt(shownBefore, 1000)) << "nothing stale is shown";
    });
    EXPECT_NE(std::string::npos, noArchiver.box.find("the archiver " + root.ProgramFolder() + "arch.exe"))
        << noArchiver.box;
    EXPECT_TRUE(fine.steps.empty()) << "no progress window for a small package";
    EXPECT_EQ("", fine.box);
    EXPECT_NE(std::string::npos, deleted.box.find(docs[1])) << "the message names the document: " << deleted.box;
    EXPECT_FALSE(testenv::Exists(Out() + "again.ambd"));
    EXPECT_NE(std::string::npos, damaged.find("could not be opened")) << damaged;
    // Only the package that packed was shown.
    ASSERT_EQ(1u, m_browser.Lines().size());
    EXPECT_EQ(testenv::Lower(root.WorkFolder() + "show\\index.html"), testenv::Lower(m_browser.Lines()[0]));
}
