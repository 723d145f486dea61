#include "framework/dialog.h"

#include <cstdint>
#include <cstring>

#include "framework/command_guard.h"
#include "framework/win_app.h"

namespace {
// Resource type of a template's initial control data.
const WORD kDlgInitResourceType = 240;
// Message numbers stored in that data, as dialog editors write them.
const WORD kStoredListBoxAddString = 0x0401;
const WORD kStoredComboBoxAddString = 0x0403;
} // namespace

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

INT_PTR CDialog::DoModal()
{
    HWND parent = m_pParentWnd ? m_pParentWnd->m_hWnd : ::GetActiveWindow();
    return ::DialogBoxParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIDTemplate), parent, DialogProc,
                             reinterpret_cast<LPARAM>(this));
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::OnOK()
{
    UpdateData(TRUE);
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::OnCommand(UINT, UINT) { return FALSE; }

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

void CDialog::EndDialog(int nResult) { ::EndDialog(m_hWnd, nResult); }

void CDialog::ExecuteDlgInit()
{
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hRes = ::FindResourceA(hInst, MAKEINTRESOURCEA(m_nIDTemplate), MAKEINTRESOURCEA(kDlgInitResourceType));
    if (!hRes) return;
    HGLOBAL hData = ::LoadResource(hInst, hRes);
    const unsigned char* p = hData ? static_cast<const unsigned char*>(::LockResource(hData)) : nullptr;
    DWORD size = ::SizeofResource(hInst, hRes);
    if (!p) return;

    // Records of: WORD control, WORD message, DWORD length, length bytes;
    // a control of 0 ends the list.
    DWORD pos = 0;
    while (pos + 2 <= size) {
        WORD control;
        std::memcpy(&control, p + pos, 2);
        if (control == 0) break;
        if (pos + 8 > size) break;
        WORD message;
        DWORD length;
        std::memcpy(&message, p + pos + 2, 2);
        std::memcpy(&length, p + pos + 4, 4);
        pos += 8;
        if (length > size - pos) break;
        std::string text(reinterpret_cast<const char*>(p + pos), length);
        pos += length;
        std::string::size_type zero = text.find('\0');
        if (zero != std::string::npos) text.resize(zero);

        UINT realMessage = 0;
        if (message == kStoredComboBoxAddString)
            realMessage = CB_ADDSTRING;
        else if (message == kStoredListBoxAddString)
            realMessage = LB_ADDSTRING;
        if (realMessage) ::SendDlgItemMessageA(m_hWnd, control, realMessage, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

INT_PTR CDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG: {
        BOOL result = TRUE;
        ExecuteDlgInit();
        AfxRunGuarded([&] { result = OnInitDialog(); });
        return result;
    }
    case WM_COMMAND: {
        UINT id = LOWORD(wParam);
        UINT code = HIWORD(wParam);
        BOOL handled = FALSE;
        AfxRunGuarded([&] {
            if (id == IDOK && code == BN_CLICKED) {
                OnOK();
                handled = TRUE;
            } else if (id == IDCANCEL && code == BN_CLICKED) {
                OnCancel();
                handled = TRUE;
            } else {
                handled = OnCommand(id, code);
            }
        });
        return handled;
    }
    default: return FALSE;
    }
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return Dispatch(msg == WM_INITDIALOG ? reinterpret_cast<CDialog*>(lParam) : nullptr, hDlg, msg, wParam, lParam);
}

INT_PTR CDialog::Dispatch(CDialog* created, HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CDialog* self = created;
    if (self) {
        ::SetWindowLongPtrA(hDlg, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
        self->m_hWnd = hDlg;
    } else {
        self = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(hDlg, DWLP_USER));
    }
    if (!self) return FALSE;
    INT_PTR result = self->HandleMessage(msg, wParam, lParam);
    if (msg == WM_NCDESTROY) self->m_hWnd = nullptr;
    return result;
}
