#include "pages/list_commands.h"

#include <string>
#include <utility>
#include <vector>

#include "pages/add_document_dialog.h"
#include "pages/add_group_dialog.h"
#include "pages/add_url_dialog.h"
#include "pages/presentation_list_box.h"
#include "shell/ambrel_utilities.h"

namespace {
// The four values of one entry.
struct EntryValues {
    std::string group, title, path, address;
};

// The (title, path) pairs a document dialog chose, in the order they are
// added: its lists from the front.
std::vector<std::pair<std::string, std::string>> ChosenFiles(const CAddDocument& dialog)
{
    std::vector<std::pair<std::string, std::string>> files;
    auto title = dialog.m_listChosenTitles.begin();
    for (auto path = dialog.m_listChosenFiles.begin();
         path != dialog.m_listChosenFiles.end() && title != dialog.m_listChosenTitles.end(); ++path, ++title)
        files.emplace_back(*title, *path);
    return files;
}
} // namespace

void CListCommands::TakePageValues() { m_parts.page.UpdateData(TRUE); }

void CListCommands::ShowPageValues() { m_parts.page.UpdateData(FALSE); }

void CListCommands::OnAddFiles(bool photoMode)
{
    TakePageValues();
    CAddDocument dialog;
    dialog.m_bPhotoMode = photoMode ? 1 : 0;
    if (dialog.DoModal() == IDOK) {
        if (!dialog.m_strFile.empty()) {
            m_parts.utilities.AddFileEntry(m_parts.list, dialog.m_strTitle, dialog.m_strFile);
        } else {
            for (const auto& file : ChosenFiles(dialog))
                m_parts.utilities.AddFileEntry(m_parts.list, file.first, file.second);
        }
    }
    ShowPageValues();
}

void CListCommands::OnAddURL()
{
    TakePageValues();
    CAddURLDlg dialog;
    if (dialog.DoModal() == IDOK) m_parts.utilities.AddUrlEntry(m_parts.list, dialog.m_strTitle, dialog.m_strURL);
    ShowPageValues();
}

void CListCommands::OnAddGroup()
{
    TakePageValues();
    CDlgAddGroup dialog;
    if (dialog.DoModal() == IDOK) m_parts.utilities.AddGroupHeader(m_parts.list, dialog.m_strGroup);
    ShowPageValues();
}

void CListCommands::OnEdit()
{
    TakePageValues();
    const int selected = m_parts.list.GetCurSel();
    if (selected >= 0) {
        const EntryMatch match = m_parts.utilities.FindEntryByRowText(m_parts.list.GetText(selected));
        EntryValues entry;
        if (match.Found() &&
            m_parts.utilities.GetEntry(match.index, entry.group, entry.title, entry.path, entry.address)) {
            if (match.asHeader)
                EditGroupHeader(selected, match.index, entry.group);
            else if (!entry.address.empty())
                EditLiveUrl(selected, match.index, entry.title, entry.address);
            else // also a header found by its empty title, from a row of three spaces
                EditFileEntry(selected, match.index, entry.title, entry.path);
        }
    }
    ShowPageValues();
}

void CListCommands::EditGroupHeader(int selectedRow, int entry, const std::string& header)
{
    CDlgAddGroup dialog;
    dialog.m_strGroup = header;
    if (dialog.DoModal() != IDOK) return;
    m_parts.list.DeleteString(selectedRow);
    m_parts.list.InsertString(selectedRow, CAmbrelUtilities::GroupRowText(dialog.m_strGroup));
    m_parts.utilities.ReplaceEntry(entry, dialog.m_strGroup, "", "", "");
}

void CListCommands::EditLiveUrl(int selectedRow, int entry, const std::string& title, const std::string& address)
{
    CAddURLDlg dialog;
    dialog.m_strTitle = title;
    dialog.m_strURL = address;
    if (dialog.DoModal() != IDOK) return;
    m_parts.list.DeleteString(selectedRow);
    m_parts.list.InsertString(selectedRow, CAmbrelUtilities::EntryRowText(dialog.m_strTitle));
    m_parts.utilities.ReplaceEntry(entry, "", dialog.m_strTitle, "", dialog.m_strURL);
}

void CListCommands::EditFileEntry(int selectedRow, int entry, const std::string& title, const std::string& path)
{
    // Files are edited in the document wording on both pages.
    CAddDocument dialog;
    dialog.m_strTitle = title;
    dialog.m_strFile = path;
    if (dialog.DoModal() != IDOK) return;

    if (!dialog.m_strFile.empty()) {
        m_parts.list.DeleteString(selectedRow);
        m_parts.list.InsertString(selectedRow, CAmbrelUtilities::EntryRowText(dialog.m_strTitle));
        m_parts.utilities.ReplaceEntry(entry, "", dialog.m_strTitle, dialog.m_strFile, "");
        return;
    }

    // Several files were chosen. The entry takes the first of them and the
    // others follow it in the list, in the order an addition would give
    // them, so that no entry is left without a path and no choice is lost.
    const auto files = ChosenFiles(dialog);
    if (files.empty()) return;
    m_parts.utilities.ReplaceEntry(entry, "", files[0].first, files[0].second, "");
    for (size_t k = 1; k < files.size(); ++k) {
        m_parts.utilities.AddFileEntry(m_parts.list, files[k].first, files[k].second);
        const int target = entry + static_cast<int>(k);
        for (int at = m_parts.utilities.GetEntryCount() - 1; at > target; --at) m_parts.utilities.MoveEntryUp(at);
    }
    m_parts.utilities.RebuildListBox(m_parts.list);
}

void CListCommands::OnDelete()
{
    TakePageValues();
    const int selected = m_parts.list.GetCurSel();
    if (selected >= 0) {
        const EntryMatch match = m_parts.utilities.FindEntryByRowText(m_parts.list.GetText(selected));
        if (match.Found()) {
            m_parts.list.DeleteString(selected);
            m_parts.utilities.RemoveEntry(match.index);
        }
        if (selected > 0) m_parts.list.SetCurSel(selected - 1);
    }
    ShowPageValues();
}

void CListCommands::OnMoveUp()
{
    TakePageValues();
    const int selected = m_parts.list.GetCurSel();
    if (selected > 0) {
        const EntryMatch match = m_parts.utilities.FindEntryByRowText(m_parts.list.GetText(selected));
        if (match.Found()) {
            m_parts.utilities.MoveEntryUp(match.index);
            m_parts.utilities.RebuildListBox(m_parts.list);
        }
        m_parts.list.SetCurSel(selected - 1);
    }
    ShowPageValues();
}

void CListCommands::OnMoveDown()
{
    TakePageValues();
    const int selected = m_parts.list.GetCurSel();
    if (selected >= 0) {
        const EntryMatch match = m_parts.utilities.FindEntryByRowText(m_parts.list.GetText(selected));
        if (match.Found()) {
            m_parts.utilities.MoveEntryDown(match.index);
            m_parts.utilities.RebuildListBox(m_parts.list);
        }
        // Below the last row there is nothing to select.
        const int next = selected + 1;
        m_parts.list.SetCurSel(next < m_parts.list.GetCount() ? next : -1);
    }
    ShowPageValues();
}

void CListCommands::OnClearList()
{
    for (int rows = m_parts.list.GetCount(); rows > 0; --rows) m_parts.list.DeleteString(0);
    m_parts.utilities.RemoveAllEntries();
}
