// Whole-file edits of the pages of a package.
#include <windows.h>

#include <algorithm>

#include "framework/file.h"
#include "generate/page_file.h"
#include "generate/page_text.h"
#include "model/ambrel_utilities.h"
#include "model/replace_all.h"

bool ReadWholeFile(const std::string& path, std::string& text)
{
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary)) return false;
    try {
        uint64_t length = file.GetLength();
        if (length > text.max_size()) return false;
        std::string content(static_cast<size_t>(length), '\0');
        size_t got = 0;
        while (got < content.size()) {
            UINT want = static_cast<UINT>(std::min<size_t>(kFilePieceSize, content.size() - got));
            UINT n = file.Read(&content[got], want);
            if (n == 0) break; // the file got shorter while it was read
            got += n;
        }
        content.resize(got);
        text.swap(content);
        file.Close();
        return true;
    } catch (const CFileException&) {
        file.Abort();
        return false;
    }
}

void WriteWholeFileOrThrow(const std::string& path, const std::string& text)
{
    // The page is written over and then cut to its new length, rather than
    // emptied when it is opened: file systems that see a file emptied and
    // written again (ext4 among them) flush it to the disk at once, and a
    // generation rewrites its pages several times each.
    CFile file;
    CFileException error;
    if (!file.Open(path,
                   CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite | CFile::shareExclusive |
                       CFile::typeBinary,
                   &error))
        throw error;
    try {
        for (size_t done = 0; done < text.size();) {
            UINT n = static_cast<UINT>(std::min<size_t>(kFilePieceSize, text.size() - done));
            file.Write(text.data() + done, n);
            done += n;
        }
        file.SetLength(text.size());
        file.Close();
    } catch (const CFileException&) {
        // The file then holds what was written.
        try {
            file.SetLength(file.Seek(0, CFile::current));
        } catch (const CFileException&) {}
        file.Abort();
        throw;
    }
}

bool WriteWholeFile(const std::string& path, const std::string& text)
{
    try {
        WriteWholeFileOrThrow(path, text);
        return true;
    } catch (const CFileException&) {
        return false;
    }
}

void CAmbrelUtilities::ReplaceInFile(std::string path, std::string find, std::string replacement)
{
    std::string text;
    if (!ReadWholeFile(path, text)) return;
    ReplaceAll(text, find, replacement);
    // Rewritten even when nothing was found, as every edit of a page is.
    WriteWholeFile(path, text);
}

void CAmbrelUtilities::InsertAfterHead(std::string path, std::string text)
{
    std::string page;
    if (!ReadWholeFile(path, page)) return;
    if (!InsertAfterHeadTag(page, text)) return;
    WriteWholeFile(path, page);
}
