// A program under measurement, started and driven from outside its process:
// its windows are found, read and clicked through the window manager, as an
// accessibility tool would.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Milliseconds on the performance counter.
double Now();

class Target {
public:
    // Starts the program; the clock starts just before the process is created.
    Target(const std::wstring& exe, const std::wstring& arguments);
    ~Target();
    Target(const Target&) = delete;
    Target& operator=(const Target&) = delete;

    double Started() const { return started_; }
    HWND Window() const { return window_; }

    // The first visible top-level window of the process with this class.
    HWND WaitWindow(const wchar_t* className);
    // The window's thread is back in its message loop and nothing is left to paint.
    void WaitIdle();
    // A window in the main window's tree whose text contains `text`.
    HWND FindText(const wchar_t* text, const wchar_t* className = nullptr) const;
    // Waits for `text` to appear; fails at once if `failure` appears instead.
    HWND WaitText(const wchar_t* text, const wchar_t* failure = nullptr);
    // A click that returns when the click handler has returned.
    void Click(HWND button);
    // A click that returns at once.
    void PostClick(HWND button);

    SIZE_T PeakWorkingSetKiB() const;
    std::vector<std::wstring> Modules() const;
    // Closes the main window, or clicks the given button, and waits for the
    // process to end.
    void Close(HWND button = nullptr);

private:
    void Fail(const wchar_t* what) const;

    std::wstring name_;
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
    double started_ = 0;
};
