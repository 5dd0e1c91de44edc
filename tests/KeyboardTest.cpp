// The keyboard in the wizard window: the Tab order, Enter and Space on the
// focused button, and the keys that do nothing (Esc, Ctrl+Tab).
#include <gtest/gtest.h>
#include <windows.h>

#include <cctype>
#include <string>
#include <vector>

#include "WizardTest.h"

namespace {

// The name of the control that holds the focus, or what else holds it.
std::string FocusName() {
    HWND focus = GetFocus();
    if (!focus) return "(nothing)";
    TWinControl* control = TWinControl::FindControl(focus);
    return control ? control->Name.c_str() : "(another window)";
}

enum class PageSetup {
    Welcome,            // as the window first comes up
    Detection,          // page 1, its handlers replaced: browse controls hidden
    DetectionBrowsing,  // page 1 with its own handler and no registry value
    Installation,       // page 2, its handler replaced: Back enabled
};

struct TabCase {
    const char* name;
    PageSetup setup;
    const char* cycle;  // Tab from the first control goes round to it again
};

// clang-format off
const TabCase kTabCases[] = {
    {"welcome page, Back disabled",          PageSetup::Welcome,
     "BitBtn2 BitBtn3 PageControl1 BitBtn2"},
    {"detection page",                       PageSetup::Detection,
     "BitBtn1 BitBtn2 BitBtn3 PageControl1 BitBtn1"},
    {"detection page asking for the folder", PageSetup::DetectionBrowsing,
     "BitBtn1 BitBtn3 PageControl1 BitBtn5 BitBtn1"},
    {"installation page",                    PageSetup::Installation,
     "BitBtn1 PageControl1 BitBtn4 BitBtn1"},
};
// clang-format on

std::vector<std::string> Split(const std::string& text) {
    std::vector<std::string> words;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(' ', start);
        if (end == std::string::npos) end = text.size();
        words.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return words;
}

class Keyboard : public WizardTest {
protected:
    void Prepare(PageSetup setup) {
        if (setup != PageSetup::DetectionBrowsing) {
            for (TTabSheet* page : {Form().TabSheet1, Form().TabSheet2, Form().TabSheet3})
                page->OnShow = page->OnHide = nullptr;
        }
        ShowWizard();
        const int page = setup == PageSetup::Welcome ? 0 : setup == PageSetup::Installation ? 2 : 1;
        while (Form().PageControl1->ActivePageIndex() < page) Click(Form().BitBtn2);
        ASSERT_EQ(Form().PageControl1->ActivePageIndex(), page);
    }

    TWinControl* Named(const std::string& name) {
        return dynamic_cast<TWinControl*>(Form().FindComponent(name.c_str()));
    }

    // Presses Tab (or Shift+Tab) once per step and names the focus after each.
    std::string Walk(const std::string& first, size_t steps, bool backwards) {
        Named(first)->SetFocus();
        std::string visited = FocusName();
        for (size_t i = 0; i < steps; ++i) {
            PressKey(VK_TAB, backwards);
            visited += " " + FocusName();
        }
        return visited;
    }

