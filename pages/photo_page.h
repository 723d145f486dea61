// CPropertyPage3: the page that builds a photo album from a list of pictures.
// It never asks for the thumbnails from its engine's initial value: its own
// "Include thumbnails" box, ticked at every restore, decides.
#pragma once

#include "pages/creation_page.h"

class CPropertyPage3 : public CCreationPage {
public:
    CPropertyPage3();

    void OnAddPhotos();
    void OnIncludeThumbnails();
    // The readme its "?" opens, relative to the install root: the edition's.
    void SetHelpPage(const char* readme) { m_pszHelpPage = readme; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnPageCommand(UINT nID) override;

private:
    const char* m_pszHelpPage;
};
