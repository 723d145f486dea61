// CFileFind: walks the entries that match a pattern such as "c:\folder\*.*",
// in the order the system returns them, hidden and system files included.
//
//   CFileFind finder;
//   BOOL more = finder.FindFile(pattern);
//   while (more) { more = finder.FindNextFile(); ... finder.GetFilePath() ... }
#pragma once

#include <windows.h>

#include <string>

class CFileFind {
public:
    CFileFind() = default;
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;
    ~CFileFind() { Close(); }

    // Starts a search; false when nothing matches.
    BOOL FindFile(const std::string& pattern);
    // Moves to the next entry; false when the entry it moved to is the last one.
    BOOL FindNextFile();
    void Close();

    std::string GetFileName() const { return m_current.cFileName; }
    std::string GetFilePath() const { return m_root + m_current.cFileName; }
    BOOL IsDirectory() const { return (m_current.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
    BOOL IsDots() const;

private:
    HANDLE m_hFind = INVALID_HANDLE_VALUE;
    std::string m_root;
    WIN32_FIND_DATAA m_current{};
    WIN32_FIND_DATAA m_next{};
    bool m_hasNext = false;
};
