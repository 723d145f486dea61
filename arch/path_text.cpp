#include "arch/path_text.h"

#include <cstddef>

namespace arch {

namespace {

char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool Matches(const std::string& p, const std::string& n)
{
    // Iterative matcher with one backtrack point, the latest star.
    std::size_t pi = 0, ni = 0;
    std::size_t starP = std::string::npos, starN = 0;
    while (ni < n.size()) {
        if (pi < p.size() && (p[pi] == '?' || FoldCase(p[pi]) == FoldCase(n[ni]))) {
            ++pi;
            ++ni;
        } else if (pi < p.size() && p[pi] == '*') {
            starP = pi++;
            starN = ni;
        } else if (starP != std::string::npos) {
            pi = starP + 1;
            ni = ++starN;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == '*') ++pi;
    return pi == p.size();
}

} // namespace

std::string StripDrive(const std::string& path)
{
    if (path.size() >= 2 && path[1] == ':' &&
        ((path[0] >= 'a' && path[0] <= 'z') || (path[0] >= 'A' && path[0] <= 'Z')))
        return path.substr(2);
    return path;
}

std::vector<std::string> NormalParts(const std::string& path)
{
    std::vector<std::string> parts;
    std::size_t i = 0;
    while (i < path.size()) {
        std::size_t end = i;
        while (end < path.size() && !IsSeparator(path[end])) ++end;
        std::string part = path.substr(i, end - i);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        i = end + 1;
    }
    return parts;
}

bool EqualNoCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    return true;
}

bool HasWildcard(const std::string& text) { return text.find_first_of("*?") != std::string::npos; }

bool MatchesPattern(const std::string& pattern, const std::string& name)
{
    if (Matches(pattern, name)) return true;
    if (pattern.size() >= 2 && pattern.compare(pattern.size() - 2, 2, ".*") == 0 && name.find('.') == std::string::npos)
        return Matches(pattern.substr(0, pattern.size() - 2), name);
    return false;
}

std::string JoinPath(const std::string& folder, const std::string& name, char separator)
{
    if (folder.empty()) return name;
    const char last = folder.back();
    if (IsSeparator(last) || (last == ':' && folder.size() == 2)) return folder + name;
    return folder + separator + name;
}

} // namespace arch
