// The listing command: one line per file with its size, date, time,
// attributes and stored name.
#pragma once

#include <ostream>
#include <string>

#include "arch/file_system.h"

namespace arch {

bool ListCabinet(FileSystem& fs, const std::string& cabinetPath, std::ostream& out, std::ostream& messages);

} // namespace arch
