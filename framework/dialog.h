// CDialog: a modal dialog built from a dialog template of the program's
// resources. Derived classes override OnInitDialog, DoDataExchange, OnOK and
// OnCommand (their command handlers).
#pragma once

#include <windows.h>

#include "framework/data_exchange.h"
#include "framework/types.h"
#include "framework/wnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override = default;

    virtual INT_PTR DoModal();

    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual void OnOK();
    virtual void OnCancel();
    // A command from a control; true when the dialog handled it.
    virtual BOOL OnCommand(UINT nID, UINT nCode);

    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    void EndDialog(int nResult);

    UINT m_nIDTemplate;

protected:
    // Sends the template's initial control data (the combo boxes' item lists).
    void ExecuteDlgInit();
    // Messages of the dialog; returns the dialog procedure's result.
    virtual INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    CWnd* m_pParentWnd;

private:
    static INT_PTR CALLBACK DialogProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
    // Hands a message to the dialog object of hDlg: `created` is the object
    // at WM_INITDIALOG (bound to the window then), nullptr for the others.
    static INT_PTR Dispatch(CDialog* created, HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
    friend class CPropertyPage;
};
