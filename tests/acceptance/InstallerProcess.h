// The installer as a person starts it: the built program, without arguments.
#pragma once

#include <windows.h>

#include <string>

class InstallerProcess {
public:
    // Starts the program from the given file, with this process's environment
    // (and so, under Wine, its code page for non-Unicode text).
    explicit InstallerProcess(const std::wstring& exe);
    // Ends the program if it still runs.
    ~InstallerProcess();
    InstallerProcess(const InstallerProcess&) = delete;
    InstallerProcess& operator=(const InstallerProcess&) = delete;

    bool Started() const { return FInfo.hProcess != nullptr; }
    DWORD Id() const { return FInfo.dwProcessId; }
    DWORD ThreadId() const { return FInfo.dwThreadId; }

    // The wizard window once it is on screen; null if it never comes.
    HWND WaitForWizard() const;
    // Waits until the program has ended and gives its exit status;
    // STILL_ACTIVE if it did not end.
    DWORD WaitForExit() const;
    bool Running() const;
    HANDLE Handle() const { return FInfo.hProcess; }

private:
    PROCESS_INFORMATION FInfo{};
};
