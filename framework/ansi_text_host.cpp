// Outside Windows the text is taken to be in code page 1252, the ANSI code
// page of Western systems (and of Wine under a UTF-8 locale): single-byte,
// with the Latin-1 letters and the few letters of its 0x80 row.
#include "framework/ansi_text.h"

bool IsAnsiLeadByte(unsigned char) { return false; }

std::string AnsiLower(const std::string& text)
{
    std::string out = text;
    for (char& ch : out) {
        unsigned char c = static_cast<unsigned char>(ch);
        if (c >= 'A' && c <= 'Z')
            c = static_cast<unsigned char>(c + 32);
        else if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
            c = static_cast<unsigned char>(c + 32);
        else if (c == 0x8A || c == 0x8C || c == 0x8E)
            c = static_cast<unsigned char>(c + 16);
        else if (c == 0x9F)
            c = 0xFF;
        ch = static_cast<char>(c);
    }
    return out;
}
