#include "framework/file.h"

CFile::~CFile() { Abort(); }

BOOL CFile::Open(const std::string& fileName, UINT nOpenFlags, CFileException* pError)
{
    Abort();
    m_strFileName = fileName;

    DWORD access = 0;
    switch (nOpenFlags & 3) {
    case modeRead: access = GENERIC_READ; break;
    case modeWrite: access = GENERIC_WRITE; break;
    case modeReadWrite: access = GENERIC_READ | GENERIC_WRITE; break;
    default: access = GENERIC_READ; break;
    }

    DWORD share = 0;
    switch (nOpenFlags & 0x70) {
    case shareDenyWrite: share = FILE_SHARE_READ; break;
    case shareDenyRead: share = FILE_SHARE_WRITE; break;
    case shareDenyNone: share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE; break;
    default: share = 0; break; // compatibility mode counts as exclusive
    }

    DWORD disposition = OPEN_EXISTING;
    if (nOpenFlags & modeCreate) disposition = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;

    SECURITY_ATTRIBUTES sa{};
    sa.nLength = sizeof(sa);
    sa.bInheritHandle = (nOpenFlags & modeNoInherit) ? FALSE : TRUE;

    HANDLE h = ::CreateFileA(fileName.c_str(), access, share, &sa, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        if (pError) {
            LONG err = static_cast<LONG>(::GetLastError());
            *pError = CFileException(CFileException::OsErrorToException(err), err, fileName);
        }
        return FALSE;
    }
    m_hFile = h;
    return TRUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0) return 0;
    DWORD got = 0;
    if (!::ReadFile(m_hFile, lpBuf, nCount, &got, nullptr))
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
    return got;
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0) return;
    DWORD written = 0;
    if (!::WriteFile(m_hFile, lpBuf, nCount, &written, nullptr))
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
    if (written != nCount) throw CFileException(CFileException::diskFull, ERROR_DISK_FULL, m_strFileName);
}

uint64_t CFile::Seek(int64_t lOff, UINT nFrom)
{
    LARGE_INTEGER distance;
    distance.QuadPart = lOff;
    LARGE_INTEGER result;
    DWORD method = nFrom == current ? FILE_CURRENT : nFrom == end ? FILE_END : FILE_BEGIN;
    if (!::SetFilePointerEx(m_hFile, distance, &result, method))
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
    return static_cast<uint64_t>(result.QuadPart);
}

void CFile::SetLength(uint64_t newLength)
{
    Seek(static_cast<int64_t>(newLength), begin);
    if (!::SetEndOfFile(m_hFile)) CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
}

uint64_t CFile::GetLength() const
{
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(m_hFile, &size))
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
    return static_cast<uint64_t>(size.QuadPart);
}

void CFile::Close()
{
    if (m_hFile == INVALID_HANDLE_VALUE) return;
    HANDLE h = m_hFile;
    m_hFile = INVALID_HANDLE_VALUE;
    if (!::CloseHandle(h)) CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), m_strFileName);
}

void CFile::Abort()
{
    if (m_hFile != INVALID_HANDLE_VALUE) {
        ::CloseHandle(m_hFile);
        m_hFile = INVALID_HANDLE_VALUE;
    }
}

void CFile::Remove(const std::string& fileName)
{
    if (!::DeleteFileA(fileName.c_str())) CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), fileName);
}

BOOL CFile::GetStatus(const std::string& fileName, CFileStatus& rStatus)
{
    if (fileName.size() >= MAX_PATH) return FALSE;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA(fileName.c_str(), GetFileExInfoStandard, &data)) return FALSE;
    rStatus.m_attribute = data.dwFileAttributes;
    rStatus.m_size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return TRUE;
}
