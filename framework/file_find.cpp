#include "framework/file_find.h"

#include <cstring>

#include "framework/ansi_text.h"

BOOL CFileFind::FindFile(const std::string& pattern)
{
    Close();
    m_root = pattern.substr(0, pattern.size() - AfterLastBackslash(pattern).size());
    m_hFind = ::FindFirstFileA(pattern.c_str(), &m_next);
    m_hasNext = m_hFind != INVALID_HANDLE_VALUE;
    return m_hasNext ? TRUE : FALSE;
}

BOOL CFileFind::FindNextFile()
{
    if (!m_hasNext) return FALSE;
    m_current = m_next;
    m_hasNext = ::FindNextFileA(m_hFind, &m_next) != FALSE;
    return m_hasNext ? TRUE : FALSE;
}

void CFileFind::Close()
{
    if (m_hFind != INVALID_HANDLE_VALUE) {
        ::FindClose(m_hFind);
        m_hFind = INVALID_HANDLE_VALUE;
    }
    m_hasNext = false;
}

BOOL CFileFind::IsDots() const
{
    return IsDirectory() && (std::strcmp(m_current.cFileName, ".") == 0 || std::strcmp(m_current.cFileName, "..") == 0);
}
