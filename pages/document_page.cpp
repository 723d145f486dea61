#include "pages/document_page.h"

#include "resources/resource.h"
#include "shell/help_page.h"

CPropertyPage1::CPropertyPage1() : CPropertyPage(IDD_DOCUMENT_PAGE) {}

CPropertyPage1::~CPropertyPage1() = default;

void CPropertyPage1::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ENTRY_LIST, m_ctlList);
    DDX_Text(pDX, IDC_PAGE_TITLE, m_strTitle);
    DDX_Text(pDX, IDC_PAGE_SUBTITLE, m_strSubtitle);
    DDX_Text(pDX, IDC_PAGE_DATE, m_strDate);
    DDX_Text(pDX, IDC_PAGE_AUTHOR, m_strAuthor);
    DDX_CBString(pDX, IDC_AUTO_SECONDS, m_strAutoSeconds);
    DDX_CBString(pDX, IDC_TRANSITION, m_strTransition);
    DDX_Check(pDX, IDC_FIT_IMAGES, m_bFitImages);
    DDX_Check(pDX, IDC_MUSIC, m_bMusic);
    DDX_Check(pDX, IDC_LOOP_MUSIC, m_bLoopMusic);
}

BOOL CPropertyPage1::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    return TRUE;
}

BOOL CPropertyPage1::OnCommand(UINT nID, UINT nCode)
{
    if (nCode != BN_CLICKED) return FALSE;
    switch (nID) {
    case IDC_HELP_BUTTON:
        ShowHelpPage(HelpPageCaller::DocumentPage);
        return TRUE;
    default:
        return FALSE;
    }
}
