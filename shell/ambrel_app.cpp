#include "shell/ambrel_app.h"

#include <windows.h>
#include <objbase.h>

#include "framework/file.h"
#include "framework/message_box.h"
#include "model/ambrel_utilities.h"
#include "model/install_layout.h"
#include "pages/document_page.h"
#include "pages/photo_page.h"
#include "resources/resource.h"
#include "shell/ambd_property_sheet.h"
#include "shell/file_type_registration.h"
#include "system/install_paths.h"
#include "system/run_program.h"
#include "view/view_page.h"

CAmbrelApp::CAmbrelApp() = default;

CAmbrelApp::~CAmbrelApp() = default;

CAmbrelApp* GetAmbrelApp() { return dynamic_cast<CAmbrelApp*>(AfxGetApp()); }

const char* ChooseSplashProgram(bool photoEdition, bool documentSplashExists, bool photoSplashExists)
{
    if (photoEdition)
        return photoSplashExists || !documentSplashExists ? layout::kPhotoSplash : layout::kDocumentSplash;
    return documentSplashExists || !photoSplashExists ? layout::kDocumentSplash : layout::kPhotoSplash;
}

void CAmbrelApp::OnHelp()
{
    AfxMessageBox("Use the \"?\" button of a page to read how " + m_pszAppName + " works.", MB_OK | MB_ICONINFORMATION);
}

BOOL CAmbrelApp::InitInstance()
{
    // 1. COM for this thread (the shell folder lookups use it).
    ::CoInitialize(nullptr);

    // 2. The edition. The switch counts anywhere in the text, in this exact
    //    case; a command line that holds it opens no package.
    std::string commandLine = m_lpCmdLine;
    m_bPhotoEdition = 0;
    if (!commandLine.empty() && commandLine.find(kPhotoEditionSwitch) != std::string::npos) {
        commandLine.clear();
        m_bPhotoEdition = 1;
    }

    // 3. The install root.
    std::string root = GetInstallRoot();

    // 4, 5. The splash program: both candidates are looked at, and the chosen
    //    one is started even when neither exists.
    CFileStatus status;
    bool documentSplash = CFile::GetStatus(root + layout::kDocumentSplash, status) != FALSE;
    bool photoSplash = CFile::GetStatus(root + layout::kPhotoSplash, status) != FALSE;
    PROCESS_INFORMATION splash{};
    RunProgram(root + ChooseSplashProgram(m_bPhotoEdition != 0, documentSplash, photoSplash), splash, 0);
    if (splash.hThread) ::CloseHandle(splash.hThread);
    if (splash.hProcess) ::CloseHandle(splash.hProcess);

    // 6. Let the splash show before anything else of ours appears.
    ::Sleep(500);

    // 7. (Our dialogs host only standard controls: there is no control
    //    container to enable.)

    // 8, 9. The package file type, and the shell's notice of it.
    RegisterPackageFileType(root);
    NotifyAssociationsChanged();

    // 10. The sheet and its pages; the creation pages' engine objects prepare
    //     the work folders even when the sheet is never shown.
    CAMBDPropertySheet sheet(IDS_SHEET_CAPTION, nullptr, 0);
    CPropertyPage1 documentPage;
    CPropertyPage2 viewPage;
    CPropertyPage3 photoPage;

    // 11. The pages of the edition; the viewing page comes first.
    if (m_bPhotoEdition) {
        sheet.SetTitle(kPhotoEditionTitle);
        viewPage.SetCaption(kPhotoEditionViewCaption);
        viewPage.SetHelpPage(layout::kPhotoReadme);
        photoPage.SetHelpPage(layout::kPhotoReadme);
        sheet.AddPage(&viewPage);
        sheet.AddPage(&photoPage);
    } else {
        sheet.AddPage(&viewPage);
        sheet.AddPage(&documentPage);
        sheet.AddPage(&photoPage);
    }

    // 12. A package path opens the package instead of the sheet.
    if (!commandLine.empty()) {
        CAmbrelUtilities utilities;
        utilities.OpenPackage(commandLine);
    } else {
        sheet.DoModal();
    }

    // 13. The pages and the sheet go in reverse order of construction.
    return FALSE;
}
