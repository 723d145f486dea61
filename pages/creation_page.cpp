#include "pages/creation_page.h"

#include "framework/ansi_text.h"
#include "framework/file_dialog.h"
#include "resources/resource.h"

CCreationPage::CCreationPage(UINT nIDTemplate, BOOL photoMode, const char* listKey)
    : CPropertyPage(nIDTemplate), m_bPhotoMode(photoMode), m_pszListKey(listKey)
{
    m_strAutoSeconds = "Not Automated";
    m_strTransition = "Standard";
}

CCreationPage::~CCreationPage() = default;

void CCreationPage::DoDataExchange(CDataExchange* pDX)
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

BOOL CCreationPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    RestorePageState();
    return TRUE;
}

BOOL CCreationPage::OnCommand(UINT nID, UINT nCode)
{
    if (nCode != BN_CLICKED) return FALSE;
    switch (nID) {
    case IDC_ADD_GROUP: OnAddGroup(); return TRUE;
    case IDC_EDIT_ENTRY: OnEdit(); return TRUE;
    case IDC_DELETE_ENTRY: OnDelete(); return TRUE;
    case IDC_MOVE_UP: OnMoveUp(); return TRUE;
    case IDC_MOVE_DOWN: OnMoveDown(); return TRUE;
    case IDC_CLEAR_LIST: OnClearList(); return TRUE;
    case IDC_SAVE_LIST: OnSaveList(); return TRUE;
    case IDC_OPEN_LIST: OnOpenList(); return TRUE;
    case IDC_SAVE_AS: OnSaveAs(); return TRUE;
    case IDC_MUSIC: OnBackgroundMusic(); return TRUE;
    default: return OnPageCommand(nID);
    }
}

void CCreationPage::OnSaveAs()
{
    UpdateData(TRUE);
    // The page's options become the generation's; the list is where it
    // lives, in the engine. The document page's thumbnails flag is never
    // set, so it never asks for thumbnails.
    static_cast<CPresentationOptions&>(m_utilities) = *this;
    m_utilities.GeneratePackage("");
}

void CCreationPage::OnBackgroundMusic()
{
    UpdateData(TRUE);
    CWnd fileName(GetDlgItem(IDC_MUSIC_FILE));
    if (m_bMusic == 1) {
        // The file is only read, so no overwrite question; a name typed
        // without an extension is taken as an MP3 file.
        CFileDialog dialog(FALSE, "mp3", nullptr, OFN_HIDEREADONLY, "MP3 File (*.mp3)|*.mp3||");
        dialog.DoModal();
        m_strMusicFile = dialog.GetPathName();
        fileName.SetWindowText(AfterLastBackslash(m_strMusicFile));
    } else if (m_bMusic == 0) {
        fileName.SetWindowText("");
        m_strMusicFile.clear();
    }
    UpdateData(FALSE);
    fileName.RedrawWindow();
    RedrawWindow();
}
