// Forms and the application object.
#pragma once

#include <windows.h>

#include <vector>

#include "Controls.h"

class TForm;

// What a form class publishes to its stored layout: its control fields and handlers.
struct TPublishedField {
    const char* Name;
    bool (*Bind)(TForm& form, TComponent* component);  // false: the component has the wrong class
};
struct TPublishedMethod {
    const char* Name;
    void (*Call)(TForm& form, TObject* sender);
};
// A constant array seen as a range.
template <class T>
struct TArrayRef {
    const T* First;
    const T* Last;
    template <size_t N>
    constexpr TArrayRef(const T (&array)[N]) : First(array), Last(array + N) {}
    const T* begin() const { return First; }
    const T* end() const { return Last; }
};

struct TPublishedTable {
    const char* ClassName;  // also the name of the layout resource, in upper case
    TArrayRef<TPublishedField> Fields;
    TArrayRef<TPublishedMethod> Methods;
};

template <class T>
struct TMemberOf;
template <class C, class M>
struct TMemberOf<M C::*> {
    using Class = C;
    using Type = M;
};

template <auto Field>
bool PublishedField(TForm& form, TComponent* component) {
    using Member = TMemberOf<decltype(Field)>;
    auto* typed = dynamic_cast<typename Member::Type>(component);
    if (!typed) return false;
    static_cast<typename Member::Class&>(form).*Field = typed;
    return true;
}

template <auto Method>
void PublishedMethod(TForm& form, TObject* sender) {
    using Member = TMemberOf<decltype(Method)>;
    (static_cast<typename Member::Class&>(form).*Method)(sender);
}

enum TFormBorderStyle { bsSizeable, bsDialog };
enum TPosition { poDesigned, poScreenCenter };

class TForm : public TWinControl {
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;

    TNotifyEvent OnCreate;

    // Reads the layout resource named after the class, then raises OnCreate.
    void LoadLayout(const TPublishedTable& published);
    void Show();
    // Asks the form to close; closing the main form ends the application.
    void Close();

    TWinControl* ActiveControl() const { return FActiveControl; }
    int ClientWidth() const { return Width(); }
    int ClientHeight() const { return Height(); }

    bool ReadProperty(const AnsiString& name, const TFormValue& value,
                      TFormLoader& loader) override;
    void Loaded() override;

protected:
    TCreateParams CreateParams() override;
    void CreateWnd() override;
    void BoundsChanged() override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void ScaleToScreen();

    TWinControl* FActiveControl = nullptr;
    HWND FLastFocus = nullptr;
    TFormBorderStyle FBorderStyle = bsSizeable;
    bool FSystemMenu = true;
    TPosition FPosition = poDesigned;
    int FPixelsPerInch = 96;
    int FTextHeight = 13;
};

// Keeps the active window and the focused control across a modal dialog. The
// dialog's owners are disabled while it is up, so no window of the program gets
// the activation or the focus back by itself when it closes.
class TFocusKeeper {
public:
    TFocusKeeper() : FActive(GetActiveWindow()), FFocus(GetFocus()) {}
    ~TFocusKeeper();
    TFocusKeeper(const TFocusKeeper&) = delete;
    TFocusKeeper& operator=(const TFocusKeeper&) = delete;

private:
    HWND FActive;
    HWND FFocus;
};

class TApplication : public TComponent {
public:
    TApplication();

    void Initialize();
    const String& Title() const { return FTitle; }
    void SetTitle(const String& title);
    HWND Handle() const { return FHandle; }
    TForm* MainForm() const { return FMainForm; }

    // Creates a form from its stored layout; the first one becomes the main form.
    template <class F>
    void CreateForm(F*& reference) {
        reference = new F(this);
        if (!FMainForm) FMainForm = reference;
        reference->LoadLayout(F::Published);
    }

    // Shows the main form and dispatches messages until Terminate.
    void Run();
    void Terminate();
    bool Terminated() const { return FTerminated; }
    // Dispatches the messages that are waiting; returns at once when there are none.
    void ProcessMessages();
    // The default handler: the exception's message in an error box.
    void HandleException(const Exception& e);
    // A task-modal message box with the application title as its caption.
    int MessageBox(const String& text, UINT flags);

private:
    friend class TForm;
    bool DialogKey(const MSG& msg);
    static LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND FHandle = nullptr;
    String FTitle;
    TForm* FMainForm = nullptr;
    bool FTerminated = false;
};

extern TApplication* Application;
