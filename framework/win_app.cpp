#include "framework/win_app.h"

#include <commctrl.h>

#include "framework/ansi_text.h"
#include "framework/command_guard.h"
#include "framework/message_box.h"

namespace {
CWinApp* g_pApp = nullptr;

// The program's own name when it sets none: string 0xE000 of its resources,
// else the file name of the module without its extension.
std::string DefaultAppName(HINSTANCE hInstance)
{
    char text[256] = {};
    if (::LoadStringA(hInstance, 0xE000, text, sizeof(text)) > 0) return text;
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(hInstance, path, MAX_PATH);
    std::string name = AfterLastBackslash(path);
    std::string::size_type dot = name.find_last_of('.');
    if (dot != std::string::npos) name = name.substr(0, dot);
    return name;
}
} // namespace

CWinApp::CWinApp(const char* lpszAppName)
{
    if (lpszAppName) m_pszAppName = lpszAppName;
    g_pApp = this;
    // Set early so that objects made before WinMain runs (and tests, which
    // have no WinMain of ours) still find their resources.
    m_hInstance = ::GetModuleHandleA(nullptr);
    if (m_pszAppName.empty()) m_pszAppName = DefaultAppName(m_hInstance);
    m_lpCmdLine = AfxCommandLineArguments(::GetCommandLineA());
}

CWinApp::~CWinApp()
{
    if (g_pApp == this) g_pApp = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return 0; }

BOOL CWinApp::OnCmdMsg(UINT nID)
{
    if (nID == ID_HELP) {
        OnHelp();
        return TRUE;
    }
    return FALSE;
}

void CWinApp::OnHelp() {}

CWinApp* AfxGetApp() { return g_pApp; }

HINSTANCE AfxGetInstanceHandle() { return g_pApp ? g_pApp->m_hInstance : ::GetModuleHandleA(nullptr); }

HINSTANCE AfxGetResourceHandle() { return AfxGetInstanceHandle(); }

std::string AfxCommandLineArguments(const char* fullCommandLine)
{
    if (!fullCommandLine) return std::string();
    const char* p = fullCommandLine;
    if (*p == '"') {
        ++p;
        while (*p && *p != '"') ++p;
        if (*p == '"') ++p;
    } else {
        while (*p && *p != ' ' && *p != '\t') ++p;
    }
    while (*p == ' ' || *p == '\t') ++p;
    return p;
}

void AfxReportOutOfMemory() { AfxMessageBox("Out of memory.", MB_OK | MB_ICONSTOP); }

int AfxMessageBox(const std::string& text, UINT nType)
{
    CWinApp* app = AfxGetApp();
    std::string caption = app ? app->m_pszAppName : std::string();
    HWND owner = ::GetActiveWindow();
    return ::MessageBoxA(owner, text.c_str(), caption.c_str(), nType);
}

int AfxWinMain(HINSTANCE hInstance, int /*nCmdShow*/)
{
    CWinApp* app = AfxGetApp();
    if (!app) return -1;
    app->m_hInstance = hInstance;

    INITCOMMONCONTROLSEX icc{};
    icc.dwSize = sizeof(icc);
    icc.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES;
    ::InitCommonControlsEx(&icc);

    int exitCode = 0;
    bool ran = false;
    AfxRunGuarded([&] {
        // A program's whole life runs inside InitInstance (its modal windows
        // are the message loop), so there is no Run step after it.
        app->InitInstance();
        exitCode = app->ExitInstance();
        ran = true;
    });
    return ran ? exitCode : 1;
}
