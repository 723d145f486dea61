// An engine object of the Windows build: the work folders exist whenever one
// does.
#include "model/ambrel_utilities.h"
#include "system/install_paths.h"

CAmbrelUtilities::CAmbrelUtilities() { PrepareWorkFolders(); }
