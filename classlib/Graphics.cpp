#include "Graphics.h"

COLORREF ColorToRGB(TColor color) {
    if (color & 0x80000000) return GetSysColor(int(color & 0xFF));
    return COLORREF(color);
}

bool IdentToColor(const AnsiString& ident, TColor& color) {
    static const struct {
        const char* name;
        TColor color;
    } colors[] = {{"clBlack", clBlack},    {"clNavy", clNavy},   {"clSilver", clSilver},
                  {"clYellow", clYellow},  {"clWhite", clWhite}, {"clWindowText", clWindowText},
                  {"clBtnFace", clBtnFace}};
    for (const auto& c : colors)
        if (ident == c.name) {
            color = c.color;
            return true;
        }
    return false;
}

HFONT TFont::Handle() const {
    if (!FHandle) {
        LOGFONTW font{};
        font.lfHeight = Height;
        font.lfWeight = Style & fsBold ? FW_BOLD : FW_NORMAL;
        font.lfItalic = (Style & fsItalic) != 0;
        font.lfUnderline = (Style & fsUnderline) != 0;
        font.lfStrikeOut = (Style & fsStrikeOut) != 0;
        font.lfCharSet = Charset;
        font.lfQuality = DEFAULT_QUALITY;
        lstrcpynW(font.lfFaceName, Name.c_str(), LF_FACESIZE);
        FHandle.reset(CreateFontIndirectW(&font));
    }
    return FHandle.get();
}

bool TBitmap::LoadFromBmp(const unsigned char* data, size_t size) {
    if (size < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) || data[0] != 'B' ||
        data[1] != 'M')
        return false;
    BITMAPFILEHEADER file;
    CopyMemory(&file, data, sizeof file);
    CopyMemory(&FInfo.bmiHeader, data + sizeof file, sizeof FInfo.bmiHeader);
    const BITMAPINFOHEADER& h = FInfo.bmiHeader;
    if (h.biBitCount != 24 || h.biCompression != BI_RGB || h.biWidth <= 0 || h.biHeight <= 0)
        return false;
    size_t stride = (size_t(h.biWidth) * 3 + 3) & ~size_t(3);
    size_t bytes = stride * size_t(h.biHeight);
    if (file.bfOffBits > size || size - file.bfOffBits < bytes) return false;
    FInfo.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    FPixels.assign(data + file.bfOffBits, data + file.bfOffBits + bytes);
    return true;
}

COLORREF TBitmap::BottomLeftPixel() const {
    if (FPixels.empty()) return 0;
    return RGB(FPixels[2], FPixels[1], FPixels[0]);
}

void TBitmap::Draw(HDC dc, int x, int y) const {
    if (FPixels.empty()) return;
    SetDIBitsToDevice(dc, x, y, Width(), Height(), 0, 0, 0, Height(), FPixels.data(), &FInfo,
                      DIB_RGB_COLORS);
}

// Draws every pixel but those of the transparent colour, through a monochrome mask.
void TBitmap::DrawTransparent(HDC dc, int x, int y, COLORREF transparent) const {
    if (FPixels.empty()) return;
    int w = Width(), h = Height();
    HDC imageDc = CreateCompatibleDC(dc);
    HBITMAP image = CreateCompatibleBitmap(dc, w, h);
    HGDIOBJ oldImage = SelectObject(imageDc, image);
    SetDIBitsToDevice(imageDc, 0, 0, w, h, 0, 0, 0, h, FPixels.data(), &FInfo, DIB_RGB_COLORS);

    HDC maskDc = CreateCompatibleDC(dc);
    HBITMAP mask = CreateBitmap(w, h, 1, 1, nullptr);
    HGDIOBJ oldMask = SelectObject(maskDc, mask);
    SetBkColor(imageDc, transparent);
    BitBlt(maskDc, 0, 0, w, h, imageDc, 0, 0, SRCCOPY);  // transparent pixels become 1

    // Where the mask is 1 keep the destination, elsewhere copy the image.
    SelectObject(maskDc, oldMask);
    MaskBlt(dc, x, y, w, h, imageDc, 0, 0, mask, 0, 0, MAKEROP4(0x00AA0029, SRCCOPY));

    SelectObject(imageDc, oldImage);
    DeleteObject(mask);
    DeleteObject(image);
    DeleteDC(maskDc);
    DeleteDC(imageDc);
}
