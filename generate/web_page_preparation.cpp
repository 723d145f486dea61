// Adapting the package's copies of web pages and web archives for showing in
// the main frame. Only the copies are changed; the user's files are only read.
#include <windows.h>

#include "framework/ansi_text.h"
#include "framework/file_find.h"
#include "generate/page_file.h"
#include "generate/page_text.h"
#include "model/ambrel_utilities.h"
#include "model/package_names.h"

namespace {
// The name a folder has on disk, found through its path in any letter case;
// "" when there is no such folder.
std::string FolderNameOnDisk(const std::string& path)
{
    const std::string name = AfterLastBackslash(path);
    // Wildcards would find another folder; no real name holds them.
    if (name.find_first_of("*?") != std::string::npos) return std::string();
    CFileFind finder;
    if (!finder.FindFile(path)) return std::string();
    finder.FindNextFile();
    const std::string found = finder.GetFileName();
    if (!finder.IsDirectory() || AnsiLower(found) != AnsiLower(name)) return std::string();
    return found;
}

// The name of a saved page's resource folder in the package: its own name
// on disk, which is how the page reaches it, so that it is found on any web
// server and after extraction on any file system; the lower-case name when
// the page has no such folder.
std::string ResourceFolderName(const std::string& sourceFolder)
{
    const std::string onDisk = FolderNameOnDisk(sourceFolder);
    if (!onDisk.empty() && WrittenNameProblem(onDisk).empty()) return onDisk;
    return AfterLastBackslash(sourceFolder);
}

// Rewrites a page or archive of the package with its "window.name"
// neutralised; one that holds none is left as it is.
void NeutraliseWindowNameIn(const std::string& path, bool archive)
{
    std::string text;
    if (!ReadWholeFile(path, text)) return;
    if (archive ? NeutraliseWindowNameInArchive(text) : NeutraliseWindowName(text)) WriteWholeFile(path, text);
}
} // namespace

void CAmbrelUtilities::PrepareWebPage(std::string packageFolder, std::string lowerPagePath, std::string entryName,
                                      std::string transition)
{
    // A page saved with its pictures and styles keeps them beside it.
    std::string sourceFolder = WebPageResourceFolder(lowerPagePath);
    std::string targetFolder = packageFolder + "\\resources\\" + ResourceFolderName(sourceFolder);
    ::CreateDirectoryA(targetFolder.c_str(), nullptr);
    CopyTree(sourceFolder + "\\*.*", sourceFolder, targetFolder);

    std::string page = packageFolder + "\\resources\\" + entryName;
    NeutraliseWindowNameIn(page, false);
    if (transition != "Standard") InsertAfterHead(page, GetTransitionTag(transition));
}

void CAmbrelUtilities::PrepareWebArchive(std::string packageFolder, std::string entryName)
{
    NeutraliseWindowNameIn(packageFolder + "\\resources\\" + entryName, true);
}
