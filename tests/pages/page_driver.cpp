#include "tests/pages/page_driver.h"

#include "shell/ambd_property_sheet.h"
#include "resources/resource.h"
#include "tests/support/gui_driver.h"

namespace pagetest {

FileDialogAnswers::FileDialogAnswers()
{
    CFileDialog::SetChooser([this](const CFileDialog::Request& request, std::vector<std::string>& paths) {
        return Answer(request, paths);
    });
}

FileDialogAnswers::~FileDialogAnswers() { CFileDialog::SetChooser(nullptr); }

void FileDialogAnswers::Choose(const std::vector<std::string>& paths)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_answers.push_back({true, paths});
}

void FileDialogAnswers::Cancel()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_answers.push_back({false, {}});
}

std::vector<CFileDialog::Request> FileDialogAnswers::Requests() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_requests;
}

size_t FileDialogAnswers::Unanswered() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_answers.size();
}

int FileDialogAnswers::Unexpected() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_unexpected;
}

bool FileDialogAnswers::Answer(const CFileDialog::Request& request, std::vector<std::string>& paths)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_requests.push_back(request);
    if (m_answers.empty()) {
        ++m_unexpected;
        return false;
    }
    Answer_ answer = m_answers.front();
    m_answers.pop_front();
    paths = answer.paths;
    return answer.ok;
}

void RunSheet(const std::vector<CPropertyPage*>& pages, const std::function<void(HWND sheet)>& driver)
{
    // The program's own sheet: the pages carry every action.
    CAMBDPropertySheet sheet(IDS_SHEET_CAPTION);
    for (CPropertyPage* page : pages) sheet.AddPage(page);
    gui::RunDriven([&] { sheet.DoModal(); },
                   [&] {
                       HWND window = gui::WaitForWindow("Ambrel");
                       driver(window);
                       if (window) ::PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
                   });
}

std::vector<std::string> Rows(HWND page)
{
    std::vector<std::string> rows;
    int count = static_cast<int>(gui::SendTo(page, IDC_ENTRY_LIST, LB_GETCOUNT));
    for (int i = 0; i < count; ++i) {
        char buffer[1024] = {};
        LRESULT length = gui::SendTo(page, IDC_ENTRY_LIST, LB_GETTEXTLEN, static_cast<WPARAM>(i));
        if (length < 0 || length >= static_cast<LRESULT>(sizeof(buffer))) {
            rows.push_back("<unreadable row>");
            continue;
        }
        gui::SendTo(page, IDC_ENTRY_LIST, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer));
        rows.push_back(buffer);
    }
    return rows;
}

int Selection(HWND page) { return static_cast<int>(gui::SendTo(page, IDC_ENTRY_LIST, LB_GETCURSEL)); }

void Select(HWND page, int row) { gui::SendTo(page, IDC_ENTRY_LIST, LB_SETCURSEL, static_cast<WPARAM>(row)); }

bool IsChecked(HWND window, int controlId) { return gui::SendTo(window, controlId, BM_GETCHECK) == BST_CHECKED; }

void SetCheck(HWND window, int controlId, bool checked)
{
    // A click on an automatic check box flips it and then tells the page.
    gui::SendTo(window, controlId, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
    ClickAndWait(window, controlId);
}

bool ClickAndWait(HWND window, int controlId) { return gui::ClickAndWait(window, controlId); }

void WaitIdle(HWND window) { gui::Settle(window); }

void PressKey(HWND dialog, UINT virtualKey)
{
    ::PostMessageA(dialog, WM_KEYDOWN, virtualKey, 1);
    ::PostMessageA(dialog, WM_KEYUP, virtualKey, static_cast<LPARAM>(0xC0000001u));
}

HWND OpenDialog(HWND page, int button, const std::string& caption)
{
    gui::Click(page, button);
    return gui::WaitForWindow(caption);
}

bool WaitCommandEnd(HWND page, HWND dialog)
{
    if (!WaitClosed(dialog)) return false;
    WaitIdle(page);
    return true;
}

bool IsOpen(HWND window) { return ::IsWindow(window) && ::IsWindowVisible(window); }

bool WaitClosed(HWND window, DWORD timeoutMs)
{
    return gui::WaitUntil([&] { return !::IsWindow(window); }, timeoutMs);
}

namespace {
// Presses OK and waits until the page's command has ended.
bool AcceptDialog(HWND page, HWND dialog) { return ClickAndWait(dialog, IDOK) && WaitCommandEnd(page, dialog); }
} // namespace

bool AddFiles(HWND page, FileDialogAnswers& answers, const std::vector<std::string>& paths)
{
    HWND dialog = OpenDialog(page, IDC_ADD_FILES, "Add Document");
    if (!dialog) return false;
    answers.Choose(paths);
    if (!ClickAndWait(dialog, IDC_SELECT_DOCUMENTS)) return false;
    // Several files end the dialog by themselves; one waits for OK.
    if (paths.size() > 1) return WaitCommandEnd(page, dialog);
    return AcceptDialog(page, dialog);
}

bool AddUrl(HWND page, const std::string& title, const std::string& address)
{
    HWND dialog = OpenDialog(page, IDC_ADD_URL, "Add Live URL");
    if (!dialog) return false;
    gui::SetText(dialog, IDC_URL, address);
    gui::SetText(dialog, IDC_ENTRY_TITLE, title);
    return AcceptDialog(page, dialog);
}

bool AddGroup(HWND page, const std::string& header)
{
    HWND dialog = OpenDialog(page, IDC_ADD_GROUP, "Add Group");
    if (!dialog) return false;
    gui::SetText(dialog, IDC_GROUP_TEXT, header);
    return AcceptDialog(page, dialog);
}

std::vector<std::string> Items(const CStringList& list) { return std::vector<std::string>(list.begin(), list.end()); }

} // namespace pagetest
