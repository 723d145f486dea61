// CFileException: a failed file operation, raised by CFile and reported by the
// framework's standard file-error message box when a command lets it escape.
#pragma once

#include <windows.h>

#include <string>

class CFileException {
public:
    enum Cause {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };

    CFileException() = default;
    CFileException(int cause, LONG lOsError, const std::string& fileName)
        : m_cause(cause), m_lOsError(lOsError), m_strFileName(fileName)
    {}

    static int OsErrorToException(LONG lOsError);
    // Raises the exception for a Win32 error code met on fileName.
    [[noreturn]] static void ThrowOsError(LONG lOsError, const std::string& fileName);

    // The text of the standard file-error message box.
    std::string GetErrorMessage() const;
    // Shows the standard file-error message box.
    void ReportError() const;

    int m_cause = none;
    LONG m_lOsError = 0;
    std::string m_strFileName;
};
