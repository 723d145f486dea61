// Packing a finished package folder: the archiver makes the cabinet, then the
// program appends the package trailer.
#include <windows.h>

#include "framework/file.h"
#include "framework/wait_cursor.h"
#include "model/ambrel_utilities.h"
#include "model/install_layout.h"
#include "model/package_file.h"
#include "system/install_paths.h"
#include "system/run_program.h"

void CAmbrelUtilities::CreatePackage(std::string outputPath, std::string packageFolder)
{
    std::string root = GetInstallRoot();
    std::string workFolder = GetDataFolder(root) + layout::kWorkFolder;
    std::string command = BuildPackingCommand(root, workFolder, outputPath, packageFolder);

    {
        // The user interface waits with the archiver, for at most five minutes.
        CWaitCursor busy;
        RunProgramAndWait(command, kArchiverTimeoutMs);
    }

    // Only a file the archiver made (or an older one it left) gets the
    // trailer: never create one here. The exclusive open fails while an
    // archiver that overran the wait still writes it.
    CFile package;
    if (!package.Open(outputPath, CFile::modeReadWrite | CFile::shareExclusive | CFile::typeBinary)) return;
    try {
        package.SeekToEnd();
        package.Write(kPackageTrailer, static_cast<UINT>(kPackageTrailerSize));
        package.Close();
    } catch (const CFileException&) {
        // A failed append leaves the package as the archiver wrote it.
        package.Abort();
    }
}
