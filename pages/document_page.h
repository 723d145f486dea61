// CPropertyPage1: the page that builds a document package from a list of
// documents, web pages, pictures and live addresses.
#pragma once

#include <string>

#include "framework/property_page.h"
#include "pages/presentation_list_box.h"
#include "shell/ambrel_utilities.h"

class CListCommands;
class CSavedListCommands;

class CPropertyPage1 : public CPropertyPage {
public:
    CPropertyPage1();
    ~CPropertyPage1() override;

    CAmbrelUtilities m_utilities;
    CPresentationListBox m_ctlList;
    std::string m_strTitle;
    std::string m_strSubtitle;
    std::string m_strDate;
    std::string m_strAuthor;
    std::string m_strAutoSeconds = "Not Automated";
    std::string m_strTransition = "Standard";
    int m_bFitImages = 1;
    int m_bMusic = 0;
    int m_bLoopMusic = 1;
    std::string m_strMusicFile;

    void OnAddFiles();
    void OnAddURL();
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
    void RestorePageState();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(UINT nID, UINT nCode) override;

private:
    CListCommands ListCommands();
    CSavedListCommands SavedLists();
};
