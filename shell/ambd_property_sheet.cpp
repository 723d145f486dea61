#include "shell/ambd_property_sheet.h"

#include "resources/resource.h"

CAMBDPropertySheet::CAMBDPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(nIDCaption, pParentWnd, iSelectPage)
{
    SetIcon(IDR_MAINFRAME);
}

CAMBDPropertySheet::~CAMBDPropertySheet() = default;

BOOL CAMBDPropertySheet::OnInitDialog()
{
    // The user closes the sheet with its close box; the pages do the rest.
    const int buttons[] = {IDCANCEL, IDOK, IDHELP, ID_APPLY_NOW};
    for (int id : buttons) {
        if (HWND button = GetDlgItem(id)) ::ShowWindow(button, SW_HIDE);
    }
    return CPropertySheet::OnInitDialog();
}

int CAMBDPropertySheet::OnCreate(LPCREATESTRUCTA lpCreateStruct)
{
    if (CPropertySheet::OnCreate(lpCreateStruct) == -1) return -1;
    LONG_PTR style = ::GetWindowLongPtrA(m_hWnd, GWL_STYLE);
    ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, style | WS_MINIMIZEBOX);
    return 0;
}

LRESULT CAMBDPropertySheet::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) m_bClosing = TRUE;
        break;
    case WM_CLOSE: m_bClosing = TRUE; break;
    case WM_COMMAND:
        // Enter in a field presses the sheet's default button, the hidden
        // OK; Escape presses the hidden Cancel. Neither may end the program.
        if (LOWORD(wParam) == IDOK) return 0;
        if (LOWORD(wParam) == IDCANCEL) {
            if (!m_bClosing) return 0;
            m_bClosing = FALSE;
        }
        break;
    default: break;
    }
    return CPropertySheet::WindowProc(msg, wParam, lParam);
}
