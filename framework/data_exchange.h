// Dialog data exchange: moving values between members and controls.
// Into the controls when m_bSaveAndValidate is false ("show the values"),
// out of them when it is true ("take the values").
#pragma once

#include <windows.h>

#include <string>

#include "framework/wnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}
    HWND PrepareCtrl(int nIDC) const { return ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC); }

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
};

// Edit control and text: the whole text of the control.
void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value);
// Combo box and text. Into the control: the item equal to the text
// (case-blind) is selected; when there is none, no item is selected and the
// text goes into the edit field as it stands. Out of it: the combo box's
// current text.
void DDX_CBString(CDataExchange* pDX, int nIDC, std::string& value);
// Check box and flag. Into the control a value outside 0..2 becomes 0 first.
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// Binds a control object to the control's window.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
