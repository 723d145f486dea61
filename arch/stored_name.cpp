#include "arch/stored_name.h"

#include "arch/path_text.h"
#include "arch/safe_name.h"

namespace arch {

std::string StoredNameFor(const std::string& path, const std::string& stripPrefix, bool keepPaths)
{
    std::vector<std::string> parts = NormalParts(StripDrive(path));
    if (parts.empty()) return std::string();
    if (!keepPaths) return parts.back();

    const std::vector<std::string> prefix = NormalParts(StripDrive(stripPrefix));
    if (!prefix.empty() && prefix.size() < parts.size()) {
        bool matches = true;
        for (std::size_t i = 0; i < prefix.size() && matches; ++i) matches = EqualNoCase(prefix[i], parts[i]);
        if (matches) parts.erase(parts.begin(), parts.begin() + static_cast<std::ptrdiff_t>(prefix.size()));
    }
    std::string name;
    for (const std::string& part : parts) {
        if (!name.empty()) name += '\\';
        name += part;
    }
    return name;
}

bool ExtractionParts(const std::string& storedName, std::vector<std::string>& parts, std::string& reason)
{
    parts.clear();
    if (storedName.empty()) {
        reason = "its name is empty";
        return false;
    }
    if (IsSeparator(storedName[0])) {
        reason = "its name is an absolute path";
        return false;
    }
    std::size_t i = 0;
    while (i <= storedName.size()) {
        std::size_t end = i;
        while (end < storedName.size() && !IsSeparator(storedName[end])) ++end;
        std::string part = storedName.substr(i, end - i);
        i = end + 1;
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            reason = "its name leads out of the folder (\"..\")";
            return false;
        }
        reason = FileNameProblem(part);
        if (!reason.empty()) return false;
        parts.push_back(part);
    }
    if (parts.empty()) {
        reason = "its name names no file";
        return false;
    }
    return true;
}

} // namespace arch
