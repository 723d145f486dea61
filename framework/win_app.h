// CWinApp: the one application object. The framework's WinMain finds it, fills
// in the instance and the command line, and calls InitInstance; when that
// returns false the process ends.
#pragma once

#include <windows.h>

#include <string>

#include "framework/types.h"

// The standard Help command of the framework.
#define ID_HELP 0xE146

class CWinApp {
public:
    explicit CWinApp(const char* lpszAppName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance();
    virtual int ExitInstance();
    // Command routing for commands that reach the application object.
    virtual BOOL OnCmdMsg(UINT nID);
    // The framework's default Help handler: the program has no help file, so
    // by default there is nothing to show; a program overrides it.
    virtual void OnHelp();

    HINSTANCE m_hInstance = nullptr;
    // The command line after the program name and the blanks that follow it.
    std::string m_lpCmdLine;
    std::string m_pszAppName;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();

// The part of a full command line after the program token and the blanks that
// follow it, otherwise unchanged.
std::string AfxCommandLineArguments(const char* fullCommandLine);

// The framework's start: sets up the application object and runs it.
int AfxWinMain(HINSTANCE hInstance, int nCmdShow);
