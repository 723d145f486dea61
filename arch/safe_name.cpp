#include "arch/safe_name.h"

#include <cstring>

namespace arch {

namespace {

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// CON, PRN, AUX, NUL, COM0 to COM9 and LPT0 to LPT9 (also with the
// superscript digits ¹ ² ³ of code page 1252), CONIN$ and CONOUT$ reach a
// device whatever extension follows and whatever blanks precede it.
bool IsDeviceName(const std::string& name)
{
    std::string base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ') base.pop_back();
    for (char& c : base) c = Upper(c);
    for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
        if (base == device) return true;
    if (base.size() != 4 || (base.compare(0, 3, "COM") != 0 && base.compare(0, 3, "LPT") != 0)) return false;
    const unsigned char digit = static_cast<unsigned char>(base[3]);
    return (digit >= '0' && digit <= '9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
}

} // namespace

std::string FileNameProblem(const std::string& name, LeadBytePredicate isLeadByte)
{
    if (name.empty()) return "its name is empty";
    if (name.find_first_not_of(". ") == std::string::npos) return "its name is made only of dots or spaces";
    for (std::size_t i = 0; i < name.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (isLeadByte && isLeadByte(c) && i + 1 < name.size()) {
            ++i; // the second byte of a two-byte character is a letter, whatever its value
            continue;
        }
        if (c < 0x20 || c == 0x7F) return "its name holds control characters";
        if (c == '\\' || c == '/') return "its name leads into another folder";
        if (c == ':') return "its name holds a drive or a colon";
        if (std::strchr("<>\"|?*", c))
            return std::string("its name holds the character ") + name[i] + " that Windows does not allow";
    }
    if (name.back() == '.' || name.back() == ' ') return "its name ends with a dot or a space";
    if (IsDeviceName(name)) return "its name is a device name (" + name + ")";
    return std::string();
}

} // namespace arch
