// Answers the modal dialogs that the code under test opens on this thread, the
// message boxes and the folder chooser, as a user would: each one is recorded
// when it comes up and then answered by the next queued answer, or with OK.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <vector>

#include "System.h"

class ModalDialogs {
public:
    struct Dialog {
        String Caption;
        std::vector<String> Texts;  // its static texts, in window order
        bool HasIcon = false;       // a message box with an icon
        HICON Icon = nullptr;       // that icon
        HWND Owner = nullptr;
        std::vector<String> Buttons;  // the captions of its buttons, in window order
        bool FolderChooser = false;
        String Text() const;  // all static texts, one per line
    };

    ModalDialogs();
    ~ModalDialogs();
    ModalDialogs(const ModalDialogs&) = delete;
    ModalDialogs& operator=(const ModalDialogs&) = delete;

    // The next folder chooser selects this folder and is confirmed.
    void ChooseFolder(const AnsiString& folder);
    // The next dialog is cancelled.
    void CancelNext();

    const std::vector<Dialog>& Seen() const { return FSeen; }

    // Runs on each dialog as it comes up, before it is answered.
    std::function<void(HWND dialog)> Inspect;

private:
    struct Answer {
        bool Cancel;
        AnsiString Folder;  // empty: confirm what is selected
    };
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    void Answer(HWND dialog);

    HHOOK FHook;
    std::deque<struct Answer> FAnswers;
    std::vector<Dialog> FSeen;
    static ModalDialogs* FCurrent;
};
