// Byte strings written as hex in tests: Hex("03 31 2E 32").
#pragma once

#include <cctype>
#include <stdexcept>
#include <string>

inline std::string Hex(const std::string& text)
{
    std::string out;
    int high = -1;
    for (char c : text) {
        if (std::isspace(static_cast<unsigned char>(c))) continue;
        if (!std::isxdigit(static_cast<unsigned char>(c))) throw std::invalid_argument("not hex: " + text);
        int digit = std::isdigit(static_cast<unsigned char>(c))
                        ? c - '0'
                        : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
        if (high < 0) {
            high = digit;
        } else {
            out += static_cast<char>(high * 16 + digit);
            high = -1;
        }
    }
    if (high >= 0) throw std::invalid_argument("odd hex: " + text);
    return out;
}
