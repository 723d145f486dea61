#include "framework/long_work.h"

#include <commctrl.h>

#include <exception>
#include <mutex>
#include <thread>

#include "framework/win_app.h"

struct CWorkProgress::State {
    mutable std::mutex mutex;
    std::string step;
    uint64_t done = 0;
    uint64_t total = 0;
    unsigned stepNumber = 0;
};

CWorkProgress::CWorkProgress() : m_state(new State), m_cancel(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}

CWorkProgress::~CWorkProgress()
{
    if (m_cancel) ::CloseHandle(m_cancel);
}

void CWorkProgress::SetStep(const std::string& words)
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    m_state->step = words;
    m_state->done = 0;
    m_state->total = 0;
    ++m_state->stepNumber;
}

void CWorkProgress::SetProgress(uint64_t done, uint64_t total)
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    m_state->done = done;
    m_state->total = total;
}

bool CWorkProgress::IsCancelled() const { return ::WaitForSingleObject(m_cancel, 0) == WAIT_OBJECT_0; }

void CWorkProgress::ThrowIfCancelled() const
{
    if (IsCancelled()) throw CWorkCancelled();
}

void CWorkProgress::Cancel() { ::SetEvent(m_cancel); }

void CWorkProgress::Read(std::string& step, uint64_t& done, uint64_t& total, unsigned& stepNumber) const
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    step = m_state->step;
    done = m_state->done;
    total = m_state->total;
    stepNumber = m_state->stepNumber;
}

namespace {

const UINT kWorkDone = WM_APP + 1;
const UINT_PTR kRefreshTimer = 1;
const UINT kRefreshMs = 100;
const int kBarRange = 1000;

// What the progress window's procedure works with.
struct WindowState {
    CWorkProgress* progress = nullptr;
    UINT stepId = 0;
    UINT barId = 0;
    DWORD started = 0;
    bool done = false;
    bool cancelling = false;
    unsigned shownStep = 0;
    bool marquee = false;
};

void CenterOver(HWND window, HWND owner)
{
    RECT r, area;
    ::GetWindowRect(window, &r);
    if (owner && ::IsWindowVisible(owner))
        ::GetWindowRect(owner, &area);
    else
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    const int x = area.left + ((area.right - area.left) - (r.right - r.left)) / 2;
    const int y = area.top + ((area.bottom - area.top) - (r.bottom - r.top)) / 2;
    ::SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Refresh(HWND window, WindowState& s)
{
    std::string step;
    uint64_t done = 0, total = 0;
    unsigned stepNumber = 0;
    s.progress->Read(step, done, total, stepNumber);
    HWND bar = ::GetDlgItem(window, s.barId);
    if (stepNumber != s.shownStep && !s.cancelling) {
        s.shownStep = stepNumber;
        ::SetDlgItemTextA(window, s.stepId, step.c_str());
    }
    // A step without a measure shows a bar that keeps moving.
    const bool marquee = total == 0;
    if (marquee != s.marquee) {
        LONG_PTR style = ::GetWindowLongPtrA(bar, GWL_STYLE);
        ::SetWindowLongPtrA(bar, GWL_STYLE, marquee ? (style | PBS_MARQUEE) : (style & ~PBS_MARQUEE));
        ::SendMessageA(bar, PBM_SETMARQUEE, marquee ? TRUE : FALSE, 30);
        s.marquee = marquee;
    }
    if (!marquee) {
        const uint64_t position = done >= total ? kBarRange : done * kBarRange / total;
        ::SendMessageA(bar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    }
    if (!::IsWindowVisible(window) && ::GetTickCount() - s.started >= CLongWork::kShowAfterMs)
        ::ShowWindow(window, SW_SHOWNORMAL);
}

INT_PTR CALLBACK ProgressProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    WindowState* s = reinterpret_cast<WindowState*>(::GetWindowLongPtrA(window, DWLP_USER));
    switch (msg) {
    case WM_INITDIALOG:
        ::SetWindowLongPtrA(window, DWLP_USER, lParam);
        s = reinterpret_cast<WindowState*>(lParam);
        ::SendDlgItemMessageA(window, s->barId, PBM_SETRANGE32, 0, kBarRange);
        ::SetTimer(window, kRefreshTimer, kRefreshMs, nullptr);
        return FALSE;
    case WM_TIMER:
        if (s) Refresh(window, *s);
        return TRUE;
    case WM_COMMAND:
        // Cancel, Escape and the close box all ask the work to stop; the
        // window stays until it has.
        if (s && LOWORD(wParam) == IDCANCEL && !s->cancelling) {
            s->cancelling = true;
            s->progress->Cancel();
            ::EnableWindow(::GetDlgItem(window, IDCANCEL), FALSE);
            ::SetDlgItemTextA(window, s->stepId, "Cancelling...");
        }
        return TRUE;
    case WM_CLOSE: ::SendMessageA(window, WM_COMMAND, IDCANCEL, 0); return TRUE;
    case kWorkDone:
        if (s) s->done = true;
        return TRUE;
    default: return FALSE;
    }
}

} // namespace

CLongWork::CLongWork(UINT nIDTemplate, UINT nIDStep, UINT nIDProgress)
    : m_nIDTemplate(nIDTemplate), m_nIDStep(nIDStep), m_nIDProgress(nIDProgress)
{}

bool CLongWork::Run(HWND owner, const std::function<void(CWorkProgress&)>& work)
{
    CWorkProgress progress;
    WindowState state;
    state.progress = &progress;
    state.stepId = m_nIDStep;
    state.barId = m_nIDProgress;
    state.started = ::GetTickCount();

    // The owner takes no input while the work runs: no command of it can
    // start, and it cannot be closed under the work. It still paints and
    // answers messages.
    const bool disableOwner = owner && ::IsWindowEnabled(owner);
    if (disableOwner) ::EnableWindow(owner, FALSE);
    HWND window = ::CreateDialogParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIDTemplate), owner, ProgressProc,
                                       reinterpret_cast<LPARAM>(&state));
    if (window) CenterOver(window, owner);

    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            work(progress);
        } catch (...) {
            failure = std::current_exception();
        }
        if (window) ::PostMessageA(window, kWorkDone, 0, 0);
    });

    // This thread's messages go on being answered until the work is done.
    bool quit = false;
    WPARAM quitCode = 0;
    while (window && !state.done) {
        MSG msg;
        const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            // Asked to end: remember it for the caller's loop, after the work.
            quit = true;
            quitCode = msg.wParam;
            continue;
        }
        if (got == -1) break;
        if (!::IsDialogMessageA(window, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    worker.join();

    if (disableOwner) ::EnableWindow(owner, TRUE);
    if (window) ::DestroyWindow(window);
    if (disableOwner) ::SetActiveWindow(owner);
    if (quit) ::PostQuitMessage(static_cast<int>(quitCode));

    if (failure) {
        try {
            std::rethrow_exception(failure);
        } catch (const CWorkCancelled&) {
            return false;
        }
    }
    return true;
}
