#include "framework/file_dialog.h"

#include "framework/ansi_text.h"

namespace {
CFileDialog::Chooser& CurrentChooser()
{
    static CFileDialog::Chooser chooser;
    return chooser;
}

std::string StripExtensionPattern(const char* ext)
{
    std::string e = ext ? ext : "";
    if (e.rfind("*.", 0) == 0)
        e.erase(0, 2);
    else if (e.rfind('.', 0) == 0)
        e.erase(0, 1);
    return e;
}
} // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, const char* lpszDefExt, const char* lpszFileName, DWORD dwFlags,
                         const char* lpszFilter, CWnd* pParentWnd, DWORD, BOOL)
{
    m_request.open = bOpenFileDialog != FALSE;
    // The common dialog wants the extension alone; "*.ambd" and ".ambd" both
    // mean "ambd".
    m_request.defaultExt = StripExtensionPattern(lpszDefExt);
    m_request.fileName = lpszFileName ? lpszFileName : "";
    m_request.flags = dwFlags;
    m_request.filter = lpszFilter ? lpszFilter : "";
    m_hOwner = pParentWnd ? pParentWnd->m_hWnd : ::GetActiveWindow();
}

INT_PTR CFileDialog::DoModal()
{
    m_paths.clear();
    bool ok;
    if (CurrentChooser())
        ok = CurrentChooser()(m_request, m_paths);
    else
        ok = ShowCommonDialog(m_request, m_hOwner, m_nMaxFile, m_paths);
    if (!ok) m_paths.clear();
    return ok ? IDOK : IDCANCEL;
}

std::string CFileDialog::GetPathName() const { return m_paths.empty() ? std::string() : m_paths.front(); }

std::string CFileDialog::GetFileName() const { return AfterLastBackslash(GetPathName()); }

void CFileDialog::SetChooser(Chooser chooser) { CurrentChooser() = std::move(chooser); }

bool CFileDialog::ShowCommonDialog(const Request& request, HWND owner, DWORD bufferSize,
                                   std::vector<std::string>& paths)
{
    // "Name|pattern|Name|pattern||" becomes the double-zero-terminated form.
    std::string filter = request.filter;
    for (char& c : filter)
        if (c == '|') c = '\0';
    filter.push_back('\0');

    if (bufferSize < MAX_PATH) bufferSize = MAX_PATH;
    std::vector<char> buffer(bufferSize, '\0');
    request.fileName.copy(buffer.data(), bufferSize - 1);

    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = request.filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = bufferSize;
    ofn.lpstrDefExt = request.defaultExt.empty() ? nullptr : request.defaultExt.c_str();
    ofn.Flags = request.flags | OFN_EXPLORER | OFN_ENABLESIZING;

    BOOL ok = request.open ? ::GetOpenFileNameA(&ofn) : ::GetSaveFileNameA(&ofn);
    if (!ok) return false;

    // A multiple selection comes back as "folder\0name\0name\0\0", a single
    // one as the full path.
    const char* first = buffer.data();
    std::string head = first;
    const char* next = first + head.size() + 1;
    if ((request.flags & OFN_ALLOWMULTISELECT) && *next) {
        std::string folder = head;
        if (!folder.empty() && folder.back() != '\\') folder += '\\';
        while (*next) {
            std::string name = next;
            paths.push_back(folder + name);
            next += name.size() + 1;
        }
    } else {
        paths.push_back(head);
    }
    return true;
}
