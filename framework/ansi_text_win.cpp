// The ANSI code page facts from the system.
#include <windows.h>

#include <vector>

#include "framework/ansi_text.h"

bool IsAnsiLeadByte(unsigned char c) { return ::IsDBCSLeadByte(c) != FALSE; }

std::string AnsiLower(const std::string& text)
{
    if (text.empty()) return text;
    std::vector<char> buffer(text.begin(), text.end());
    ::CharLowerBuffA(buffer.data(), static_cast<DWORD>(buffer.size()));
    return std::string(buffer.begin(), buffer.end());
}
