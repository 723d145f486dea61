// Save List, Open List and the page state of both creation pages: a page's
// list and options go to a list file (*.flist), the path of the last list
// file saved or opened is remembered under the page's key of the program's
// settings file, and the page reloads that list whenever it is initialised.
#include <windows.h>

#include "framework/archive.h"
#include "framework/dialog.h"
#include "framework/file.h"
#include "framework/file_dialog.h"
#include "model/install_layout.h"
#include "model/list_file.h"
#include "pages/creation_page.h"
#include "resources/resource.h"
#include "system/install_paths.h"

const char kDocumentListKey[] = "File List";
const char kPhotoListKey[] = "Photo File List";

namespace {
const char kListFileExtension[] = "*.flist";
const char kListFileFilter[] = "Ambrel File List (*.flist)|*.flist||";

std::string ProgramSettingsFile() { return GetDataFolder(GetInstallRoot()) + layout::kProgramSettingsFile; }

// Asks for a list file in the Save or Open dialog; "" when cancelled.
std::string AskForListFile(bool open)
{
    CFileDialog dialog(open ? TRUE : FALSE, kListFileExtension, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       kListFileFilter);
    dialog.DoModal();
    return dialog.GetPathName();
}
} // namespace

void CCreationPage::RememberListFile(const std::string& path)
{
    ::WritePrivateProfileStringA(layout::kParametersSection, m_pszListKey, path.c_str(), ProgramSettingsFile().c_str());
}

std::string CCreationPage::RememberedListFile() const
{
    char value[MAX_PATH] = {};
    ::GetPrivateProfileStringA(layout::kParametersSection, m_pszListKey, "", value, sizeof(value),
                               ProgramSettingsFile().c_str());
    return value;
}

void CCreationPage::OnSaveList()
{
    UpdateData(TRUE);
    const std::string path = AskForListFile(false);
    if (path.empty()) return;
    // The path is remembered even when the file cannot be written: the user
    // sees where the list was meant to go.
    RememberListFile(path);
    SetDlgItemText(IDC_LIST_FILE_PATH, path);

    CFile file;
    if (!file.Open(path, CFile::modeCreate | CFile::modeReadWrite)) return;
    ListFileContent content;
    CopyListsFromEngine(m_utilities, content);
    content.options = *this;
    CArchive archive(&file, CArchive::store, 4096);
    WriteListFile(archive, content);
    archive.Close();
    file.Close();
}

void CCreationPage::OnOpenList()
{
    const std::string path = AskForListFile(true);
    if (path.empty()) return;
    // What the user set since the last command (a ticked box, a typed
    // interval) stays as the user left it wherever the list file brings no
    // value of its own.
    UpdateData(TRUE);
    RememberListFile(path);
    RestorePageState();
}

void CCreationPage::RestorePageState()
{
    const std::string path = RememberedListFile();
    SetDlgItemText(IDC_LIST_FILE_PATH, path);
    // The photo-album page ticks Include thumbnails again at every restore.
    if (m_bPhotoMode) m_bThumbnails = 1;
    if (path.empty()) return;

    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone)) return;
    ListFileContent content;
    // What a list file does not keep (and, in files of version 1.15 or
    // lower, the interval and transition) stays as the page has it.
    content.options = *this;
    CArchive archive(&file, CArchive::load, 4096);
    // A file that does not read whole leaves the page as it was.
    if (ReadListFile(archive, content) != ListFileStatus::ok) return;

    MoveListsToEngine(content, m_utilities);
    static_cast<CPresentationOptions&>(*this) = content.options;
    UpdateData(FALSE);
    archive.Close();
    file.Close();
    m_utilities.RebuildListBox(m_ctlList);
}
