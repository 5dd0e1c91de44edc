#include "Controls.h"

#include <algorithm>

#include "FormLoader.h"

const wchar_t ControlClassName[] = L"TWinControl";

// TControl

TControl::TControl(TComponent* owner) : TComponent(owner) {}

TControl::~TControl() { SetParent(nullptr); }

void TControl::SetParent(TWinControl* parent) {
    if (FParent == parent) return;
    if (FParent) {
        auto& siblings = FParent->FControls;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    FParent = parent;
    if (parent) parent->FControls.push_back(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    RECT bounds{left, top, left + width, top + height};
    if (EqualRect(&bounds, &FBounds)) return;
    Invalidate();
    FBounds = bounds;
    BoundsChanged();
    Invalidate();
}

void TControl::SetVisible(bool visible) {
    if (FVisible == visible) return;
    FVisible = visible;
    VisibleChanged();
}

void TControl::SetEnabled(bool enabled) {
    if (FEnabled == enabled) return;
    FEnabled = enabled;
    EnabledChanged();
}

void TControl::SetCaption(const String& text) {
    if (FText == text) return;
    FText = text;
    TextChanged();
    if (FAutoSize) AdjustSize();
}

bool TControl::Showing() const {
    for (const TControl* c = this; c; c = c->FParent)
        if (!c->FVisible) return false;
    return true;
}

void TControl::Invalidate() {
    if (FParent && FParent->HandleAllocated()) InvalidateRect(FParent->Handle(), &FBounds, TRUE);
}

static bool ReadFontProperty(TFont& font, const AnsiString& name, const TFormValue& value,
                             TFormLoader& loader) {
    if (name == "Font.Name") {
        font.Name = loader.Text(value);
    } else if (name == "Font.Height") {
        font.Height = loader.Int(value);
    } else if (name == "Font.Color") {
        TColor color;
        if (value.Kind == TFormValue::Kind::Ident && IdentToColor(value.Ident, color))
            font.Color = color;
        else
            font.Color = TColor(loader.Int(value));
    } else if (name == "Font.Charset") {
        const AnsiString& charset = loader.Ident(value);
        if (charset == "DEFAULT_CHARSET")
            font.Charset = DEFAULT_CHARSET;
        else if (charset == "EASTEUROPE_CHARSET")
            font.Charset = EASTEUROPE_CHARSET;
        else
            loader.Error("unknown character set " + charset);
    } else if (name == "Font.Style") {
        static const char* const styles[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
        font.Style = 0;
        for (const AnsiString& s : loader.Set(value)) {
            auto it = std::find_if(std::begin(styles), std::end(styles),
                                   [&](const char* n) { return s == n; });
            if (it == std::end(styles)) loader.Error("unknown font style " + s);
            font.Style |= 1u << (it - std::begin(styles));
        }
    } else {
        return false;
    }
    font.Changed();
    return true;
}

bool TControl::ReadProperty(const AnsiString& name, const TFormValue& value, TFormLoader& loader) {
    if (name == "Left")
        SetBounds(loader.Int(value), Top(), Width(), Height());
    else if (name == "Top")
        SetBounds(Left(), loader.Int(value), Width(), Height());
    else if (name == "Width")
        SetBounds(Left(), Top(), loader.Int(value), Height());
    else if (name == "Height")
        SetBounds(Left(), Top(), Width(), loader.Int(value));
    else if (name == "Caption" || name == "Text")
        SetCaption(loader.Text(value));
    else if (name == "Visible")
        SetVisible(loader.Bool(value));
    else if (name == "Enabled")
        SetEnabled(loader.Bool(value));
    else if (name == "TabOrder")
        FTabOrder = loader.Int(value);
    else if (name == "AutoSize")
        FAutoSize = loader.Bool(value);
    else if (name == "ParentFont")
        FParentFont = loader.Bool(value);
    else if (name == "ParentColor")
        FParentColor = loader.Bool(value);
    else if (name == "Color") {
        if (value.Kind != TFormValue::Kind::Ident || !IdentToColor(value.Ident, FColor))
            FColor = TColor(loader.Int(value));
        FParentColor = false;
    } else if (name == "Align") {
        static const char* const aligns[] = {"alNone", "alTop",   "alBottom",
                                             "alLeft", "alRight", "alClient"};
        const AnsiString& ident = loader.Ident(value);
        auto it = std::find_if(std::begin(aligns), std::end(aligns),
                               [&](const char* n) { return ident == n; });
        if (it == std::end(aligns)) loader.Error("unknown alignment " + ident);
        FAlign = TAlign(it - std::begin(aligns));
    } else if (ReadFontProperty(FFont, name, value, loader)) {
        FParentFont = false;
    } else {
        return TComponent::ReadProperty(name, value, loader);
    }
    return true;
}

// Parents are loaded before their children, so inherited settings are final here.
void TControl::Loaded() {
    if (FParent && FParentFont) {
        const TFont& from = FParent->FFont;
        FFont.Name = from.Name;
        FFont.Height = from.Height;
        FFont.Style = from.Style;
        FFont.Color = from.Color;
        FFont.Charset = from.Charset;
        FFont.Changed();
    }
    if (FParent && FParentColor) FColor = FParent->FColor;
    if (FAutoSize) AdjustSize();
}

void TControl::ScaleBy(int multiplier, int divisor) {
    FBounds = {MulDiv(FBounds.left, multiplier, divisor), MulDiv(FBounds.top, multiplier, divisor),
               MulDiv(FBounds.right, multiplier, divisor),
               MulDiv(FBounds.bottom, multiplier, divisor)};
    FFont.Height = MulDiv(FFont.Height, multiplier, divisor);
    FFont.Changed();
}

// TWinControl

TWinControl::~TWinControl() {
    if (FHandle) {
        SetWindowLongPtrW(FHandle, GWLP_USERDATA, 0);
        DestroyWindow(FHandle);
    }
    if (FBrush) DeleteObject(FBrush);
    for (TControl* child : FControls) child->FParent = nullptr;
}

TWinControl* TWinControl::FromHandle(HWND window) {
    return reinterpret_cast<TWinControl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

TCreateParams TWinControl::CreateParams() {
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (Visible()) style |= WS_VISIBLE;
    if (!Enabled()) style |= WS_DISABLED;
    return {ControlClassName, style, WS_EX_CONTROLPARENT};
}

static void RegisterControlClass() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;  // replaced per window, see CreateWnd
    wc.hInstance = HInstance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = ControlClassName;
    RegisterClassW(&wc);
    registered = true;
}

void TWinControl::CreateWnd() {
    RegisterControlClass();
    TCreateParams params = CreateParams();
    HWND parent = Parent() ? Parent()->Handle() : nullptr;
    FHandle =
        CreateWindowExW(params.ExStyle, params.ClassName, Caption().c_str(), params.Style, Left(),
                        Top(), Width(), Height(), parent, nullptr, HInstance, nullptr);
    if (!FHandle)
        throw EOutOfResources(L"Error creating window: " + SysErrorMessage(GetLastError()));
    SetWindowLongPtrW(FHandle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    if (params.ClassName == ControlClassName)
        SetWindowLongPtrW(FHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StdWndProc));
    SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), FALSE);
}

// Windowed children in tab order; equal places keep creation order.
std::vector<TWinControl*> TWinControl::WindowedChildren() const {
    std::vector<TWinControl*> children;
    for (TControl* c : FControls) {
        auto* w = dynamic_cast<TWinControl*>(c);
        if (!w) continue;
        auto place = children.end();
        while (place != children.begin() && (*(place - 1))->TabOrder() > w->TabOrder()) --place;
        children.insert(place, w);
    }
    return children;
}

void TWinControl::CreateHandle() {
    if (!FHandle) CreateWnd();
    // Windows stack in tab order, which is also the order Tab walks.
    HWND after = HWND_TOP;
    for (TWinControl* child : WindowedChildren()) {
        child->CreateHandle();
        SetWindowPos(child->FHandle, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        after = child->FHandle;
    }
}

LRESULT CALLBACK TWinControl::StdWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TWinControl* control = FromHandle(window);
    if (!control) return DefWindowProcW(window, message, wParam, lParam);
    return control->WndProc(message, wParam, lParam);
}

LRESULT TWinControl::DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(FHandle, message, wParam, lParam);
}

