#include "shell/help_page.h"

#include "shell/ambrel_app.h"
#include "shell/ambrel_utilities.h"
#include "shell/document_opener.h"
#include "shell/install_layout.h"
#include "shell/install_paths.h"

void ShowHelpPage(HelpPageCaller caller)
{
    if (caller == HelpPageCaller::DocumentPage) {
        OpenDocument(GetInstallRoot() + layout::kReadme);
        return;
    }
    // These pages make sure the work folders exist, as every engine object
    // does, before the readme opens.
    CAmbrelUtilities utilities;
    CAmbrelApp* app = GetAmbrelApp();
    const char* page = (app && app->m_bPhotoEdition) ? layout::kPhotoReadme : layout::kReadme;
    OpenDocument(GetInstallRoot() + page);
}
