// Files written under a temporary name in the folder of their target, to
// take the target's name (Replace) only once complete: a failed run then
// leaves whatever had the target's name as it was. The temporary name is
// short and new, so it neither lengthens a long name nor meets a file that
// is already there.
#pragma once

#include <memory>
#include <string>

#include "arch/file_system.h"

namespace arch {

// Creates a new temporary file beside `target`; gives its path.
std::unique_ptr<OutputFile> CreatePartialFile(FileSystem& fs, const std::string& target, std::string& partialPath,
                                              std::string& error);

} // namespace arch
