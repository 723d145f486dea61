#include "generate/page_text.h"

#include "framework/ansi_text.h"
#include "model/replace_all.h"

namespace {
const char kWindowName[] = "window.name";
const char kStandIn[] = "abc123";
const char kStandInScript[] = "<script>var abc123 = \"\";</script>";
const char kTransferEncoding[] = "content-transfer-encoding:";

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

// A byte that continues a script name. Bytes above ASCII count as letters:
// names may hold them, and text around a name rarely starts with one.
bool ContinuesName(char ch)
{
    const unsigned char c = static_cast<unsigned char>(ch);
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '$' ||
           c >= 0x80;
}

// Replaces the occurrences that stand on their own, in one pass over the
// text; returns their count.
int ReplaceWindowName(std::string& text, bool quotedPrintable)
{
    const std::string name = kWindowName;
    std::string out;
    int count = 0;
    std::string::size_type copied = 0;
    for (std::string::size_type at = AnsiFind(text, name); at != std::string::npos;
         at = AnsiFind(text, name, at + name.size())) {
        const std::string::size_type end = at + name.size();
        bool joined = end < text.size() && ContinuesName(text[end]);
        if (at > 0 && ContinuesName(text[at - 1])) {
            // "=3D" and the like encode the character before.
            const bool escape = quotedPrintable && at >= 3 && text[at - 3] == '=' && IsHexDigit(text[at - 2]) &&
                                IsHexDigit(text[at - 1]);
            if (!escape) joined = true;
        }
        if (joined) continue;
        out.append(text, copied, at - copied);
        out += kStandIn;
        copied = end;
        ++count;
    }
    if (count == 0) return 0;
    out.append(text, copied, std::string::npos);
    text.swap(out);
    return count;
}

// Just past the first start tag of the element, found in the lower-case
// copy of a page; npos when there is none.
std::string::size_type AfterStartTag(const std::string& lower, const std::string& element)
{
    const std::string open = "<" + element;
    for (std::string::size_type at = AnsiFind(lower, open); at != std::string::npos;
         at = AnsiFind(lower, open, at + 1)) {
        const std::string::size_type next = at + open.size();
        if (next >= lower.size()) return std::string::npos;
        const char c = lower[next];
        if (c != '>' && c != '/' && c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '\f') continue;
        const std::string::size_type close = lower.find('>', next);
        return close == std::string::npos ? std::string::npos : close + 1;
    }
    return std::string::npos;
}

std::string::size_type AfterHeadOrHtmlTag(const std::string& lower)
{
    std::string::size_type at = AfterStartTag(lower, "head");
    return at != std::string::npos ? at : AfterStartTag(lower, "html");
}

// Where a page without head and html tags takes the script: after its
// doctype, which must stay first for the page to keep its mode, or at its
// start, after a byte order mark.
std::string::size_type PageStart(const std::string& lower)
{
    std::string::size_type at = lower.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    const std::string::size_type text = lower.find_first_not_of(" \t\r\n\f", at);
    if (text != std::string::npos && lower.compare(text, 9, "<!doctype") == 0) {
        const std::string::size_type close = lower.find('>', text);
        if (close != std::string::npos) return close + 1;
    }
    return at;
}

// True when the MIME part that holds the position is quoted-printable, as
// the nearest transfer encoding header before it says.
bool QuotedPrintableAt(const std::string& lower, std::string::size_type at)
{
    const std::string::size_type header = lower.rfind(kTransferEncoding, at);
    if (header == std::string::npos) return false;
    const std::string::size_type value = lower.find_first_not_of(" \t", header + sizeof(kTransferEncoding) - 1);
    return value != std::string::npos && lower.compare(value, 16, "quoted-printable") == 0;
}

std::string StandInLine(const std::string& script) { return "\r\n" + script + "\r\n"; }
} // namespace

bool InsertAfterHeadTag(std::string& page, const std::string& insert)
{
    static const std::string kHead = "<head>";
    std::string::size_type at = AnsiFind(AnsiLower(page), kHead);
    if (at == std::string::npos) return false;
    page.insert(at + kHead.size(), insert);
    return true;
}

bool NeutraliseWindowName(std::string& page)
{
    if (ReplaceWindowName(page, false) == 0) return false;
    const std::string lower = AnsiLower(page);
    std::string::size_type at = AfterHeadOrHtmlTag(lower);
    if (at == std::string::npos) at = PageStart(lower);
    page.insert(at, StandInLine(kStandInScript));
    return true;
}

bool NeutraliseWindowNameInArchive(std::string& archive)
{
    if (ReplaceWindowName(archive, true) == 0) return false;
    const std::string lower = AnsiLower(archive);
    const std::string::size_type at = AfterHeadOrHtmlTag(lower);
    if (at == std::string::npos) return true;
    std::string script = kStandInScript;
    if (QuotedPrintableAt(lower, at)) ReplaceAll(script, "=", "=3D");
    archive.insert(at, StandInLine(script));
    return true;
}
