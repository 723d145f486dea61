// The list editing commands of both creation pages: add files or photos, add a
// live URL, add a group header, edit, delete, move up, move down and clear.
// They keep no state: each page makes one for the command at hand.
//
// Edit, Delete and the moves act on the first entry whose row text equals the
// selected row's text, so of two rows with the same text the earlier entry is
// the one changed.
#pragma once

#include <string>

#include "pages/creation_page_parts.h"

class CListCommands {
public:
    explicit CListCommands(const CreationPageParts& parts) : m_parts(parts) {}

    // Photo mode gives the dialog the photo wording and filter.
    void OnAddFiles(bool photoMode);
    void OnAddURL();
    void OnAddGroup();
    void OnEdit();
    void OnDelete();
    void OnMoveUp();
    void OnMoveDown();
    void OnClearList();

private:
    void TakePageValues();
    void ShowPageValues();
    void EditGroupHeader(int selectedRow, int entry, const std::string& header);
    void EditLiveUrl(int selectedRow, int entry, const std::string& title, const std::string& address);
    void EditFileEntry(int selectedRow, int entry, const std::string& title, const std::string& path);

    CreationPageParts m_parts;
};
