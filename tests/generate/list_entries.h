// Filling an engine object's presentation list directly, entry by entry, as
// the list commands would. Portable.
#pragma once

#include <string>

#include "model/ambrel_utilities.h"

namespace listentries {

inline void AddEntry(CAmbrelUtilities& u, const std::string& group, const std::string& title, const std::string& file,
                     const std::string& url)
{
    u.m_listGroups.AddTail(group);
    u.m_listTitles.AddTail(title);
    u.m_listFiles.AddTail(file);
    u.m_listURLs.AddTail(url);
}

inline void AddFile(CAmbrelUtilities& u, const std::string& title, const std::string& path)
{
    AddEntry(u, "", title, path, "");
}

inline void AddUrl(CAmbrelUtilities& u, const std::string& title, const std::string& url)
{
    AddEntry(u, "", title, "", url);
}

inline void AddGroup(CAmbrelUtilities& u, const std::string& header) { AddEntry(u, header, "", "", ""); }

} // namespace listentries
