// From a list file's bytes to the names a generation writes, as when someone
// mails a list: every name of the planned package layout (each entry's copy,
// photo page and "_files" folder, and a package named after the list's title)
// must land directly inside its folder under exactly that name, whatever the
// list holds; and nothing the list holds adds markup or ends a script string
// in the navigation frame.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "framework/ansi_text.h"
#include "generate/entry_plan.h"
#include "generate/navigation_text.h"
#include "model/ambrel_utilities.h"
#include "model/list_file.h"
#include "model/package_names.h"
#include "tests/support/windows_path_model.h"

namespace {

const char kResources[] = "C:\\data\\ambrel\\temp\\show\\resources";

void MustLandInside(const std::string& folder, const std::string& name)
{
    if (!pathmodel::LandsDirectlyInside(folder, name)) std::abort();
}

// The marks that open a tag or end a quoted value or string: every "<", and
// every double quote of the script that no backslash escapes.
std::size_t Marks(const std::string& text)
{
    std::size_t marks = 0;
    const std::string::size_type scriptStart = text.find("<script");
    const std::string::size_type scriptEnd = text.find("</script>");
    for (std::string::size_type i = 0; i < text.size(); ++i) {
        const bool inScript = i > scriptStart && i < scriptEnd;
        if (inScript && text[i] == '\\')
            ++i;
        else if (text[i] == '<' || (inScript && text[i] == '"'))
            ++marks;
    }
    return marks;
}

// The same list and options with every text plain, of the same kind.
std::string PlainNavigationText(std::vector<PlannedEntry> plan, CPresentationOptions options)
{
    for (PlannedEntry& entry : plan) {
        entry.group = entry.title = "x";
        entry.link = "x.html";
        if (!entry.thumbnail.empty()) entry.thumbnail = entry.thumbnail.size() > 2 ? "x.jpg" : "x";
    }
    options.m_strTitle = options.m_strSubtitle = options.m_strAuthor = options.m_strDate = "x";
    if (IsAutomated(options.m_strAutoSeconds)) options.m_strAutoSeconds = "5";
    if (!options.m_strMusicFile.empty()) options.m_strMusicFile = "x.mp3";
    return BuildNavigationText(plan, options);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ListFileContent content;
    if (DecodeListFile(std::string(reinterpret_cast<const char*>(data), size), content) != ListFileStatus::ok) return 0;

    PackageNames names;
    if (DerivePackageNames("C:\\out\\" + content.options.m_strTitle + ".ambd", names))
        MustLandInside("C:\\data\\ambrel\\temp", names.packageName);

    CAmbrelUtilities engine;
    MoveListsToEngine(content, engine);
    // Thumbnail names from the list as well.
    engine.m_listThumbnails = engine.m_listTitles;
    std::vector<LeftOutEntry> leftOut;
    const std::vector<PlannedEntry> plan = PlanEntries(engine, &leftOut);
    uint32_t number = 0;
    for (const PlannedEntry& entry : plan) {
        if (entry.kind == EntryKind::GroupHeader) continue;
        if (entry.number != ++number) std::abort();
        if (entry.kind != EntryKind::FileEntry) continue;
        MustLandInside(kResources, entry.sourceFileName);
        if (entry.photo) {
            MustLandInside(kResources, entry.pageName);
            MustLandInside(kResources, AfterLastBackslash(WebPageResourceFolder(entry.pageName)));
        } else if (IsWebPagePath(entry.lowerPath)) {
            MustLandInside(kResources, AfterLastBackslash(WebPageResourceFolder(entry.lowerPath)));
        }
    }
    for (const LeftOutEntry& entry : leftOut)
        if (entry.reason.empty()) std::abort();

    CPresentationOptions options = content.options;
    options.m_strMusicFile = content.options.m_strSubtitle;
    if (Marks(BuildNavigationText(plan, options)) != Marks(PlainNavigationText(plan, options))) std::abort();
    return 0;
}
