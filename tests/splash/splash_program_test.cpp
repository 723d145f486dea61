// The splash programs as the user meets them: each is started as a process
// of its own on the 1024 x 768 test screen, and its window, its picture and
// its ending are looked at from outside.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "tests/splash/splash_probe.h"
#include "tests/support/test_env.h"

using splashprobe::Picture;
using splashprobe::SplashProcess;
using splashprobe::SplashProgram;

namespace {

const DWORD kTimeoutMs = 3000;

class SplashProgramTest : public ::testing::TestWithParam<SplashProgram> {
protected:
    std::string Path() const { return testenv::BuiltProgram(GetParam().builtPath); }
    std::string PicturePath(const char* picture) const { return testenv::SourceDir() + "\\" + picture; }

    // Starts the program and waits for its window.
    HWND StartAndFind(SplashProcess& process, int showCommand = -1)
    {
        if (!process.Start(Path(), showCommand)) {
            ADD_FAILURE() << "cannot start " << Path();
            return nullptr;
        }
        HWND window = process.WaitForWindow();
        EXPECT_NE(nullptr, window) << "no splash window appeared";
        return window;
    }

    // Milliseconds until the window is off the screen, at most `limitMs`.
    // (Wine on a screen without a window manager holds a destroyed window's
    // handle, and so the process, up to two seconds after hiding it.)
    static DWORD WaitUntilGone(HWND window, DWORD limitMs)
    {
        DWORD start = ::GetTickCount();
        while (::IsWindowVisible(window) && ::GetTickCount() - start < limitMs) ::Sleep(5);
        return ::GetTickCount() - start;
    }

    static void ExpectEndsWithZero(const SplashProcess& process)
    {
        DWORD code = 12345;
        ASSERT_TRUE(process.WaitForExit(5000, code)) << "the process outlives its window";
        EXPECT_EQ(0u, code);
    }
};

TEST_P(SplashProgramTest, StandsCentredOnTopWithThePicturesSize)
{
    RECT desktop;
    ::GetWindowRect(::GetDesktopWindow(), &desktop);
    ASSERT_EQ(1024, desktop.right);
    ASSERT_EQ(768, desktop.bottom);

    SplashProcess process;
    HWND window = StartAndFind(process);
    ASSERT_NE(nullptr, window);

    RECT r;
    ASSERT_TRUE(::GetWindowRect(window, &r));
    EXPECT_EQ(252, r.left);
    EXPECT_EQ(226, r.top);
    EXPECT_EQ(520, r.right - r.left);
    EXPECT_EQ(316, r.bottom - r.top);
    RECT client;
    ::GetClientRect(window, &client);
    EXPECT_EQ(518, client.right) << "a one-pixel border on each side";
    EXPECT_EQ(314, client.bottom);

    LONG_PTR style = ::GetWindowLongPtrA(window, GWL_STYLE);
    LONG_PTR exStyle = ::GetWindowLongPtrA(window, GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_TRUE(style & WS_BORDER);
    EXPECT_FALSE((style & WS_CAPTION) == WS_CAPTION) << "no caption bar";
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    char title[64] = "x";
    ::SendMessageA(window, WM_GETTEXT, sizeof(title), reinterpret_cast<LPARAM>(title));
    EXPECT_STREQ("", title);
}

TEST_P(SplashProgramTest, PaintsItsPictureOverTheClientArea)
{
    Picture picture, other;
    ASSERT_TRUE(splashprobe::LoadPictureFile(PicturePath(GetParam().picture), picture));
    ASSERT_TRUE(splashprobe::LoadPictureFile(PicturePath(GetParam().otherPicture), other));
    ASSERT_EQ(520, picture.width);
    ASSERT_EQ(316, picture.height);

    SplashProcess process;
    HWND window = StartAndFind(process);
    ASSERT_NE(nullptr, window);
    ::Sleep(300); // the first paint is done before the message loop, but give the screen a moment

    Picture capture;
    ASSERT_TRUE(splashprobe::CaptureClientArea(window, capture));
    ASSERT_EQ(518, capture.width);
    ASSERT_EQ(314, capture.height);
    EXPECT_GT(capture.DistinctColours(), 500u) << "the window is blank";
    EXPECT_GE(splashprobe::Likeness(capture, picture), 0.95);
    EXPECT_LT(splashprobe::Likeness(capture, other), 0.6) << "it shows the other edition's picture";

    // The corners of the picture, where the shrink by two pixels moves
    // nothing: the first and the last pixel of each.
    const int cw = capture.width - 1, ch = capture.height - 1, pw = picture.width - 1, ph = picture.height - 1;
    EXPECT_EQ(picture.At(0, 0), capture.At(0, 0));
    EXPECT_EQ(picture.At(pw, 0), capture.At(cw, 0));
    EXPECT_EQ(picture.At(0, ph), capture.At(0, ch));
    EXPECT_EQ(picture.At(pw, ph), capture.At(cw, ch));
}

TEST_P(SplashProgramTest, ClosesByItselfAfterThreeSecondsWithCodeZero)
{
    SplashProcess process;
    HWND window = StartAndFind(process);
    ASSERT_NE(nullptr, window);
    DWORD shownMs = WaitUntilGone(window, 8000);
    EXPECT_FALSE(::IsWindowVisible(window));
    // Counted from creation, a moment before we first saw it.
    EXPECT_GE(shownMs, kTimeoutMs - 1000);
    EXPECT_LE(shownMs, kTimeoutMs + 500);
    ExpectEndsWithZero(process);
}

TEST_P(SplashProgramTest, ALeftClickClosesItAtOnce)
{
    SplashProcess process;
    HWND window = StartAndFind(process);
    ASSERT_NE(nullptr, window);
    ::PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 150));
    EXPECT_LT(WaitUntilGone(window, 8000), 500u);
    ExpectEndsWithZero(process);
}

