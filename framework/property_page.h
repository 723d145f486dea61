// CPropertyPage: one page of a property sheet, built from a dialog template.
// The framework takes the page values when the user leaves the page and shows
// them again when the user comes back.
#pragma once

#include <windows.h>
#include <prsht.h>

#include <string>

#include "framework/dialog.h"

class CPropertyPage : public CDialog {
public:
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    ~CPropertyPage() override = default;

    // Replaces the tab title that the template's caption would give.
    void SetCaption(const std::string& caption);

    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();

    // The page description handed to the property sheet.
    PROPSHEETPAGEA BuildPageDescription();

protected:
    INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    static INT_PTR CALLBACK PageProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);

    std::string m_strCaption;
    BOOL m_bFirstSetActive = TRUE;
};
