// Packing a finished package folder: the archiver makes the cabinet, then the
// program appends the package trailer.
#include <windows.h>

#include "framework/file.h"
#include "framework/long_work.h"
#include "generate/package_pack.h"
#include "model/ambrel_utilities.h"
#include "model/install_layout.h"
#include "model/package_file.h"
#include "system/archiver_run.h"
#include "system/install_paths.h"

void PackPackage(const std::string& outputPath, const std::string& packageFolder, CWorkProgress& progress)
{
    const std::string root = GetInstallRoot();
    const std::string workFolder = GetDataFolder(root) + layout::kWorkFolder;
    const ArchiverOutcome outcome =
        RunArchiver(BuildPackingCommand(root, workFolder, outputPath, packageFolder), progress);
    // A failed archiver leaves whatever had the package's name as it was: it
    // gets no trailer.
    ThrowIfArchiverFailed(outcome, root + layout::kArchiver, outputPath, "was not made");

    // The exclusive open fails while anything else still writes the file.
    CFile package;
    CFileException error;
    if (!package.Open(outputPath, CFile::modeReadWrite | CFile::shareExclusive | CFile::typeBinary, &error))
        throw error;
    try {
        package.SeekToEnd();
        package.Write(kPackageTrailer, static_cast<UINT>(kPackageTrailerSize));
        package.Close();
    } catch (const CFileException&) {
        // Without its trailer the file is no package: it does not stay.
        package.Abort();
        ::DeleteFileA(outputPath.c_str());
        throw;
    }
}

void CAmbrelUtilities::CreatePackage(std::string outputPath, std::string packageFolder)
{
    CWorkProgress progress;
    PackPackage(outputPath, packageFolder, progress);
}
