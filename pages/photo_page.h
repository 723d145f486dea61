// CPropertyPage3: the page that builds a photo album from a list of pictures.
#pragma once

#include <string>

#include "framework/property_page.h"
#include "pages/presentation_list_box.h"
#include "shell/ambrel_utilities.h"

class CListCommands;
class CSavedListCommands;

class CPropertyPage3 : public CPropertyPage {
public:
    CPropertyPage3();
    ~CPropertyPage3() override;

    CAmbrelUtilities m_utilities;
    CPresentationListBox m_ctlList;
    std::string m_strTitle;
    std::string m_strSubtitle;
    std::string m_strDate;
    std::string m_strAuthor;
    std::string m_strTransition = "Standard";
    std::string m_strAutoSeconds = "Not Automated";
    int m_bThumbnails = 1;
    int m_bFitImages = 1;
    int m_bLoopMusic = 1;
    int m_bMusic = 0;
    std::string m_strMusicFile;

    void OnAddPhotos();
    void OnAddGroup();
    void OnEdit();
    void OnDelete();
    void OnMoveUp();
    void OnMoveDown();
    void OnClearList();
    void OnSaveList();
    void OnOpenList();
    void OnSaveAs();
    void OnBackgroundMusic();
    void OnIncludeThumbnails();
    void RestorePageState();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(UINT nID, UINT nCode) override;

private:
    CListCommands ListCommands();
    CSavedListCommands SavedLists();
};