TEST_P(SplashProgramTest, ARightClickClosesItAtOnce)
{
    SplashProcess process;
    HWND window = StartAndFind(process);
    ASSERT_NE(nullptr, window);
    ::PostMessageA(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 300));
    EXPECT_LT(WaitUntilGone(window, 8000), 500u);
    ExpectEndsWithZero(process);
}

TEST_P(SplashProgramTest, AClickOfTheMouseOnThePictureClosesIt)
{
    SplashProcess process;
    HWND window = StartAndFind(process);
    ASSERT_NE(nullptr, window);
    RECT r;
    ::GetWindowRect(window, &r);
    ::SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    INPUT clicks[2] = {};
    clicks[0].type = clicks[1].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ASSERT_EQ(2u, ::SendInput(2, clicks, sizeof(INPUT)));
    EXPECT_LT(WaitUntilGone(window, 8000), 500u);
    ExpectEndsWithZero(process);
}

TEST_P(SplashProgramTest, KeysDoNotCloseIt)
{
    SplashProcess process;
    HWND window = StartAndFind(process);
    ASSERT_NE(nullptr, window);
    DWORD seen = ::GetTickCount();
    for (int key : {VK_ESCAPE, VK_RETURN, VK_SPACE, int('Q')}) {
        ::PostMessageA(window, WM_KEYDOWN, static_cast<WPARAM>(key), 1);
        ::PostMessageA(window, WM_KEYUP, static_cast<WPARAM>(key), 0xC0000001);
    }
    DWORD gone = WaitUntilGone(window, 1000);
    EXPECT_TRUE(::IsWindowVisible(window)) << "closed " << gone << " ms after the keys";
    // It still goes when its time is up.
    WaitUntilGone(window, 8000);
    EXPECT_FALSE(::IsWindowVisible(window));
    EXPECT_GE(::GetTickCount() - seen, kTimeoutMs - 1000);
    ExpectEndsWithZero(process);
}

TEST_P(SplashProgramTest, AnswersThePaletteMessages)
{
    Picture picture;
    ASSERT_TRUE(splashprobe::LoadPictureFile(PicturePath(GetParam().picture), picture));
    SplashProcess process;
    HWND window = StartAndFind(process);
    ASSERT_NE(nullptr, window);

    // Another window realised its palette: the splash repaints (it would
    // otherwise show through colours that are no longer there) and says so.
    HWND other = ::GetDesktopWindow();
    EXPECT_EQ(1, ::SendMessageA(window, WM_PALETTECHANGED, reinterpret_cast<WPARAM>(other), 0));
    // Its own realisation: nothing to do.
    EXPECT_EQ(0, ::SendMessageA(window, WM_PALETTECHANGED, reinterpret_cast<WPARAM>(window), 0));
    // Gaining the focus: it realises its palette by repainting.
    EXPECT_EQ(1, ::SendMessageA(window, WM_QUERYNEWPALETTE, 0, 0));

    EXPECT_TRUE(::IsWindowVisible(window));
    Picture capture;
    ASSERT_TRUE(splashprobe::CaptureClientArea(window, capture));
    EXPECT_GE(splashprobe::Likeness(capture, picture), 0.95);
}

