#include "Buttons.h"

#include "FormLoader.h"

TBitBtn::TBitBtn(TComponent* owner) : TWinControl(owner) { FTabStop = true; }

void TBitBtn::Click() { DispatchEvent(OnClick, this); }

bool TBitBtn::ReadProperty(const AnsiString& name, const TFormValue& value, TFormLoader& loader) {
    if (name != "OnClick") return TWinControl::ReadProperty(name, value, loader);
    OnClick = loader.Method(value);
    return true;
}

TCreateParams TBitBtn::CreateParams() {
    TCreateParams params = TWinControl::CreateParams();
    params.ClassName = L"BUTTON";
    params.Style = (params.Style & ~WS_CLIPCHILDREN) | WS_TABSTOP | BS_PUSHBUTTON;
    params.ExStyle = 0;
    return params;
}

void TBitBtn::Notify(WORD code) {
    if (code == BN_CLICKED) Click();
}
