// Colours, fonts and bitmaps.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "System.h"

// An RGB value, or 0x80000000 | a system colour index.
using TColor = unsigned;

constexpr TColor clBlack = 0x000000;
constexpr TColor clNavy = 0x800000;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clWindowText = 0x80000000 | COLOR_WINDOWTEXT;
constexpr TColor clBtnFace = 0x80000000 | COLOR_BTNFACE;

COLORREF ColorToRGB(TColor color);
bool IdentToColor(const AnsiString& ident, TColor& color);

enum TFontStyle { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

class TFont {
public:
    String Name = L"MS Sans Serif";
    int Height = -11;  // negative: character height in pixels
    unsigned Style = 0;
    TColor Color = clWindowText;
    BYTE Charset = DEFAULT_CHARSET;

    HFONT Handle() const;  // created on first use, kept until the font changes
    void Changed() { FHandle.reset(); }

private:
    struct Deleter {
        void operator()(HFONT font) const { DeleteObject(font); }
    };
    mutable std::unique_ptr<std::remove_pointer_t<HFONT>, Deleter> FHandle;
};

// A device-independent bitmap read from a BMP file image.
class TBitmap {
public:
    bool LoadFromBmp(const unsigned char* data, size_t size);
    bool Empty() const { return FPixels.empty(); }
    int Width() const { return FInfo.bmiHeader.biWidth; }
    int Height() const { return FInfo.bmiHeader.biHeight; }
    COLORREF BottomLeftPixel() const;
    void Draw(HDC dc, int x, int y) const;
    void DrawTransparent(HDC dc, int x, int y, COLORREF transparent) const;

private:
    BITMAPINFO FInfo{};
    std::vector<unsigned char> FPixels;  // bottom-up 24-bit rows
};
