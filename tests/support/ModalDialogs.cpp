#include "ModalDialogs.h"

#include <shlobj.h>

ModalDialogs* ModalDialogs::FCurrent = nullptr;

ModalDialogs::ModalDialogs()
    : FHook(SetWindowsHookExW(WH_CALLWNDPROCRET, Hook, nullptr, GetCurrentThreadId())) {
    FCurrent = this;
}

ModalDialogs::~ModalDialogs() {
    UnhookWindowsHookEx(FHook);
    FCurrent = nullptr;
}

void ModalDialogs::ChooseFolder(const AnsiString& folder) { FAnswers.push_back({false, folder}); }

void ModalDialogs::CancelNext() { FAnswers.push_back({true, AnsiString()}); }

String ModalDialogs::Dialog::Text() const {
    String all;
    for (const String& text : Texts) all += (all.empty() ? L"" : L"\n") + text;
    return all;
}

static String WindowText(HWND window) {
    wchar_t text[2048];
    int n = GetWindowTextW(window, text, 2048);
    return String(text, n);
}

static String ClassOf(HWND window) {
    wchar_t name[64];
    int n = GetClassNameW(window, name, 64);
    return String(name, n);
}

// A dialog is read and answered once its WM_INITDIALOG has returned: its texts,
// icon and buttons are set then, before it comes on screen.
LRESULT CALLBACK ModalDialogs::Hook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_INITDIALOG && FCurrent &&
        ClassOf(call->hwnd) == L"#32770")
        FCurrent->Answer(call->hwnd);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Shown when its dialog is: the dialog itself is not on screen yet.
static bool Shown(HWND child) { return GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE; }

void ModalDialogs::Answer(HWND window) {
    Dialog seen;
    seen.Caption = WindowText(window);
    seen.Owner = GetWindow(window, GW_OWNER);
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        String kind = ClassOf(child);
        if (lstrcmpiW(kind.c_str(), L"Static") == 0) {
            if (HICON icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0))) {
                seen.HasIcon = true;
                seen.Icon = icon;
            } else if (Shown(child) && GetWindowTextLengthW(child) > 0)
                seen.Texts.push_back(WindowText(child));
        }
        if (kind == L"SysTreeView32") seen.FolderChooser = true;
        if (lstrcmpiW(kind.c_str(), L"Button") == 0 && Shown(child))
            seen.Buttons.push_back(WindowText(child));
    }
    FSeen.push_back(seen);
    if (Inspect) Inspect(window);

    struct Answer answer {
        false, AnsiString()
    };
    if (!FAnswers.empty()) {
        answer = FAnswers.front();
        FAnswers.pop_front();
    }
    // Wine's chooser sometimes misses the first selection of a folder whose
    // parents it has not listed yet; a second one always lands.
    for (int i = 0; i < 2 && !answer.Folder.empty(); ++i)
        SendMessageW(window, BFFM_SETSELECTIONA, TRUE,
                     reinterpret_cast<LPARAM>(answer.Folder.c_str()));
    PostMessageW(window, WM_COMMAND, answer.Cancel ? IDCANCEL : IDOK, 0);
}
