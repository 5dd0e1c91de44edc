#include "JourneyTest.h"

#include <algorithm>
#include <cstring>

#include "Input.h"
#include "ProgramTexts.h"
#include "Screen.h"
#include "ScreenImage.h"
#include "Waiting.h"

namespace {

// The owner's name that the demonstration library (demo/) reports, in code page 1250.
constexpr char DemoOwnerBytes[] = "Laboratorium Bada\xF1 Demonstracyjne";

std::wstring Decode(const char* bytes, UINT codePage) {
    wchar_t text[256];
    int length = MultiByteToWideChar(codePage, 0, bytes, -1, text, 256);
    return std::wstring(text, length > 0 ? length - 1 : 0);
}

std::wstring Wide(const char* text) { return std::wstring(text, text + strlen(text)); }

}  // namespace

std::wstring JourneyTest::MakeHostFolder(const std::wstring& library, bool templatesFolder) {
    const std::wstring host = Temp / L"Tervalis";
    MakeFolder(host);
    if (templatesFolder) MakeFolder(host + L"\\SZABLONY");
    EXPECT_TRUE(CopyInto(library, host)) << "cannot copy " << library;
    return host;
}

void JourneyTest::StartInstaller(const std::wstring& exe) {
    Installer = std::make_unique<InstallerProcess>(exe);
    ASSERT_TRUE(Installer->Started()) << "cannot start the installer, error " << GetLastError();
    Wizard = Installer->WaitForWizard();
    ASSERT_NE(Wizard, nullptr) << "the installer's window did not come up";
}

void JourneyTest::ExpectControls(const Lines& expected) {
    Lines shown;
    WaitUntil([&] {
        shown = DescribeControls(Wizard);
        return shown == expected;
    });
    EXPECT_EQ(expected, shown) << Report();
}

std::wstring JourneyTest::Report() const {
    std::wstring report = Installer->Running() ? L"the installer runs" : L"the installer has ended";
    for (HWND window : TopLevelWindows(Installer->Id()))
        report += L"; window " + ClassOf(window) + L" \"" + TextOf(window) + L"\"";
    return report;
}

HWND JourneyTest::PageControl() const {
    // Every page shows a static text; its page's parent is the page control.
    for (HWND control : VisibleDescendants(Wizard))
        if (ClassOf(control) == L"Static") return GetParent(GetParent(control));
    return nullptr;
}

std::wstring JourneyTest::Focused() const {
    HWND focus = FocusOf(Installer->ThreadId());
    if (!focus) return L"nothing";
    if (focus == PageControl()) return L"page control";
    return ClassOf(focus) + L": " + TextOf(focus);
}

void JourneyTest::ExpectFocus(const std::wstring& expected) {
    std::wstring focused;
    WaitUntil([&] {
        focused = Focused();
        return focused == expected;
    });
    EXPECT_EQ(expected, focused);
}

void JourneyTest::ClickButton(const std::wstring& caption) {
    HWND button = FindControl(Wizard, L"Button", caption);
    ASSERT_NE(button, nullptr) << "no visible button " << caption;
    ClickMiddleOf(button);
}

void JourneyTest::Press(std::initializer_list<WORD> keys, HWND window) {
    ASSERT_TRUE(BringToFront(window ? window : Wizard));
    PressKeys(keys);
}

MessageBoxView JourneyTest::ExpectMessageBox(const std::wstring& text, bool icon) {
    HWND box = WaitForMessageBox(Installer->Id(), ApplicationTitle);
    EXPECT_NE(box, nullptr) << "no message box came up";
    if (!box) return {};
    const MessageBoxView view = ReadMessageBox(box);
    EXPECT_EQ(ApplicationTitle, view.Caption);
    EXPECT_EQ(text, view.Text);
    EXPECT_EQ(std::vector<std::wstring>{L"OK"}, view.Buttons);
    EXPECT_EQ(icon, view.HasIcon);
    return view;
}

void JourneyTest::ClickOk(const MessageBoxView& box) {
    HWND ok = FindControl(box.Window, L"Button", L"OK");
    ASSERT_NE(ok, nullptr);
    ClickMiddleOf(ok);
    WaitUntilGone(box.Window);
}

void JourneyTest::WaitUntilGone(HWND window) {
    EXPECT_TRUE(WaitUntil([window] { return !IsWindow(window) || !IsWindowVisible(window); }))
        << "the window stays on screen";
}

void JourneyTest::ClickCloseBox() {
    TITLEBARINFO titleBar{};
    titleBar.cbSize = sizeof titleBar;
    ASSERT_TRUE(GetTitleBarInfo(Wizard, &titleBar));
    // The close box is the last button at the right end of the title bar.
    const RECT& bar = titleBar.rcTitleBar;
    const POINT box{bar.right - GetSystemMetrics(SM_CXSIZE) / 2 - 1, (bar.top + bar.bottom) / 2};
    DWORD_PTR hit = 0;
    SendMessageTimeoutW(Wizard, WM_NCHITTEST, 0, MAKELPARAM(box.x, box.y), SMTO_ABORTIFHUNG, 5000,
                        &hit);
    ASSERT_EQ(DWORD_PTR(HTCLOSE), hit) << "no close box at the right end of the title bar";
    ASSERT_TRUE(BringToFront(Wizard));
    ClickAt(box);
}

void JourneyTest::ConfirmChooser(HWND chooser) {
    HWND ok = GetDlgItem(chooser, IDOK);
    ASSERT_NE(ok, nullptr) << "the folder chooser has no OK button";
    ClickMiddleOf(ok);
    WaitUntilGone(chooser);
}

void JourneyTest::ExpectEndsWithStatusZero() { EXPECT_EQ(0u, Installer->WaitForExit()); }

void JourneyTest::ExpectTemplatesInstalled(const std::wstring& host) {
    const std::wstring installed = host + L"\\SZABLONY";
    const std::vector<std::wstring> names = NamesIn(TemplateSources());
    ASSERT_EQ(18u, names.size()) << "the template sources are not where the build says";
    EXPECT_EQ(names, NamesIn(installed));
    for (const std::wstring& name : names)
        EXPECT_TRUE(ReadBytes(TemplateSources() + L"\\" + name) ==
                    ReadBytes(installed + L"\\" + name))
            << "differs from its source: " << name;
}

void JourneyTest::Screenshot(const std::wstring& step, HWND window) {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    std::wstring name =
        Wide(test->test_suite_name()) + L"-cp" + std::to_wstring(GetACP()) + L"-" + step;
    std::replace(name.begin(), name.end(), L'/', L'.');
    SaveScreenshot(window ? window : Wizard, name);
}

// The installer inherits this process's environment, and so its code page.
std::wstring JourneyTest::DemoOwner() const { return Decode(DemoOwnerBytes, GetACP()); }
