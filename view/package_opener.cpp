// Opening a package: extract it into the work folder with the archiver and
// hand its start page to the default browser.
#include <windows.h>

#include <cstring>
#include <vector>

#include "framework/command_guard.h"
#include "framework/file.h"
#include "framework/long_work.h"
#include "model/ambrel_utilities.h"
#include "model/package_file.h"
#include "model/install_layout.h"
#include "system/archiver_run.h"
#include "system/install_paths.h"
#include "system/progress_window.h"
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

namespace {

// Extracts the package into the work folder and shows its start page, on the
// long work's thread. Nothing is shown unless this package's own start page
// came out of it.
void ExtractAndShow(const std::string& packagePath, const std::string& startFolder, CWorkProgress& progress)
{
    progress.SetStep("Opening");
    const std::string root = GetInstallRoot();
    const std::string workFolder = GetWorkFolder();
    // A start page an earlier package left in the same place goes first, so
    // that only this package's own can be shown.
    const std::string startPage = workFolder + startFolder + "\\index.html";
    ::DeleteFileA(startPage.c_str());

    const ArchiverOutcome outcome = RunArchiver(BuildExtractionCommand(root, packagePath, workFolder), progress);
    ThrowIfArchiverFailed(outcome, root + layout::kArchiver, packagePath, "could not be opened");
    if (::GetFileAttributesA(startPage.c_str()) == INVALID_FILE_ATTRIBUTES)
        throw CCommandFailure("The package " + packagePath + " holds no slideshow to show.");

    PROCESS_INFORMATION pi{};
    RunProgram(StartPageOpenCommand(workFolder, startFolder), pi, 1);
    if (pi.hThread) ::CloseHandle(pi.hThread);
    if (pi.hProcess) ::CloseHandle(pi.hProcess);
}

} // namespace

void CAmbrelUtilities::OpenPackage(std::string packagePath)
{
    try {
        // A package that cannot be read, or is too short to be one, is told
        // as such; the work folder is left alone.
        CFile file;
        CFileException error;
        if (!file.Open(packagePath, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary, &error)) throw error;
        if (file.GetLength() < kPackageTrailerSize) throw CCommandFailure(packagePath + " is not an Ambrel package.");
        file.Close();

        const std::string startFolder = GetPackageStartFolder(packagePath);
        ::SetCurrentDirectoryA(GetInstallRoot().c_str());
        RunWithProgressWindow([&](CWorkProgress& progress) { ExtractAndShow(packagePath, startFolder, progress); });
    } catch (const CFileException& e) {
        e.ReportError();
    } catch (const CCommandFailure& e) {
        e.ReportError();
    }
}
