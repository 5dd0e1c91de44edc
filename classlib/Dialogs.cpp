#include "Dialogs.h"

#include <shlobj.h>
#include <windows.h>

#include <vector>

#include "Forms.h"
#include "SysUtils.h"

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

// Some shells miss the first selection of a folder whose parents they have not
// listed yet; a second one lands.
int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM, LPARAM initial) {
    if (message == BFFM_INITIALIZED && initial)
        for (int i = 0; i < 2; ++i) SendMessageW(dialog, BFFM_SETSELECTIONA, TRUE, initial);
    return 0;
}

bool IsFolder(const AnsiString& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

// The shell is loaded when the chooser is first used, not at every start-up.
// The DLL search is restricted to System32, so this finds the system's copy.
struct TShellFunctions {
    decltype(&SHBrowseForFolderW) BrowseForFolder;
    decltype(&SHGetPathFromIDListA) GetPathFromIDList;
    decltype(&SHGetMalloc) GetMalloc;
};

static bool LoadShell(TShellFunctions& shell) {
    HMODULE module = LoadLibraryW(L"shell32.dll");
    if (!module) return false;
    auto find = [module](const char* name) {
        return reinterpret_cast<void*>(GetProcAddress(module, name));
    };
    shell.BrowseForFolder =
        reinterpret_cast<decltype(shell.BrowseForFolder)>(find("SHBrowseForFolderW"));
    shell.GetPathFromIDList =
        reinterpret_cast<decltype(shell.GetPathFromIDList)>(find("SHGetPathFromIDListA"));
    shell.GetMalloc = reinterpret_cast<decltype(shell.GetMalloc)>(find("SHGetMalloc"));
    return shell.BrowseForFolder && shell.GetPathFromIDList && shell.GetMalloc;
}

bool SelectDirectory(const String& caption, AnsiString& directory) {
    TShellFunctions shell;
    if (!LoadShell(shell)) throw Exception(L"The folder chooser is not available");

    BROWSEINFOW info{};
    info.hwndOwner = Application->Handle();
    info.lpszTitle = caption.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = BrowseCallback;
    info.lParam = IsFolder(directory) ? LPARAM(directory.c_str()) : 0;

    LPITEMIDLIST chosen;
    {
        TFocusKeeper focus;  // given back once the windows are enabled again
        TTaskWindowsDisabled disabled;
        TErrorModeSet errorMode;
        chosen = shell.BrowseForFolder(&info);
    }
    if (!chosen) return false;
    char path[MAX_PATH] = "";
    bool ok = shell.GetPathFromIDList(chosen, path);
    IMalloc* malloc;
    if (SUCCEEDED(shell.GetMalloc(&malloc))) {
        malloc->Free(chosen);
        malloc->Release();
    }
    if (ok) directory = path;
    return ok;
}
