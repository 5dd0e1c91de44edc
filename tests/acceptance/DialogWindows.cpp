#include "DialogWindows.h"

#include <commctrl.h>

#include "Screen.h"
#include "ScreenImage.h"
#include "Waiting.h"

MessageBoxView ReadMessageBox(HWND box) {
    MessageBoxView view;
    view.Window = box;
    view.Caption = TextOf(box);
    for (HWND control : VisibleDescendants(box)) {
        const std::wstring className = ClassOf(control);
        if (className == L"Button") {
            view.Buttons.push_back(TextOf(control));
        } else if (className == L"Static") {
            const LONG style = GetWindowLongW(control, GWL_STYLE);
            if ((style & SS_TYPEMASK) == SS_ICON) {
                if (SendMessageW(control, STM_GETICON, 0, 0)) {
                    view.HasIcon = true;
                    GetWindowRect(control, &view.IconArea);
                }
            } else if (!TextOf(control).empty()) {
                view.Text = TextOf(control);
            }
        }
    }
    return view;
}

std::vector<HWND> DialogsOf(DWORD processId) {
    std::vector<HWND> dialogs;
    for (HWND window : TopLevelWindows(processId))
        if (ClassOf(window) == L"#32770") dialogs.push_back(window);
    return dialogs;
}

static HWND FolderTree(HWND dialog) {
    for (HWND control : VisibleDescendants(dialog))
        if (ClassOf(control) == L"SysTreeView32") return control;
    return nullptr;
}

static bool HasFolderTree(HWND dialog) { return FolderTree(dialog) != nullptr; }

// The chooser has selected its initial folder: a folder below the tree's root.
static bool ShowsAFolderSelected(HWND dialog) {
    HWND tree = FolderTree(dialog);
    const LRESULT selected = SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0);
    return selected && selected != SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
}

HWND WaitForMessageBox(DWORD processId, const std::wstring& caption) {
    HWND box = nullptr;
    WaitUntil([&] {
        for (HWND dialog : DialogsOf(processId))
            if (TextOf(dialog) == caption && !HasFolderTree(dialog)) box = dialog;
        return box != nullptr;
    });
    return box;
}

HWND WaitForFolderChooser(DWORD processId) {
    HWND chooser = nullptr;
    WaitUntil([&] {
        for (HWND dialog : DialogsOf(processId))
            if (HasFolderTree(dialog) && ShowsAFolderSelected(dialog)) chooser = dialog;
        return chooser != nullptr;
    });
    return chooser;
}

bool LooksLikeStopIcon(const RECT& area) {
    const ScreenImage image = CaptureSettled(area);
    size_t red = 0;
    for (COLORREF c : image.Pixels)
        if (GetRValue(c) > 160 && GetGValue(c) < 100 && GetBValue(c) < 100) ++red;
    return !image.Pixels.empty() && red * 4 > image.Pixels.size();
}
