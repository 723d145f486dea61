// Running a creation page as the user meets it, for the page tests: a sheet
// with the page runs on the test's main thread, the test drives it from a
// second thread, and the file dialogs answer from a queue the test fills.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "framework/file_dialog.h"
#include "framework/property_page.h"
#include "framework/string_list.h"
#include "system/install_paths.h"
#include "tests/support/test_env.h"

#include <gtest/gtest.h>

namespace pagetest {

// The file dialogs' answers, given in the order the dialogs will be shown.
// While one exists it stands in for the common dialogs; a dialog shown with
// no answer queued is cancelled and counted as unexpected.
class FileDialogAnswers {
public:
    FileDialogAnswers();
    ~FileDialogAnswers();
    FileDialogAnswers(const FileDialogAnswers&) = delete;
    FileDialogAnswers& operator=(const FileDialogAnswers&) = delete;

    void Choose(const std::vector<std::string>& paths);
    void Choose(const std::string& path) { Choose(std::vector<std::string>{path}); }
    void Cancel();

    // Every dialog shown so far, in order.
    std::vector<CFileDialog::Request> Requests() const;
    size_t Unanswered() const;
    int Unexpected() const;

private:
    bool Answer(const CFileDialog::Request& request, std::vector<std::string>& paths);

    mutable std::mutex m_mutex;
    struct Answer_ {
        bool ok;
        std::vector<std::string> paths;
    };
    std::deque<Answer_> m_answers;
    std::vector<CFileDialog::Request> m_requests;
    int m_unexpected = 0;
};

// A page test's ground: a fresh install root and data folder (looked up
// anew, as by a new run of the program) and the file dialogs' answers.
class PageTest : public ::testing::Test {
protected:
    void SetUp() override { g_strDataFolder.clear(); }

    testenv::TestRoot root;
    FileDialogAnswers answers;
};

// Runs the program's sheet, captioned "Ambrel", with these pages (the first one shown)
// until the driver is done; the driver gets the sheet's window, or nullptr
// when it did not appear.
void RunSheet(const std::vector<CPropertyPage*>& pages, const std::function<void(HWND sheet)>& driver);

// Reading and working the page from the driver thread.
std::vector<std::string> Rows(HWND page);
int Selection(HWND page);
void Select(HWND page, int row);
bool IsChecked(HWND window, int controlId);
// Ticks or clears a check box and clicks it, as a mouse click would.
void SetCheck(HWND window, int controlId, bool checked);
// Clicks a button whose command opens no window and waits until the command
// has run; false when it did not end in time (a window it should not have
// opened, say).
bool ClickAndWait(HWND window, int controlId);
// Waits until everything the user interface thread was asked to do has run.
void WaitIdle(HWND window);
// Presses a key in a dialog, as the keyboard would (Escape, Enter).
void PressKey(HWND dialog, UINT virtualKey);
// Clicks a page's button and waits for the dialog it opens.
HWND OpenDialog(HWND page, int button, const std::string& caption);
// Waits until a dialog has closed and the page's command that ran it has
// ended; false when the dialog stays.
bool WaitCommandEnd(HWND page, HWND dialog);
// True while the window exists and is shown.
bool IsOpen(HWND window);
// Waits until the window is gone; false on time-out.
bool WaitClosed(HWND window, DWORD timeoutMs = 10000);

// The user's ways of adding entries, each through its dialog, waiting until
// the command has ended. False when a dialog did not behave (did not open,
// or did not close).
bool AddFiles(HWND page, FileDialogAnswers& answers, const std::vector<std::string>& paths);
bool AddUrl(HWND page, const std::string& title, const std::string& address);
bool AddGroup(HWND page, const std::string& header);

// One of the engine's string lists, as a vector.
std::vector<std::string> Items(const CStringList& list);

} // namespace pagetest
