#include "pages/document_page.h"

#include "model/install_layout.h"
#include "pages/add_url_dialog.h"
#include "resources/resource.h"
#include "system/help_page.h"

CPropertyPage1::CPropertyPage1() : CCreationPage(IDD_DOCUMENT_PAGE, FALSE, kDocumentListKey) {}

BOOL CPropertyPage1::OnPageCommand(UINT nID)
{
    switch (nID) {
    case IDC_ADD_FILES: OnAddFiles(); return TRUE;
    case IDC_ADD_URL: OnAddURL(); return TRUE;
    // The document page always opens the general readme.
    case IDC_HELP_BUTTON: ShowHelpPage(layout::kReadme); return TRUE;
    default: return FALSE;
    }
}

void CPropertyPage1::OnAddFiles() { AddFiles(); }

void CPropertyPage1::OnAddURL()
{
    UpdateData(TRUE);
    CAddURLDlg dialog;
    if (dialog.DoModal() == IDOK) m_utilities.AddUrlEntry(m_ctlList, dialog.m_strTitle, dialog.m_strURL);
    UpdateData(FALSE);
}
