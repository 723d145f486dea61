// The process entry of a framework program: everything goes through the one
// application object.
#include <windows.h>

#include "framework/win_app.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int nCmdShow) { return AfxWinMain(hInstance, nCmdShow); }
