// 16-bit archive text in the thread's ANSI code page, converted by the system.
#include <windows.h>

#include <climits>
#include <vector>

#include "framework/archive_codec.h"

std::string AnsiFromUtf16(const std::u16string& text)
{
    if (text.empty() || text.size() > static_cast<size_t>(INT_MAX)) return std::string();
    const wchar_t* units = reinterpret_cast<const wchar_t*>(text.data());
    const int count = static_cast<int>(text.size());
    const int needed = ::WideCharToMultiByte(CP_ACP, 0, units, count, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return std::string();
    std::vector<char> out(static_cast<size_t>(needed));
    const int written = ::WideCharToMultiByte(CP_ACP, 0, units, count, out.data(), needed, nullptr, nullptr);
    return std::string(out.data(), written > 0 ? static_cast<size_t>(written) : 0);
}
