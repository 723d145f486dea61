// Copying one file into a package.
#include "generate/file_copy.h"

#include <windows.h>

#include <algorithm>
#include <memory>

#include "framework/ansi_text.h"
#include "framework/file.h"
#include "generate/page_file.h"
#include "model/ambrel_utilities.h"

namespace {
// A failed copy that the system would not let go of.
struct CCopyLeftBehind : CFileException {
    explicit CCopyLeftBehind(const CFileException& e) : CFileException(e) {}
};

void RemoveFailedCopy(CFile& out, const std::string& destination)
{
    out.Abort();
    try {
        CFile::Remove(destination);
    } catch (const CFileException& e) {
        throw CCopyLeftBehind(e);
    }
}
} // namespace

void CopyFileInPieces(const std::string& source, const std::string& destination,
                      const std::function<void(uint64_t)>& copied)
{
    // The user's file is only ever read, and others may keep using it.
    CFile in;
    CFileException error;
    if (!in.Open(source, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary, &error)) throw error;

    // A new file: its time is the copy's, its attributes are its own. Only
    // the copy's own folder is made, when it is missing; a missing folder
    // above it makes the copy fail.
    CFile out;
    const UINT create = CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive | CFile::typeBinary;
    if (!out.Open(destination, create, &error)) {
        if (error.m_lOsError != ERROR_PATH_NOT_FOUND ||
            !::CreateDirectoryA(BeforeLastBackslash(destination).c_str(), nullptr) ||
            !out.Open(destination, create, &error))
            throw error;
    }
    try {
        const uint64_t size = in.GetLength();
        const size_t pieceSize = static_cast<size_t>(std::max<uint64_t>(1, std::min<uint64_t>(size, kFilePieceSize)));
        std::unique_ptr<char[]> buffer(new char[pieceSize]);
        for (UINT got; (got = in.Read(buffer.get(), static_cast<UINT>(pieceSize))) != 0;) {
            out.Write(buffer.get(), got);
            if (copied) copied(got);
        }
        out.Close();
    } catch (...) {
        RemoveFailedCopy(out, destination);
        throw;
    }
}

void ReadFileInPieces(const std::string& source, std::string& text, const std::function<void(uint64_t)>& read)
{
    CFile in;
    CFileException error;
    if (!in.Open(source, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary, &error)) throw error;
    text.clear();
    text.reserve(static_cast<size_t>(in.GetLength()));
    std::unique_ptr<char[]> buffer(new char[kFilePieceSize]);
    for (UINT got; (got = in.Read(buffer.get(), kFilePieceSize)) != 0;) {
        text.append(buffer.get(), got);
        if (read) read(got);
    }
}

BOOL CAmbrelUtilities::CopyOneFile(std::string source, std::string destination)
{
    try {
        CopyFileInPieces(source, destination);
        return TRUE;
    } catch (const CCopyLeftBehind&) {
        // A partly written copy the system refuses to delete ends the command.
        throw;
    } catch (const CFileException&) {
        return FALSE;
    }
}
