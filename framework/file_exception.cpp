#include "framework/file_exception.h"

#include "framework/message_box.h"

int CFileException::OsErrorToException(LONG lOsError)
{
    switch (lOsError) {
    case NO_ERROR: return none;
    case ERROR_FILE_NOT_FOUND: return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH: return badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_NETWORK_ACCESS_DENIED: return accessDenied;
    case ERROR_INVALID_HANDLE: return invalidFile;
    case ERROR_CURRENT_DIRECTORY: return removeCurrentDir;
    case ERROR_CANNOT_MAKE: return directoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK: return badSeek;
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE: return hardIO;
    case ERROR_SHARING_VIOLATION: return sharingViolation;
    case ERROR_LOCK_VIOLATION: return lockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return diskFull;
    case ERROR_HANDLE_EOF: return endOfFile;
    default: return genericException;
    }
}

void CFileException::ThrowOsError(LONG lOsError, const std::string& fileName)
{
    throw CFileException(OsErrorToException(lOsError), lOsError, fileName);
}

std::string CFileException::GetErrorMessage() const
{
    const std::string name = m_strFileName.empty() ? std::string("an unnamed file") : m_strFileName;
    switch (m_cause) {
    case fileNotFound: return name + " was not found.";
    case badPath: return name + " contains an invalid path.";
    case tooManyOpenFiles: return name + " could not be opened because there are too many open files.";
    case accessDenied: return "Access to " + name + " was denied.";
    case invalidFile: return "An incorrect file handle was associated with " + name + ".";
    case removeCurrentDir: return name + " could not be removed because it is the current directory.";
    case directoryFull: return name + " could not be created because the directory is full.";
    case badSeek: return "Seek failed on " + name + ".";
    case hardIO: return "A hardware I/O error was reported while accessing " + name + ".";
    case sharingViolation: return "A sharing violation occurred while accessing " + name + ".";
    case lockViolation: return "A locking violation occurred while accessing " + name + ".";
    case diskFull: return "Disk full while accessing " + name + ".";
    case endOfFile: return "An attempt was made to access " + name + " past its end.";
    default: return "An unexpected error occurred while accessing " + name + ".";
    }
}

void CFileException::ReportError() const { AfxMessageBox(GetErrorMessage(), MB_OK | MB_ICONEXCLAMATION); }
