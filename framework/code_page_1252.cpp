#include "framework/code_page_1252.h"

namespace {
// The characters of bytes 0x80 to 0x9F. The five bytes 1252 leaves unassigned
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the control characters of the same
// value, as in Windows' own table.
const char16_t kRow80[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
} // namespace

char Cp1252FromUtf16Unit(char16_t unit)
{
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return static_cast<char>(static_cast<unsigned char>(unit));
    for (int i = 0; i < 32; ++i) {
        if (kRow80[i] == unit) return static_cast<char>(0x80 + i);
    }
    return '?';
}

std::string Cp1252FromUtf16(const std::u16string& text)
{
    std::string out;
    out.reserve(text.size());
    for (char16_t unit : text) out += Cp1252FromUtf16Unit(unit);
    return out;
}
