// One journey through the installer, driven from outside as a person would:
// a host program folder, the registry value that points to it, the built
// installer started without arguments, real mouse and keyboard input, and what
// the screen and the disk show.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <initializer_list>
#include <memory>
#include <string>

#include "BuildPaths.h"
#include "DialogWindows.h"
#include "Files.h"
#include "HostRegistration.h"
#include "InstallerProcess.h"
#include "WizardPages.h"

class JourneyTest : public ::testing::Test {
protected:
    // A host program folder in the test's own folder: the companion library and,
    // unless told otherwise, the templates folder SZABLONY.
    std::wstring MakeHostFolder(const std::wstring& library, bool templatesFolder = true);

    // Starts the installer and waits for its window to come up.
    void StartInstaller(const std::wstring& exe = InstallerExe());

    // Waits until the wizard shows exactly these controls.
    void ExpectControls(const Lines& expected);
    // Waits until the given control has the keyboard focus: "Button: <caption>",
    // "page control", or "nothing".
    void ExpectFocus(const std::wstring& expected);
    std::wstring Focused() const;

    // Clicks the wizard's visible button with this caption.
    void ClickButton(const std::wstring& caption);
    // Presses keys while the window (the wizard when null) is in front.
    void Press(std::initializer_list<WORD> keys, HWND window = nullptr);

    // Waits for the installer's message box and checks that it has the
    // application's title, this text, one OK button and an icon or none.
    MessageBoxView ExpectMessageBox(const std::wstring& text, bool icon);
    // Clicks the message box's OK button and waits until the box has gone.
    void ClickOk(const MessageBoxView& box);
    void WaitUntilGone(HWND window);

    // Clicks the close box in the wizard's title bar.
    void ClickCloseBox();
    // Confirms the folder that the folder chooser shows selected (its OK button)
    // and waits until the chooser has gone.
    void ConfirmChooser(HWND chooser);

    // Waits for the installer to end and checks its exit status.
    void ExpectEndsWithStatusZero();
    // The eighteen templates in <host>\SZABLONY, each byte for byte as built in.
    void ExpectTemplatesInstalled(const std::wstring& host);

    // A screenshot of the window (the wizard when null), named after the test
    // suite, the code page and the step.
    void Screenshot(const std::wstring& step, HWND window = nullptr);

    // The owner's name that the demonstration library reports, as the installer
    // shows it.
    std::wstring DemoOwner() const;

    TempFolder Temp;
    HostRegistration Registration;
    std::unique_ptr<InstallerProcess> Installer;
    HWND Wizard = nullptr;

    // What the installer has on screen, for failure messages.
    std::wstring Report() const;

private:
    HWND PageControl() const;
};
