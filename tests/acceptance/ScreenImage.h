// Pictures of the screen as the desktop shows it, title bars included, and
// screenshots written for people to look at.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct ScreenImage {
    int Width = 0;
    int Height = 0;
    std::vector<COLORREF> Pixels;  // rows top to bottom

    COLORREF At(int x, int y) const { return Pixels[size_t(y) * Width + x]; }
    bool operator==(const ScreenImage& other) const {
        return Width == other.Width && Height == other.Height && Pixels == other.Pixels;
    }
};

// The area of the screen (screen coordinates) as it is now.
ScreenImage CaptureScreen(const RECT& area);

// The area once it has stopped changing: two captures in a row agree.
ScreenImage CaptureSettled(const RECT& area);

// Writes the image as an uncompressed 24-bit BMP file.
bool SaveBmp(const ScreenImage& image, const std::wstring& path);

// Writes <name>.bmp, the window as the screen shows it, into the folder that the
// environment variable INSTALATOR_SCREENSHOT_DIR names; nothing when it is unset.
void SaveScreenshot(HWND window, const std::wstring& name);
