// 8-bit text in the system's ANSI code page. Lower-casing and searching step
// over double-byte characters whole, so a trail byte is never mistaken for a
// character of its own. Portable; the code-page facts come from the platform.
#pragma once

#include <string>

// windows.h's winuser.h defines AnsiLower as a macro for CharLowerA; with it
// a file that includes windows.h would call another function than the
// portable files do. Include this header after windows.h.
#ifdef AnsiLower
#undef AnsiLower
#endif

// True when the byte starts a double-byte character in the ANSI code page.
bool IsAnsiLeadByte(unsigned char c);

// Lower-case copy, multibyte-aware, in the ANSI code page.
std::string AnsiLower(const std::string& text);

// First position at or after `from` (a character boundary) where `what`
// occurs as whole characters, or std::string::npos. An empty `what` is never
// found.
std::string::size_type AnsiFind(const std::string& text, const std::string& what, std::string::size_type from = 0);

// True when text ends with `suffix`, compared byte for byte.
bool EndsWith(const std::string& text, const std::string& suffix);

// The last backslash that is a character of its own (never the second byte
// of a double-byte character), or std::string::npos.
std::string::size_type LastBackslash(const std::string& path);

// The part after the last backslash (all of it when there is none): a path's
// file name.
std::string AfterLastBackslash(const std::string& path);

// The part before the last backslash ("" when there is none): a path's
// folder.
std::string BeforeLastBackslash(const std::string& path);
