#include "generate/page_escaping.h"

#include <cstdint>

#include "framework/ansi_text.h"

namespace {
bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7F; }
bool IsTabOrLineBreak(char c) { return c == '\t' || c == '\n' || c == '\r'; }
bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

std::string Hex(unsigned char c)
{
    static const char kDigits[] = "0123456789ABCDEF";
    return std::string{kDigits[c >> 4], kDigits[c & 15]};
}

// The text with the bytes that `encode` picks percent-encoded.
template <typename Picker>
std::string PercentEncoded(const std::string& text, Picker encode)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (encode(static_cast<unsigned char>(c)))
            out += "%" + Hex(static_cast<unsigned char>(c));
        else
            out += c;
    }
    return out;
}
} // namespace

std::string HtmlEscaped(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string ScriptStringEscaped(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (std::string::size_type i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (IsAnsiLeadByte(c) && i + 1 < text.size()) {
            // A double-byte character whole: its second byte may be a
            // backslash that is no character of its own.
            out += text.substr(i, 2);
            ++i;
        } else if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '<' || IsControl(c)) {
            out += "\\x" + Hex(c);
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string FileNameUrl(const std::string& fileName)
{
    // ":" too: before the first slash it would start a scheme.
    return PercentEncoded(fileName, [](unsigned char c) {
        return c == '%' || c == '#' || c == '?' || c == ':' || c == '"' || IsControl(c);
    });
}

std::string LiveAddressUrl(const std::string& address)
{
    std::string kept;
    for (char c : address)
        if (!IsTabOrLineBreak(c)) kept += c;
    return PercentEncoded(kept, IsControl);
}

bool IsScriptAddress(const std::string& address)
{
    std::string::size_type start = 0;
    while (start < address.size() && static_cast<unsigned char>(address[start]) <= 0x20) ++start;
    std::string scheme;
    for (std::string::size_type i = start; i < address.size(); ++i) {
        const char c = address[i];
        if (IsTabOrLineBreak(c)) continue;
        if (c == ':') return scheme == "javascript" || scheme == "vbscript" || scheme == "data";
        const bool allowed =
            IsAsciiLetter(c) || (!scheme.empty() && (IsAsciiDigit(c) || c == '+' || c == '-' || c == '.'));
        if (!allowed) return false; // no scheme: an address relative to the package
        scheme += static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    }
    return false; // no colon: no scheme
}

std::string Base64(const std::string& bytes)
{
    static const char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::string::size_type whole = bytes.size() / 3 * 3;
    std::string out((bytes.size() + 2) / 3 * 4, '=');
    char* o = &out[0];
    for (std::string::size_type i = 0; i < whole; i += 3, o += 4) {
        const uint32_t group = static_cast<uint32_t>(in[i]) << 16 | static_cast<uint32_t>(in[i + 1]) << 8 | in[i + 2];
        o[0] = kDigits[group >> 18];
        o[1] = kDigits[(group >> 12) & 63];
        o[2] = kDigits[(group >> 6) & 63];
        o[3] = kDigits[group & 63];
    }
    // The last one or two bytes, padded with "=".
    if (whole < bytes.size()) {
        const bool two = bytes.size() - whole == 2;
        const uint32_t group =
            static_cast<uint32_t>(in[whole]) << 16 | (two ? static_cast<uint32_t>(in[whole + 1]) << 8 : 0);
        o[0] = kDigits[group >> 18];
        o[1] = kDigits[(group >> 12) & 63];
        if (two) o[2] = kDigits[(group >> 6) & 63];
    }
    return out;
}

std::string IntervalForScript(const std::string& seconds)
{
    std::string out;
    for (char c : seconds)
        if (IsAsciiLetter(c) || IsAsciiDigit(c) || c == '.' || c == ',' || c == ' ') out += c;
    return out;
}
