// A generation in its parts: planned on the user interface thread, the package
// folder made and packed as long work. GeneratePackage runs them all; the
// generation benchmark times the making of the folder alone.
#pragma once

#include <string>
#include <vector>

#include "generate/entry_plan.h"
#include "model/package_names.h"

class CAmbrelUtilities;
class CWorkProgress;

// Everything the long work needs, settled before it starts.
struct BuildOrder {
    PackageNames names;
    bool openWhenDone = false;
    std::string root;
    std::string workFolder;
    std::string packageFolder;
    std::string resourcesFolder;
    std::vector<PlannedEntry> plan;
    std::string musicName; // "" for no music
};

// Steps 1 and 2 and the plan: asks for the output path when `outputPath` is
// empty (false when the user cancels), derives the names (a name that would
// not be a folder of its own is thrown as a CCommandFailure), prepares the
// thumbnails and plans the entries, listing those left out in `leftOut`.
bool PlanPackage(CAmbrelUtilities& engine, std::string outputPath, BuildOrder& order,
                 std::vector<LeftOutEntry>& leftOut);

// Steps 3 to 9: the package folder, from the template, the entries' copies
// and their pages, and the navigation frame. Failures are thrown (file
// errors naming the file, a CCommandFailure for a missing template);
// CWorkCancelled when the user cancels.
void MakePackageFolder(CAmbrelUtilities& engine, const BuildOrder& order, CWorkProgress& progress);
