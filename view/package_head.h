// Reading a package's head: which extracted folder holds its start page.
// Portable; works on the bytes already read from the file.
#pragma once

#include <cstddef>
#include <string>

#include "model/package_file.h"

// The most bytes of a package's start that are examined, including the zero
// byte that always ends the buffer.
constexpr std::size_t kPackageHeadBufferSize = 2056;

// True when the five bytes are exactly the trailer (a zero byte among them
// ends the text early, so it does not match).
bool IsPackageTrailer(const char* lastFiveBytes);

// The start folder named by a package head.
//   head: the buffer, whose last byte is zero; the bytes read are all but it.
//   hasTrailer: the package ends with the trailer (names relative to the work
//   folder); otherwise the older rule that looks for "\temp\" applies.
// Returns "" when no name matches, and also when the name found would lead
// outside the work folder or is not a name extraction writes (a drive, a
// rooted path, a ".." part, a device, a stream, a trailing dot).
std::string FindStartFolderInHead(const std::string& head, bool hasTrailer);

// True when a folder relative to the work folder stays inside it: every part
// is a plain name.
bool IsSafeRelativeFolder(const std::string& folder);

// The document-opening command for a package's start page: the work folder,
// the start folder and "\index.html" (an empty start folder leaves the two
// backslashes side by side, which the shell reads as one).
std::string StartPageOpenCommand(const std::string& workFolder, const std::string& startFolder);
