// Building a package: the slideshow folder below the work folder, packed into
// the package file and shown in the browser.
#include <windows.h>

#include "framework/file_dialog.h"
#include "framework/message_box.h"
#include "generate/entry_plan.h"
#include "generate/navigation_text.h"
#include "generate/package_names.h"
#include "generate/page_file.h"
#include "shell/ambrel_utilities.h"
#include "shell/ansi_text.h"
#include "shell/document_opener.h"
#include "shell/install_layout.h"
#include "shell/install_paths.h"
#include "shell/replace_all.h"

namespace {
// Asks where to save; "" when the user cancels.
std::string AskForOutputPath()
{
    CFileDialog dialog(FALSE, "*.ambd", nullptr, 0, "Ambrel Documents (*.ambd)|*.ambd||", nullptr, 0, TRUE);
    dialog.DoModal();
    return dialog.GetPathName();
}
} // namespace

void CAmbrelUtilities::GeneratePackage(std::string outputPath)
{
    // 1. Where the package goes. Only a package the user chose is shown.
    const bool openWhenDone = outputPath.empty();
    if (openWhenDone) {
        outputPath = AskForOutputPath();
        if (outputPath.empty()) return;
    }
    // The package folder is named after the package file; a name that gives
    // no folder of its own directly inside the work folder builds nothing, so
    // that nothing outside it is ever emptied or written.
    PackageNames names;
    std::string nameProblem;
    if (!DerivePackageNames(outputPath, names, &nameProblem)) {
        AfxMessageBox("The package cannot be saved as \"" + names.outputFileName + "\": " + nameProblem + ".",
                      MB_OK | MB_ICONEXCLAMATION);
        return;
    }

    // 2. Paths.
    const std::string root = GetInstallRoot();
    const std::string workFolder = GetDataFolder(root) + layout::kWorkFolder;
    const std::string packageFolder = workFolder + names.packageName;
    const std::string resourcesFolder = packageFolder + "\\resources";

    // The thumbnail names, lined up with this generation's list only, and
    // the entries, planned before anything is touched. Entries whose names
    // in the package would reach outside its resources folder are left out,
    // and the user hears of them once the work is done.
    m_listThumbnails.RemoveAll();
    if (m_bThumbnails) PrepareThumbnails(resourcesFolder);
    std::vector<LeftOutEntry> leftOut;
    const std::vector<PlannedEntry> plan = PlanEntries(*this, &leftOut);
    std::string musicName = AfterLastBackslash(m_strMusicFile);
    if (!m_strMusicFile.empty() && !WrittenNameProblem(musicName).empty()) {
        leftOut.push_back({"Background music (" + m_strMusicFile + ")", WrittenNameProblem(musicName)});
        musicName.clear();
    }

    // 3. A fresh folder. A file of an earlier build that cannot be deleted
    // ends the command here with a file error.
    DeleteTree(packageFolder + "\\*.*");
    ::CreateDirectoryA(packageFolder.c_str(), nullptr);

    // 4. Thumbnails: their folder is there before the template comes.
    if (m_bThumbnails) ::CreateDirectoryA(resourcesFolder.c_str(), nullptr);

    // 5. The template tree.
    const std::string templateFolder = root + layout::kTemplateFolder;
    CopyTree(templateFolder + "\\*.*", templateFolder, packageFolder);

    // 6. Heading and script, with every entry's address, before any copy.
    CNavigationText navigation(*this);
    navigation.AppendHead(plan);

    // 7. The entries.
    bool startPageSet = false;
    for (const PlannedEntry& entry : plan) {
        if (entry.kind == PlannedEntry::Group) {
            navigation.AppendEntry(entry);
            continue;
        }
        if (entry.kind == PlannedEntry::File) CopyOneFile(entry.path, resourcesFolder + "\\" + entry.sourceFileName);
        if (!startPageSet) {
            ReplaceInFile(packageFolder + "\\index.html", "resources/main.html", StartAddress(entry));
            startPageSet = true;
        }
        // A picture is shown by its photo page, which from here on stands
        // for the entry.
        std::string pagePath = entry.lowerPath;
        if (entry.photo) {
            MakePhotoPage(root, packageFolder, entry.pageName, entry.sourceFileName, entry.title, m_bFitImages);
            pagePath = resourcesFolder + "\\" + entry.pageName;
        }
        if (IsWebPagePath(pagePath)) PrepareWebPage(packageFolder, pagePath, entry.address, m_strTransition);
        if (IsWebArchivePath(pagePath)) PrepareWebArchive(packageFolder, entry.address);
        navigation.AppendEntry(entry);
    }

    // 8. Footer and music.
    navigation.AppendTail();
    if (!musicName.empty()) {
        CopyOneFile(m_strMusicFile, resourcesFolder + "\\" + musicName);
        navigation.AppendMusic();
    }

    // 9. The navigation frame. Without it there is no slideshow to pack or
    // show.
    const std::string navigationPage = resourcesFolder + "\\left.html";
    std::string page;
    bool framed = ReadWholeFile(navigationPage, page);
    if (framed) {
        ReplaceAll(page, "##contents##", navigation.Text());
        if (IsAutomated(m_strAutoSeconds)) ReplaceAll(page, "onLoad=\"\"", "onLoad=\"animate()\"");
        framed = WriteWholeFile(navigationPage, page);
    }
    if (framed) {
        // 10. The package file.
        CreatePackage(names.outputPath, packageFolder);
        // 11. Show the slideshow just built.
        if (openWhenDone) OpenDocument(workFolder + names.baseName + "\\index.html");
    }
    if (!leftOut.empty()) AfxMessageBox(LeftOutMessage(leftOut), MB_OK | MB_ICONEXCLAMATION);
}
