#include "ExtCtrls.h"

#include <algorithm>

#include "FormLoader.h"

bool TPanel::ReadProperty(const AnsiString& name, const TFormValue& value, TFormLoader& loader) {
    if (name != "BevelOuter") return TWinControl::ReadProperty(name, value, loader);
    const AnsiString& bevel = loader.Ident(value);
    if (bevel != "bvNone" && bevel != "bvRaised") loader.Error("unsupported bevel " + bevel);
    FBevelRaised = bevel == "bvRaised";
    return true;
}

void TPanel::Paint(HDC dc) {
    TWinControl::Paint(dc);
    if (FBevelRaised) {
        RECT r{0, 0, Width(), Height()};
        DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    }
}

// A picture is stored as its graphic class name followed by the graphic's data;
// a bitmap's data is its size and then the BMP file.
bool TImage::ReadProperty(const AnsiString& name, const TFormValue& value, TFormLoader& loader) {
    if (name == "Transparent") {
        FTransparent = loader.Bool(value);
        return true;
    }
    if (name != "Picture.Data") return TGraphicControl::ReadProperty(name, value, loader);
    const std::vector<unsigned char>& data = loader.Binary(value);
    static const char graphic[] = "\7TBitmap";
    const size_t header = sizeof graphic - 1 + 4;
    if (data.size() < header || !std::equal(graphic, graphic + header - 4, data.begin()) ||
        !FPicture.LoadFromBmp(data.data() + header, data.size() - header))
        loader.Error("Picture.Data is not a 24-bit bitmap");
    return true;
}

void TImage::Paint(HDC dc) {
    if (FTransparent)
        FPicture.DrawTransparent(dc, Left(), Top(), FPicture.BottomLeftPixel());
    else
        FPicture.Draw(dc, Left(), Top());
}
