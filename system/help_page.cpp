#include "system/help_page.h"

#include "system/install_paths.h"
#include "system/open_document.h"

void ShowHelpPage(const char* readme) { OpenDocument(GetInstallRoot() + readme); }