    // What a key left behind: page, button states, program state and boxes.
    std::string State() {
        std::string state = "page " + std::to_string(Form().PageControl1->ActivePageIndex());
        for (TBitBtn* b : {Form().BitBtn1, Form().BitBtn2, Form().BitBtn3})
            state += b->Enabled() ? " +" : " -";
        if (Application->Terminated()) state += " terminated";
        if (!Dialogs.Seen().empty()) state += " dialog";
        return state;
    }
};

std::string Identifier(const char* text) {
    std::string name;
    for (const char* p = text; *p; ++p)
        if (isalnum(static_cast<unsigned char>(*p))) name += *p;
    return name;
}

class TabOrder : public Keyboard, public ::testing::WithParamInterface<TabCase> {};

TEST_P(TabOrder, TabAndShiftTabWalkTheFocusableControls) {
    const TabCase& c = GetParam();
    Prepare(c.setup);
    const std::vector<std::string> cycle = Split(c.cycle);
    EXPECT_EQ(Walk(cycle.front(), cycle.size() - 1, false), c.cycle);
    std::string backwards;
    for (auto it = cycle.rbegin(); it != cycle.rend(); ++it)
        backwards += (backwards.empty() ? "" : " ") + *it;
    EXPECT_EQ(Walk(cycle.front(), cycle.size() - 1, true), backwards);
}

INSTANTIATE_TEST_SUITE_P(Pages, TabOrder, ::testing::ValuesIn(kTabCases),
                         [](const ::testing::TestParamInfo<TabCase>& info) {
                             return Identifier(info.param.name);
                         });

TEST_F(Keyboard, EditBoxIsShownGreyedAndNeverTakesTheFocus) {
    Prepare(PageSetup::DetectionBrowsing);
    ASSERT_TRUE(IsWindowVisible(Form().Edit1->Handle()));
    EXPECT_FALSE(IsWindowEnabled(Form().Edit1->Handle()));
    EXPECT_FALSE(Form().Edit1->CanFocus());
    Form().BitBtn5->SetFocus();
    for (int i = 0; i < 8; ++i) {
        PressKey(VK_TAB, i % 2 != 0);
        EXPECT_NE(GetFocus(), Form().Edit1->Handle());
    }
}

struct KeyCase {
    const char* name;
    const char* focus;
    WORD key;
    const char* after;
};

// clang-format off
const KeyCase kPressCases[] = {
    {"Enter on Next",          "BitBtn2",      VK_RETURN, "page 1 + + +"},
    {"Space on Next",          "BitBtn2",      VK_SPACE,  "page 1 + + +"},
    {"Enter on Cancel",        "BitBtn3",      VK_RETURN, "page 0 - + + terminated"},
    {"Space on Cancel",        "BitBtn3",      VK_SPACE,  "page 0 - + + terminated"},
    {"Enter on page control",  "PageControl1", VK_RETURN, "page 0 - + +"},
    {"Space on page control",  "PageControl1", VK_SPACE,  "page 0 - + +"},
};
// clang-format on

class ButtonKeys : public Keyboard, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(ButtonKeys, PressTheFocusedButtonOnly) {
    const KeyCase& c = GetParam();
    Prepare(PageSetup::Welcome);
    Named(c.focus)->SetFocus();
    PressKey(c.key);
    EXPECT_EQ(State(), c.after);
}

INSTANTIATE_TEST_SUITE_P(EnterAndSpace, ButtonKeys, ::testing::ValuesIn(kPressCases),
                         [](const ::testing::TestParamInfo<KeyCase>& info) {
                             return Identifier(info.param.name);
                         });

// Enter as the window first comes up presses "Dalej >>", which holds the focus.
TEST_F(Keyboard, EnterAtStartPressesNext) {
    Prepare(PageSetup::Welcome);
    PressKey(VK_RETURN);
    EXPECT_EQ(State(), "page 1 + + +");
}

TEST_F(Keyboard, BackByEnterOnTheDetectionPage) {
    Prepare(PageSetup::Detection);
    Form().BitBtn1->SetFocus();
    PressKey(VK_RETURN);
    EXPECT_EQ(State(), "page 0 - + +");
}

class KeysThatDoNothing : public Keyboard, public ::testing::WithParamInterface<PageSetup> {};

// Esc, Ctrl+Tab and Ctrl+Shift+Tab change nothing, wherever the focus is.
TEST_P(KeysThatDoNothing, EscAndCtrlTab) {
    struct NoKey {
        const char* name;
        WORD key;
        bool shift, control;
    };
    const NoKey keys[] = {{"Esc", VK_ESCAPE, false, false},
                          {"Ctrl+Tab", VK_TAB, false, true},
                          {"Ctrl+Shift+Tab", VK_TAB, true, true}};
    Prepare(GetParam());
    const std::string before = State();
    for (const NoKey& k : keys) {
        for (const char* focus : {"PageControl1", "BitBtn1", "BitBtn2", "BitBtn3", "BitBtn4"}) {
            if (!Named(focus)->CanFocus()) continue;
            SCOPED_TRACE(std::string(k.name) + " with the focus on " + focus);
            Named(focus)->SetFocus();
            PressKey(k.key, k.shift, k.control);
            EXPECT_EQ(State(), before);
            EXPECT_EQ(FocusName(), focus);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(OnEachPage, KeysThatDoNothing,
                         ::testing::Values(PageSetup::Welcome, PageSetup::Detection,
                                           PageSetup::Installation),
                         [](const ::testing::TestParamInfo<PageSetup>& info) {
                             return info.param == PageSetup::Welcome     ? "Welcome"
                                    : info.param == PageSetup::Detection ? "Detection"
                                                                         : "Installation";
                         });

}  // namespace
