#include "pages/document_page.h"

#include "pages/background_music.h"
#include "pages/generation_inputs.h"
#include "pages/list_commands.h"
#include "pages/saved_list_commands.h"
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

CListCommands CPropertyPage1::ListCommands()
{
    return CListCommands({*this, m_utilities, m_ctlList});
}

CSavedListCommands CPropertyPage1::SavedLists()
{
    return CSavedListCommands({*this, m_utilities, m_ctlList}, kDocumentListKey,
                              {m_strTitle, m_strSubtitle, m_strDate, m_strAuthor, m_strAutoSeconds, m_strTransition});
}

BOOL CPropertyPage1::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    RestorePageState();
    return TRUE;
}

BOOL CPropertyPage1::OnCommand(UINT nID, UINT nCode)
{
    if (nCode != BN_CLICKED) return FALSE;
    switch (nID) {
    case IDC_ADD_FILES: OnAddFiles(); return TRUE;
    case IDC_ADD_URL: OnAddURL(); return TRUE;
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
    case IDC_HELP_BUTTON: ShowHelpPage(HelpPageCaller::DocumentPage); return TRUE;
    default: return FALSE;
    }
}

void CPropertyPage1::OnAddFiles() { ListCommands().OnAddFiles(false); }
void CPropertyPage1::OnAddURL() { ListCommands().OnAddURL(); }
void CPropertyPage1::OnAddGroup() { ListCommands().OnAddGroup(); }
void CPropertyPage1::OnEdit() { ListCommands().OnEdit(); }
void CPropertyPage1::OnDelete() { ListCommands().OnDelete(); }
void CPropertyPage1::OnMoveUp() { ListCommands().OnMoveUp(); }
void CPropertyPage1::OnMoveDown() { ListCommands().OnMoveDown(); }
void CPropertyPage1::OnClearList() { ListCommands().OnClearList(); }
void CPropertyPage1::OnSaveList() { SavedLists().OnSaveList(); }
void CPropertyPage1::OnOpenList() { SavedLists().OnOpenList(); }
void CPropertyPage1::RestorePageState() { SavedLists().RestorePageState(); }

void CPropertyPage1::OnBackgroundMusic()
{
    ::OnBackgroundMusic(*this, m_bMusic, m_strMusicFile);
}

void CPropertyPage1::OnSaveAs()
{
    UpdateData(TRUE);
    HandOverGenerationInputs(*this, m_utilities);
    // The document page never asks for thumbnails: the engine keeps its own
    // flag, which starts cleared.
    m_utilities.GeneratePackage("");
}
