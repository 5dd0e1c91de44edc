// Panels and pictures.
#pragma once

#include "Controls.h"

class TPanel : public TWinControl {
public:
    using TWinControl::TWinControl;

    bool ReadProperty(const AnsiString& name, const TFormValue& value,
                      TFormLoader& loader) override;
    void Paint(HDC dc) override;

private:
    bool FBevelRaised = true;
};

// A windowless picture, drawn at its natural size.
class TImage : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;

    bool ReadProperty(const AnsiString& name, const TFormValue& value,
                      TFormLoader& loader) override;
    void Paint(HDC dc) override;
    const TBitmap& Picture() const { return FPicture; }
    bool Transparent() const { return FTransparent; }

private:
    TBitmap FPicture;
    bool FTransparent = false;
};
