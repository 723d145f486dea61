// Copying one file into a package.
#include <windows.h>

#include <algorithm>
#include <memory>
#include <new>

#include "framework/ansi_text.h"
#include "framework/file.h"
#include "generate/page_file.h"
#include "model/ambrel_utilities.h"

BOOL CAmbrelUtilities::CopyOneFile(std::string source, std::string destination)
{
    // The user's file is only ever read, and others may keep using it.
    CFile in;
    if (!in.Open(source, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary)) return FALSE;

    // Only the copy's own folder is made; a missing folder above it makes the
    // copy fail below.
    ::CreateDirectoryA(BeforeLastBackslash(destination).c_str(), nullptr);

    // A new file: its time is the copy's, its attributes are its own.
    CFile out;
    if (!out.Open(destination, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive | CFile::typeBinary))
        return FALSE;

    uint64_t size = 0;
    try {
        size = in.GetLength();
    } catch (const CFileException&) {
        return FALSE;
    }
    const size_t pieceSize = static_cast<size_t>(std::max<uint64_t>(1, std::min<uint64_t>(size, kFilePieceSize)));
    std::unique_ptr<char[]> buffer(new (std::nothrow) char[pieceSize]);
    if (!buffer) return FALSE;

    for (;;) {
        UINT got = 0;
        try {
            got = in.Read(buffer.get(), static_cast<UINT>(pieceSize));
        } catch (const CFileException&) {
            // A source that cannot be read leaves its copy empty, as it was
            // when it was opened.
            try {
                out.SetLength(0);
            } catch (const CFileException&) {}
            return FALSE;
        }
        if (got == 0) break;
        try {
            out.Write(buffer.get(), got);
        } catch (const CFileException&) {
            // No partial copy stays behind. If the system refuses to delete
            // it, that file error ends the command.
            out.Abort();
            CFile::Remove(destination);
            return FALSE;
        }
    }
    try {
        out.Close();
    } catch (const CFileException&) {
        CFile::Remove(destination);
        return FALSE;
    }
    return TRUE;
}
