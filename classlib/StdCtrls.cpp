#include "StdCtrls.h"

#include "FormLoader.h"

SIZE TextExtent(const String& text, TFont& font) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font.Handle());
    RECT r{0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), int(text.size()), &r, DT_CALCRECT | DT_SINGLELINE | DT_LEFT);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return {r.right - r.left, r.bottom - r.top};
}

// TLabel

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) { FAutoSize = true; }

bool TLabel::ReadProperty(const AnsiString& name, const TFormValue& value, TFormLoader& loader) {
    if (name != "Transparent") return TGraphicControl::ReadProperty(name, value, loader);
    FTransparent = loader.Bool(value);
    return true;
}

void TLabel::AdjustSize() {
    SIZE size = TextExtent(Caption(), Font());
    SetBounds(Left(), Top(), size.cx, size.cy);
}

void TLabel::Paint(HDC dc) {
    RECT r = BoundsRect();
    if (!FTransparent) {
        HBRUSH brush = CreateSolidBrush(ColorToRGB(Color()));
        FillRect(dc, &r, brush);
        DeleteObject(brush);
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Font().Color));
    HGDIOBJ old = SelectObject(dc, Font().Handle());
    DrawTextW(dc, Caption().c_str(), int(Caption().size()), &r, DT_LEFT | DT_SINGLELINE);
    SelectObject(dc, old);
}

// TStaticText

TStaticText::TStaticText(TComponent* owner) : TWinControl(owner) { FAutoSize = true; }

TCreateParams TStaticText::CreateParams() {
    TCreateParams params = TWinControl::CreateParams();
    params.ClassName = L"STATIC";
    params.Style = (params.Style & ~WS_CLIPCHILDREN) | SS_LEFT;
    params.ExStyle = 0;
    return params;
}

void TStaticText::AdjustSize() {
    SIZE size = TextExtent(Caption(), Font());
    int border = 4 * GetSystemMetrics(SM_CXBORDER);
    SetBounds(Left(), Top(), size.cx + border, size.cy + border);
}

// TEdit

TEdit::TEdit(TComponent* owner) : TWinControl(owner) { FTabStop = true; }

TCreateParams TEdit::CreateParams() {
    TCreateParams params = TWinControl::CreateParams();
    params.ClassName = L"EDIT";
    params.Style = (params.Style & ~WS_CLIPCHILDREN) | WS_TABSTOP | ES_AUTOHSCROLL;
    params.ExStyle = WS_EX_CLIENTEDGE;
    return params;
}

// A disabled edit box shows its text greyed on the face colour.
HBRUSH TEdit::CtlColor(HDC dc) {
    int back = Enabled() ? COLOR_WINDOW : COLOR_BTNFACE;
    SetTextColor(dc, Enabled() ? ColorToRGB(Font().Color) : GetSysColor(COLOR_GRAYTEXT));
    SetBkColor(dc, GetSysColor(back));
    return GetSysColorBrush(back);
}
