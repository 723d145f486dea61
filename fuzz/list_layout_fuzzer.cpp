// From a list file's bytes to the names a generation writes, as when someone
// mails a list: every name of the planned package layout (each entry's copy,
// photo page and "_files" folder, and a package named after the list's title)
// must land directly inside its folder under exactly that name, whatever the
// list holds.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "framework/ansi_text.h"
#include "generate/entry_plan.h"
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
    return 0;
}
