#include "generate/entry_plan.h"

#include "generate/package_names.h"
#include "shell/ambrel_utilities.h"
#include "shell/ansi_text.h"

std::vector<PlannedEntry> PlanEntries(const CAmbrelUtilities& utilities)
{
    std::vector<PlannedEntry> plan;
    auto group = utilities.m_listGroups.begin();
    auto title = utilities.m_listTitles.begin();
    auto file = utilities.m_listFiles.begin();
    auto url = utilities.m_listURLs.begin();
    auto thumbnail = utilities.m_listThumbnails.begin();
    uint32_t number = 0;

    for (; group != utilities.m_listGroups.end() && title != utilities.m_listTitles.end() &&
           file != utilities.m_listFiles.end() && url != utilities.m_listURLs.end();
         ++group, ++title, ++file, ++url) {
        PlannedEntry entry;
        entry.title = *title;
        if (thumbnail != utilities.m_listThumbnails.end()) entry.thumbnail = *thumbnail++;

        if (!group->empty()) {
            entry.kind = PlannedEntry::Group;
            entry.group = *group;
        } else if (!url->empty()) {
            entry.kind = PlannedEntry::Url;
            entry.address = *url;
        } else if (!file->empty()) {
            entry.kind = PlannedEntry::File;
            entry.path = *file;
            entry.lowerPath = AnsiLower(*file);
            entry.sourceFileName = SourceFileName(*file);
            entry.photo = IsPhotoPath(entry.lowerPath);
            if (entry.photo) entry.pageName = PhotoPageName(entry.lowerPath);
            entry.address = entry.photo ? entry.pageName : entry.sourceFileName;
        } else {
            continue;
        }
        if (entry.kind != PlannedEntry::Group) entry.number = ++number;
        plan.push_back(entry);
    }
    return plan;
}

std::string StartAddress(const PlannedEntry& entry)
{
    return entry.kind == PlannedEntry::Url ? entry.address : "resources/" + entry.address;
}
