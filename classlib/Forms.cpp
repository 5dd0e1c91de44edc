#include "Forms.h"

#include <cwctype>

#include "FormLoader.h"

static TApplication TheApplication;
TApplication* Application = &TheApplication;

void DispatchEvent(const TNotifyEvent& event, TObject* sender) {
    if (!event) return;
    try {
        event(sender);
    } catch (const Exception& e) {
        Application->HandleException(e);
    } catch (const std::exception& e) {
        Application->HandleException(Exception(FromAnsi(e.what())));
    }
}

// TForm

TForm::TForm(TComponent* owner) : TWinControl(owner) { SetVisible(false); }

TForm::~TForm() {
    if (Application->FMainForm == this) Application->FMainForm = nullptr;
}

void TForm::LoadLayout(const TPublishedTable& published) {
    AnsiString name = published.ClassName;
    CharUpperA(&name[0]);
    TResourceStream stream(HInstance, name, MAKEINTRESOURCEA(10));  // RT_RCDATA
    TFormObject root =
        ReadFormStream(static_cast<const unsigned char*>(stream.Memory()), size_t(stream.Size()));
    TFormLoader(*this, published).Load(root);
    CreateHandle();
    DispatchEvent(OnCreate, this);
}

bool TForm::ReadProperty(const AnsiString& name, const TFormValue& value, TFormLoader& loader) {
    if (name == "ClientWidth")
        SetBounds(Left(), Top(), loader.Int(value), Height());
    else if (name == "ClientHeight")
        SetBounds(Left(), Top(), Width(), loader.Int(value));
    else if (name == "BorderStyle")
        FBorderStyle = loader.Ident(value) == "bsDialog" ? bsDialog : bsSizeable;
    else if (name == "BorderIcons") {
        FSystemMenu = false;
        for (const AnsiString& icon : loader.Set(value))
            if (icon == "biSystemMenu")
                FSystemMenu = true;
            else
                loader.Error("unsupported border icon " + icon);
    } else if (name == "Position")
        FPosition = loader.Ident(value) == "poScreenCenter" ? poScreenCenter : poDesigned;
    else if (name == "ActiveControl")
        loader.Reference(value,
                         [this](TComponent* c) { FActiveControl = dynamic_cast<TWinControl*>(c); });
    else if (name == "OnCreate")
        OnCreate = loader.Method(value);
    else if (name == "PixelsPerInch")
        FPixelsPerInch = loader.Int(value);
    else if (name == "TextHeight")
        FTextHeight = loader.Int(value);
    else
        return TWinControl::ReadProperty(name, value, loader);
    return true;
}

void TForm::Loaded() {
    ScaleToScreen();
    TWinControl::Loaded();
}

// Positions and sizes hold at the layout's resolution; a screen whose scaled
// form font has another text height scales the whole window with it.
void TForm::ScaleToScreen() {
    HDC dc = GetDC(nullptr);
    int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    int textHeight = FTextHeight;
    if (dpi != FPixelsPerInch) {
        TFont scaled;
        scaled.Name = Font().Name;
        scaled.Height = MulDiv(Font().Height, dpi, FPixelsPerInch);
        scaled.Style = Font().Style;
        scaled.Charset = Font().Charset;
        HGDIOBJ old = SelectObject(dc, scaled.Handle());
        TEXTMETRICW metrics;
        if (GetTextMetricsW(dc, &metrics)) textHeight = metrics.tmHeight;
        SelectObject(dc, old);
    }
    ReleaseDC(nullptr, dc);
    if (textHeight == FTextHeight) return;
    ScaleBy(textHeight, FTextHeight);
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* control = dynamic_cast<TControl*>(Components(i)))
            control->ScaleBy(textHeight, FTextHeight);
}

TCreateParams TForm::CreateParams() {
    DWORD style = WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (FSystemMenu) style |= WS_SYSMENU;
    DWORD exStyle = WS_EX_CONTROLPARENT;
    if (FBorderStyle == bsDialog)
        exStyle |= WS_EX_DLGMODALFRAME;
    else
        style |= WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    return {ControlClassName, style, exStyle};
}

