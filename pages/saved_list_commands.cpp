#include "pages/saved_list_commands.h"

#include <windows.h>

#include "framework/archive.h"
#include "framework/dialog.h"
#include "framework/file.h"
#include "framework/file_dialog.h"
#include "pages/list_file.h"
#include "pages/presentation_list_box.h"
#include "resources/resource.h"
#include "shell/ambrel_utilities.h"
#include "shell/install_layout.h"
#include "shell/install_paths.h"

const char kDocumentListKey[] = "File List";
const char kPhotoListKey[] = "Photo File List";

namespace {
const char kListFileExtension[] = "*.flist";
const char kListFileFilter[] = "Ambrel File List (*.flist)|*.flist||";

std::string ProgramSettingsFile()
{
    return GetDataFolder(GetInstallRoot()) + layout::kProgramSettingsFile;
}
} // namespace

std::string CSavedListCommands::AskForListFile(bool open)
{
    CFileDialog dialog(open ? TRUE : FALSE, kListFileExtension, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       kListFileFilter);
    dialog.DoModal();
    return dialog.GetPathName();
}

void CSavedListCommands::RememberListFile(const std::string& path)
{
    ::WritePrivateProfileStringA(layout::kParametersSection, m_key, path.c_str(), ProgramSettingsFile().c_str());
}

std::string CSavedListCommands::RememberedListFile() const
{
    char value[MAX_PATH] = {};
    ::GetPrivateProfileStringA(layout::kParametersSection, m_key, "", value, sizeof(value),
                               ProgramSettingsFile().c_str());
    return value;
}

void CSavedListCommands::ShowListFilePath(const std::string& path)
{
    m_parts.page.SetDlgItemText(IDC_LIST_FILE_PATH, path);
}

void CSavedListCommands::OnSaveList()
{
    m_parts.page.UpdateData(TRUE);
    const std::string path = AskForListFile(false);
    if (path.empty()) return;
    // The path is remembered even when the file cannot be written: the user
    // sees where the list was meant to go.
    RememberListFile(path);
    ShowListFilePath(path);

    CFile file;
    if (!file.Open(path, CFile::modeCreate | CFile::modeReadWrite)) return;
    ListFileContent content;
    CopyListsFromEngine(m_parts.utilities, content);
    content.title = m_info.title;
    content.subtitle = m_info.subtitle;
    content.date = m_info.date;
    content.author = m_info.author;
    content.autoSeconds = m_info.autoSeconds;
    content.transition = m_info.transition;
    CArchive archive(&file, CArchive::store, 4096);
    WriteListFile(archive, content);
    archive.Close();
    file.Close();
}

void CSavedListCommands::OnOpenList()
{
    const std::string path = AskForListFile(true);
    if (path.empty()) return;
    // What the user set since the last command (a ticked box, a typed
    // interval) stays as the user left it wherever the list file brings no
    // value of its own.
    m_parts.page.UpdateData(TRUE);
    RememberListFile(path);
    RestorePageState();
}

void CSavedListCommands::RestorePageState()
{
    const std::string path = RememberedListFile();
    ShowListFilePath(path);
    if (m_thumbnails) *m_thumbnails = 1;
    if (path.empty()) return;

    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone)) return;
    ListFileContent content;
    // Files of version 1.15 or lower carry no transition texts: the page
    // keeps its own.
    content.autoSeconds = m_info.autoSeconds;
    content.transition = m_info.transition;
    CArchive archive(&file, CArchive::load, 4096);
    // A file that does not read whole leaves the page as it was.
    if (ReadListFile(archive, content) != ListFileStatus::ok) return;

    MoveListsToEngine(content, m_parts.utilities);
    m_info.title = content.title;
    m_info.subtitle = content.subtitle;
    m_info.date = content.date;
    m_info.author = content.author;
    m_info.autoSeconds = content.autoSeconds;
    m_info.transition = content.transition;
    m_parts.page.UpdateData(FALSE);
    archive.Close();
    file.Close();
    m_parts.utilities.RebuildListBox(m_parts.list);
}