LRESULT TWinControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(FHandle, &ps);
            Paint(dc);
            EndPaint(FHandle, &ps);
            return 0;
        }
        case WM_COMMAND:
            if (lParam) {
                if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(lParam)))
                    child->Notify(HIWORD(wParam));
                return 0;
            }
            break;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
            if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(lParam)))
                return reinterpret_cast<LRESULT>(child->CtlColor(reinterpret_cast<HDC>(wParam)));
            break;
    }
    return DefaultHandler(message, wParam, lParam);
}

HBRUSH TWinControl::CtlColor(HDC dc) {
    if (!FBrush) FBrush = CreateSolidBrush(ColorToRGB(Color()));
    SetTextColor(dc, ColorToRGB(Font().Color));
    SetBkColor(dc, ColorToRGB(Color()));
    return FBrush;
}

void TWinControl::PaintBackground(HDC dc) {
    RECT client;
    GetClientRect(FHandle, &client);
    HBRUSH brush = CreateSolidBrush(ColorToRGB(Color()));
    FillRect(dc, &client, brush);
    DeleteObject(brush);
}

// Windowless children, in creation order: a later one paints over an earlier one.
void TWinControl::PaintControls(HDC dc) {
    for (TControl* c : FControls) {
        if (dynamic_cast<TWinControl*>(c) || !c->Visible()) continue;
        int saved = SaveDC(dc);
        IntersectClipRect(dc, c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height());
        c->Paint(dc);
        RestoreDC(dc, saved);
    }
}

