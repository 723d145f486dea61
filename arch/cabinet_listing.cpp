#include "arch/cabinet_listing.h"

#include <cstdio>
#include <memory>
#include <set>

#include "arch/cab_reader.h"
#include "arch/dos_time.h"

namespace arch {

namespace {

std::string Attributes(uint16_t a)
{
    std::string text;
    text += (a & cab::kAttrReadOnly) ? 'R' : '-';
    text += (a & cab::kAttrHidden) ? 'H' : '-';
    text += (a & cab::kAttrSystem) ? 'S' : '-';
    text += (a & cab::kAttrArchive) ? 'A' : '-';
    return text;
}

} // namespace

bool ListCabinet(FileSystem& fs, const std::string& cabinetPath, std::ostream& out, std::ostream& messages)
{
    CabinetDirectory directory;
    std::unique_ptr<InputFile> in = OpenCabinet(fs, cabinetPath, directory, messages);
    if (!in) return false;
    std::string methods;
    std::set<uint16_t> seen;
    for (const cab::FolderRecord& folder : directory.folders) {
        if (!seen.insert(folder.compression).second) continue;
        methods += (methods.empty() ? "" : ", ") + cab::CompressionName(folder.compression);
    }
    out << "Cabinet " << cabinetPath << ": " << directory.members.size() << " files in " << directory.folders.size()
        << (directory.folders.size() == 1 ? " folder" : " folders") << (methods.empty() ? "" : " (" + methods + ")")
        << ", " << directory.header.cabinetSize << " bytes\n";
    out << "      Size Date       Time     Attr Name\n";
    for (const CabinetMember& member : directory.members) {
        const CalendarTime t = FromDosDateTime(member.record.date, member.record.time);
        char line[80];
        std::snprintf(line, sizeof line, "%10lu %04d-%02d-%02d %02d:%02d:%02d %s ",
                      static_cast<unsigned long>(member.record.size), t.year, t.month, t.day, t.hour, t.minute,
                      t.second, Attributes(member.record.attributes).c_str());
        out << line << member.name << "\n";
    }
    return true;
}

} // namespace arch
