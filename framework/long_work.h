// Long work without a frozen window. The work runs on a thread of its own
// while the calling user interface thread keeps answering its messages; the
// owner window takes no input meanwhile, so none of its commands can start
// under the work. When the work lasts longer than half a second a progress
// window shows what it is doing and how far it has come, with Cancel.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// Thrown by work that stops because the user cancelled it.
struct CWorkCancelled {};

// The work's side of the progress window. Safe to use from the work's thread.
class CWorkProgress {
public:
    CWorkProgress();
    ~CWorkProgress();
    CWorkProgress(const CWorkProgress&) = delete;
    CWorkProgress& operator=(const CWorkProgress&) = delete;

    // The step in the user's words ("Copying documents"); the bar starts
    // again from nothing.
    void SetStep(const std::string& words);
    // How far the step has come; a total of 0 shows a bar that only moves.
    void SetProgress(uint64_t done, uint64_t total);
    bool IsCancelled() const;
    void ThrowIfCancelled() const;
    // Signalled when the user cancels, for waits on other processes.
    HANDLE CancelEvent() const { return m_cancel; }

    // The window's side.
    void Cancel();
    void Read(std::string& step, uint64_t& done, uint64_t& total, unsigned& stepNumber) const;

private:
    struct State;
    std::unique_ptr<State> m_state;
    HANDLE m_cancel;
};

class CLongWork {
public:
    // The progress window's dialog template with a static control for the
    // step, a progress bar, and a Cancel button (IDCANCEL).
    CLongWork(UINT nIDTemplate, UINT nIDStep, UINT nIDProgress);

    // Runs `work` to its end. True when it ran to its end, false when the
    // user cancelled it (the work threw CWorkCancelled). Anything else the
    // work throws (a file error, running out of memory) is thrown again here,
    // on this thread, once the progress window is gone.
    bool Run(HWND owner, const std::function<void(CWorkProgress&)>& work);

    // How long work may run before the progress window appears.
    static constexpr DWORD kShowAfterMs = 500;

private:
    UINT m_nIDTemplate;
    UINT m_nIDStep;
    UINT m_nIDProgress;
};
