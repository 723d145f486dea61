// How Windows reads a full path, written down independently of the program's
// name rule so that tests can hold the rule against it: both slashes
// separate, "." and ".." are resolved (never above the drive), trailing dots
// and spaces fall off the last part (when no separator follows it) and a
// single trailing dot off the others,
// a colon after the drive opens a stream, and CON, NUL, COM1 and the like
// (with any extension) are devices. Portable; the Windows tests check it
// against GetFullPathNameA.
#pragma once

#include <string>
#include <vector>

namespace pathmodel {

struct Resolved {
    std::vector<std::string> parts; // the drive ("C:") first, then each folder and the name
    bool device = false;            // the last part opens a device, not a file
    bool stream = false;            // a part holds a colon: a stream of another file
    bool invalid = false;           // a part holds a character no file name may hold
    bool endsWithSeparator = false; // the path names a folder ("C:\a\")
};

// `path` starts with a drive and a backslash ("C:\...").
Resolved Resolve(const std::string& path);

// The resolved path as GetFullPathNameA would write it ("C:\a\b").
std::string Join(const Resolved& resolved);

// True when folder + "\" + name is a plain file directly inside the folder,
// under exactly that name.
bool LandsDirectlyInside(const std::string& folder, const std::string& name);

// A name put together from one to six pieces that Windows reads more into
// than letters (separators, dots, drives, colons, device names, control and
// forbidden characters, trailing blanks) and plain letters, chosen by `seed`.
std::string DangerousName(unsigned seed);

} // namespace pathmodel
