#include "Dialogs.h"

#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "Forms.h"

void ShowMessage(const String& text) { Application->MessageBox(text, MB_OK); }

namespace {

// Disables the program's enabled windows while a modal dialog is up.
class TTaskWindowsDisabled {
public:
    TTaskWindowsDisabled() { EnumThreadWindows(GetCurrentThreadId(), Disable, LPARAM(this)); }
    ~TTaskWindowsDisabled() {
        for (HWND window : FDisabled) EnableWindow(window, TRUE);
    }

private:
    static BOOL CALLBACK Disable(HWND window, LPARAM self) {
        if (IsWindowVisible(window) && IsWindowEnabled(window)) {
            EnableWindow(window, FALSE);
            reinterpret_cast<TTaskWindowsDisabled*>(self)->FDisabled.push_back(window);
        }
        return TRUE;
    }
    std::vector<HWND> FDisabled;
};

// No critical-error boxes while the user browses drives.
class TErrorModeSet {
public:
    TErrorModeSet() : FPrevious(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
    ~TErrorModeSet() { SetErrorMode(FPrevious); }

private:
    UINT FPrevious;
};

int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM, LPARAM initial) {
    if (message == BFFM_INITIALIZED && initial) SendMessageW(dialog, BFFM_SETSELECTIONA, TRUE, initial);
    return 0;
}

bool IsFolder(const AnsiString& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

bool SelectDirectory(const String& caption, AnsiString& directory) {
    BROWSEINFOW info{};
    info.hwndOwner = Application->Handle();
    info.lpszTitle = caption.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = BrowseCallback;
    info.lParam = IsFolder(directory) ? LPARAM(directory.c_str()) : 0;

    LPITEMIDLIST chosen;
    {
        TTaskWindowsDisabled disabled;
        TErrorModeSet errorMode;
        chosen = SHBrowseForFolderW(&info);
    }
    if (!chosen) return false;
    char path[MAX_PATH] = "";
    bool ok = SHGetPathFromIDListA(chosen, path);
    IMalloc* malloc;
    if (SUCCEEDED(SHGetMalloc(&malloc))) {
        malloc->Free(chosen);
        malloc->Release();
    }
    if (ok) directory = path;
    return ok;
}
