// CCreationPage: what the two creation pages share. Each page holds its own
// engine object (the presentation list it builds), its list box and the
// presentation options its fields and boxes show; the list commands, Save
// List, Open List, the remembered list, the background music and Save work
// alike on both. A page adds only its template, its kind of entries, its
// settings key and its own controls.
//
// The list commands act on the first entry whose row text equals the
// selected row's text, so of two rows with the same text the earlier entry
// is the one changed.
#pragma once

#include <string>

#include "framework/property_page.h"
#include "model/ambrel_utilities.h"
#include "model/presentation_options.h"
#include "pages/presentation_list_box.h"

// The settings keys of the two pages' remembered lists.
extern const char kDocumentListKey[];
extern const char kPhotoListKey[];

class CCreationPage : public CPropertyPage, public CPresentationOptions {
public:
    // photoMode: files are added with the photo wording and filter.
    CCreationPage(UINT nIDTemplate, BOOL photoMode, const char* listKey);
    ~CCreationPage() override;

    CAmbrelUtilities m_utilities;
    CPresentationListBox m_ctlList;
    BOOL m_bMusic = 0;

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
    // A click on a control only this page has; false when it is not one.
    virtual BOOL OnPageCommand(UINT nID) = 0;
    // Add File(s) or Add Photo(s): the list's kind of entries.
    void AddFiles();

private:
    // The selected row (-1 for none) and the entry it names.
    EntryMatch SelectedEntry(int& selected) const;
    // Move Up (step -1) and Move Down (step +1).
    void MoveSelectedEntry(int step);
    void EditGroupHeader(int selectedRow, int entry, const std::string& header);
    void EditLiveUrl(int selectedRow, int entry, const std::string& title, const std::string& address);
    void EditFileEntry(int selectedRow, int entry, const std::string& title, const std::string& path);
    void RememberListFile(const std::string& path);
    std::string RememberedListFile() const;

    const BOOL m_bPhotoMode;
    const char* const m_pszListKey;
};
