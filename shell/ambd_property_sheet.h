// CAMBDPropertySheet: the program's one window. The pages carry every action,
// so the sheet's standard buttons are hidden; it can be minimised. Closing it
// (its close box, Alt+F4) ends the program; Enter and Escape, which a sheet
// would take for its hidden OK and Cancel, do not, so a typed list is never
// lost to a stray key.
#pragma once

#include "framework/property_sheet.h"

class CAMBDPropertySheet : public CPropertySheet {
public:
    CAMBDPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    ~CAMBDPropertySheet() override;

protected:
    BOOL OnInitDialog() override;
    int OnCreate(LPCREATESTRUCTA lpCreateStruct) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // Set when the user closes the window, so that the Cancel command that
    // closing sends is let through while the Escape key's is not.
    BOOL m_bClosing = FALSE;
};
