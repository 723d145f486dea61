#include "view/package_head.h"

#include <algorithm>
#include <cstring>

#include "arch/safe_name.h"
#include "framework/ansi_text.h"
#include "model/document_opener.h"
#include "model/replace_all.h"

namespace {
const std::size_t kFirstPosition = 5;
const std::size_t kLastPosition = 2053;

// The zero-terminated text at pos (the buffer always ends in a zero byte).
std::string TextAt(const std::string& head, std::size_t pos)
{
    if (pos >= head.size()) return std::string();
    std::size_t end = head.find('\0', pos);
    if (end == std::string::npos) end = head.size();
    return head.substr(pos, end - pos);
}

// Index rule: the text before the first "\index" of the name at pos.
std::string IndexRule(const std::string& head, std::size_t pos)
{
    std::string name = TextAt(head, pos);
    std::string::size_type index = AnsiFind(name, "\\index");
    return index == std::string::npos ? std::string() : name.substr(0, index);
}

std::string FindWithTrailer(const std::string& head, std::size_t bytesRead)
{
    static const char kStartPage[] = "index.html";
    const std::size_t startPageLength = sizeof(kStartPage) - 1;
    for (std::size_t i = kFirstPosition; i <= kLastPosition && i < bytesRead; ++i) {
        // Only a text that holds the bytes at all can hold the name as whole
        // characters; looking for the bytes first keeps a long head quick.
        const std::size_t zero = std::min(head.find('\0', i), head.size());
        const std::size_t bytes = head.find(kStartPage, i);
        const std::string text = bytes != std::string::npos && bytes + startPageLength <= zero ? TextAt(head, i) : "";
        if (AnsiFind(text, kStartPage) != std::string::npos) {
            return BeforeLastBackslash(text);
        }
        // The tail of a file record dated 0x2F27 with attributes 0x0020,
        // just before its name.
        if (head[i] == 0 && static_cast<unsigned char>(head[i - 1]) == 0x20 &&
            static_cast<unsigned char>(head[i - 4]) == 0x2F && static_cast<unsigned char>(head[i - 5]) == 0x27)
            return IndexRule(head, i + 1);
    }
    return std::string();
}

std::string FindWithoutTrailer(const std::string& head, std::size_t bytesRead)
{
    static const char kTemp[] = "\\temp\\";
    for (std::size_t j = kFirstPosition; j <= kLastPosition && j < bytesRead; ++j) {
        if (std::memcmp(head.data() + j - 5, kTemp, 6) == 0) return IndexRule(head, j + 1);
    }
    return std::string();
}
} // namespace

bool IsPackageTrailer(const char* lastFiveBytes)
{
    char text[kPackageTrailerSize + 1] = {};
    std::memcpy(text, lastFiveBytes, kPackageTrailerSize);
    return std::strcmp(text, kPackageTrailer) == 0;
}

bool IsSafeRelativeFolder(const std::string& folder)
{
    if (folder.empty()) return true;
    if (folder[0] == '\\' || folder[0] == '/') return false;
    // Every part must be a plain name, as extraction requires of the names it
    // writes: no "..", drive, stream, device or trailing dot.
    std::string::size_type start = 0;
    while (start <= folder.size()) {
        std::string::size_type end = folder.find_first_of("\\/", start);
        if (end == std::string::npos) end = folder.size();
        const std::string part = folder.substr(start, end - start);
        if (part != "." && !part.empty() && !arch::IsPlainFileName(part, IsAnsiLeadByte)) return false;
        start = end + 1;
    }
    return true;
}

std::string FindStartFolderInHead(const std::string& head, bool hasTrailer)
{
    if (head.empty()) return std::string();
    std::size_t bytesRead = head.size() - 1;
    std::string folder = hasTrailer ? FindWithTrailer(head, bytesRead) : FindWithoutTrailer(head, bytesRead);
    return IsSafeRelativeFolder(folder) ? folder : std::string();
}

std::string StartPageOpenCommand(const std::string& workFolder, const std::string& startFolder)
{
    std::string command = DocumentOpenCommand(workFolder + "##selection##\\index.html");
    ReplaceAll(command, "##selection##", startFolder);
    return command;
}
