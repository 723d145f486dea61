// CFileDialog: the common Open and Save dialogs.
//
// The dialog asks a chooser for its answer. The chooser is the real common
// dialog unless one has been set with SetChooser (tests queue their answers
// that way); everything else about the dialog is the same either way.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/types.h"
#include "framework/wnd.h"

class CFileDialog {
public:
    // What the dialog was asked to show.
    struct Request {
        bool open;              // Open dialog, else Save dialog
        std::string defaultExt; // without "*." or "."
        std::string fileName;   // initial file name
        DWORD flags;            // OFN_ flags as given
        std::string filter;     // in the "Name|pattern|...||" form
    };
    // Answers a request: true with the chosen paths (in the order the dialog
    // reports them), or false when the user cancels.
    using Chooser = std::function<bool(const Request&, std::vector<std::string>& chosenPaths)>;

    CFileDialog(BOOL bOpenFileDialog, const char* lpszDefExt = nullptr, const char* lpszFileName = nullptr,
                DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* lpszFilter = nullptr,
                CWnd* pParentWnd = nullptr, DWORD dwSize = 0, BOOL bVistaStyle = TRUE);

    // IDOK or IDCANCEL.
    INT_PTR DoModal();

    // The first chosen path ("" after a cancel).
    std::string GetPathName() const;
    // The part of the first chosen path after its last backslash.
    std::string GetFileName() const;
    // Every chosen path, in the order the dialog reported them.
    const std::vector<std::string>& GetPathNames() const { return m_paths; }

    static void SetChooser(Chooser chooser);

    // The bytes of the chooser's buffer, for a multiple selection.
    DWORD m_nMaxFile = 32767;

private:
    static bool ShowCommonDialog(const Request& request, HWND owner, DWORD bufferSize, std::vector<std::string>& paths);

    Request m_request;
    HWND m_hOwner;
    std::vector<std::string> m_paths;
};
