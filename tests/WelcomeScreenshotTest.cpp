// The welcome page as painted: a picture of the window, written as a BMP file
// into INSTALATOR_SCREENSHOT_DIR when it is set, and checked where its pixels
// are fixed: the panels' colours, the two pictures and the title's shadow.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "WizardTest.h"

namespace {

// The pixels of a device context's area, rows top to bottom.
struct Picture {
    int Width = 0, Height = 0;
    std::vector<COLORREF> Pixels;

    COLORREF At(int x, int y) const { return Pixels[size_t(y) * Width + x]; }
};

Picture Capture(HDC source, int left, int top, int width, int height) {
    Picture picture{width, height, {}};
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(source);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, source, left, top, SRCCOPY);
    GdiFlush();
    const auto* bytes = static_cast<const BYTE*>(bits);
    for (int i = 0; i < width * height; ++i)
        picture.Pixels.push_back(RGB(bytes[4 * i + 2], bytes[4 * i + 1], bytes[4 * i]));
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
    return picture;
}

// A bitmap as drawn by itself on a background of the given colour.
Picture Drawn(const TBitmap& bitmap, bool transparent, COLORREF background) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, bitmap.Width(), bitmap.Height());
    HGDIOBJ old = SelectObject(memory, canvas);
    RECT all{0, 0, bitmap.Width(), bitmap.Height()};
    HBRUSH brush = CreateSolidBrush(background);
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    if (transparent)
        bitmap.DrawTransparent(memory, 0, 0, bitmap.BottomLeftPixel());
    else
        bitmap.Draw(memory, 0, 0);
    Picture picture = Capture(memory, 0, 0, bitmap.Width(), bitmap.Height());
    SelectObject(memory, old);
    DeleteObject(canvas);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return picture;
}

bool SaveBmp(const Picture& picture, const std::wstring& path) {
    const DWORD rowSize = (DWORD(picture.Width) * 3 + 3) & ~3u;
    const DWORD dataSize = rowSize * picture.Height;
    BITMAPFILEHEADER file{0x4D42, 0, 0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    file.bfSize = file.bfOffBits + dataSize;
    BITMAPINFOHEADER header{
        sizeof header, picture.Width, picture.Height, 1, 24, BI_RGB, dataSize, 0, 0, 0, 0};
    std::vector<BYTE> data(dataSize, 0);
    for (int y = 0; y < picture.Height; ++y) {
        BYTE* row = &data[size_t(picture.Height - 1 - y) * rowSize];  // bottom-up
        for (int x = 0; x < picture.Width; ++x) {
            const COLORREF c = picture.At(x, y);
            row[3 * x] = GetBValue(c);
            row[3 * x + 1] = GetGValue(c);
            row[3 * x + 2] = GetRValue(c);
        }
    }
    HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(out, &file, sizeof file, &written, nullptr) &&
                    WriteFile(out, &header, sizeof header, &written, nullptr) &&
                    WriteFile(out, data.data(), dataSize, &written, nullptr);
    CloseHandle(out);
    return ok;
}

std::string Hex(COLORREF c) {
    char text[8];
    wsprintfA(text, "%02x%02x%02x", GetRValue(c), GetGValue(c), GetBValue(c));
    return text;
}

// The rightmost column and lowest row that hold a pixel of exactly this colour.
POINT FarCorner(const Picture& p, const RECT& area, COLORREF colour) {
    POINT corner{-1, -1};
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (p.At(x, y) == colour) {
                corner.x = std::max<LONG>(corner.x, x);
                corner.y = std::max<LONG>(corner.y, y);
            }
    return corner;
}

class WelcomeScreenshot : public WizardTest {
protected:
    void SetUp() override {
        WizardTest::SetUp();
        ShowWizard();
        RedrawWindow(Form().Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
        HDC dc = GetWindowDC(Form().Handle());
        RECT r;
        GetWindowRect(Form().Handle(), &r);
        Window = Capture(dc, 0, 0, r.right - r.left, r.bottom - r.top);
        ReleaseDC(Form().Handle(), dc);
        POINT origin{0, 0};
        ClientToScreen(Form().Handle(), &origin);
        ClientLeft = origin.x - r.left;
        ClientTop = origin.y - r.top;
    }

    // A pixel of the client area.
    COLORREF At(int x, int y) const { return Window.At(ClientLeft + x, ClientTop + y); }

    bool TrueColour() const {
        HDC screen = GetDC(nullptr);
        const int bits = GetDeviceCaps(screen, BITSPIXEL);
        ReleaseDC(nullptr, screen);
        return bits >= 24;
    }

    Picture Window;
    int ClientLeft = 0, ClientTop = 0;
};

TEST_F(WelcomeScreenshot, IsWrittenUnderTheScreenshotFolder) {
    wchar_t folder[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"INSTALATOR_SCREENSHOT_DIR", folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) GTEST_SKIP() << "INSTALATOR_SCREENSHOT_DIR is not set";
    CreateDirectoryW(folder, nullptr);
    const std::wstring path = std::wstring(folder) + L"\\wizard-welcome.bmp";
    ASSERT_TRUE(SaveBmp(Window, path));
    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data));
    EXPECT_GT(data.nFileSizeLow, DWORD(666 * 206 * 3));
}

