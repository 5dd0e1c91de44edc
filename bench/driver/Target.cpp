#include "Target.h"

#include <psapi.h>

#include <cwchar>
#include <stdexcept>

namespace {

const DWORD Timeout = 20000;

std::string Narrow(const std::wstring& text) {
    std::string result(
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &result[0], int(result.size()), nullptr,
                        nullptr);
    result.pop_back();
    return result;
}

bool HasClass(HWND window, const wchar_t* className) {
    wchar_t actual[64];
    return !className || (GetClassNameW(window, actual, 64) && _wcsicmp(actual, className) == 0);
}

struct TopLevelSearch {
    DWORD ProcessId;
    const wchar_t* ClassName;
    HWND Found;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<TopLevelSearch*>(context);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != search.ProcessId || !IsWindowVisible(window) || !HasClass(window, search.ClassName))
        return TRUE;
    search.Found = window;
    return FALSE;
}

struct TextSearch {
    const wchar_t* Text;
    const wchar_t* ClassName;
    HWND Found;
};

// Reads the text the window manager holds, without sending the window a message.
bool ContainsText(HWND window, const wchar_t* text) {
    wchar_t actual[2048];
    return InternalGetWindowText(window, actual, 2048) && std::wcsstr(actual, text);
}

BOOL CALLBACK MatchText(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<TextSearch*>(context);
    if (!HasClass(window, search.ClassName) || !ContainsText(window, search.Text)) return TRUE;
    search.Found = window;
    return FALSE;
}

BOOL CALLBACK MatchUnpainted(HWND window, LPARAM context) {
    if (!IsWindowVisible(window) || !GetUpdateRect(window, nullptr, FALSE)) return TRUE;
    *reinterpret_cast<bool*>(context) = true;
    return FALSE;
}

bool NeedsPaint(HWND window) {
    bool unpainted = IsWindowVisible(window) && GetUpdateRect(window, nullptr, FALSE);
    if (!unpainted) EnumChildWindows(window, MatchUnpainted, reinterpret_cast<LPARAM>(&unpainted));
    return unpainted;
}

}  // namespace

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return double(count.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

Target::Target(const std::wstring& exe, const std::wstring& arguments)
    : name_(exe.substr(exe.find_last_of(L'\\') + 1)) {
    std::wstring line = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    started_ = Now();
    if (!CreateProcessW(exe.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process_))
        Fail(L"cannot be started");
}

Target::~Target() {
    if (!process_.hProcess) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, Timeout);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

void Target::Fail(const wchar_t* what) const {
    throw std::runtime_error(Narrow(name_ + L": " + what));
}

HWND Target::WaitWindow(const wchar_t* className) {
    const double deadline = Now() + Timeout;
    for (;;) {
        TopLevelSearch search{process_.dwProcessId, className, nullptr};
        EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
        if (search.Found) return window_ = search.Found;
        if (WaitForSingleObject(process_.hProcess, 1) == WAIT_OBJECT_0) Fail(L"ended early");
        if (Now() > deadline) Fail(L"shows no window");
    }
}

void Target::WaitIdle() {
    const double deadline = Now() + Timeout;
    WaitForInputIdle(process_.hProcess, Timeout);
    for (;;) {
        DWORD_PTR result;
        if (!SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, Timeout, &result))
            Fail(L"does not respond");
        if (!NeedsPaint(window_)) return;
        if (Now() > deadline) Fail(L"never finishes painting");
        Sleep(1);
    }
}

HWND Target::FindText(const wchar_t* text, const wchar_t* className) const {
    TextSearch search{text, className, nullptr};
    if (HasClass(window_, className) && ContainsText(window_, text)) return window_;
    EnumChildWindows(window_, MatchText, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

HWND Target::WaitText(const wchar_t* text, const wchar_t* failure) {
    const double deadline = Now() + Timeout;
    for (;;) {
        if (HWND found = FindText(text)) return found;
        if (failure && FindText(failure))
            Fail((std::wstring(L"shows \"") + failure + L"\"").c_str());
        if (WaitForSingleObject(process_.hProcess, 1) == WAIT_OBJECT_0) Fail(L"ended early");
        if (Now() > deadline) Fail((std::wstring(L"never shows \"") + text + L"\"").c_str());
    }
}

void Target::Click(HWND button) {
    DWORD_PTR result;
    if (!SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_NORMAL, Timeout, &result))
        Fail(L"does not take the click");
}

void Target::PostClick(HWND button) {
    if (!PostMessageW(button, BM_CLICK, 0, 0)) Fail(L"cannot be clicked");
}

SIZE_T Target::PeakWorkingSetKiB() const {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process_.hProcess, &counters, sizeof counters))
        Fail(L"reports no memory figures");
    return counters.PeakWorkingSetSize / 1024;
}

std::vector<std::wstring> Target::Modules() const {
    HMODULE modules[512];
    DWORD needed = 0;
    if (!EnumProcessModules(process_.hProcess, modules, sizeof modules, &needed))
        Fail(L"lists no modules");
    std::vector<std::wstring> names;
    for (DWORD i = 0; i < needed / sizeof(HMODULE) && i < 512; i++) {
        wchar_t name[MAX_PATH];
        if (GetModuleBaseNameW(process_.hProcess, modules[i], name, MAX_PATH))
            names.push_back(name);
    }
    return names;
}

void Target::Close(HWND button) {
    if (button)
        PostClick(button);
    else
        PostMessageW(window_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.hProcess, Timeout) != WAIT_OBJECT_0) Fail(L"does not close");
}
