// Looking at a splash program from outside, as the user sees it: its process,
// its window on the screen and the pixels it puts there.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace splashprobe {

// One splash program of the build and the picture it was made from.
struct SplashProgram {
    const char* builtPath;    // below the build tree, e.g. "splash\\glowcard.exe"
    const char* installName;  // its name in the program folder
    const char* picture;      // below the source tree, e.g. "splash\\art\\snapvale.bmp"
    const char* otherPicture; // the other edition's picture
};
extern const SplashProgram kGlowcard;
extern const SplashProgram kDocumentSplash;
void PrintTo(const SplashProgram& program, std::ostream* os);

// A splash program started as its own process; ended (if still running) and
// released when this object goes.
class SplashProcess {
public:
    SplashProcess() = default;
    SplashProcess(const SplashProcess&) = delete;
    SplashProcess& operator=(const SplashProcess&) = delete;
    ~SplashProcess();

    // Starts the program; `showCommand` >= 0 is passed in the start-up
    // information (STARTF_USESHOWWINDOW), as a launcher asking for it would.
    bool Start(const std::string& path, int showCommand = -1);
    // Takes over a process found running (by its id).
    bool Attach(DWORD processId);

    DWORD Id() const { return m_id; }
    // Its visible "Splash" window, waited for; null on time-out.
    HWND WaitForWindow(DWORD timeoutMs = 15000) const;
    // Waits for the end of the process; false on time-out.
    bool WaitForExit(DWORD timeoutMs, DWORD& exitCode) const;
    // The full path of the running program's image.
    std::string ImagePath() const;

private:
    HANDLE m_process = nullptr;
    DWORD m_id = 0;
};

// Visible top-level windows of class "Splash", of any process.
std::vector<HWND> SplashWindows();
DWORD ProcessOf(HWND hWnd);
// True when `upper` lies above `lower` in the z-order of top-level windows.
bool IsAbove(HWND upper, HWND lower);

// Pixels as 0x00RRGGBB, rows top down.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    size_t DistinctColours() const;
};

// A bitmap file, through the system's own loader.
bool LoadPictureFile(const std::string& path, Picture& picture);
// What the screen shows in a rectangle.
bool CaptureScreen(const RECT& area, Picture& picture);
// The window's client area as it is on the screen.
bool CaptureClientArea(HWND hWnd, Picture& picture);

// The share (0 to 1) of sample points, spread over the whole capture, whose
// colour the picture has at the matching place once stretched to the
// capture's size (give or take a pixel and a few levels of each colour).
// Points inside `skip` (capture coordinates: parts that other windows
// cover) are not looked at; 0 when too few points are left to judge.
double Likeness(const Picture& capture, const Picture& picture, const std::vector<RECT>& skip = {});

// Where the visible top-level windows of this process cover a window's
// client area, in client coordinates.
std::vector<RECT> CoveredByOurWindows(HWND hWnd);

// Writes a capture as a 24-bit bitmap file, for looking at.
bool SavePicture(const Picture& picture, const std::string& path);

} // namespace splashprobe
