// The list commands of both creation pages: add files or photos, add a group
// header, edit, delete, move up, move down and clear.
#include <string>
#include <utility>
#include <vector>

#include "pages/add_document_dialog.h"
#include "pages/add_group_dialog.h"
#include "pages/add_url_dialog.h"
#include "pages/creation_page.h"

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

void CCreationPage::AddFiles()
{
    UpdateData(TRUE);
    CAddDocument dialog;
    dialog.m_bPhotoMode = m_bPhotoMode;
    if (dialog.DoModal() == IDOK) {
        if (!dialog.m_strFile.empty()) {
            m_utilities.AddFileEntry(m_ctlList, dialog.m_strTitle, dialog.m_strFile);
        } else {
            for (const auto& file : ChosenFiles(dialog)) m_utilities.AddFileEntry(m_ctlList, file.first, file.second);
        }
    }
    UpdateData(FALSE);
}

void CCreationPage::OnAddGroup()
{
    UpdateData(TRUE);
    CDlgAddGroup dialog;
    if (dialog.DoModal() == IDOK) m_utilities.AddGroupHeader(m_ctlList, dialog.m_strGroup);
    UpdateData(FALSE);
}

EntryMatch CCreationPage::SelectedEntry(int& selected) const
{
    selected = m_ctlList.GetCurSel();
    return selected >= 0 ? m_utilities.FindEntryByRowText(m_ctlList.GetText(selected)) : EntryMatch();
}

void CCreationPage::OnEdit()
{
    UpdateData(TRUE);
    int selected = -1;
    const EntryMatch match = SelectedEntry(selected);
    if (selected >= 0) {
        EntryValues entry;
        if (match.Found() && m_utilities.GetEntry(match.index, entry.group, entry.title, entry.path, entry.address)) {
            if (match.asHeader)
                EditGroupHeader(selected, match.index, entry.group);
            else if (!entry.address.empty())
                EditLiveUrl(selected, match.index, entry.title, entry.address);
            else // also a header found by its empty title, from a row of three spaces
                EditFileEntry(selected, match.index, entry.title, entry.path);
        }
    }
    UpdateData(FALSE);
}

void CCreationPage::EditGroupHeader(int selectedRow, int entry, const std::string& header)
{
    CDlgAddGroup dialog;
    dialog.m_strGroup = header;
    if (dialog.DoModal() != IDOK) return;
    m_ctlList.DeleteString(selectedRow);
    m_ctlList.InsertString(selectedRow, CAmbrelUtilities::GroupRowText(dialog.m_strGroup));
    m_utilities.ReplaceEntry(entry, dialog.m_strGroup, "", "", "");
}

void CCreationPage::EditLiveUrl(int selectedRow, int entry, const std::string& title, const std::string& address)
{
    CAddURLDlg dialog;
    dialog.m_strTitle = title;
    dialog.m_strURL = address;
    if (dialog.DoModal() != IDOK) return;
    m_ctlList.DeleteString(selectedRow);
    m_ctlList.InsertString(selectedRow, CAmbrelUtilities::EntryRowText(dialog.m_strTitle));
    m_utilities.ReplaceEntry(entry, "", dialog.m_strTitle, "", dialog.m_strURL);
}

void CCreationPage::EditFileEntry(int selectedRow, int entry, const std::string& title, const std::string& path)
{
    // Files are edited in the document wording on both pages.
    CAddDocument dialog;
    dialog.m_strTitle = title;
    dialog.m_strFile = path;
    if (dialog.DoModal() != IDOK) return;

    if (!dialog.m_strFile.empty()) {
        m_ctlList.DeleteString(selectedRow);
        m_ctlList.InsertString(selectedRow, CAmbrelUtilities::EntryRowText(dialog.m_strTitle));
        m_utilities.ReplaceEntry(entry, "", dialog.m_strTitle, dialog.m_strFile, "");
        return;
    }

    // Several files were chosen. The entry takes the first of them and the
    // others follow it in the list, in the order an addition would give
    // them, so that no entry is left without a path and no choice is lost.
    const auto files = ChosenFiles(dialog);
    if (files.empty()) return;
    m_utilities.ReplaceEntry(entry, "", files[0].first, files[0].second, "");
    for (size_t k = 1; k < files.size(); ++k) {
        m_utilities.AddFileEntry(m_ctlList, files[k].first, files[k].second);
        const int target = entry + static_cast<int>(k);
        for (int at = m_utilities.GetEntryCount() - 1; at > target; --at) m_utilities.MoveEntryUp(at);
    }
    m_utilities.RebuildListBox(m_ctlList);
}

void CCreationPage::OnDelete()
{
    UpdateData(TRUE);
    int selected = -1;
    const EntryMatch match = SelectedEntry(selected);
    if (selected >= 0) {
        if (match.Found()) {
            m_ctlList.DeleteString(selected);
            m_utilities.RemoveEntry(match.index);
        }
        if (selected > 0) m_ctlList.SetCurSel(selected - 1);
    }
    UpdateData(FALSE);
}

void CCreationPage::OnMoveUp() { MoveSelectedEntry(-1); }

void CCreationPage::OnMoveDown() { MoveSelectedEntry(+1); }

void CCreationPage::MoveSelectedEntry(int step)
{
    UpdateData(TRUE);
    int selected = -1;
    const EntryMatch match = SelectedEntry(selected);
    // The first row does not move up.
    if (selected >= 0 && selected + step >= 0) {
        if (match.Found()) {
            if (step < 0)
                m_utilities.MoveEntryUp(match.index);
            else
                m_utilities.MoveEntryDown(match.index);
            m_utilities.RebuildListBox(m_ctlList);
        }
        // Below the last row there is nothing to select.
        const int next = selected + step;
        m_ctlList.SetCurSel(next < m_ctlList.GetCount() ? next : -1);
    }
    UpdateData(FALSE);
}

void CCreationPage::OnClearList()
{
    for (int rows = m_ctlList.GetCount(); rows > 0; --rows) m_ctlList.DeleteString(0);
    m_utilities.RemoveAllEntries();
}
