#include "view/view_page.h"

#include "framework/file_dialog.h"
#include "model/ambrel_utilities.h"
#include "model/install_layout.h"
#include "resources/resource.h"
#include "system/help_page.h"

CPropertyPage2::CPropertyPage2() : CPropertyPage(IDD_VIEW_PAGE), m_pszHelpPage(layout::kReadme) {}

CPropertyPage2::~CPropertyPage2() = default;

BOOL CPropertyPage2::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    return TRUE;
}

BOOL CPropertyPage2::OnCommand(UINT nID, UINT nCode)
{
    if (nCode != BN_CLICKED) return FALSE;
    switch (nID) {
    case IDC_SELECT_DOCUMENT: OnSelectDocument(); return TRUE;
    case IDC_HELP_BUTTON: {
        // Like every engine object, this one makes sure the work folders
        // exist before the readme opens.
        CAmbrelUtilities utilities;
        ShowHelpPage(m_pszHelpPage);
        return TRUE;
    }
    default: return FALSE;
    }
}

void CPropertyPage2::OnSelectDocument()
{
    CFileDialog dialog(TRUE, "*.ambd", nullptr, 0, "Ambrel Files (*.ambd)|*.ambd||");
    dialog.DoModal();
    std::string path = dialog.GetPathName();
    if (path.empty()) return;
    CAmbrelUtilities utilities;
    utilities.OpenPackage(path);
}