// The form's bounds are its client area; the window around it is sized to fit.
void TForm::CreateWnd() {
    TCreateParams params = CreateParams();
    RECT outer{0, 0, Width(), Height()};
    AdjustWindowRectEx(&outer, params.Style, FALSE, params.ExStyle);
    int width = outer.right - outer.left, height = outer.bottom - outer.top;
    int x = Left(), y = Top();
    if (FPosition == poScreenCenter) {
        x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
        y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    }
    TWinControl::CreateWnd();
    SetWindowLongPtrW(Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(Application->Handle()));
    SetWindowPos(Handle(), nullptr, x, y, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TForm::BoundsChanged() {}  // the window is sized once, when it is created

void TForm::Show() {
    if (!HandleAllocated()) CreateHandle();
    SetVisible(true);
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    if (FActiveControl && FActiveControl->CanFocus())
        FActiveControl->SetFocus();
    else
        SelectNextFrom(nullptr);
    ShowingChanged();
}

void TForm::Close() {
    if (Application->MainForm() == this)
        Application->Terminate();
    else
        SetVisible(false);
}

LRESULT TForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:
            Close();
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus && IsChild(Handle(), focus)) FLastFocus = focus;
                return 0;
            }
            [[fallthrough]];
        case WM_SETFOCUS: {
            TWinControl* last = FindControl(FLastFocus);
            if (last && IsWindow(FLastFocus) && last->CanFocus())
                last->SetFocus();
            else if (FActiveControl && FActiveControl->CanFocus())
                FActiveControl->SetFocus();
            else
                SelectNextFrom(nullptr);
            return 0;
        }
    }
    return TWinControl::WndProc(message, wParam, lParam);
}

// TApplication

// DLLs loaded on demand come from System32 only, never from the program's folder
// or the current directory.
static void RestrictDllSearch() {
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    using SetDefaultDirs = BOOL(WINAPI*)(DWORD);
    auto setDefault = reinterpret_cast<SetDefaultDirs>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
    if (!setDefault || !setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) SetDllDirectoryW(L"");
}

TApplication::TApplication() : TComponent(nullptr) { RestrictDllSearch(); }

void TApplication::Initialize() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = WndProc;
    wc.hInstance = HInstance;
    wc.hIcon = LoadIconW(HInstance, L"MAINICON");
    wc.lpszClassName = L"TApplication";
    RegisterClassW(&wc);
    int x = GetSystemMetrics(SM_CXSCREEN) / 2, y = GetSystemMetrics(SM_CYSCREEN) / 2;
    FHandle = CreateWindowExW(0, wc.lpszClassName, FTitle.c_str(),
                              WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                              x, y, 0, 0, nullptr, nullptr, HInstance, nullptr);
}

void TApplication::SetTitle(const String& title) {
    FTitle = title;
    if (FHandle) SetWindowTextW(FHandle, FTitle.c_str());
}

LRESULT CALLBACK TApplication::WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TForm* main = Application->FMainForm;
    switch (message) {
        case WM_CLOSE:
            if (main) main->Close();
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE && main && main->HandleAllocated() &&
                IsWindowVisible(main->Handle()))
                SetActiveWindow(main->Handle());
            return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void TApplication::Run() {
    if (FMainForm) {
        FMainForm->Show();
        ShowWindow(FHandle, SW_SHOWNOACTIVATE);
        MSG msg;
        while (!FTerminated && GetMessageW(&msg, nullptr, 0, 0) > 0) {
            if (DialogKey(msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    FTerminated = true;
    while (ComponentCount() > 0) delete Components(ComponentCount() - 1);
    FMainForm = nullptr;
    if (FHandle) DestroyWindow(FHandle);
    FHandle = nullptr;
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            FTerminated = true;
            return;
        }
        if (DialogKey(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void TApplication::Terminate() {
    FTerminated = true;
    PostQuitMessage(0);
}

// Keyboard navigation of the form: Tab and Shift+Tab walk the tab order, Enter
// presses the focused button, Esc and Ctrl+Tab do nothing.
bool TApplication::DialogKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || !FMainForm || !FMainForm->HandleAllocated()) return false;
    if (GetAncestor(msg.hwnd, GA_ROOT) != FMainForm->Handle()) return false;
    switch (msg.wParam) {
        case VK_TAB:
            if (GetKeyState(VK_CONTROL) >= 0)
                FMainForm->SelectNextFrom(TWinControl::FindControl(GetFocus()),
                                          GetKeyState(VK_SHIFT) >= 0);
            return true;
        case VK_RETURN: {
            HWND focus = GetFocus();
            LRESULT code = focus ? SendMessageW(focus, WM_GETDLGCODE, 0, 0) : 0;
            if (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))
                SendMessageW(focus, BM_CLICK, 0, 0);
            return true;
        }
        case VK_ESCAPE:
            return true;
    }
    return false;
}

void TApplication::HandleException(const Exception& e) {
    String text = e.Message();
    if (!text.empty() && text.back() > L'.') text += L'.';
    MessageBox(text, MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const String& text, UINT flags) {
    TFocusKeeper focus;
    return MessageBoxW(nullptr, text.c_str(), FTitle.c_str(), flags | MB_TASKMODAL);
}

// TFocusKeeper

TFocusKeeper::~TFocusKeeper() {
    if (FActive && IsWindow(FActive) && IsWindowEnabled(FActive)) SetActiveWindow(FActive);
    if (FFocus && IsWindow(FFocus) && IsWindowEnabled(FFocus) && IsWindowVisible(FFocus))
        SetFocus(FFocus);
}
