// Adapting the package's copies of web pages and web archives for showing in
// the main frame. Only the copies are changed; the user's files are only read.
#include <windows.h>

#include "framework/ansi_text.h"
#include "model/ambrel_utilities.h"
#include "model/package_names.h"

namespace {
// Pages that read the window's name to find their own frame would take the
// package's frames for their own.
void NeutraliseWindowName(const std::string& page) { CAmbrelUtilities::ReplaceInFile(page, "window.name", "abc123"); }
} // namespace

void CAmbrelUtilities::PrepareWebPage(std::string packageFolder, std::string lowerPagePath, std::string entryName,
                                      std::string transition)
{
    // A page saved with its pictures and styles keeps them beside it, in a
    // folder of the same (lower-case) name.
    std::string sourceFolder = WebPageResourceFolder(lowerPagePath);
    std::string targetFolder = packageFolder + "\\resources\\" + AfterLastBackslash(sourceFolder);
    ::CreateDirectoryA(targetFolder.c_str(), nullptr);
    CopyTree(sourceFolder + "\\*.*", sourceFolder, targetFolder);

    std::string page = packageFolder + "\\resources\\" + entryName;
    NeutraliseWindowName(page);
    if (transition != "Standard") InsertAfterHead(page, GetTransitionTag(transition));
}

void CAmbrelUtilities::PrepareWebArchive(std::string packageFolder, std::string entryName)
{
    NeutraliseWindowName(packageFolder + "\\resources\\" + entryName);
}
