// CPropertySheet: the modal property sheet. Its window is subclassed as it is
// created, so that derived classes see its creation (OnCreate) and its dialog
// initialisation (OnInitDialog) before the sheet's own handling.
#pragma once

#include <windows.h>
#include <prsht.h>

#include <string>
#include <vector>

#include "framework/property_page.h"
#include "framework/wnd.h"

// The Apply Now button of a property sheet.
constexpr int ID_APPLY_NOW = 0x3021;

class CPropertySheet : public CWnd {
public:
    CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    ~CPropertySheet() override;
    CPropertySheet(const CPropertySheet&) = delete;
    CPropertySheet& operator=(const CPropertySheet&) = delete;

    void AddPage(CPropertyPage* pPage);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* GetPage(int nPage) const { return m_pages.at(static_cast<size_t>(nPage)); }
    // Sets the sheet's title; nStyle PSH_PROPTITLE would add "Properties for".
    void SetTitle(const std::string& title, UINT nStyle = 0);
    // The icon resource of the sheet's caption and task bar button.
    void SetIcon(UINT nIDIcon) { m_nIDIcon = nIDIcon; }
    const std::string& GetTitle() const { return m_strCaption; }

    virtual INT_PTR DoModal();

protected:
    // The sheet's own dialog initialisation; overrides call it last.
    virtual BOOL OnInitDialog();
    // Window creation; the default processing returns 0, or -1 on failure.
    virtual int OnCreate(LPCREATESTRUCTA lpCreateStruct);
    // Passes the message being handled to the sheet's own window procedure.
    LRESULT Default();
    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK SubclassProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK CreationHook(int nCode, WPARAM wParam, LPARAM lParam);

    std::vector<CPropertyPage*> m_pages;
    std::string m_strCaption;
    UINT m_nPropTitleStyle = 0;
    UINT m_nIDIcon = 0;
    UINT m_nStartPage;
    CWnd* m_pParentWnd;
    WNDPROC m_pfnSuper = nullptr;
    struct Message {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
    } m_current{};
};
