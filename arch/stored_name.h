// The names files carry inside a cabinet: how a path on disk becomes a
// stored name, and how a stored name read from a cabinet becomes a path
// below the extraction folder, or is refused.
#pragma once

#include <string>
#include <vector>

namespace arch {

// The stored name of the file at `path`: with `keepPaths`, its path
// without drive and leading separators, with the parts of `stripPrefix`
// (compared without regard to case, its own drive ignored) taken off the
// front; without, its file name alone. Parts are joined with backslashes.
// Empty when nothing would remain.
std::string StoredNameFor(const std::string& path, const std::string& stripPrefix, bool keepPaths);

// The parts of a stored name as a path below the extraction folder, or
// false with the reason for refusing it: an empty name, an absolute name
// (leading separator), a ".." part, or any part that is not a plain file
// name (FileNameProblem: a drive or colon, dots and spaces alone or at the
// end, control characters, a device name such as CON or LPT1). Both
// separators count; empty and "." parts are dropped.
bool ExtractionParts(const std::string& storedName, std::vector<std::string>& parts, std::string& reason);

} // namespace arch
