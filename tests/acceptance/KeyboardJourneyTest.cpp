// The whole way with the keyboard alone: the focus starts on Next, Tab walks
// the tab order of each page, Enter and Space press the focused button, Esc
// and Ctrl+Tab change nothing, Alt+F4 on the last page ends the installer.
#include <algorithm>

#include "Input.h"
#include "JourneyTest.h"
#include "ProgramTexts.h"
#include "Screen.h"

namespace {

const std::wstring PageControlFocus = L"page control";

class KeyboardJourney : public JourneyTest {
protected:
    // Presses Tab once for each control of the cycle, expecting the focus on
    // each in turn after the one that has it (on the first when none has), so
    // that the focus ends where it began.
    void ExpectTabCycle(const Lines& cycle) {
        size_t index = Position(cycle);
        for (size_t i = 0; i < cycle.size(); ++i) {
            index = (index + 1) % cycle.size();
            Press({VK_TAB});
            ExpectFocus(cycle[index]);
        }
    }

    // Presses Tab until the control has the focus, along a cycle checked before.
    void TabTo(const std::wstring& control, const Lines& cycle) {
        for (size_t index = Position(cycle); cycle[index] != control;) {
            index = (index + 1) % cycle.size();
            Press({VK_TAB});
            ExpectFocus(cycle[index]);
            if (HasFailure()) return;
        }
    }

    // Each of the key presses changes nothing: neither the page nor the focus.
    // A Tab after each shows when it has been handled (the focus moves on), and
    // Shift+Tab brings the focus back for the next one.
    void ExpectNothingChangesOn(std::initializer_list<std::initializer_list<WORD>> presses,
                                const Lines& page, const Lines& cycle) {
        const size_t index = Position(cycle);
        for (auto keys : presses) {
            Press(keys);
            Press({VK_TAB});
            ExpectFocus(cycle[(index + 1) % cycle.size()]);
            ExpectControls(page);
            Press({VK_SHIFT, VK_TAB});
            ExpectFocus(cycle[index]);
        }
    }

private:
    // Where the focus is in the cycle; with no focus, just before the first.
    size_t Position(const Lines& cycle) {
        const std::wstring focused = Focused();
        const auto at = std::find(cycle.begin(), cycle.end(), focused);
        EXPECT_TRUE(at != cycle.end() || focused == L"nothing") << "focus on " << focused;
        return at != cycle.end() ? size_t(at - cycle.begin()) : cycle.size() - 1;
    }
};

TEST_F(KeyboardJourney, GoesAllTheWayWithKeys) {
    const std::wstring host = MakeHostFolder(DemoLibrary());
    ASSERT_TRUE(CopyInto(InstallerExe(), host));  // where the folder chooser opens
    StartInstaller(host + L"\\Instalator.exe");
    ASSERT_FALSE(HasFatalFailure());
    const std::wstring back = Button(BackCaption), next = Button(NextCaption);
    const std::wstring cancel = Button(CancelCaption), browse = Button(BrowseCaption);

    // Welcome: Back is disabled.
    ExpectFocus(next);
    const Lines welcomeCycle{next, cancel, PageControlFocus};
    ExpectTabCycle(welcomeCycle);
    ExpectNothingChangesOn({{VK_ESCAPE}, {VK_CONTROL, VK_TAB}, {VK_CONTROL, VK_SHIFT, VK_TAB}},
                           WelcomePage(), welcomeCycle);
    Press({VK_RETURN});

    // No registry value: Next is disabled until a folder has been chosen.
    const Lines searching = BrowsingPage(RegistryMissingText, L"", false);
    ExpectControls(searching);
    const Lines searchingCycle{back, cancel, PageControlFocus, browse};
    ExpectTabCycle(searchingCycle);
    ExpectNothingChangesOn({{VK_ESCAPE}, {VK_CONTROL, VK_TAB}, {VK_CONTROL, VK_SHIFT, VK_TAB}},
                           searching, searchingCycle);
    TabTo(browse, searchingCycle);
    Press({VK_SPACE});
    HWND chooser = WaitForFolderChooser(Installer->Id());
    ASSERT_NE(chooser, nullptr) << "Space on the browse button opened no folder chooser with the "
                                   "installer's folder selected; "
                                << Report();
    Press({VK_RETURN}, chooser);  // OK, on the installer's folder
    WaitUntilGone(chooser);
    ExpectFocus(browse);

    ExpectControls(BrowsingPage(BrowseSummary(DemoOwner()), host, true));
    const Lines foundCycle{back, next, cancel, PageControlFocus, browse};
    ExpectTabCycle(foundCycle);
    TabTo(next, foundCycle);
    Press({VK_SPACE});

    // Installed: only Close is left on the page.
    ExpectControls(InstallationPage(SuccessfulPass(), L"", false));
    ExpectTabCycle({PageControlFocus, Button(CloseCaption)});
    ExpectTemplatesInstalled(host);
    Press({VK_MENU, VK_F4});
    ExpectEndsWithStatusZero();
}

}  // namespace
