// Reading the screen: the windows of another process, their texts and states,
// as an accessibility tool sees them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

std::wstring ClassOf(HWND window);
// The window's text (WM_GETTEXT, which every standard control answers).
std::wstring TextOf(HWND window);

// The process's visible top-level windows.
std::vector<HWND> TopLevelWindows(DWORD processId);

// The window's visible descendants in reading order: top to bottom, then left to right.
std::vector<HWND> VisibleDescendants(HWND window);

// One line per visible control of the window, in reading order: "Static: <text>",
// "Button: <caption>", "Edit: <text>", each followed by " (disabled)" when it is
// disabled. Containers ("TWinControl") have no text and are left out.
std::vector<std::wstring> DescribeControls(HWND window);

// The visible descendant of the given class and text, or null.
HWND FindControl(HWND window, const wchar_t* className, const std::wstring& text);

// The window that has the keyboard focus in the given thread, or null.
HWND FocusOf(DWORD threadId);
