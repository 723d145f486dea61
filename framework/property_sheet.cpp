#include "framework/property_sheet.h"

#include "framework/command_guard.h"
#include "framework/win_app.h"

namespace {
// The sheet whose window is being created on this thread, and the hook that
// catches its creation.
thread_local CPropertySheet* t_pSheetInCreation = nullptr;
thread_local HHOOK t_hCreationHook = nullptr;
const char kSheetProperty[] = "Framework.CPropertySheet";
} // namespace

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : m_nStartPage(iSelectPage), m_pParentWnd(pParentWnd)
{
    char text[256] = {};
    if (::LoadStringA(AfxGetResourceHandle(), nIDCaption, text, sizeof(text)) > 0) m_strCaption = text;
}

CPropertySheet::~CPropertySheet() = default;

void CPropertySheet::AddPage(CPropertyPage* pPage) { m_pages.push_back(pPage); }

void CPropertySheet::SetTitle(const std::string& title, UINT nStyle)
{
    m_strCaption = title;
    m_nPropTitleStyle = nStyle & PSH_PROPTITLE;
    if (m_hWnd)
        ::SendMessageA(m_hWnd, PSM_SETTITLEA, m_nPropTitleStyle, reinterpret_cast<LPARAM>(m_strCaption.c_str()));
}

INT_PTR CPropertySheet::DoModal()
{
    std::vector<PROPSHEETPAGEA> pages;
    pages.reserve(m_pages.size());
    for (CPropertyPage* page : m_pages) pages.push_back(page->BuildPageDescription());

    PROPSHEETHEADERA psh{};
    psh.dwSize = sizeof(psh);
    psh.dwFlags = PSH_PROPSHEETPAGE | m_nPropTitleStyle;
    psh.hwndParent = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    psh.hInstance = AfxGetResourceHandle();
    HICON icon = m_nIDIcon ? ::LoadIconA(psh.hInstance, MAKEINTRESOURCEA(m_nIDIcon)) : nullptr;
    if (icon) {
        psh.dwFlags |= PSH_USEHICON;
        psh.hIcon = icon;
    }
    psh.pszCaption = m_strCaption.c_str();
    psh.nPages = static_cast<UINT>(pages.size());
    psh.nStartPage = m_nStartPage;
    psh.ppsp = pages.data();

    t_pSheetInCreation = this;
    t_hCreationHook = ::SetWindowsHookExA(WH_CBT, CreationHook, nullptr, ::GetCurrentThreadId());
    INT_PTR result = ::PropertySheetA(&psh);
    if (t_hCreationHook) {
        ::UnhookWindowsHookEx(t_hCreationHook);
        t_hCreationHook = nullptr;
    }
    t_pSheetInCreation = nullptr;
    return result;
}

BOOL CPropertySheet::OnInitDialog()
{
    BOOL result = static_cast<BOOL>(Default());
    // A sheet that is the program's main window stands in the middle of the
    // screen's work area (or of its owner), not in the corner.
    RECT sheet;
    ::GetWindowRect(m_hWnd, &sheet);
    RECT area;
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    if (owner && ::IsWindowVisible(owner))
        ::GetWindowRect(owner, &area);
    else
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    int width = sheet.right - sheet.left;
    int height = sheet.bottom - sheet.top;
    int x = area.left + ((area.right - area.left) - width) / 2;
    int y = area.top + ((area.bottom - area.top) - height) / 2;
    if (x < area.left) x = area.left;
    if (y < area.top) y = area.top;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return result;
}

int CPropertySheet::OnCreate(LPCREATESTRUCTA) { return static_cast<int>(Default()); }

LRESULT CPropertySheet::Default()
{
    return ::CallWindowProcA(m_pfnSuper, m_hWnd, m_current.msg, m_current.wParam, m_current.lParam);
}

LRESULT CPropertySheet::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE: return OnCreate(reinterpret_cast<LPCREATESTRUCTA>(lParam));
    case WM_INITDIALOG: return OnInitDialog();
    case WM_COMMAND:
        if (LOWORD(wParam) == ID_HELP && AfxGetApp()) {
            AfxGetApp()->OnCmdMsg(ID_HELP);
            return 0;
        }
        return Default();
    default: return Default();
    }
}

LRESULT CALLBACK CPropertySheet::SubclassProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CPropertySheet* self = static_cast<CPropertySheet*>(::GetPropA(hWnd, kSheetProperty));
    if (!self) return ::DefWindowProcA(hWnd, msg, wParam, lParam);

    Message saved = self->m_current;
    self->m_current = {msg, wParam, lParam};
    LRESULT result = 0;
    bool ran = false;
    AfxRunGuarded([&] {
        result = self->WindowProc(msg, wParam, lParam);
        ran = true;
    });
    if (!ran) result = ::CallWindowProcA(self->m_pfnSuper, hWnd, msg, wParam, lParam);
    self->m_current = saved;

    if (msg == WM_NCDESTROY) {
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(self->m_pfnSuper));
        ::RemovePropA(hWnd, kSheetProperty);
        self->m_hWnd = nullptr;
    }
    return result;
}

LRESULT CALLBACK CPropertySheet::CreationHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_CREATEWND && t_pSheetInCreation) {
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        const CBT_CREATEWNDA* create = reinterpret_cast<const CBT_CREATEWNDA*>(lParam);
        // The sheet is the first top-level window created during DoModal;
        // the pages and their controls are children.
        if (create && create->lpcs && !(create->lpcs->style & WS_CHILD)) {
            CPropertySheet* sheet = t_pSheetInCreation;
            t_pSheetInCreation = nullptr;
            sheet->m_hWnd = hWnd;
            ::SetPropA(hWnd, kSheetProperty, sheet);
            sheet->m_pfnSuper = reinterpret_cast<WNDPROC>(
                ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
            HHOOK hook = t_hCreationHook;
            t_hCreationHook = nullptr;
            LRESULT r = ::CallNextHookEx(hook, nCode, wParam, lParam);
            ::UnhookWindowsHookEx(hook);
            return r;
        }
    }
    return ::CallNextHookEx(t_hCreationHook, nCode, wParam, lParam);
}
