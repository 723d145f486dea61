#include "pages/add_url_dialog.h"

#include "pages/live_address.h"
#include "resources/resource.h"

CAddURLDlg::CAddURLDlg(CWnd* pParent) : CDialog(IDD_ADD_URL, pParent) {}

void CAddURLDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_URL, m_strURL);
    DDX_Text(pDX, IDC_ENTRY_TITLE, m_strTitle);
}

void CAddURLDlg::OnOK()
{
    UpdateData(TRUE);
    if (m_strURL.empty() || m_strTitle.empty()) return;
    m_strURL = CompleteLiveAddress(m_strURL);
    UpdateData(FALSE);
    EndDialog(IDOK);
}
