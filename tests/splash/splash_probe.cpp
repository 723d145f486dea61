#include "tests/splash/splash_probe.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <ostream>
#include <unordered_set>

namespace splashprobe {

const SplashProgram kGlowcard{"splash\\glowcard.exe", "glowcard.exe", "splash\\art\\snapvale.bmp",
                              "splash\\art\\ambrel.bmp"};
const SplashProgram kDocumentSplash{"splash\\splash.exe", "splash.exe", "splash\\art\\ambrel.bmp",
                                    "splash\\art\\snapvale.bmp"};

void PrintTo(const SplashProgram& program, std::ostream* os) { *os << program.installName; }

SplashProcess::~SplashProcess()
{
    if (!m_process) return;
    // A program that outlives its test would put its window over the next one.
    if (::WaitForSingleObject(m_process, 5000) == WAIT_TIMEOUT) ::TerminateProcess(m_process, 1);
    ::CloseHandle(m_process);
}

bool SplashProcess::Start(const std::string& path, int showCommand)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    if (showCommand >= 0) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = static_cast<WORD>(showCommand);
    }
    std::vector<char> line(path.begin(), path.end());
    line.push_back('\0');
    PROCESS_INFORMATION started{};
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
        return false;
    ::CloseHandle(started.hThread);
    m_process = started.hProcess;
    m_id = started.dwProcessId;
    return true;
}

bool SplashProcess::Attach(DWORD processId)
{
    m_process = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE, FALSE, processId);
    m_id = m_process ? processId : 0;
    return m_process != nullptr;
}

HWND SplashProcess::WaitForWindow(DWORD timeoutMs) const
{
    DWORD start = ::GetTickCount();
    for (;;) {
        for (HWND w : SplashWindows())
            if (ProcessOf(w) == m_id) return w;
        if (::GetTickCount() - start > timeoutMs) return nullptr;
        ::Sleep(10);
    }
}

bool SplashProcess::WaitForExit(DWORD timeoutMs, DWORD& exitCode) const
{
    if (!m_process || ::WaitForSingleObject(m_process, timeoutMs) != WAIT_OBJECT_0) return false;
    return ::GetExitCodeProcess(m_process, &exitCode) != FALSE;
}

std::string SplashProcess::ImagePath() const
{
    char path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (!m_process || !::QueryFullProcessImageNameA(m_process, 0, path, &size)) return "";
    return std::string(path, size);
}

namespace {
BOOL CALLBACK CollectSplash(HWND hWnd, LPARAM lParam)
{
    char name[64] = {};
    ::GetClassNameA(hWnd, name, sizeof(name));
    if (std::string(name) == "Splash" && ::IsWindowVisible(hWnd))
        reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
    return TRUE;
}
} // namespace

std::vector<HWND> SplashWindows()
{
    std::vector<HWND> windows;
    ::EnumWindows(CollectSplash, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

DWORD ProcessOf(HWND hWnd)
{
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    return pid;
}

bool IsAbove(HWND upper, HWND lower)
{
    for (HWND w = ::GetTopWindow(nullptr); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
        if (w == upper) return true;
        if (w == lower) return false;
    }
    return false;
}

size_t Picture::DistinctColours() const { return std::unordered_set<uint32_t>(pixels.begin(), pixels.end()).size(); }

namespace {

// Reads a bitmap's pixels through a 32-bit top-down copy.
bool ReadPixels(HDC dc, HBITMAP bitmap, int width, int height, Picture& picture)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    picture.width = width;
    picture.height = height;
    picture.pixels.assign(static_cast<size_t>(width) * height, 0);
    if (::GetDIBits(dc, bitmap, 0, height, picture.pixels.data(), &info, DIB_RGB_COLORS) != height) return false;
    for (uint32_t& p : picture.pixels) p &= 0xFFFFFF;
    return true;
}

int Channel(uint32_t colour, int shift) { return static_cast<int>((colour >> shift) & 0xFF); }

bool Near(uint32_t a, uint32_t b, int tolerance)
{
    for (int shift : {0, 8, 16})
        if (std::abs(Channel(a, shift) - Channel(b, shift)) > tolerance) return false;
    return true;
}

} // namespace

bool LoadPictureFile(const std::string& path, Picture& picture)
{
    HBITMAP bitmap = static_cast<HBITMAP>(
        ::LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!bitmap) return false;
    BITMAP info{};
    ::GetObjectA(bitmap, sizeof(info), &info);
    HDC dc = ::GetDC(nullptr);
    bool ok = ReadPixels(dc, bitmap, info.bmWidth, info.bmHeight, picture);
    ::ReleaseDC(nullptr, dc);
    ::DeleteObject(bitmap);
    return ok;
}

bool CaptureScreen(const RECT& area, Picture& picture)
{
    int width = area.right - area.left;
    int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return false;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    bool ok = ::BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY) != FALSE;
    ::SelectObject(memory, old);
    ok = ok && ReadPixels(memory, bitmap, width, height, picture);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return ok;
}

