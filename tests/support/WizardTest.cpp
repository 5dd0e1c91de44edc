#include "WizardTest.h"

void WizardTest::SetUp() {
    Application->Initialize();
    Application->SetTitle(L"Instalator");
    Application->CreateForm(Form1);
}

void WizardTest::TearDown() {
    delete Form1;
    Form1 = nullptr;
}

void WizardTest::ShowWizard() {
    Form1->Show();
    Application->ProcessMessages();
}

void WizardTest::Click(TBitBtn* button) {
    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
    Application->ProcessMessages();
}

void WizardTest::PressKey(WORD key, bool shift, bool control) {
    BYTE state[256];
    GetKeyboardState(state);
    BYTE saved[256];
    CopyMemory(saved, state, sizeof state);
    state[VK_SHIFT] = shift ? 0x80 : 0;
    state[VK_CONTROL] = control ? 0x80 : 0;
    SetKeyboardState(state);
    HWND target = GetFocus() ? GetFocus() : Form1->Handle();
    PostMessageW(target, WM_KEYDOWN, key, 1);
    PostMessageW(target, WM_KEYUP, key, 0xC0000001);
    Application->ProcessMessages();
    SetKeyboardState(saved);
}

void WizardTest::GoToPage(int index) {
    while (Form1->PageControl1->ActivePageIndex() < index && Form1->BitBtn2->Enabled())
        Click(Form1->BitBtn2);
    ASSERT_EQ(Form1->PageControl1->ActivePageIndex(), index);
}

AnsiString TestExeFolder() { return ExtractFileDir(ExeName()); }

AnsiString FixtureFolder(const char* name) { return TestExeFolder() + "\\fixtures\\" + name; }