TEST_F(WelcomeScreenshot, PanelsAndPicturesArePaintedWhereTheLayoutPutsThem) {
    if (!TrueColour()) GTEST_SKIP() << "the screen has fewer than 24 bits per pixel";
    const COLORREF navy = RGB(0, 0, 128);
    EXPECT_EQ(Hex(At(100, 110)), Hex(navy)) << "Panel1";
    EXPECT_EQ(Hex(At(5, 200)), Hex(navy)) << "Panel1";
    EXPECT_EQ(Hex(At(185 + 400, 165)), Hex(GetSysColor(COLOR_BTNFACE))) << "Panel2";

    // Picture A, every pixel; picture B with its grey background left out.
    const struct {
        TImage* image;
        bool transparent;
    } pictures[] = {{Form().Image1, false}, {Form().Image2, true}};
    for (const auto& p : pictures) {
        SCOPED_TRACE(p.image->Name.c_str());
        const Picture expected = Drawn(p.image->Picture(), p.transparent, navy);
        int wrong = 0;
        for (int y = 0; y < expected.Height; ++y)
            for (int x = 0; x < expected.Width; ++x)
                if (At(p.image->Left() + x, p.image->Top() + y) != expected.At(x, y)) ++wrong;
        EXPECT_EQ(wrong, 0);
    }
    // Picture B's background colour is nowhere on the panel.
    for (int y = 0; y < 206; ++y)
        for (int x = 0; x < 185; ++x) ASSERT_NE(At(x, y), RGB(195, 195, 195)) << x << "," << y;
}

// The yellow title lies over its silver copy, 2 pixels higher and further left.
TEST_F(WelcomeScreenshot, TitleHasItsShadowTwoPixelsRightAndBelow) {
    if (!TrueColour()) GTEST_SKIP() << "the screen has fewer than 24 bits per pixel";
    RECT area = Form().Label1->BoundsRect();
    UnionRect(&area, &area, &Form().Label2->BoundsRect());
    OffsetRect(&area, ClientLeft, ClientTop);
    const POINT yellow = FarCorner(Window, area, RGB(255, 255, 0));
    const POINT silver = FarCorner(Window, area, RGB(192, 192, 192));
    ASSERT_GE(yellow.x, 0) << "no yellow title";
    ASSERT_GE(silver.x, 0) << "no silver shadow";
    EXPECT_EQ(silver.x - yellow.x, 2);
    EXPECT_EQ(silver.y - yellow.y, 2);
}

}  // namespace
