#include "framework/ansi_text.h"

std::string::size_type AnsiFind(const std::string& text, const std::string& what, std::string::size_type from)
{
    if (what.empty() || what.size() > text.size()) return std::string::npos;
    std::string::size_type i = from;
    while (i + what.size() <= text.size()) {
        if (text.compare(i, what.size(), what) == 0) return i;
        i += (IsAnsiLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ? 2 : 1;
    }
    return std::string::npos;
}

bool EndsWith(const std::string& text, const std::string& suffix)
{
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::string::size_type LastBackslash(const std::string& path)
{
    std::string::size_type last = std::string::npos;
    for (std::string::size_type i = 0; i < path.size();) {
        if (path[i] == '\\') last = i;
        i += (IsAnsiLeadByte(static_cast<unsigned char>(path[i])) && i + 1 < path.size()) ? 2 : 1;
    }
    return last;
}

std::string AfterLastBackslash(const std::string& path)
{
    const std::string::size_type slash = LastBackslash(path);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string BeforeLastBackslash(const std::string& path)
{
    const std::string::size_type slash = LastBackslash(path);
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}
