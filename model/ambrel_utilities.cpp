#include "model/ambrel_utilities.h"

#ifndef _WIN32
// The host build has no install root or data folder: it only exercises the
// engine's portable operations, and an engine prepares no folders there.
// (The Windows build's constructor, which prepares the work folders, lives
// with them in system/.)
CAmbrelUtilities::CAmbrelUtilities() = default;
#endif

CAmbrelUtilities::~CAmbrelUtilities() = default;
