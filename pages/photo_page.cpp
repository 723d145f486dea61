#include "pages/photo_page.h"

#include "model/install_layout.h"
#include "resources/resource.h"
#include "system/help_page.h"

CPropertyPage3::CPropertyPage3() : CCreationPage(IDD_PHOTO_PAGE, TRUE, kPhotoListKey), m_pszHelpPage(layout::kReadme)
{
    m_bThumbnails = 1;
}

void CPropertyPage3::DoDataExchange(CDataExchange* pDX)
{
    CCreationPage::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_THUMBNAILS, m_bThumbnails);
}

BOOL CPropertyPage3::OnPageCommand(UINT nID)
{
    switch (nID) {
    case IDC_ADD_FILES: OnAddPhotos(); return TRUE;
    case IDC_THUMBNAILS: OnIncludeThumbnails(); return TRUE;
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

void CPropertyPage3::OnAddPhotos() { AddFiles(); }

void CPropertyPage3::OnIncludeThumbnails() { UpdateData(TRUE); }
