// Building a package: the slideshow folder below the work folder, packed into
// the package file and shown in the browser. The user interface thread asks
// and plans; the copying, the page preparation, the packing and the opening
// run as long work with the progress window, and whatever stops them is told
// once, at the end.
#include <windows.h>

#include "framework/ansi_text.h"
#include "framework/command_guard.h"
#include "framework/file_dialog.h"
#include "framework/long_work.h"
#include "framework/message_box.h"
#include "generate/entry_plan.h"
#include "generate/file_copy.h"
#include "generate/navigation_text.h"
#include "generate/package_build.h"
#include "generate/package_pack.h"
#include "generate/page_charset.h"
#include "generate/page_file.h"
#include "generate/page_preparation.h"
#include "generate/page_template.h"
#include "generate/page_text.h"
#include "model/ambrel_utilities.h"
#include "model/install_layout.h"
#include "model/package_names.h"
#include "model/replace_all.h"
#include "system/install_paths.h"
#include "system/open_document.h"
#include "system/progress_window.h"

namespace {

// Asks where to save; "" when the user cancels.
std::string AskForOutputPath()
{
    CFileDialog dialog(FALSE, "*.ambd", nullptr, 0, "Ambrel Documents (*.ambd)|*.ambd||", nullptr, 0, TRUE);
    dialog.DoModal();
    return dialog.GetPathName();
}

// The size of a file, 0 when it cannot be told (the copy will say why).
uint64_t FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Copies one of the package's files for the long work: the bytes count
// towards the step, and Cancel is honoured between pieces.
class CCopying {
public:
    CCopying(CWorkProgress& progress, uint64_t total) : m_progress(progress), m_total(total) {}
    void Copy(const std::string& source, const std::string& destination)
    {
        CopyFileInPieces(source, destination, [this](uint64_t bytes) { Count(bytes); });
    }
    // A copy that is edited before it is written: read once, edited in
    // memory, written once.
    void CopyEdited(const std::string& source, const std::string& destination,
                    const std::function<void(std::string&)>& edit)
    {
        std::string text;
        ReadFileInPieces(source, text, [this](uint64_t bytes) { Count(bytes); });
        edit(text);
        WriteWholeFileOrThrow(destination, text);
    }

private:
    void Count(uint64_t bytes)
    {
        m_done += bytes;
        m_progress.SetProgress(m_done, m_total);
        m_progress.ThrowIfCancelled();
    }

    CWorkProgress& m_progress;
    uint64_t m_total;
    uint64_t m_done = 0;
};

} // namespace

void MakePackageFolder(CAmbrelUtilities& engine, const BuildOrder& order, CWorkProgress& progress)
{
    progress.SetStep("Copying documents");
    // 3. A fresh folder. A file of an earlier build that cannot be deleted
    // ends the command here with a file error.
    CAmbrelUtilities::DeleteTree(order.packageFolder + "\\*.*");
    ::CreateDirectoryA(order.packageFolder.c_str(), nullptr);

    // 4. Thumbnails: their folder is there before the template comes.
    if (engine.m_bThumbnails) ::CreateDirectoryA(order.resourcesFolder.c_str(), nullptr);

    // 5. The template tree. Without its navigation frame there is no
    // slideshow to make.
    const std::string templateFolder = order.root + layout::kTemplateFolder;
    CAmbrelUtilities::CopyTree(templateFolder + "\\*.*", templateFolder, order.packageFolder);
    DeclareAnsiCharset(order.packageFolder);
    const std::string navigationPage = order.resourcesFolder + "\\left.html";
    std::string page;
    if (!ReadWholeFile(navigationPage, page))
        throw CCommandFailure("The package was not made: the slideshow template in " + templateFolder +
                              " is missing or incomplete. Installing Ambrel again brings it back.");

    // 6. Heading and script, with every entry's address, before any copy.
    CNavigationText navigation(engine);
    navigation.AppendHead(order.plan);

    // 7. The entries. Every document is copied whole or the package is not
    // made: a document that cannot be read is named in the file error.
    uint64_t total = 0;
    for (const PlannedEntry& entry : order.plan)
        if (entry.kind == EntryKind::FileEntry) total += FileSize(entry.path);
    if (!order.musicName.empty()) total += FileSize(engine.m_strMusicFile);
    CCopying copying(progress, total);
    // The photo template is read once for all photo pages; from the
    // installation, not from the package's copy of it.
    std::string photoTemplate;
    for (const PlannedEntry& entry : order.plan)
        if (entry.photo && photoTemplate.empty()) ReadWholeFile(order.root + layout::kPhotoTemplate, photoTemplate);
    const std::string transition = engine.m_strTransition;
    bool startPageSet = false;
    for (const PlannedEntry& entry : order.plan) {
        progress.ThrowIfCancelled();
        if (entry.kind == EntryKind::GroupHeader) {
            navigation.AppendEntry(entry);
            continue;
        }
        const std::string copy = order.resourcesFolder + "\\" + entry.sourceFileName;
        const bool webPage = !entry.photo && IsWebPagePath(entry.lowerPath);
        if (entry.kind == EntryKind::FileEntry && webPage)
            copying.CopyEdited(entry.path, copy, [&](std::string& text) { PreparePageText(text, transition); });
        else if (entry.kind == EntryKind::FileEntry && IsWebArchivePath(entry.lowerPath))
            copying.CopyEdited(entry.path, copy, [](std::string& text) { NeutraliseWindowNameInArchive(text); });
        else if (entry.kind == EntryKind::FileEntry)
            copying.Copy(entry.path, copy);
        if (!startPageSet) {
            CAmbrelUtilities::ReplaceInFile(order.packageFolder + "\\index.html", "resources/main.html",
                                            StartAddress(entry));
            startPageSet = true;
        }
        // A picture is shown by its photo page, which from here on stands
        // for the entry: made, prepared like a web page and written once.
        if (entry.photo && !photoTemplate.empty()) {
            std::string page = PhotoPageText(photoTemplate, entry.sourceFileName, entry.title, engine.m_bFitImages);
            PreparePageText(page, transition);
            WriteWholeFileOrThrow(order.resourcesFolder + "\\" + entry.pageName, page);
        }
        if (entry.flash) MakeFlashPage(order.root, order.packageFolder, entry);
        if (webPage) CopyWebPageFolder(order.packageFolder, entry.lowerPath);
        if (entry.photo) CopyWebPageFolder(order.packageFolder, order.resourcesFolder + "\\" + entry.pageName);
        navigation.AppendEntry(entry);
    }

    // 8. Footer and music.
    navigation.AppendTail();
    if (!order.musicName.empty()) {
        copying.Copy(engine.m_strMusicFile, order.resourcesFolder + "\\" + order.musicName);
        navigation.AppendMusic();
    }

    // 9. The navigation frame.
    progress.SetStep("Preparing pages");
    ReplaceAll(page, "##contents##", navigation.Text());
    if (IsAutomated(engine.m_strAutoSeconds)) ReplaceAll(page, "onLoad=\"\"", "onLoad=\"animate()\"");
    WriteWholeFileOrThrow(navigationPage, page);
}

