// Paths as text, for both separators: splitting into parts, drives,
// comparing without regard to case, and wildcard patterns.
#pragma once

#include <string>
#include <vector>

namespace arch {

inline bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// "c:\x" gives "\x"; a path without a drive is returned whole.
std::string StripDrive(const std::string& path);

// The parts between separators, without empty parts and ".", with ".."
// taking away the part before it (a ".." with nothing before it is
// dropped). Used for paths this program was given, never for stored names
// read from a cabinet.
std::vector<std::string> NormalParts(const std::string& path);

// Equal after folding ASCII letters.
bool EqualNoCase(const std::string& a, const std::string& b);

bool HasWildcard(const std::string& text);

// A Windows file pattern: * any run, ? one character, letters in any case;
// a pattern ending in ".*" also matches names without a dot, so that "*.*"
// matches every file.
bool MatchesPattern(const std::string& pattern, const std::string& name);

// `folder` joined with `name` by `separator`, adding one only when the
// folder does not already end in a separator (or a drive's colon).
std::string JoinPath(const std::string& folder, const std::string& name, char separator);

} // namespace arch
