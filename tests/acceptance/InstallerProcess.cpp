#include "InstallerProcess.h"

#include "Screen.h"
#include "Waiting.h"

InstallerProcess::InstallerProcess(const std::wstring& exe) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &FInfo))
        FInfo = {};
}

InstallerProcess::~InstallerProcess() {
    if (!Started()) return;
    if (Running()) {
        TerminateProcess(FInfo.hProcess, 1);
        WaitForSingleObject(FInfo.hProcess, GenerousTimeoutMs);
    }
    CloseHandle(FInfo.hThread);
    CloseHandle(FInfo.hProcess);
}

HWND InstallerProcess::WaitForWizard() const {
    HWND wizard = nullptr;
    WaitUntil([&] {
        for (HWND window : TopLevelWindows(Id()))
            if (ClassOf(window) == L"TWinControl") wizard = window;
        return wizard != nullptr || !Running();
    });
    // Input that comes while the program is still starting may be lost.
    if (wizard) WaitForInputIdle(FInfo.hProcess, Patience());
    return wizard;
}

DWORD InstallerProcess::WaitForExit() const {
    DWORD status = STILL_ACTIVE;
    if (Started() && WaitForSingleObject(FInfo.hProcess, Patience()) == WAIT_OBJECT_0)
        GetExitCodeProcess(FInfo.hProcess, &status);
    return status;
}

bool InstallerProcess::Running() const {
    return Started() && WaitForSingleObject(FInfo.hProcess, 0) == WAIT_TIMEOUT;
}
