// CDlgAddGroup: the "Add Group" dialog (template 143): the text of a group
// header.
#pragma once

#include <string>

#include "framework/dialog.h"

class CDlgAddGroup : public CDialog {
public:
    explicit CDlgAddGroup(CWnd* pParent = nullptr);

    std::string m_strGroup;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
};
