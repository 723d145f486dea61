// The page that shows one picture of a package with its caption.
#include "model/ambrel_utilities.h"
#include "model/install_layout.h"

void CAmbrelUtilities::MakePhotoPage(std::string root, std::string packageFolder, std::string pageName,
                                     std::string sourceFileName, std::string title, BOOL fitImages)
{
    // From the installation's template, not from the package's copy of it.
    std::string page = packageFolder + "\\resources\\" + pageName;
    CopyOneFile(root + layout::kPhotoTemplate, page);
    ReplaceInFile(page, "##jpeg##", sourceFileName);
    ReplaceInFile(page, "##caption##", title);
    // The template fits the picture to the window by this attribute; without
    // it the picture shows at its own size.
    if (!fitImages) ReplaceInFile(page, "height=\"84%\"", "");
}
