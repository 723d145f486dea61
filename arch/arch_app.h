// The archiver's commands, given its arguments (without the program name).
// Returns the process exit code: 0 success, 1 a failed command, 2 a command
// line it cannot use. Never asks anything.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "arch/file_system.h"

namespace arch {

// errIsTerminal: standard error is a terminal, which then shows how far
// packing or extraction has come on one line.
int RunArch(const std::vector<std::string>& args, FileSystem& fs, std::ostream& out, std::ostream& err,
            bool errIsTerminal = false);

} // namespace arch
