// Deleting and copying folder trees: a package folder before it is rebuilt,
// the template into it, and a saved web page's resource folder.
#include <windows.h>

#include "framework/ansi_text.h"
#include "framework/file.h"
#include "framework/file_find.h"
#include "model/ambrel_utilities.h"

namespace {
const char kAllFiles[] = "\\*.*";
const std::string::size_type kAllFilesLength = sizeof(kAllFiles) - 1;

// A subfolder entry of a search, as opposed to "." and "..".
bool IsSubfolder(const CFileFind& finder)
{
    if (!finder.IsDirectory()) return false;
    std::string path = finder.GetFilePath();
    return !EndsWith(path, "\\.") && !EndsWith(path, "\\..");
}
} // namespace

BOOL CAmbrelUtilities::DeleteTree(std::string pattern)
{
    CFileFind finder;
    BOOL more = finder.FindFile(pattern);
    if (!more) return FALSE;
    // The folder's own files first; a file the system will not delete stops
    // the whole deletion with a file error.
    while (more) {
        more = finder.FindNextFile();
        if (!finder.IsDirectory()) CFile::Remove(finder.GetFilePath());
    }

    more = finder.FindFile(pattern);
    if (!more) return FALSE;
    while (more) {
        more = finder.FindNextFile();
        if (IsSubfolder(finder)) DeleteTree(finder.GetFilePath() + kAllFiles);
    }
    finder.Close();

    // Then the folder itself: a caller that needs it again makes it anew.
    if (pattern.size() >= kAllFilesLength)
        ::RemoveDirectoryA(pattern.substr(0, pattern.size() - kAllFilesLength).c_str());
    return TRUE;
}

BOOL CAmbrelUtilities::CopyTree(std::string pattern, std::string sourceFolder, std::string destinationFolder)
{
    CFileFind finder;
    BOOL more = finder.FindFile(pattern);
    if (!more) return FALSE;
    // A folder's files go first, so that the copy of the first one makes the
    // folder before its subfolders are entered. A folder without files of
    // its own is never made, and neither is anything below it.
    while (more) {
        more = finder.FindNextFile();
        if (finder.IsDirectory()) continue;
        std::string path = finder.GetFilePath();
        if (path.size() < sourceFolder.size()) continue;
        CopyOneFile(path, destinationFolder + path.substr(sourceFolder.size()));
    }

    more = finder.FindFile(pattern);
    if (!more) return FALSE;
    while (more) {
        more = finder.FindNextFile();
        if (IsSubfolder(finder)) CopyTree(finder.GetFilePath() + kAllFiles, sourceFolder, destinationFolder);
    }
    return TRUE;
}
