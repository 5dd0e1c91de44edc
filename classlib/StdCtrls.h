// Labels, static texts and edit boxes.
#pragma once

#include "Controls.h"

// A windowless one-line text, sized to its text unless told otherwise.
class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* owner);

    bool ReadProperty(const AnsiString& name, const TFormValue& value,
                      TFormLoader& loader) override;
    void Paint(HDC dc) override;

protected:
    void TextChanged() override { Invalidate(); }
    void AdjustSize() override;

private:
    bool FTransparent = false;
};

// A static text window: wraps at word boundaries and clips at its fixed size,
// or sizes itself to its text on one line.
class TStaticText : public TWinControl {
public:
    explicit TStaticText(TComponent* owner);

protected:
    TCreateParams CreateParams() override;
    void AdjustSize() override;
};

class TEdit : public TWinControl {
public:
    explicit TEdit(TComponent* owner);

protected:
    TCreateParams CreateParams() override;
    HBRUSH CtlColor(HDC dc) override;
};

// The size of a text written on one line in a font, ampersands taken as mnemonics.
SIZE TextExtent(const String& text, TFont& font);
