// CPropertyPage1: the page that builds a document package from a list of
// documents, web pages, pictures and live addresses.
#pragma once

#include "pages/creation_page.h"

class CPropertyPage1 : public CCreationPage {
public:
    CPropertyPage1();

    void OnAddFiles();
    void OnAddURL();

protected:
    BOOL OnPageCommand(UINT nID) override;
};
