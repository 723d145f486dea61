#include "framework/data_exchange.h"

void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value)
{
    CWnd control(pDX->PrepareCtrl(nIDC));
    if (pDX->m_bSaveAndValidate)
        value = control.GetWindowText();
    else
        control.SetWindowText(value);
}

void DDX_CBString(CDataExchange* pDX, int nIDC, std::string& value)
{
    HWND hCombo = pDX->PrepareCtrl(nIDC);
    CWnd control(hCombo);
    if (pDX->m_bSaveAndValidate) {
        value = control.GetWindowText();
        return;
    }
    // Only an item that equals the text (without regard to case) is
    // selected. Matching the first item that merely begins with the text
    // would turn an interval of 24 seconds into the item 240, and do it again
    // every time the page shows its values.
    LRESULT found =
        ::SendMessageA(hCombo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(value.c_str()));
    ::SendMessageA(hCombo, CB_SETCURSEL, static_cast<WPARAM>(found == CB_ERR ? -1 : found), 0);
    if (found == CB_ERR) control.SetWindowText(value);
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hButton = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = static_cast<int>(::SendMessageA(hButton, BM_GETCHECK, 0, 0));
        return;
    }
    if (value < 0 || value > 2) value = 0;
    ::SendMessageA(hButton, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd == nullptr) rControl.m_hWnd = pDX->PrepareCtrl(nIDC);
}
