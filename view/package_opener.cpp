// Opening a package: extract it into the work folder with the archiver and
// hand its start page to the default browser.
#include <windows.h>

#include <cstring>
#include <vector>

#include "framework/file.h"
#include "model/ambrel_utilities.h"
#include "model/package_file.h"
#include "system/install_paths.h"
#include "system/run_program.h"
#include "view/package_head.h"

std::string CAmbrelUtilities::GetPackageStartFolder(std::string packagePath)
{
    CFile file;
    if (!file.Open(packagePath, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary)) return std::string();

    std::string head;
    try {
        uint64_t length = file.GetLength();
        std::size_t headSize =
            length < kPackageHeadBufferSize ? static_cast<std::size_t>(length) : kPackageHeadBufferSize;
        if (headSize == 0) return std::string();
        head.assign(headSize, '\0');
        // All but the last byte, so that the buffer always ends in a zero.
        UINT toRead = static_cast<UINT>(headSize - 1);
        UINT got = 0;
        while (got < toRead) {
            UINT n = file.Read(&head[got], toRead - got);
            if (n == 0) break;
            got += n;
        }

        m_nPackageFormat = 1;
        if (length >= kPackageTrailerSize) {
            char tail[kPackageTrailerSize] = {};
            file.Seek(-static_cast<int64_t>(kPackageTrailerSize), CFile::end);
            UINT tailGot = file.Read(tail, kPackageTrailerSize);
            if (tailGot == kPackageTrailerSize && IsPackageTrailer(tail)) m_nPackageFormat = 2;
        }
        file.Close();
    } catch (const CFileException&) {
        return std::string();
    }
    return FindStartFolderInHead(head, m_nPackageFormat == 2);
}

void CAmbrelUtilities::OpenPackage(std::string packagePath)
{
    // Nothing shorter than the trailer can be a package (a cabinet's own
    // header is longer still): leave the work folder alone and open nothing,
    // rather than show whatever page an earlier package left there.
    CFileStatus status;
    if (CFile::GetStatus(packagePath, status) && !(status.m_attribute & FILE_ATTRIBUTE_DIRECTORY) &&
        status.m_size < kPackageTrailerSize)
        return;

    std::string startFolder = GetPackageStartFolder(packagePath);

    std::string root = GetInstallRoot();
    ::SetCurrentDirectoryA(root.c_str());

    std::string workFolder = GetWorkFolder();
    RunProgramAndWait(BuildExtractionCommand(root, packagePath, workFolder), kArchiverTimeoutMs);

    PROCESS_INFORMATION pi{};
    RunProgram(StartPageOpenCommand(workFolder, startFolder), pi, 1);
    if (pi.hThread) ::CloseHandle(pi.hThread);
    if (pi.hProcess) ::CloseHandle(pi.hProcess);
}
