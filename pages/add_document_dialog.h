// CAddDocument: the "Add Document" dialog (template 129). It chooses one or
// more files and a title for a new or edited file entry; in photo mode it
// speaks of photos and offers pictures first. It never touches the list: its
// caller reads the members after OK.
#pragma once

#include <string>

#include "framework/dialog.h"
#include "framework/string_list.h"

class CAddDocument : public CDialog {
public:
    explicit CAddDocument(CWnd* pParent = nullptr);

    BOOL m_bPhotoMode = 0;
    std::string m_strTitle;
    // The one chosen file; empty when several were chosen.
    std::string m_strFile;
    // Every path chosen while the dialog is open, the latest first, with the
    // title derived for each at the same position.
    CStringList m_listChosenFiles;
    CStringList m_listChosenTitles;

    void OnSelectDocuments();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnCommand(UINT nID, UINT nCode) override;

private:
    void ShowChosenFile();
};
