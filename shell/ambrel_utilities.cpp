#include "shell/ambrel_utilities.h"

#ifdef _WIN32
#include "shell/install_paths.h"
#endif

CAmbrelUtilities::CAmbrelUtilities()
{
#ifdef _WIN32
    // The work folders exist whenever an engine object does.
    PrepareWorkFolders();
#endif
    // (The host build has no install root or data folder: it only exercises
    // the engine's portable operations.)
}

CAmbrelUtilities::~CAmbrelUtilities() = default;