namespace {

// Steps 3 to 11 of a generation, on the long work's thread.
void BuildPackage(CAmbrelUtilities& engine, const BuildOrder& order, CWorkProgress& progress)
{
    MakePackageFolder(engine, order, progress);

    // 10. The package file.
    progress.ThrowIfCancelled();
    progress.SetStep("Packing");
    PackPackage(order.names.outputPath, order.packageFolder, progress);

    // 11. Show the slideshow just built.
    if (order.openWhenDone) {
        progress.SetStep("Opening");
        OpenDocument(order.workFolder + order.names.baseName + "\\index.html");
    }
}

} // namespace

bool PlanPackage(CAmbrelUtilities& engine, std::string outputPath, BuildOrder& order,
                 std::vector<LeftOutEntry>& leftOut)
{
    // 1. Where the package goes. Only a package the user chose is shown.
    order.openWhenDone = outputPath.empty();
    if (order.openWhenDone) {
        outputPath = AskForOutputPath();
        if (outputPath.empty()) return false;
    }
    // The package folder is named after the package file; a name that
    // gives no folder of its own directly inside the work folder builds
    // nothing, so that nothing outside it is ever emptied or written.
    std::string nameProblem;
    if (!DerivePackageNames(outputPath, order.names, &nameProblem))
        throw CCommandFailure("The package cannot be saved as \"" + order.names.outputFileName + "\": " + nameProblem +
                              ".");

    // 2. Paths.
    order.root = GetInstallRoot();
    order.workFolder = GetDataFolder(order.root) + layout::kWorkFolder;
    order.packageFolder = order.workFolder + order.names.packageName;
    order.resourcesFolder = order.packageFolder + "\\resources";

    // The thumbnail names, lined up with this generation's list only, and
    // the entries, planned before anything is touched. Entries whose names
    // in the package would reach outside its resources folder are left
    // out, and the user hears of them once the work is done.
    engine.m_listThumbnails.RemoveAll();
    if (engine.m_bThumbnails) engine.PrepareThumbnails(order.resourcesFolder);
    order.plan = PlanEntries(engine, &leftOut);
    order.musicName = AfterLastBackslash(engine.m_strMusicFile);
    if (!engine.m_strMusicFile.empty() && !WrittenNameProblem(order.musicName).empty()) {
        leftOut.push_back({"Background music (" + engine.m_strMusicFile + ")", WrittenNameProblem(order.musicName)});
        order.musicName.clear();
    }
    return true;
}

void CAmbrelUtilities::GeneratePackage(std::string outputPath)
{
    try {
        BuildOrder order;
        std::vector<LeftOutEntry> leftOut;
        if (!PlanPackage(*this, outputPath, order, leftOut)) return;
        if (!RunWithProgressWindow([&](CWorkProgress& progress) { BuildPackage(*this, order, progress); })) return;
        if (!leftOut.empty()) AfxMessageBox(LeftOutMessage(leftOut), MB_OK | MB_ICONEXCLAMATION);
    } catch (const CFileException& e) {
        e.ReportError();
    } catch (const CCommandFailure& e) {
        e.ReportError();
    }
}
