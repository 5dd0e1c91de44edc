// The wizard window as its stored layout builds it: frame, title, every control
// with its place, parent, state, text and font, seen both through the controls
// and through their windows.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "WizardTest.h"

namespace {

std::wstring Wide(const String& text) { return std::wstring(text.begin(), text.end()); }

std::wstring WindowText(HWND window) {
    wchar_t text[1024];
    return std::wstring(text, GetWindowTextW(window, text, 1024));
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64];
    return std::wstring(name, GetClassNameW(window, name, 64));
}

constexpr int kSizedToText = -1;
constexpr int kPageArea = -2;
constexpr int kNoTab = -1;

struct ControlCase {
    const char* name;
    const char* parent;
    int left, top;      // kPageArea: a page, placed by the page control
    int width, height;  // kSizedToText: the size of its text on one line
    int tab;
    bool visible, enabled;
    const wchar_t* text;  // nullptr: checked elsewhere
};

// Every control in creation order.
// clang-format off
const ControlCase kControls[] = {
    // name           parent          left       top  width         height        tab     vis    enabled text
    {"Panel1",       "Form1",         0,         0,   185,          206,          0,      true,  true,  L""},
    {"Image1",       "Panel1",        8,         8,   32,           32,           kNoTab, true,  true,  L""},
    {"Label1",       "Panel1",        54,        10,  kSizedToText, kSizedToText, kNoTab, true,  true,  L"Tervalis"},
    {"Label2",       "Panel1",        52,        8,   kSizedToText, kSizedToText, kNoTab, true,  true,  L"Tervalis"},
    {"Label3",       "Panel1",        8,         72,  kSizedToText, kSizedToText, kNoTab, true,  true,  L"Nakładka R12T"},
    {"Label4",       "Panel1",        8,         124, kSizedToText, kSizedToText, kNoTab, true,  true,  L"KVOREL"},
    {"Label5",       "Panel1",        8,         140, kSizedToText, kSizedToText, kNoTab, true,  true,  nullptr},
    {"Label6",       "Panel1",        10,        160, kSizedToText, kSizedToText, kNoTab, true,  true,  nullptr},
    {"Label7",       "Panel1",        10,        180, kSizedToText, kSizedToText, kNoTab, true,  true,  nullptr},
    {"Image2",       "Panel1",        132,       56,  48,           48,           kNoTab, true,  true,  L""},
    {"Panel2",       "Form1",         185,       0,   481,          206,          1,      true,  true,  L""},
    {"PageControl1", "Panel2",        0,         0,   481,          206,          3,      true,  true,  L""},
    {"TabSheet1",    "PageControl1",  kPageArea, 0,   0,            0,            kNoTab, true,  true,  L""},
    {"StaticText2",  "TabSheet1",     0,         4,   473,          153,          0,      true,  true,  nullptr},
    {"TabSheet2",    "PageControl1",  kPageArea, 0,   0,            0,            kNoTab, false, true,  L""},
    {"StaticText1",  "TabSheet2",     4,         4,   kSizedToText, kSizedToText, 0,      true,  true,
     L"Trwa wyszukiwanie zainstalowanych składników programu."},
    {"StaticText3",  "TabSheet2",     4,         28,  461,          101,          1,      true,  true,  L"Odnaleziono:"},
    {"Edit1",        "TabSheet2",     4,         132, 437,          21,           2,      false, false, L""},
    {"BitBtn5",      "TabSheet2",     442,       132, 25,           21,           3,      false, true,  L"..."},
    {"TabSheet3",    "PageControl1",  kPageArea, 0,   0,            0,            kNoTab, false, true,  L""},
    {"StaticText6",  "TabSheet3",     4,         4,   461,          125,          0,      true,  true,  L""},
    {"BitBtn4",      "TabSheet3",     384,       166, 75,           25,           1,      true,  true,  L"Zamknij."},
    {"StaticText4",  "TabSheet3",     4,         136, 461,          17,           2,      true,  true,  L" "},
    {"BitBtn3",      "Panel2",        16,        172, 75,           25,           2,      true,  true,  L"Anuluj"},
    {"BitBtn1",      "Panel2",        112,       172, 75,           25,           0,      true,  false, L"<< Cofnij"},
    {"BitBtn2",      "Panel2",        204,       172, 75,           25,           1,      true,  true,  L"Dalej >>"},
};
// clang-format on

