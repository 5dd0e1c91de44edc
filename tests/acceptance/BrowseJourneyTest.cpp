// The host program left no registry value: the user looks for its folder with
// the shell's folder chooser, first in a folder without the companion library,
// then in the right one, installs, and leaves with the title bar's close box.
#include "Input.h"
#include "JourneyTest.h"
#include "ProgramTexts.h"
#include "Screen.h"

namespace {

class BrowseJourney : public JourneyTest {};

TEST_F(BrowseJourney, FindsTheFolderWithTheChooserAndInstalls) {
    const std::wstring host = MakeHostFolder(DemoLibrary());
    // The chooser opens on the installer's own folder: the user runs it from the host folder.
    ASSERT_TRUE(CopyInto(InstallerExe(), host));
    StartInstaller(host + L"\\Instalator.exe");
    ASSERT_FALSE(HasFatalFailure());

    ClickButton(NextCaption);
    ExpectControls(BrowsingPage(RegistryMissingText, L"", false));
    Screenshot(L"1-no-registry-value");

    // The chooser opens with the host folder selected and OK focused. Shift+Tab
    // goes to the folder tree, Left twice up to the folder that holds the host
    // folder (the first Left may only fold the host folder up).
    ClickButton(BrowseCaption);
    HWND chooser = WaitForFolderChooser(Installer->Id());
    ASSERT_NE(chooser, nullptr)
        << "no folder chooser came up with the installer's folder selected; " << Report();
    EXPECT_NE(FindControl(chooser, L"Static", ChooserPrompt), nullptr) << "no prompt";
    Screenshot(L"2-chooser", chooser);
    Press({VK_SHIFT, VK_TAB}, chooser);
    Press({VK_LEFT}, chooser);
    Press({VK_LEFT}, chooser);
    ConfirmChooser(chooser);
    MessageBoxView box = ExpectMessageBox(ChosenFolderWrongMessage, false);
    Screenshot(L"3-no-library-there", box.Window);
    ExpectControls(BrowsingPage(RegistryMissingText, Temp.Path(), false));
    ClickOk(box);
    ExpectControls(BrowsingPage(RegistryMissingText, Temp.Path(), false));
    ExpectFocus(Button(BrowseCaption));

    ClickButton(BrowseCaption);
    chooser = WaitForFolderChooser(Installer->Id());
    ASSERT_NE(chooser, nullptr)
        << "no folder chooser came up again with the installer's folder selected; " << Report();
    ConfirmChooser(chooser);
    ExpectControls(BrowsingPage(BrowseSummary(DemoOwner()), host, true));
    Screenshot(L"4-folder-chosen");

    ClickButton(NextCaption);
    ExpectControls(InstallationPage(SuccessfulPass(), L"", false));
    Screenshot(L"5-installation");
    ExpectTemplatesInstalled(host);

    ClickCloseBox();
    ExpectEndsWithStatusZero();
}

}  // namespace
