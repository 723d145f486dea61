#include "model/list_file.h"

#include <charconv>
#include <limits>

#include "model/ambrel_utilities.h"

const char kListFileVersion[] = "1.2";

namespace {

// Files above this version carry the two transition texts.
const double kLastVersionWithoutTransitions = 1.15;

ListFileStatus FromArchive(ArchiveStatus status)
{
    switch (status) {
    case ArchiveStatus::ok: return ListFileStatus::ok;
    case ArchiveStatus::endsEarly: return ListFileStatus::endsEarly;
    case ArchiveStatus::badLength: return ListFileStatus::badLength;
    }
    return ListFileStatus::badLength;
}

bool IsCSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

void WriteListFile(ArchiveByteSink& sink, const ListFileContent& content)
{
    WriteArchiveString(sink, kListFileVersion);
    WriteArchiveStringList(sink, content.groups);
    WriteArchiveStringList(sink, content.titles);
    WriteArchiveStringList(sink, content.files);
    WriteArchiveStringList(sink, content.urls);
    const CPresentationOptions& o = content.options;
    for (const std::string* text :
         {&o.m_strTitle, &o.m_strSubtitle, &o.m_strDate, &o.m_strAuthor, &o.m_strAutoSeconds, &o.m_strTransition})
        WriteArchiveString(sink, *text);
}

std::string EncodeListFile(const ListFileContent& content)
{
    MemoryByteSink sink;
    WriteListFile(sink, content);
    return sink.Bytes();
}

ListFileStatus ReadListFile(ArchiveByteSource& source, ListFileContent& content)
{
    ListFileContent read;
    read.options = content.options;
    CPresentationOptions& o = read.options;

    ArchiveStatus status = ReadArchiveString(source, read.version);
    for (CStringList* list : {&read.groups, &read.titles, &read.files, &read.urls}) {
        if (status == ArchiveStatus::ok) status = ReadArchiveStringList(source, *list);
    }
    if (status != ArchiveStatus::ok) return FromArchive(status);

    // The program writes the four lists with one count; a file that does not
    // is damaged, and walking its entries in parallel would run off a list.
    const int count = read.groups.GetCount();
    if (read.titles.GetCount() != count || read.files.GetCount() != count || read.urls.GetCount() != count)
        return ListFileStatus::listsDiffer;

    for (std::string* text : {&o.m_strTitle, &o.m_strSubtitle, &o.m_strDate, &o.m_strAuthor}) {
        if (status == ArchiveStatus::ok) status = ReadArchiveString(source, *text);
    }
    if (status == ArchiveStatus::ok && ListFileHasTransitions(read.version)) {
        status = ReadArchiveString(source, o.m_strAutoSeconds);
        if (status == ArchiveStatus::ok) status = ReadArchiveString(source, o.m_strTransition);
    }
    if (status != ArchiveStatus::ok) return FromArchive(status);

    content = std::move(read);
    return ListFileStatus::ok;
}

ListFileStatus DecodeListFile(const std::string& bytes, ListFileContent& content)
{
    MemoryByteSource source(bytes);
    return ReadListFile(source, content);
}

double ListFileVersionNumber(const std::string& version)
{
    const char* p = version.data();
    const char* end = p + version.size();
    while (p != end && IsCSpace(*p)) ++p;
    bool negative = false;
    if (p != end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    // Decimal digits only: no "inf", "nan" or hexadecimal forms.
    if (p == end || !(IsDigit(*p) || (*p == '.' && p + 1 != end && IsDigit(p[1])))) return 0.0;

    double value = 0.0;
    const std::from_chars_result result = std::from_chars(p, end, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large or too small for a double: the exponent's sign says which.
        value = std::numeric_limits<double>::infinity();
        for (const char* q = p; q != result.ptr; ++q) {
            if ((*q == 'e' || *q == 'E') && q + 1 != result.ptr && q[1] == '-') value = 0.0;
        }
    } else if (result.ec != std::errc()) {
        return 0.0;
    }
    return negative ? -value : value;
}

bool ListFileHasTransitions(const std::string& version)
{
    return ListFileVersionNumber(version) > kLastVersionWithoutTransitions;
}

void CopyListsFromEngine(const CAmbrelUtilities& engine, ListFileContent& content)
{
    content.groups = engine.m_listGroups;
    content.titles = engine.m_listTitles;
    content.files = engine.m_listFiles;
    content.urls = engine.m_listURLs;
}

void MoveListsToEngine(ListFileContent& content, CAmbrelUtilities& engine)
{
    engine.m_listGroups = std::move(content.groups);
    engine.m_listTitles = std::move(content.titles);
    engine.m_listFiles = std::move(content.files);
    engine.m_listURLs = std::move(content.urls);
}
