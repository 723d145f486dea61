#include "pages/add_group_dialog.h"

#include "resources/resource.h"

CDlgAddGroup::CDlgAddGroup(CWnd* pParent) : CDialog(IDD_ADD_GROUP, pParent) {}

void CDlgAddGroup::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_GROUP_TEXT, m_strGroup);
}

void CDlgAddGroup::OnOK()
{
    UpdateData(TRUE);
    // A header without text would show as "Group: " alone; the label says
    // "(optional)", but an empty header is refused.
    if (m_strGroup.empty()) return;
    EndDialog(IDOK);
}
