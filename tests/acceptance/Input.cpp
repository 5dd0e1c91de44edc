#include "Input.h"

#include <vector>

#include "ScreenImage.h"
#include "Waiting.h"

bool BringToFront(HWND window) {
    HWND top = GetAncestor(window, GA_ROOT);
    return WaitUntil([top] {
        if (GetForegroundWindow() == top) return true;
        SetForegroundWindow(top);
        return false;
    });
}

namespace {

INPUT MouseInput(DWORD flags, LONG dx = 0, LONG dy = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
    input.mi.dwFlags = flags;
    return input;
}

// Absolute mouse coordinates run from 0 to 65535 across the screen.
LONG Normalised(LONG coordinate, int screenSize) {
    return LONG((coordinate * 65536LL + screenSize / 2) / screenSize);
}

bool IsExtendedKey(WORD key) {
    switch (key) {
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
        case VK_HOME:
        case VK_END:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_INSERT:
        case VK_DELETE:
            return true;
    }
    return false;
}

INPUT KeyInput(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = WORD(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags =
        (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(key) ? KEYEVENTF_EXTENDEDKEY : 0);
    return input;
}

void Send(std::vector<INPUT> inputs) {
    SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
}

}  // namespace

void ClickAt(POINT point) {
    const LONG x = Normalised(point.x, GetSystemMetrics(SM_CXSCREEN));
    const LONG y = Normalised(point.y, GetSystemMetrics(SM_CYSCREEN));
    Send({MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y),
          MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP)});
}

void ClickMiddleOf(HWND window) {
    BringToFront(window);
    // A person clicks what the screen shows: a window that has just come up
    // takes a click only once it is there, drawn and still.
    RECT whole;
    GetWindowRect(GetAncestor(window, GA_ROOT), &whole);
    CaptureSettled(whole);
    RECT r;
    GetWindowRect(window, &r);
    ClickAt({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

void PressKeys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> inputs;
    for (WORD key : keys) inputs.push_back(KeyInput(key, false));
    for (auto key = keys.end(); key != keys.begin();) inputs.push_back(KeyInput(*--key, true));
    Send(inputs);
}
