// Code page 1252, the ANSI code page of Western Windows systems: Latin-1 with
// typographic characters in its 0x80 row. Portable; the host build converts
// 16-bit archive text with it in place of the system's conversion.
#pragma once

#include <string>

// The 1252 byte of one UTF-16 unit, or '?' when the code page has none.
char Cp1252FromUtf16Unit(char16_t unit);

// Each unit converted on its own, so a surrogate pair gives "??".
std::string Cp1252FromUtf16(const std::u16string& text);
