// CPropertyPage2: the viewing page. It opens a package chosen in the Open
// dialog; the package is shown in the default browser, not in the program.
#pragma once

#include "framework/property_page.h"

class CPropertyPage2 : public CPropertyPage {
public:
    CPropertyPage2();
    ~CPropertyPage2() override;

    void OnSelectDocument();
    // The readme its "?" opens, relative to the install root: the edition's.
    void SetHelpPage(const char* readme) { m_pszHelpPage = readme; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(UINT nID, UINT nCode) override;

private:
    const char* m_pszHelpPage;
};