struct FontCase {
    const char* name;
    const wchar_t* face;
    int height;  // negative: character height in pixels
    unsigned style;
    BYTE charset;
    TColor color;
};

// clang-format off
const FontCase kFonts[] = {
    {"Form1",        L"MS Sans Serif", -11, 0,                     DEFAULT_CHARSET,    clWindowText},
    {"Panel2",       L"MS Sans Serif", -11, 0,                     DEFAULT_CHARSET,    clWindowText},
    {"PageControl1", L"MS Sans Serif", -11, 0,                     DEFAULT_CHARSET,    clWindowText},
    {"TabSheet1",    L"MS Sans Serif", -11, 0,                     DEFAULT_CHARSET,    clWindowText},
    {"TabSheet2",    L"MS Sans Serif", -11, 0,                     DEFAULT_CHARSET,    clWindowText},
    {"TabSheet3",    L"MS Sans Serif", -11, 0,                     DEFAULT_CHARSET,    clWindowText},
    {"Edit1",        L"MS Sans Serif", -11, 0,                     DEFAULT_CHARSET,    clWindowText},
    {"BitBtn1",      L"MS Sans Serif", -11, 0,                     DEFAULT_CHARSET,    clWindowText},
    {"BitBtn2",      L"MS Sans Serif", -11, 0,                     DEFAULT_CHARSET,    clWindowText},
    {"BitBtn3",      L"MS Sans Serif", -11, 0,                     DEFAULT_CHARSET,    clWindowText},
    {"BitBtn4",      L"MS Sans Serif", -11, 0,                     DEFAULT_CHARSET,    clWindowText},
    {"BitBtn5",      L"MS Sans Serif", -11, 0,                     DEFAULT_CHARSET,    clWindowText},
    {"StaticText4",  L"MS Sans Serif", -11, 0,                     DEFAULT_CHARSET,    clWindowText},
    {"Label1",       L"Calibri",       -27, fsBold | fsItalic,     EASTEUROPE_CHARSET, clSilver},
    {"Label2",       L"Calibri",       -27, fsBold | fsItalic,     EASTEUROPE_CHARSET, clYellow},
    {"Label3",       L"MS Sans Serif", -13, fsBold | fsUnderline,  DEFAULT_CHARSET,    clWhite},
    {"Label4",       L"MS Sans Serif", -13, fsBold,                DEFAULT_CHARSET,    clWhite},
    {"Label5",       L"MS Sans Serif", -13, fsBold,                DEFAULT_CHARSET,    clWhite},
    {"Label6",       L"MS Sans Serif", -13, fsBold,                DEFAULT_CHARSET,    clWhite},
    {"Label7",       L"MS Sans Serif", -13, fsBold,                DEFAULT_CHARSET,    clWhite},
    {"StaticText1",  L"MS Sans Serif", -13, fsBold,                DEFAULT_CHARSET,    clWindowText},
    {"StaticText2",  L"MS Sans Serif", -13, 0,                     DEFAULT_CHARSET,    clBlack},
    {"StaticText3",  L"MS Sans Serif", -13, 0,                     DEFAULT_CHARSET,    clWindowText},
    {"StaticText6",  L"MS Sans Serif", -13, 0,                     DEFAULT_CHARSET,    clWindowText},
};
// clang-format on

const FontCase* FontOf(const char* name) {
    for (const FontCase& f : kFonts)
        if (lstrcmpA(f.name, name) == 0) return &f;
    return nullptr;
}

