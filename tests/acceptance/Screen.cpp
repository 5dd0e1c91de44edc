#include "Screen.h"

#include <algorithm>

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = L"";
    GetClassNameW(window, name, 256);
    return name;
}

std::wstring TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
        return L"<no answer>";
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), LPARAM(text.data()), SMTO_ABORTIFHUNG,
                        5000, &copied);
    text.resize(copied);
    return text;
}

namespace {

struct TopLevelSearch {
    DWORD ProcessId;
    std::vector<HWND> Found;
};

BOOL CALLBACK AddIfOfProcess(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<TopLevelSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search.ProcessId && IsWindowVisible(window)) search.Found.push_back(window);
    return TRUE;
}

BOOL CALLBACK AddIfVisible(HWND window, LPARAM data) {
    if (IsWindowVisible(window)) reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindows(DWORD processId) {
    TopLevelSearch search{processId, {}};
    EnumWindows(AddIfOfProcess, LPARAM(&search));
    return search.Found;
}

std::vector<HWND> VisibleDescendants(HWND window) {
    std::vector<HWND> found;
    EnumChildWindows(window, AddIfVisible, LPARAM(&found));
    std::stable_sort(found.begin(), found.end(), [](HWND a, HWND b) {
        RECT ra, rb;
        GetWindowRect(a, &ra);
        GetWindowRect(b, &rb);
        return ra.top != rb.top ? ra.top < rb.top : ra.left < rb.left;
    });
    return found;
}

std::vector<std::wstring> DescribeControls(HWND window) {
    std::vector<std::wstring> lines;
    for (HWND control : VisibleDescendants(window)) {
        const std::wstring className = ClassOf(control);
        if (className == L"TWinControl") continue;
        std::wstring line = className + L": " + TextOf(control);
        if (!IsWindowEnabled(control)) line += L" (disabled)";
        lines.push_back(line);
    }
    return lines;
}

HWND FindControl(HWND window, const wchar_t* className, const std::wstring& text) {
    for (HWND control : VisibleDescendants(window))
        if (ClassOf(control) == className && TextOf(control) == text) return control;
    return nullptr;
}

HWND FocusOf(DWORD threadId) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(threadId, &info) ? info.hwndFocus : nullptr;
}
