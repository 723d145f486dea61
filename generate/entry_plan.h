// The presentation list as a generation walks it: each entry's kind, the
// names derived from its path, its address and its number. The navigation
// text's address table and its links are made from the same plan, so their
// numbers always agree.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/ambrel_utilities.h"

struct PlannedEntry {
    EntryKind kind = EntryKind::GroupHeader;
    std::string group; // the header text of a group header
    std::string title;
    std::string path;           // the file path of a file entry
    std::string thumbnail;      // the entry's thumbnail name, "" for none
    std::string lowerPath;      // the path in lower case ("" for a URL entry)
    std::string sourceFileName; // the name of the file's copy in resources
    bool photo = false;         // a JPEG picture, shown through a photo page
    bool flash = false;         // a Flash movie, played by a page of its own
    std::string pageName;       // the photo page of a picture, the page of a movie
    std::string address;        // the link target, relative to resources
    std::string link;           // the address as a URL, as the pages name it
    uint32_t number = 0;        // 1, 2, 3... for the entries that are not headers
};

// An entry that cannot be packaged, and why, in words for the user.
struct LeftOutEntry {
    std::string title; // the entry's title, or its path when it has none
    std::string reason;
};

// Plans the entries of the list, in list order, each with the thumbnail name
// at its place in m_listThumbnails ("" once that list is exhausted). An entry
// that is neither a group header nor has a path or an address leads nowhere
// and is left out: it gets no number, no address and no link. So is a file
// entry any of whose names in the package (its copy, its photo or movie
// page, its "_files" folder) would not be a plain name inside the resources
// folder, and a live entry whose address would run a script instead of
// showing a page (IsScriptAddress); those are listed in `leftOut`. The walk
// ends with the shortest of the four lists.
std::vector<PlannedEntry> PlanEntries(const CAmbrelUtilities& utilities, std::vector<LeftOutEntry>* leftOut = nullptr);

// The one message that tells the user which entries were left out and why
// ("" when none were).
std::string LeftOutMessage(const std::vector<LeftOutEntry>& leftOut);

// The page the main frame starts with for an entry, as index.html's frame
// names it (an attribute value): "resources/" and its link for a file entry,
// the link itself for a live URL.
std::string StartAddress(const PlannedEntry& entry);
