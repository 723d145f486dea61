// The presentation list of CAmbrelUtilities: four parallel string lists
// (group texts, titles, file paths, addresses) and the list box rows that
// show them. Portable: the list box is reached through IListBoxRows.
#include <algorithm>
#include <iterator>
#include <utility>

#include "model/ambrel_utilities.h"
#include "model/list_box_rows.h"

namespace {

const char kGroupRowPrefix[] = "Group: ";
const char kEntryRowPrefix[] = "   ";

// Rows go after the last row at an explicit index, so a list box with the
// sorted style still shows them in list order.
void AppendRow(IListBoxRows& rows, const std::string& text) { rows.InsertRow(rows.GetRowCount(), text); }

// The lists always have one length; taking the shortest keeps every walk
// inside all four even if that were ever broken.
int CommonLength(const CAmbrelUtilities& engine)
{
    return std::min({engine.m_listGroups.GetCount(), engine.m_listTitles.GetCount(), engine.m_listFiles.GetCount(),
                     engine.m_listURLs.GetCount()});
}

void AppendEntry(CAmbrelUtilities& engine, const std::string& group, const std::string& title, const std::string& path,
                 const std::string& address)
{
    engine.m_listGroups.AddTail(group);
    engine.m_listTitles.AddTail(title);
    engine.m_listFiles.AddTail(path);
    engine.m_listURLs.AddTail(address);
}

const std::string& At(const CStringList& list, int index) { return *std::next(list.begin(), index); }

// Exchanges entries `first` and `first + 1`, both of which exist.
void SwapWithNext(CAmbrelUtilities& engine, int first)
{
    for (CStringList* list : {&engine.m_listGroups, &engine.m_listTitles, &engine.m_listFiles, &engine.m_listURLs}) {
        CStringList::POSITION pos = list->FindIndex(first);
        std::iter_swap(pos, std::next(pos));
    }
}

} // namespace

std::string CAmbrelUtilities::GroupRowText(const std::string& header) { return kGroupRowPrefix + header; }

std::string CAmbrelUtilities::EntryRowText(const std::string& title) { return kEntryRowPrefix + title; }

EntryKind CAmbrelUtilities::KindOfEntry(const std::string& group, const std::string& address)
{
    if (!group.empty()) return EntryKind::GroupHeader;
    if (!address.empty()) return EntryKind::LiveUrlEntry;
    return EntryKind::FileEntry;
}

bool CAmbrelUtilities::GetEntry(int entry, std::string& group, std::string& title, std::string& path,
                                std::string& address) const
{
    if (entry < 0 || entry >= CommonLength(*this)) return false;
    group = At(m_listGroups, entry);
    title = At(m_listTitles, entry);
    path = At(m_listFiles, entry);
    address = At(m_listURLs, entry);
    return true;
}

void CAmbrelUtilities::AddFileEntry(IListBoxRows& rows, const std::string& title, const std::string& path)
{
    AppendEntry(*this, std::string(), title, path, std::string());
    AppendRow(rows, EntryRowText(title));
}

void CAmbrelUtilities::AddUrlEntry(IListBoxRows& rows, const std::string& title, const std::string& address)
{
    AppendEntry(*this, std::string(), title, std::string(), address);
    AppendRow(rows, EntryRowText(title));
}

void CAmbrelUtilities::AddGroupHeader(IListBoxRows& rows, const std::string& header)
{
    AppendEntry(*this, header, std::string(), std::string(), std::string());
    AppendRow(rows, GroupRowText(header));
}

EntryMatch CAmbrelUtilities::FindEntryByRowText(const std::string& rowText) const
{
    // The header form is tried first for each entry, and the first entry
    // that matches wins: a header's empty title matches a row of three
    // spaces when the header comes first.
    CStringList::const_iterator group = m_listGroups.begin();
    CStringList::const_iterator title = m_listTitles.begin();
    for (int i = 0; group != m_listGroups.end() && title != m_listTitles.end(); ++group, ++title, ++i) {
        EntryMatch match;
        match.index = i;
        match.asHeader = true;
        if (GroupRowText(*group) == rowText) return match;
        match.asHeader = false;
        if (EntryRowText(*title) == rowText) return match;
    }
    return EntryMatch();
}

void CAmbrelUtilities::ReplaceEntry(int entry, const std::string& group, const std::string& title,
                                    const std::string& path, const std::string& address)
{
    if (entry < 0 || entry >= CommonLength(*this)) return;
    *m_listGroups.FindIndex(entry) = group;
    *m_listTitles.FindIndex(entry) = title;
    *m_listFiles.FindIndex(entry) = path;
    *m_listURLs.FindIndex(entry) = address;
}

void CAmbrelUtilities::RemoveEntry(int entry)
{
    if (entry < 0 || entry >= CommonLength(*this)) return;
    for (CStringList* list : {&m_listGroups, &m_listTitles, &m_listFiles, &m_listURLs})
        list->RemoveAt(list->FindIndex(entry));
}

void CAmbrelUtilities::MoveEntryUp(int entry)
{
    // The first entry has nothing before it and stays where it is.
    if (entry < 1 || entry >= CommonLength(*this)) return;
    SwapWithNext(*this, entry - 1);
}

void CAmbrelUtilities::MoveEntryDown(int entry)
{
    // The last entry has nothing after it and stays where it is.
    if (entry < 0 || entry + 1 >= CommonLength(*this)) return;
    SwapWithNext(*this, entry);
}

void CAmbrelUtilities::RemoveAllEntries()
{
    for (CStringList* list : {&m_listGroups, &m_listTitles, &m_listFiles, &m_listURLs}) list->RemoveAll();
}

void CAmbrelUtilities::RebuildListBox(IListBoxRows& rows) const
{
    rows.DeleteAllRows();
    CStringList::const_iterator group = m_listGroups.begin();
    CStringList::const_iterator title = m_listTitles.begin();
    for (; group != m_listGroups.end() && title != m_listTitles.end(); ++group, ++title)
        AppendRow(rows, group->empty() ? EntryRowText(*title) : GroupRowText(*group));
}
