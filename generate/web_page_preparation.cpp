// Adapting the package's copies of web pages and web archives for showing in
// the main frame. Only the copies are changed; the user's files are only read.
#include <windows.h>

#include "framework/ansi_text.h"
#include "framework/file_find.h"
#include "generate/page_file.h"
#include "generate/page_preparation.h"
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
} // namespace

bool PreparePageText(std::string& page, const std::string& transition)
{
    bool changed = NeutraliseWindowName(page);
    if (transition != "Standard") {
        const std::string tag = CAmbrelUtilities::GetTransitionTag(transition);
        changed = (!tag.empty() && InsertAfterHeadTag(page, tag)) || changed;
    }
    return changed;
}

void CopyWebPageFolder(const std::string& packageFolder, const std::string& lowerPagePath)
{
    // A page saved with its pictures and styles keeps them beside it, in a
    // folder of its own name on disk, which is how the page reaches it: it
    // is found on any web server and after extraction on any file system.
    // Every page gets the folder, an empty one when it has none. A photo
    // page's folder would lie in the package itself, where only a web page's
    // copied folder of the same name could be: it is not copied onto itself.
    const std::string sourceFolder = WebPageResourceFolder(lowerPagePath);
    const bool inPackage =
        AnsiLower(sourceFolder).compare(0, packageFolder.size() + 1, AnsiLower(packageFolder + "\\")) == 0;
    const std::string onDisk = inPackage ? std::string() : FolderNameOnDisk(sourceFolder);
    const std::string name =
        !onDisk.empty() && WrittenNameProblem(onDisk).empty() ? onDisk : AfterLastBackslash(sourceFolder);
    const std::string targetFolder = packageFolder + "\\resources\\" + name;
    ::CreateDirectoryA(targetFolder.c_str(), nullptr);
    if (!onDisk.empty()) CAmbrelUtilities::CopyTree(sourceFolder + "\\*.*", sourceFolder, targetFolder);
}

void CAmbrelUtilities::PrepareWebPage(std::string packageFolder, std::string lowerPagePath, std::string entryName,
                                      std::string transition)
{
    CopyWebPageFolder(packageFolder, lowerPagePath);
    const std::string page = packageFolder + "\\resources\\" + entryName;
    std::string text;
    if (ReadWholeFile(page, text) && PreparePageText(text, transition)) WriteWholeFile(page, text);
}

void CAmbrelUtilities::PrepareWebArchive(std::string packageFolder, std::string entryName)
{
    // An archive that holds no "window.name" is left as it is.
    const std::string archive = packageFolder + "\\resources\\" + entryName;
    std::string text;
    if (ReadWholeFile(archive, text) && NeutraliseWindowNameInArchive(text)) WriteWholeFile(archive, text);
}