TEST_P(SplashProgramTest, StartedHiddenItStillShows)
{
    // As the main program starts it.
    SplashProcess process;
    HWND window = StartAndFind(process, SW_HIDE);
    ASSERT_NE(nullptr, window);
    EXPECT_TRUE(::IsWindowVisible(window));
    ::Sleep(300);
    Picture capture, picture;
    ASSERT_TRUE(splashprobe::LoadPictureFile(PicturePath(GetParam().picture), picture));
    ASSERT_TRUE(splashprobe::CaptureClientArea(window, capture));
    EXPECT_GE(splashprobe::Likeness(capture, picture), 0.95);
}

TEST_P(SplashProgramTest, TwoCopiesShowTwoWindows)
{
    SplashProcess first, second;
    HWND a = StartAndFind(first);
    HWND b = StartAndFind(second);
    ASSERT_NE(nullptr, a);
    ASSERT_NE(nullptr, b);
    EXPECT_NE(a, b);
    ::PostMessageA(a, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    ExpectEndsWithZero(first);
    EXPECT_TRUE(::IsWindowVisible(b)) << "closing one copy leaves the other";
}

// ---- What each program carries -----------------------------------------

class SplashResources : public SplashProgramTest {
protected:
    void SetUp() override
    {
        m_module = ::LoadLibraryExA(Path().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(nullptr, m_module) << Path();
    }
    void TearDown() override
    {
        if (m_module) ::FreeLibrary(m_module);
    }
    std::string Resource(LPCSTR name, LPCSTR type) const
    {
        HRSRC found = ::FindResourceA(m_module, name, type);
        if (!found) return "";
        const char* data = static_cast<const char*>(::LockResource(::LoadResource(m_module, found)));
        return data ? std::string(data, ::SizeofResource(m_module, found)) : "";
    }
    HMODULE m_module = nullptr;
};

TEST_P(SplashResources, TheIconIsFoundByTheClassNameInAnyCase)
{
    for (const char* name : {"Splash", "SPLASH", "splash"})
        EXPECT_FALSE(Resource(name, MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */).empty()) << name;

    // The group directory: a header of three words, then 14-byte entries
    // whose first byte is the width and second the height.
    std::string group = Resource("Splash", MAKEINTRESOURCEA(14));
    ASSERT_GE(group.size(), 6u);
    unsigned count = static_cast<unsigned char>(group[4]) | static_cast<unsigned char>(group[5]) << 8;
    ASSERT_EQ(2u, count);
    ASSERT_GE(group.size(), 6u + 14 * count);
    std::multiset<std::pair<int, int>> sizes;
    for (unsigned i = 0; i < count; ++i)
        sizes.insert({static_cast<unsigned char>(group[6 + 14 * i]), static_cast<unsigned char>(group[7 + 14 * i])});
    EXPECT_EQ((std::multiset<std::pair<int, int>>{{16, 16}, {32, 32}}), sizes);
}

TEST_P(SplashResources, BitmapOneHundredAndOneIsTheEditionsPicture)
{
    std::string bitmap = Resource(MAKEINTRESOURCEA(101), MAKEINTRESOURCEA(2) /* RT_BITMAP */);
    ASSERT_GE(bitmap.size(), sizeof(BITMAPINFOHEADER));
    BITMAPINFOHEADER header;
    std::memcpy(&header, bitmap.data(), sizeof(header));
    EXPECT_EQ(520, header.biWidth);
    EXPECT_EQ(316, header.biHeight);
    EXPECT_EQ(24, header.biBitCount);
    EXPECT_EQ(0u, header.biClrUsed) << "no colour table";
    EXPECT_EQ(static_cast<DWORD>(BI_RGB), header.biCompression);

    // The resource is the picture file without its 14-byte file header.
    std::string file = testenv::ReadFile(PicturePath(GetParam().picture));
    ASSERT_GT(file.size(), 14u);
    EXPECT_TRUE(file.substr(14) == bitmap) << "the program carries another picture";
}

INSTANTIATE_TEST_SUITE_P(Editions, SplashProgramTest,
                         ::testing::Values(splashprobe::kGlowcard, splashprobe::kDocumentSplash));
INSTANTIATE_TEST_SUITE_P(Editions, SplashResources,
                         ::testing::Values(splashprobe::kGlowcard, splashprobe::kDocumentSplash));

} // namespace
