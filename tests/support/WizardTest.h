// A test fixture that creates the installer's window from its stored layout,
// as start-up does, and acts on it through the paths that user input takes.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include "ModalDialogs.h"
#include "PrivateRegistry.h"
#include "TForm1Tester.h"
#include "TempFolder.h"
#include "Unit1.h"

class WizardTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Shows the window with its first page, as the message loop does at start.
    void ShowWizard();
    // A click on a button: nothing happens when it is disabled or hidden.
    static void Click(TBitBtn* button);
    // Posts a key press to the focused window and dispatches it.
    static void PressKey(WORD key, bool shift = false, bool control = false);
    // Clicks Next until the given page is on screen.
    void GoToPage(int index);

    static TForm1& Form() { return *Form1; }
    static AnsiString& HostDir() { return TForm1Tester::HostDir(*Form1); }
    static bool& HostFound() { return TForm1Tester::HostFound(*Form1); }

    PrivateRegistry Registry;  // this test's own HKEY_CURRENT_USER
    ModalDialogs Dialogs;      // answers message boxes and the folder chooser
};

// The folder of the test program and of the fixtures built beside it.
AnsiString TestExeFolder();
AnsiString FixtureFolder(const char* name);