void TWinControl::BoundsChanged() {
    if (FHandle)
        SetWindowPos(FHandle, nullptr, Left(), Top(), Width(), Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

// A control that can no longer take the focus passes it on in tab order.
void TWinControl::PassFocusOn() {
    if (!Focused()) return;
    TWinControl* root = this;
    while (root->Parent()) root = root->Parent();
    root->SelectNextFrom(this);
}

void TWinControl::VisibleChanged() {
    if (!FHandle) return;
    if (!Visible()) PassFocusOn();
    ShowWindow(FHandle, Visible() ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::EnabledChanged() {
    if (!FHandle) return;
    if (!Enabled()) PassFocusOn();
    EnableWindow(FHandle, Enabled());
}

void TWinControl::TextChanged() {
    if (FHandle) SetWindowTextW(FHandle, Caption().c_str());
}

bool TWinControl::CanFocus() const {
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return FTabStop;
}

bool TWinControl::Focused() const { return FHandle && GetFocus() == FHandle; }

void TWinControl::SetFocus() {
    if (FHandle) ::SetFocus(FHandle);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) {
    for (TWinControl* child : WindowedChildren()) {
        if (!child->Visible()) continue;
        if (child->FTabStop) list.push_back(child);
        child->GetTabOrderList(list);
    }
}

void TWinControl::SelectNextFrom(TWinControl* current, bool forward) {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return;
    int count = int(list.size());
    auto found = std::find(list.begin(), list.end(), current);
    int start = found == list.end() ? (forward ? -1 : count) : int(found - list.begin());
    for (int step = 1; step <= count; ++step) {
        int i = ((start + (forward ? step : -step)) % count + count) % count;
        if (list[i] != current && list[i]->CanFocus()) {
            list[i]->SetFocus();
            return;
        }
    }
}

void TWinControl::Paint(HDC dc) {
    PaintBackground(dc);
    PaintControls(dc);
}

bool TWinControl::ReadProperty(const AnsiString& name, const TFormValue& value,
                               TFormLoader& loader) {
    return TControl::ReadProperty(name, value, loader);
}

void TWinControl::Loaded() {
    TControl::Loaded();
    AlignControls();
}

void TWinControl::ShowingChanged() {
    for (TControl* c : FControls)
        if (auto* w = dynamic_cast<TWinControl*>(c); w && w->Visible()) w->ShowingChanged();
}

void TWinControl::AlignControls() {
    RECT area{0, 0, Width(), Height()};
    if (FHandle) GetClientRect(FHandle, &area);
    for (TControl* c : FControls) {
        if (c->Align() == alLeft) {
            c->SetBounds(area.left, area.top, c->Width(), area.bottom - area.top);
            area.left += c->Width();
        }
    }
    for (TControl* c : FControls)
        if (c->Align() == alClient)
            c->SetBounds(area.left, area.top, area.right - area.left, area.bottom - area.top);
}
