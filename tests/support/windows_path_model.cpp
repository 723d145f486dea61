#include "tests/support/windows_path_model.h"

#include <cctype>

namespace pathmodel {

namespace {

bool IsDevice(const std::string& part)
{
    std::string base = part.substr(0, part.find_first_of(".:"));
    while (!base.empty() && base.back() == ' ') base.pop_back();
    for (char& c : base) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL" || base == "CONIN$" || base == "CONOUT$")
        return true;
    if (base.size() != 4 || (base.rfind("COM", 0) != 0 && base.rfind("LPT", 0) != 0)) return false;
    const unsigned char n = static_cast<unsigned char>(base[3]);
    return std::isdigit(n) || n == 0xB9 || n == 0xB2 || n == 0xB3;
}

} // namespace

Resolved Resolve(const std::string& path)
{
    Resolved r;
    r.parts.push_back(path.substr(0, 2));
    std::vector<std::string> pieces;
    std::string piece;
    for (std::size_t i = 2; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '\\' || path[i] == '/') {
            if (!piece.empty()) pieces.push_back(piece);
            piece.clear();
        } else {
            piece += path[i];
        }
    }
    r.endsWithSeparator = path.size() > 2 && (path.back() == '\\' || path.back() == '/');
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        std::string part = pieces[i];
        if (part == ".") continue;
        if (part == "..") {
            if (r.parts.size() > 1) r.parts.pop_back();
            continue;
        }
        if ((i + 1 < pieces.size() || r.endsWithSeparator) && part.back() == '.') part.pop_back();
        r.parts.push_back(part);
    }
    // Whatever part ends up last, after "." and ".." are resolved, loses all
    // its trailing dots and spaces.
    if (!r.endsWithSeparator && r.parts.size() > 1) {
        std::string& last = r.parts.back();
        while (!last.empty() && (last.back() == '.' || last.back() == ' ')) last.pop_back();
    }
    for (std::size_t i = 1; i < r.parts.size(); ++i) {
        for (char c : r.parts[i]) {
            const unsigned char u = static_cast<unsigned char>(c);
            if (c == ':') r.stream = true;
            if (u < 0x20 || u == 0x7F || std::string("<>\"|?*").find(c) != std::string::npos) r.invalid = true;
        }
    }
    // The system looks for a device name in the last part as written.
    r.device = !pieces.empty() && !r.endsWithSeparator && pieces.back() != "." && pieces.back() != ".." &&
               IsDevice(pieces.back());
    return r;
}

std::string Join(const Resolved& resolved)
{
    std::string path = resolved.parts[0];
    for (std::size_t i = 1; i < resolved.parts.size(); ++i) path += "\\" + resolved.parts[i];
    if (resolved.parts.size() == 1 || resolved.endsWithSeparator) path += "\\";
    return path;
}

bool LandsDirectlyInside(const std::string& folder, const std::string& name)
{
    Resolved inside = Resolve(folder);
    inside.parts.push_back(name);
    const Resolved r = Resolve(folder + "\\" + name);
    return !r.device && !r.stream && !r.invalid && !r.endsWithSeparator && r.parts == inside.parts;
}

std::string DangerousName(unsigned seed)
{
    static const char* const kPieces[] = {"a",    "Report",  ".pdf", ".html", "_files", ".",   "..",   "/",
                                          "\\",   ":",       "c:",   "C:",    "con",    "NUL", "Lpt1", "COM9",
                                          "com0", "CONIN$",  "aux",  "prn",   " ",      "...", "\x01", "\x1f",
                                          "\x7f", "*",       "?",    "<",     "|",      "\"",  ">",    "\xe9",
                                          "\xb9", "::$DATA", "~1",   "x y",   "..\\",   "../", ".\\",  "\\\\",
                                          "lpt",  "\xb2",    "..."};
    const unsigned count = sizeof(kPieces) / sizeof(kPieces[0]);
    // A small linear congruential generator: the same seed gives the same
    // name on every platform.
    unsigned state = seed * 2654435761u + 12345u;
    auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    };
    std::string name;
    const unsigned pieces = 1 + next() % 6;
    for (unsigned i = 0; i < pieces; ++i) name += kPieces[next() % count];
    return name;
}

} // namespace pathmodel
