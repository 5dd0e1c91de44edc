// The installer's dialogs: message boxes and the shell's folder chooser, both
// "#32770" windows of its process.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct MessageBoxView {
    HWND Window = nullptr;
    std::wstring Caption;
    std::wstring Text;
    bool HasIcon = false;
    RECT IconArea{};  // screen coordinates, when it has one
    std::vector<std::wstring> Buttons;
};

// What a message box shows.
MessageBoxView ReadMessageBox(HWND box);

// The process's visible message box with the given caption, once it is up;
// null if none comes.
HWND WaitForMessageBox(DWORD processId, const std::wstring& caption);

// The process's visible folder chooser (a dialog with a folder tree), once it is
// up and shows its initial folder selected; null if none comes.
HWND WaitForFolderChooser(DWORD processId);

// The process's visible dialogs, message boxes and folder choosers alike.
std::vector<HWND> DialogsOf(DWORD processId);

// Whether the area of the screen is mostly the red of a stop sign.
bool LooksLikeStopIcon(const RECT& area);
