// The splash program: shows the edition's picture in a captionless window
// with a thin border, centred and above other windows, until a mouse click
// or three seconds have passed, then ends. The main program starts it and
// forgets it; nothing passes between the two.
//
// The same source builds glowcard.exe (photo-album edition) and splash.exe
// (document edition); only the linked picture and icon differ.
#include <windows.h>

#include "splash/splash_palette.h"
#include "splash/splash_resource.h"

namespace {

const char kClassName[] = "Splash";
const UINT SPLASH_TIMEOUT_MS = 3000;
const UINT_PTR kCloseTimer = 0;
// Kept above all non-topmost windows, so the sheet that comes up beneath it
// does not hide it.
const bool g_bTopmost = true;

// Where the picture is loaded from on every paint.
HINSTANCE g_hInstance = nullptr;

// Draws the bitmap resource stretched over the whole client area. The
// border takes a pixel on every side, so the picture is scaled down by two
// pixels each way.
void PaintSplash(HWND hWnd, UINT resourceId)
{
    RECT client;
    ::GetClientRect(hWnd, &client);

    HBITMAP bitmap = static_cast<HBITMAP>(
        ::LoadImageA(g_hInstance, MAKEINTRESOURCEA(resourceId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap) return;
    BITMAP info{};
    ::GetObjectA(bitmap, sizeof(info), &info);

    HDC windowDC = ::GetDC(hWnd);
    HDC memoryDC = ::CreateCompatibleDC(windowDC);
    HGDIOBJ oldBitmap = ::SelectObject(memoryDC, bitmap);

    // A picture with a colour table brings its own colours; a true-colour
    // one is shown through the colour cube.
    RGBQUAD table[256];
    UINT tableEntries = ::GetDIBColorTable(memoryDC, 0, 256, table);
    HPALETTE palette = tableEntries ? MakeTablePalette(table, tableEntries) : MakeFallbackPalette();
    HPALETTE oldPalette = nullptr;
    if (palette) {
        oldPalette = ::SelectPalette(windowDC, palette, FALSE);
        ::RealizePalette(windowDC);
    }

    ::SetStretchBltMode(windowDC, COLORONCOLOR);
    ::StretchBlt(windowDC, 0, 0, client.right - client.left, client.bottom - client.top, memoryDC, 0, 0, info.bmWidth,
                 info.bmHeight, SRCCOPY);

    ::SelectObject(memoryDC, oldBitmap);
    ::DeleteDC(memoryDC);
    ::DeleteObject(bitmap);
    // The window's context goes back to the system without our palette in it.
    if (palette) ::SelectPalette(windowDC, oldPalette, FALSE);
    ::ReleaseDC(hWnd, windowDC);
    if (palette) ::DeleteObject(palette);
}

// Repaints the whole picture at once, without erasing first.
void RepaintNow(HWND hWnd)
{
    ::InvalidateRect(hWnd, nullptr, FALSE);
    ::UpdateWindow(hWnd);
}

LRESULT CALLBACK SplashWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        // The three seconds count from creation, before the window is shown.
        ::SetTimer(hWnd, kCloseTimer, SPLASH_TIMEOUT_MS, nullptr);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        ::BeginPaint(hWnd, &ps);
        PaintSplash(hWnd, IDB_SPLASH);
        ::EndPaint(hWnd, &ps);
        return 0;
    }
    case WM_TIMER:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: ::DestroyWindow(hWnd); return 0;
    case WM_DESTROY: ::PostQuitMessage(0); return 0;
    case WM_QUERYNEWPALETTE: RepaintNow(hWnd); return 1;
    case WM_PALETTECHANGED:
        // Our own realisation needs no second paint.
        if (reinterpret_cast<HWND>(wParam) == hWnd) return 0;
        RepaintNow(hWnd);
        return 1;
    default: return ::DefWindowProcA(hWnd, message, wParam, lParam);
    }
}

bool RegisterSplashClass(HINSTANCE hInstance)
{
    WNDCLASSA wc{};
    wc.style = 0;
    wc.lpfnWndProc = SplashWndProc;
    wc.hInstance = hInstance;
    wc.hIcon = ::LoadIconA(hInstance, kClassName);
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    // The picture covers the whole client area: nothing is ever erased.
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    wc.lpszClassName = kClassName;
    return ::RegisterClassA(&wc) != 0;
}

// The picture's size; false when the program carries no picture.
bool SplashPictureSize(HINSTANCE hInstance, int& width, int& height)
{
    HBITMAP bitmap = ::LoadBitmapA(hInstance, MAKEINTRESOURCEA(IDB_SPLASH));
    if (!bitmap) return false;
    BITMAP info{};
    bool ok = ::GetObjectA(bitmap, sizeof(info), &info) != 0;
    ::DeleteObject(bitmap);
    width = info.bmWidth;
    height = info.bmHeight;
    return ok;
}

} // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR, int)
{
    // The command line and the show request are not used: the picture is
    // always shown the same way, also when the program was started hidden.
    g_hInstance = hInstance;
    if (!hPrevInstance && !RegisterSplashClass(hInstance)) return 0;

    int width = 0, height = 0;
    if (!SplashPictureSize(hInstance, width, height)) return 0;

    // Centred on the desktop, halves truncated.
    RECT desktop;
    ::GetWindowRect(::GetDesktopWindow(), &desktop);
    int x = desktop.right / 2 - width / 2;
    int y = desktop.bottom / 2 - height / 2;

    HWND hWnd = ::CreateWindowExA(0, kClassName, nullptr, WS_POPUP | WS_BORDER, x, y, width, height, nullptr, nullptr,
                                  hInstance, nullptr);
    if (!hWnd) return 0;

    if (g_bTopmost) ::SetWindowPos(hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::ShowWindow(hWnd, SW_SHOWNORMAL);
    ::UpdateWindow(hWnd);

    MSG msg{};
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return msg.message == WM_QUIT ? static_cast<int>(msg.wParam) : 0;
}