bool CaptureClientArea(HWND hWnd, Picture& picture)
{
    RECT client;
    if (!::GetClientRect(hWnd, &client)) return false;
    POINT origin{0, 0};
    ::ClientToScreen(hWnd, &origin);
    RECT area{origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
    return CaptureScreen(area, picture);
}

double Likeness(const Picture& capture, const Picture& picture, const std::vector<RECT>& skip)
{
    if (capture.width <= 0 || capture.height <= 0 || picture.width <= 0 || picture.height <= 0) return 0;
    const int kColumns = 26, kRows = 16, kTolerance = 6, kEnoughSamples = 40;
    int samples = 0, matches = 0;
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            int cx = (2 * column + 1) * capture.width / (2 * kColumns);
            int cy = (2 * row + 1) * capture.height / (2 * kRows);
            POINT sample{cx, cy};
            if (std::any_of(skip.begin(), skip.end(), [&](const RECT& r) { return ::PtInRect(&r, sample); })) continue;
            int px = cx * picture.width / capture.width;
            int py = cy * picture.height / capture.height;
            bool found = false;
            for (int dy = -1; dy <= 1 && !found; ++dy)
                for (int dx = -1; dx <= 1 && !found; ++dx) {
                    int x = std::clamp(px + dx, 0, picture.width - 1);
                    int y = std::clamp(py + dy, 0, picture.height - 1);
                    found = Near(capture.At(cx, cy), picture.At(x, y), kTolerance);
                }
            ++samples;
            if (found) ++matches;
        }
    }
    return samples < kEnoughSamples ? 0 : static_cast<double>(matches) / samples;
}

namespace {
BOOL CALLBACK CollectOurs(HWND hWnd, LPARAM lParam)
{
    if (ProcessOf(hWnd) == ::GetCurrentProcessId() && ::IsWindowVisible(hWnd))
        reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
    return TRUE;
}
} // namespace

std::vector<RECT> CoveredByOurWindows(HWND hWnd)
{
    std::vector<HWND> ours;
    ::EnumWindows(CollectOurs, reinterpret_cast<LPARAM>(&ours));
    RECT client;
    ::GetClientRect(hWnd, &client);
    POINT origin{0, 0};
    ::ClientToScreen(hWnd, &origin);
    std::vector<RECT> covered;
    for (HWND w : ours) {
        RECT r, overlap;
        ::GetWindowRect(w, &r);
        ::OffsetRect(&r, -origin.x, -origin.y);
        if (::IntersectRect(&overlap, &r, &client)) covered.push_back(overlap);
    }
    return covered;
}

bool SavePicture(const Picture& picture, const std::string& path)
{
    const int stride = (picture.width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = picture.width;
    info.biHeight = picture.height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(stride) * picture.height;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + info.biSizeImage;

    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info), sizeof(info));
    std::vector<char> row(static_cast<size_t>(stride), 0);
    for (int y = picture.height - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width; ++x) {
            uint32_t p = picture.At(x, y);
            row[3 * x] = static_cast<char>(p & 0xFF);
            row[3 * x + 1] = static_cast<char>((p >> 8) & 0xFF);
            row[3 * x + 2] = static_cast<char>((p >> 16) & 0xFF);
        }
        out.write(row.data(), stride);
    }
    return static_cast<bool>(out);
}

} // namespace splashprobe
