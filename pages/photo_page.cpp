#include "pages/photo_page.h"

#include "pages/background_music.h"
#include "pages/generation_inputs.h"
#include "pages/list_commands.h"
#include "pages/saved_list_commands.h"
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

CListCommands CPropertyPage3::ListCommands()
{
    return CListCommands({*this, m_utilities, m_ctlList});
}

CSavedListCommands CPropertyPage3::SavedLists()
{
    return CSavedListCommands({*this, m_utilities, m_ctlList}, kPhotoListKey,
                              {m_strTitle, m_strSubtitle, m_strDate, m_strAuthor, m_strAutoSeconds, m_strTransition},
                              &m_bThumbnails);
}

BOOL CPropertyPage3::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    RestorePageState();
    return TRUE;
}

BOOL CPropertyPage3::OnCommand(UINT nID, UINT nCode)
{
    if (nCode != BN_CLICKED) return FALSE;
    switch (nID) {
    case IDC_ADD_FILES: OnAddPhotos(); return TRUE;
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
    case IDC_THUMBNAILS: OnIncludeThumbnails(); return TRUE;
    case IDC_HELP_BUTTON: ShowHelpPage(HelpPageCaller::EditionPage); return TRUE;
    default: return FALSE;
    }
}

void CPropertyPage3::OnAddPhotos() { ListCommands().OnAddFiles(true); }
void CPropertyPage3::OnAddGroup() { ListCommands().OnAddGroup(); }
void CPropertyPage3::OnEdit() { ListCommands().OnEdit(); }
void CPropertyPage3::OnDelete() { ListCommands().OnDelete(); }
void CPropertyPage3::OnMoveUp() { ListCommands().OnMoveUp(); }
void CPropertyPage3::OnMoveDown() { ListCommands().OnMoveDown(); }
void CPropertyPage3::OnClearList() { ListCommands().OnClearList(); }
void CPropertyPage3::OnSaveList() { SavedLists().OnSaveList(); }
void CPropertyPage3::OnOpenList() { SavedLists().OnOpenList(); }
void CPropertyPage3::RestorePageState() { SavedLists().RestorePageState(); }

void CPropertyPage3::OnBackgroundMusic()
{
    ::OnBackgroundMusic(*this, m_bMusic, m_strMusicFile);
}

void CPropertyPage3::OnIncludeThumbnails()
{
    UpdateData(TRUE);
}

void CPropertyPage3::OnSaveAs()
{
    UpdateData(TRUE);
    HandOverGenerationInputs(*this, m_utilities);
    m_utilities.m_bThumbnails = m_bThumbnails;
    m_utilities.GeneratePackage("");
}
