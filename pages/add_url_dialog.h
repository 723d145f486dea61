// CAddURLDlg: the "Add Live URL" dialog (template 142): the address and title
// of a live URL entry.
#pragma once

#include <string>

#include "framework/dialog.h"

class CAddURLDlg : public CDialog {
public:
    explicit CAddURLDlg(CWnd* pParent = nullptr);

    std::string m_strURL;
    std::string m_strTitle;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
};
