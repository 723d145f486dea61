#include "pages/live_address.h"

namespace {
char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
} // namespace

std::string CompleteLiveAddress(const std::string& typed)
{
    // Only letters of the English alphabet and the dot can spell "www.", so
    // lower-casing those is enough, in any code page.
    static const char kPrefix[] = "www.";
    if (typed.size() < 4) return typed;
    for (size_t i = 0; i < 4; ++i)
        if (AsciiLower(typed[i]) != kPrefix[i]) return typed;
    return "http://" + typed;
}
