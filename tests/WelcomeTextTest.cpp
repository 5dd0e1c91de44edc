// The welcome text and the window's other Polish texts, exactly: in UTF-16 on
// screen whatever the code page, and as code page 1250 bytes through the ANSI
// calls on a Polish system.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>

#include "WizardTest.h"

namespace {

std::wstring Wide(const String& text) { return std::wstring(text.begin(), text.end()); }

const wchar_t kWelcome[] =
    L"Instalator zainstaluje nakładkę na szablony sprawozdania z badań.\r"
    L"Efekt działania:\r"
    L"Przywraca wersję szablonu sprawozdania sprzed zainstalowania nakładki R12P\r"
    L"\r"
    L"Naciśnij przycisk \"Dalej >>\" jeśli chcesz kontynuować.\r";

// The same text in code page 1250.
const char kWelcome1250[] =
    "Instalator zainstaluje nak\xB3"
    "adk\xEA na szablony sprawozdania z bada\xF1.\r"
    "Efekt dzia\xB3"
    "ania:\r"
    "Przywraca wersj\xEA szablonu sprawozdania sprzed zainstalowania nak\xB3"
    "adki R12P\r"
    "\r"
    "Naci\x9Cnij przycisk \"Dalej >>\" je\x9Cli chcesz kontynuowa\xE6.\r";

std::wstring WindowTextW(HWND window) {
    wchar_t text[1024];
    return std::wstring(text, GetWindowTextW(window, text, 1024));
}

std::string WindowTextA(HWND window) {
    char text[1024];
    return std::string(text, GetWindowTextA(window, text, 1024));
}

std::wstring From1250(const std::string& bytes) {
    wchar_t text[1024];
    return std::wstring(text, MultiByteToWideChar(1250, MB_ERR_INVALID_CHARS, bytes.data(),
                                                  int(bytes.size()), text, 1024));
}

struct TextCase {
    const char* control;
    const wchar_t* text;
    const char* bytes1250;
};

// The window texts with letters outside ASCII.
const TextCase kTexts[] = {
    {"Form1", L"Nakładka dla programu \"Tervalis\" R12T",
     "Nak\xB3"
     "adka dla programu \"Tervalis\" R12T"},
    {"StaticText2", kWelcome, kWelcome1250},
    {"StaticText1", L"Trwa wyszukiwanie zainstalowanych składników programu.",
     "Trwa wyszukiwanie zainstalowanych sk\xB3"
     "adnik\xF3w programu."},
};

class WelcomeText : public WizardTest {
protected:
    HWND WindowOf(const char* name) {
        if (lstrcmpA(name, "Form1") == 0) return Form().Handle();
        return dynamic_cast<TWinControl*>(Form().FindComponent(name))->Handle();
    }
};

TEST_F(WelcomeText, FiveLinesEachEndedByACarriageReturn) {
    ASSERT_EQ(From1250(kWelcome1250), kWelcome) << "the two spellings of the text differ";
    EXPECT_EQ(Wide(Form().StaticText2->Caption()), kWelcome);
    EXPECT_EQ(WindowTextW(Form().StaticText2->Handle()), kWelcome);
    // Built from three pieces, each appended to what the control held.
    const std::wstring text = Wide(Form().StaticText2->Caption());
    EXPECT_EQ(std::count(text.begin(), text.end(), L'\r'), 5);
    EXPECT_EQ(text.find(L'\n'), std::wstring::npos);
    EXPECT_EQ(text.find(L'\0'), std::wstring::npos);
}

TEST_F(WelcomeText, IsOnScreenWhenTheWindowFirstComesUp) {
    ShowWizard();
    EXPECT_TRUE(IsWindowVisible(Form().StaticText2->Handle()));
    EXPECT_EQ(WindowTextW(Form().StaticText2->Handle()), kWelcome);
}

TEST_F(WelcomeText, UnicodeWindowTextsAreExactInEveryCodePage) {
    for (const TextCase& c : kTexts) {
        SCOPED_TRACE(c.control);
        EXPECT_EQ(WindowTextW(WindowOf(c.control)), c.text);
    }
}

TEST_F(WelcomeText, AnsiWindowTextsAreCodePage1250BytesOnAPolishSystem) {
    if (GetACP() != 1250) GTEST_SKIP() << "the ANSI code page is " << GetACP() << ", not 1250";
    for (const TextCase& c : kTexts) {
        SCOPED_TRACE(c.control);
        EXPECT_EQ(WindowTextA(WindowOf(c.control)), c.bytes1250);
    }
}

}  // namespace
