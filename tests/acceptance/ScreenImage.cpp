#include "ScreenImage.h"

#include "Waiting.h"

ScreenImage CaptureScreen(const RECT& area) {
    ScreenImage image;
    image.Width = area.right - area.left;
    image.Height = area.bottom - area.top;
    if (image.Width <= 0 || image.Height <= 0) return {};

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.Width;
    info.bmiHeader.biHeight = -image.Height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, image.Width, image.Height, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    const auto* pixels = static_cast<const BYTE*>(bits);
    image.Pixels.reserve(size_t(image.Width) * image.Height);
    for (int i = 0; i < image.Width * image.Height; ++i)
        image.Pixels.push_back(RGB(pixels[4 * i + 2], pixels[4 * i + 1], pixels[4 * i]));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return image;
}

ScreenImage CaptureSettled(const RECT& area) {
    ScreenImage last = CaptureScreen(area);
    WaitUntil([&] {
        Sleep(50);  // the sampling interval: what is painted reaches the screen when the program
                    // idles
        ScreenImage now = CaptureScreen(area);
        const bool settled = now == last;
        last = std::move(now);
        return settled;
    });
    return last;
}

bool SaveBmp(const ScreenImage& image, const std::wstring& path) {
    const DWORD rowSize = (DWORD(image.Width) * 3 + 3) & ~3u;
    const DWORD dataSize = rowSize * image.Height;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + dataSize;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = image.Width;
    header.biHeight = image.Height;  // bottom-up
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = dataSize;

    std::vector<BYTE> data(dataSize, 0);
    for (int y = 0; y < image.Height; ++y) {
        BYTE* row = &data[size_t(image.Height - 1 - y) * rowSize];
        for (int x = 0; x < image.Width; ++x) {
            COLORREF c = image.At(x, y);
            row[3 * x] = GetBValue(c);
            row[3 * x + 1] = GetGValue(c);
            row[3 * x + 2] = GetRValue(c);
        }
    }

    HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(out, &file, sizeof file, &written, nullptr) &&
              WriteFile(out, &header, sizeof header, &written, nullptr) &&
              WriteFile(out, data.data(), dataSize, &written, nullptr);
    CloseHandle(out);
    return ok;
}

void SaveScreenshot(HWND window, const std::wstring& name) {
    wchar_t folder[MAX_PATH];
    DWORD length = GetEnvironmentVariableW(L"INSTALATOR_SCREENSHOT_DIR", folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    CreateDirectoryW(folder, nullptr);
    RECT area;
    GetWindowRect(window, &area);
    SaveBmp(CaptureSettled(area), std::wstring(folder) + L"\\" + name + L".bmp");
}
