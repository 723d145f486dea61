// The title an entry gets from its file's path: the file name without its
// last extension. Portable.
#pragma once

#include <string>

// The characters after the last backslash and before the last dot; empty when
// there are none (a name without a dot, or a dot only in a folder name).
std::string DerivedTitle(const std::string& path);