// The size of a text on one line in a font made from the given settings.
SIZE OneLineExtent(const String& text, const FontCase& settings) {
    HFONT font =
        CreateFontW(settings.height, 0, 0, 0, settings.style & fsBold ? FW_BOLD : FW_NORMAL,
                    (settings.style & fsItalic) != 0, (settings.style & fsUnderline) != 0, FALSE,
                    settings.charset, 0, 0, 0, 0, settings.face);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    RECT r{0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), int(text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
    return {r.right, r.bottom};
}

// A window's rectangle in its parent's client coordinates.
RECT PlaceInParent(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string Describe(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " +
           std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
}

class Layout : public WizardTest {
protected:
    TControl* Control(const char* name) {
        return dynamic_cast<TControl*>(Form().FindComponent(name));
    }
};

TEST_F(Layout, DesignedAtNinetySixDotsPerInch) {
    HDC dc = GetDC(nullptr);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    ASSERT_EQ(dpi, 96) << "the layout tests expect a screen of 96 dots per inch";
}

TEST_F(Layout, EveryControlInCreationOrder) {
    ASSERT_EQ(Form().ComponentCount(), int(std::size(kControls)));
    for (int i = 0; i < Form().ComponentCount(); ++i)
        EXPECT_EQ(std::string(Form().Components(i)->Name.c_str()), kControls[i].name) << i;
}

TEST_F(Layout, EachControlsPlaceParentStateAndText) {
    ShowWizard();
    RECT pageArea = Form().TabSheet1->BoundsRect();
    for (const ControlCase& c : kControls) {
        SCOPED_TRACE(c.name);
        TControl* control = Control(c.name);
        ASSERT_NE(control, nullptr);
        ASSERT_NE(control->Parent(), nullptr);
        EXPECT_EQ(std::string(control->Parent()->Name.c_str()), c.parent);

        RECT expected{c.left, c.top, c.left + c.width, c.top + c.height};
        if (c.left == kPageArea) {
            expected = pageArea;
        } else if (c.width == kSizedToText) {
            const FontCase* font = FontOf(c.name);
            ASSERT_NE(font, nullptr);
            SIZE size = OneLineExtent(control->Caption(), *font);
            // A static text adds four border widths each way to its text's size.
            const int border =
                dynamic_cast<TStaticText*>(control) ? 4 * GetSystemMetrics(SM_CXBORDER) : 0;
            expected.right = c.left + size.cx + border;
            expected.bottom = c.top + size.cy + border;
        }
        EXPECT_EQ(Describe(control->BoundsRect()), Describe(expected));
        EXPECT_EQ(control->Visible(), c.visible);
        EXPECT_EQ(control->Enabled(), c.enabled);
        EXPECT_EQ(control->TabOrder(), c.tab);
        EXPECT_EQ(control->Tag, 0);
        if (c.text) {
            EXPECT_EQ(Wide(control->Caption()), c.text);
        } else {
            EXPECT_FALSE(control->Caption().empty());
        }

        auto* windowed = dynamic_cast<TWinControl*>(control);
        if (!windowed) continue;
        // The window agrees with the control.
        HWND window = windowed->Handle();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(GetParent(window), control->Parent()->Handle());
        EXPECT_EQ(Describe(PlaceInParent(window)), Describe(expected));
        EXPECT_EQ((GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0, c.visible);
        EXPECT_EQ(IsWindowEnabled(window) != 0, c.enabled);
        if (c.text) {
            EXPECT_EQ(WindowText(window), c.text);
        }
    }
}

TEST_F(Layout, PagesFillThePageControlInsideItsFrameAndShowNoTabs) {
    TPageControl* pages = Form().PageControl1;
    ASSERT_EQ(pages->PageCount(), 3);
    EXPECT_EQ(pages->Pages(0), Form().TabSheet1);
    EXPECT_EQ(pages->Pages(1), Form().TabSheet2);
    EXPECT_EQ(pages->Pages(2), Form().TabSheet3);
    const RECT area = Form().TabSheet1->BoundsRect();
    EXPECT_GE(area.left, 0);
    EXPECT_GE(area.top, 0);
    EXPECT_LE(area.right, pages->Width());
    EXPECT_LE(area.bottom, pages->Height());
    // Room for what the pages hold: the welcome text at 0,4 473x153, Close at 384,166 75x25.
    EXPECT_GE(area.right - area.left, 473);
    EXPECT_GE(area.bottom - area.top, 191);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_FALSE(pages->Pages(i)->TabVisible());
        EXPECT_EQ(pages->Pages(i)->PageIndex(), i);
        EXPECT_EQ(pages->Pages(i)->PageControl(), pages);
        EXPECT_EQ(Describe(pages->Pages(i)->BoundsRect()), Describe(area));
    }
    // No tab control anywhere: pages without tabs need none.
    for (HWND w = GetWindow(pages->Handle(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        EXPECT_NE(ClassOf(w), L"SysTabControl32");
}

TEST_F(Layout, WindowFrameTitleAndClientArea) {
    ShowWizard();
    HWND window = Form().Handle();
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 666);
    EXPECT_EQ(client.bottom, 206);
    EXPECT_EQ(Form().ClientWidth(), 666);
    EXPECT_EQ(Form().ClientHeight(), 206);

    const LONG style = GetWindowLongW(window, GWL_STYLE);
    const LONG exStyle = GetWindowLongW(window, GWL_EXSTYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_CHILD);
    EXPECT_FALSE(style & WS_THICKFRAME) << "resizable";
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(exStyle & WS_EX_DLGMODALFRAME) << "a dialog frame";
    // No icon in the title bar.
    EXPECT_EQ(SendMessageW(window, WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_EQ(SendMessageW(window, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_EQ(GetClassLongPtrW(window, GCLP_HICON), 0u);
    EXPECT_EQ(GetClassLongPtrW(window, GCLP_HICONSM), 0u);

    EXPECT_EQ(WindowText(window), L"Nakładka dla programu \"Tervalis\" R12T");
    // The application's title and icon are the task-bar entry's.
    EXPECT_EQ(WindowText(Application->Handle()), L"Instalator");
    EXPECT_NE(GetClassLongPtrW(Application->Handle(), GCLP_HICON), 0u);
    EXPECT_EQ(GetWindow(window, GW_OWNER), Application->Handle());
}

TEST_F(Layout, WindowComesUpCentredOnTheScreen) {
    ShowWizard();
    RECT r;
    GetWindowRect(Form().Handle(), &r);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_NEAR(r.left, screenWidth - r.right, 1);
    EXPECT_NEAR(r.top, screenHeight - r.bottom, 1);
}

TEST_F(Layout, FontsAndColours) {
    for (const FontCase& f : kFonts) {
        SCOPED_TRACE(f.name);
        auto* control = dynamic_cast<TControl*>(Form().FindComponent(f.name));
        if (lstrcmpA(f.name, "Form1") == 0) control = &Form();
        ASSERT_NE(control, nullptr);
        TFont& font = control->Font();
        EXPECT_EQ(Wide(font.Name), f.face);
        EXPECT_EQ(font.Height, f.height);
        EXPECT_EQ(font.Style, f.style);
        EXPECT_EQ(font.Charset, f.charset);
        EXPECT_EQ(font.Color, f.color);
        // A standard control's window is given its control's font.
        auto* windowed = dynamic_cast<TWinControl*>(control);
        if (!dynamic_cast<TBitBtn*>(control) && !dynamic_cast<TStaticText*>(control) &&
            !dynamic_cast<TEdit*>(control))
            continue;
        auto handle = reinterpret_cast<HFONT>(SendMessageW(windowed->Handle(), WM_GETFONT, 0, 0));
        LOGFONTW given{};
        ASSERT_TRUE(handle && GetObjectW(handle, sizeof given, &given));
        EXPECT_EQ(std::wstring(given.lfFaceName), f.face);
        EXPECT_EQ(given.lfHeight, f.height);
        EXPECT_EQ(given.lfWeight >= FW_BOLD, (f.style & fsBold) != 0);
    }
    EXPECT_EQ(Form().Color(), clBtnFace);
    EXPECT_EQ(Form().Panel1->Color(), clNavy);
    EXPECT_EQ(Form().Panel2->Color(), clBtnFace);
}

TEST_F(Layout, Pictures) {
    const TBitmap& a = Form().Image1->Picture();
    const TBitmap& b = Form().Image2->Picture();
    EXPECT_EQ(a.Width(), 32);
    EXPECT_EQ(a.Height(), 32);
    EXPECT_FALSE(Form().Image1->Transparent());
    EXPECT_EQ(b.Width(), 48);
    EXPECT_EQ(b.Height(), 48);
    EXPECT_TRUE(Form().Image2->Transparent());
    EXPECT_EQ(b.BottomLeftPixel(), RGB(195, 195, 195));
}

// Controls stack in creation order; on Panel1 the windowless ones are also drawn
// in that order, and on Panel2 the buttons lie above the page control.
TEST_F(Layout, StackingOrder) {
    std::string drawn;
    for (int i = 0; i < Form().Panel1->ControlCount(); ++i)
        drawn += std::string(drawn.empty() ? "" : " ") + Form().Panel1->Controls(i)->Name.c_str();
    EXPECT_EQ(drawn, "Image1 Label1 Label2 Label3 Label4 Label5 Label6 Label7 Image2");

    std::vector<HWND> topToBottom;
    for (HWND w = GetWindow(Form().Panel2->Handle(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        topToBottom.push_back(w);
    auto depth = [&](TWinControl* control) {
        return std::find(topToBottom.begin(), topToBottom.end(), control->Handle()) -
               topToBottom.begin();
    };
    const auto pageControl = depth(Form().PageControl1);
    EXPECT_LT(pageControl, long(topToBottom.size()));
    for (TWinControl* button : {Form().BitBtn1, Form().BitBtn2, Form().BitBtn3})
        EXPECT_LT(depth(button), pageControl) << button->Name.c_str();
}

// Plain push buttons with text only; none is the default or the cancel button.
TEST_F(Layout, ButtonsArePlainPushButtons) {
    for (TBitBtn* button :
         {Form().BitBtn1, Form().BitBtn2, Form().BitBtn3, Form().BitBtn4, Form().BitBtn5}) {
        SCOPED_TRACE(button->Name.c_str());
        HWND window = button->Handle();
        const LONG style = GetWindowLongW(window, GWL_STYLE);
        EXPECT_EQ(lstrcmpiW(ClassOf(window).c_str(), L"Button"), 0);
        EXPECT_EQ(style & BS_TYPEMASK, BS_PUSHBUTTON);
        EXPECT_FALSE(style & (BS_BITMAP | BS_ICON));
        EXPECT_EQ(SendMessageW(window, BM_GETIMAGE, IMAGE_BITMAP, 0), 0);
        EXPECT_TRUE(style & WS_TABSTOP);
    }
}

// Static texts wrap at word boundaries and take an ampersand as a mnemonic.
TEST_F(Layout, StaticTextsWrapAndShowMnemonics) {
    for (TStaticText* text : {Form().StaticText1, Form().StaticText2, Form().StaticText3,
                              Form().StaticText4, Form().StaticText6}) {
        SCOPED_TRACE(text->Name.c_str());
        HWND window = text->Handle();
        const LONG style = GetWindowLongW(window, GWL_STYLE);
        EXPECT_EQ(lstrcmpiW(ClassOf(window).c_str(), L"Static"), 0);
        EXPECT_EQ(style & SS_TYPEMASK, SS_LEFT);
        EXPECT_FALSE(style & SS_NOPREFIX);
        EXPECT_FALSE(style & WS_TABSTOP);
    }
    EXPECT_EQ(lstrcmpiW(ClassOf(Form().Edit1->Handle()).c_str(), L"Edit"), 0);
}

// A fixed-size static text keeps its size whatever text it is given.
TEST_F(Layout, FixedSizeStaticTextsNeverGrow) {
    ShowWizard();
    const String longText(2000, L'x');
    for (TStaticText* text :
         {Form().StaticText2, Form().StaticText3, Form().StaticText4, Form().StaticText6}) {
        SCOPED_TRACE(text->Name.c_str());
        const std::string before = Describe(PlaceInParent(text->Handle()));
        text->SetCaption(longText + L" " + longText + L"\r" + longText);
        EXPECT_EQ(Describe(PlaceInParent(text->Handle())), before);
        EXPECT_EQ(Describe(text->BoundsRect()), before);
    }
}

TEST_F(Layout, NextHoldsTheFocusWhenTheWindowIsFirstShown) {
    EXPECT_EQ(Form().ActiveControl(), Form().BitBtn2);
    ShowWizard();
    EXPECT_EQ(GetFocus(), Form().BitBtn2->Handle());
    EXPECT_EQ(GetForegroundWindow(), Form().Handle());
}

}  // namespace
