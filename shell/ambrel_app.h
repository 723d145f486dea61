// CAmbrelApp: the application object. Start-up decides the edition, shows the
// splash program, registers the package file type and then either opens the
// package named on the command line or shows the property sheet. It always
// returns false, so the process ends when start-up does.
#pragma once

#include <cstdint>
#include <string>

#include "framework/win_app.h"

// The switch that selects the photo-album edition.
constexpr char kPhotoEditionSwitch[] = "-Snapvale";
// The sheet's title in the photo-album edition.
constexpr char kPhotoEditionTitle[] = "Snapvale - an Ambrel product from Corvane";
// The viewing page's tab title in the photo-album edition.
constexpr char kPhotoEditionViewCaption[] = "View a Photo Album";

class CAmbrelApp : public CWinApp {
public:
    CAmbrelApp();
    ~CAmbrelApp() override;

    BOOL InitInstance() override;
    // There is no help file: the standard Help command points to the pages'
    // "?" buttons, which open the readme pages.
    void OnHelp() override;

    // 1 in the photo-album edition, 0 in the document edition.
    BOOL m_bPhotoEdition = 0;
};

// The running application object, or null.
CAmbrelApp* GetAmbrelApp();

// The splash program to start, relative to the install root: the edition's
// own when it exists, else the other one, else the edition's own anyway.
const char* ChooseSplashProgram(bool photoEdition, bool documentSplashExists, bool photoSplashExists);
