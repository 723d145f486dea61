#include "arch/stored_name.h"

#include <cctype>

#include "arch/path_text.h"

namespace arch {

namespace {

bool IsDeviceName(const std::string& part)
{
    // Windows reaches a device for these names with any extension.
    std::string base = part.substr(0, part.find('.'));
    while (!base.empty() && base.back() == ' ') base.pop_back();
    for (char& c : base) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL" || base == "CONIN$" || base == "CONOUT$")
        return true;
    return base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) && base[3] >= '1' &&
           base[3] <= '9';
}

bool OnlyDotsAndSpaces(const std::string& part)
{
    for (char c : part)
        if (c != '.' && c != ' ') return false;
    return true;
}

} // namespace

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
    if (storedName.find(':') != std::string::npos) {
        reason = "its name holds a drive or a colon";
        return false;
    }
    for (char c : storedName) {
        if (static_cast<unsigned char>(c) < 0x20) {
            reason = "its name holds control characters";
            return false;
        }
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
        if (OnlyDotsAndSpaces(part)) {
            reason = "its name has a part made only of dots or spaces";
            return false;
        }
        if (IsDeviceName(part)) {
            reason = "its name is a device name (" + part + ")";
            return false;
        }
        parts.push_back(part);
    }
    if (parts.empty()) {
        reason = "its name names no file";
        return false;
    }
    return true;
}

} // namespace arch
