#include "framework/property_page.h"

#include "framework/command_guard.h"
#include "framework/win_app.h"

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) : CDialog(nIDTemplate)
{
    if (nIDCaption != 0) {
        char text[256] = {};
        if (::LoadStringA(AfxGetResourceHandle(), nIDCaption, text, sizeof(text)) > 0) m_strCaption = text;
    }
}

void CPropertyPage::SetCaption(const std::string& caption) { m_strCaption = caption; }

PROPSHEETPAGEA CPropertyPage::BuildPageDescription()
{
    PROPSHEETPAGEA psp{};
    psp.dwSize = sizeof(psp);
    psp.dwFlags = PSP_DEFAULT;
    psp.hInstance = AfxGetResourceHandle();
    psp.pszTemplate = MAKEINTRESOURCEA(m_nIDTemplate);
    psp.pfnDlgProc = PageProc;
    psp.lParam = reinterpret_cast<LPARAM>(this);
    if (!m_strCaption.empty()) {
        psp.dwFlags |= PSP_USETITLE;
        psp.pszTitle = m_strCaption.c_str();
    }
    return psp;
}

BOOL CPropertyPage::OnSetActive()
{
    if (m_bFirstSetActive)
        m_bFirstSetActive = FALSE;
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }

INT_PTR CPropertyPage::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NOTIFY) {
        const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lParam);
        LONG_PTR result = 0;
        bool handled = true;
        switch (hdr->code) {
        case PSN_SETACTIVE: {
            BOOL ok = TRUE;
            AfxRunGuarded([&] { ok = OnSetActive(); });
            result = ok ? 0 : -1;
            break;
        }
        case PSN_KILLACTIVE: {
            BOOL ok = TRUE;
            AfxRunGuarded([&] { ok = OnKillActive(); });
            result = ok ? FALSE : TRUE;
            break;
        }
        case PSN_APPLY: result = PSNRET_NOERROR; break;
        default: handled = false; break;
        }
        if (handled) {
            ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
            return TRUE;
        }
        return FALSE;
    }
    return CDialog::HandleMessage(msg, wParam, lParam);
}

INT_PTR CALLBACK CPropertyPage::PageProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    // A page is created from its page description, which carries the object.
    CDialog* created = nullptr;
    if (msg == WM_INITDIALOG)
        created = reinterpret_cast<CPropertyPage*>(reinterpret_cast<const PROPSHEETPAGEA*>(lParam)->lParam);
    return Dispatch(created, hDlg, msg, wParam, lParam);
}
