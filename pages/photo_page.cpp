#include "pages/photo_page.h"

#include "resources/resource.h"
#include "shell/help_page.h"

CPropertyPage3::CPropertyPage3() : CPropertyPage(IDD_PHOTO_PAGE) {}

CPropertyPage3::~CPropertyPage3() = default;

void CPropertyPage3::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ENTRY_LIST, m_ctlList);
    DDX_Text(pDX, IDC_PAGE_TITLE, m_strTitle);
    DDX_Text(pDX, IDC_PAGE_SUBTITLE, m_strSubtitle);
    DDX_Text(pDX, IDC_PAGE_DATE, m_strDate);
    DDX_Text(pDX, IDC_PAGE_AUTHOR, m_strAuthor);
    DDX_CBString(pDX, IDC_TRANSITION, m_strTransition);
    DDX_CBString(pDX, IDC_AUTO_SECONDS, m_strAutoSeconds);
    DDX_Check(pDX, IDC_THUMBNAILS, m_bThumbnails);
    DDX_Check(pDX, IDC_FIT_IMAGES, m_bFitImages);
    DDX_Check(pDX, IDC_LOOP_MUSIC, m_bLoopMusic);
    DDX_Check(pDX, IDC_MUSIC, m_bMusic);
}

BOOL CPropertyPage3::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    return TRUE;
}

BOOL CPropertyPage3::OnCommand(UINT nID, UINT nCode)
{
    if (nCode != BN_CLICKED) return FALSE;
    switch (nID) {
    case IDC_HELP_BUTTON:
        ShowHelpPage(HelpPageCaller::EditionPage);
        return TRUE;
    default:
        return FALSE;
    }
}
