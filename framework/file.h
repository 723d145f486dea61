// CFile: a Win32 file handle with the framework's open flags. Read, Write, Seek
// and Remove raise CFileException on failure; Open reports it through its result.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "framework/file_exception.h"

struct CFileStatus {
    uint64_t m_size = 0;
    DWORD m_attribute = 0;
};

class CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000
    };
    enum SeekPosition { begin = 0, current = 1, end = 2 };

    CFile() = default;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    virtual ~CFile();

    BOOL Open(const std::string& fileName, UINT nOpenFlags, CFileException* pError = nullptr);
    UINT Read(void* lpBuf, UINT nCount);
    void Write(const void* lpBuf, UINT nCount);
    uint64_t Seek(int64_t lOff, UINT nFrom);
    uint64_t SeekToEnd() { return Seek(0, end); }
    uint64_t GetLength() const;
    // Cuts or extends the file to newLength bytes; the position moves there.
    void SetLength(uint64_t newLength);
    void Close();
    // Closes without raising anything; used on error paths.
    void Abort();
    bool IsOpen() const { return m_hFile != INVALID_HANDLE_VALUE; }
    const std::string& GetFilePath() const { return m_strFileName; }

    static void Remove(const std::string& fileName);
    // True when the path names an existing file or folder; false for a path of
    // MAX_PATH characters or more.
    static BOOL GetStatus(const std::string& fileName, CFileStatus& rStatus);

private:
    HANDLE m_hFile = INVALID_HANDLE_VALUE;
    std::string m_strFileName;
};
