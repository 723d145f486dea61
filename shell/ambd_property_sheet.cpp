#include "shell/ambd_property_sheet.h"

CAMBDPropertySheet::CAMBDPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(nIDCaption, pParentWnd, iSelectPage)
{
}

CAMBDPropertySheet::~CAMBDPropertySheet() = default;

BOOL CAMBDPropertySheet::OnInitDialog()
{
    // The user closes the sheet with its close box; the pages do the rest.
    const int buttons[] = {IDCANCEL, IDOK, IDHELP, kApplyNowButtonId};
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
