#include "generate/entry_plan.h"

#include "framework/ansi_text.h"
#include "generate/page_escaping.h"
#include "model/ambrel_utilities.h"
#include "model/package_names.h"

namespace {
// The first name of a file entry that generation would write and that is
// not a plain name inside the resources folder; "" when all are.
std::string WrittenNamesProblem(const PlannedEntry& entry)
{
    std::vector<std::string> written{entry.sourceFileName};
    if (entry.photo) {
        written.push_back(entry.pageName);
        written.push_back(AfterLastBackslash(WebPageResourceFolder(entry.pageName)));
    } else if (entry.flash) {
        written.push_back(entry.pageName);
        written.push_back(FlashMovieScriptName(entry.lowerPath));
    } else if (IsWebPagePath(entry.lowerPath)) {
        written.push_back(AfterLastBackslash(WebPageResourceFolder(entry.lowerPath)));
    }
    for (const std::string& name : written) {
        std::string problem = WrittenNameProblem(name);
        if (!problem.empty()) return problem;
    }
    return std::string();
}

const char kScriptAddressProblem[] =
    "its address would run a script or carry a page of its own (javascript:, vbscript: or data:), not show a page";

// Long lists of refused entries would make a box taller than the screen.
const std::size_t kMostListedEntries = 20;
} // namespace

std::vector<PlannedEntry> PlanEntries(const CAmbrelUtilities& utilities, std::vector<LeftOutEntry>* leftOut)
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

        entry.kind = CAmbrelUtilities::KindOfEntry(*group, *url);
        if (entry.kind == EntryKind::GroupHeader) {
            entry.group = *group;
        } else if (entry.kind == EntryKind::LiveUrlEntry) {
            entry.address = *url;
            entry.link = LiveAddressUrl(entry.address);
            if (IsScriptAddress(entry.address)) {
                if (leftOut)
                    leftOut->push_back({entry.title.empty() ? entry.address : entry.title, kScriptAddressProblem});
                continue;
            }
        } else if (!file->empty()) {
            entry.path = *file;
            entry.lowerPath = AnsiLower(*file);
            entry.sourceFileName = SourceFileName(*file);
            entry.photo = IsPhotoPath(entry.lowerPath);
            entry.flash = IsFlashPath(entry.lowerPath);
            if (entry.photo) entry.pageName = PhotoPageName(entry.lowerPath);
            if (entry.flash) entry.pageName = FlashPageName(entry.lowerPath);
            entry.address = entry.pageName.empty() ? entry.sourceFileName : entry.pageName;
            entry.link = FileNameUrl(entry.address);
            const std::string problem = WrittenNamesProblem(entry);
            if (!problem.empty()) {
                if (leftOut) leftOut->push_back({entry.title.empty() ? entry.path : entry.title, problem});
                continue;
            }
        } else {
            continue;
        }
        if (entry.kind != EntryKind::GroupHeader) entry.number = ++number;
        plan.push_back(entry);
    }
    return plan;
}

std::string StartAddress(const PlannedEntry& entry)
{
    return HtmlEscaped(entry.kind == EntryKind::LiveUrlEntry ? entry.link : "resources/" + entry.link);
}

std::string LeftOutMessage(const std::vector<LeftOutEntry>& leftOut)
{
    if (leftOut.empty()) return std::string();
    std::string text = leftOut.size() == 1 ? "One entry was left out of the package, because it cannot be packaged "
                                             "safely:\r\n"
                                           : "These entries were left out of the package, because they cannot be "
                                             "packaged safely:\r\n";
    for (std::size_t i = 0; i < leftOut.size() && i < kMostListedEntries; ++i)
        text += "\r\n" + leftOut[i].title + ": " + leftOut[i].reason + ".";
    if (leftOut.size() > kMostListedEntries)
        text += "\r\n...and " + std::to_string(leftOut.size() - kMostListedEntries) + " more.";
    text += "\r\n\r\nThe rest of the list was packaged. The files themselves were not changed.";
    return text;
}
