// Exceptions that escape event handlers: the application's default handler shows
// the message in a stop box, and the program and the page change go on.
#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>
#include <string>

#include "WizardTest.h"

namespace {

std::wstring Wide(const String& text) { return std::wstring(text.begin(), text.end()); }

// The system's stop icon, which message boxes share.
HICON StopIcon() { return LoadIconW(nullptr, MAKEINTRESOURCEW(32513)); }  // IDI_HAND

struct MessageCase {
    const wchar_t* message;
    const wchar_t* shown;
};

// A full stop is appended when the last character sorts after "." (a letter, a
// digit, a slash, any non-ASCII character); nothing after ".", "!", ")", an
// apostrophe or any other character before "."; an empty message stays empty.
// clang-format off
const MessageCase kMessages[] = {
    {L"Błąd zapisu",              L"Błąd zapisu."},
    {L"x",                        L"x."},
    {L"Gotowe.",                  L"Gotowe."},
    {L"Uwaga!",                   L"Uwaga!"},
    {L"(w nawiasie)",             L"(w nawiasie)"},
    {L"w cudzysłowie'",           L"w cudzysłowie'"},
    {L"",                         L""},
    {L"kod 42",                   L"kod 42."},
    {L"folder C:\\",              L"folder C:\\."},
    {L"ścieżka a/b/",             L"ścieżka a/b/."},
    {L"zażółć gęślą jaźń",        L"zażółć gęślą jaźń."},
    {L"spacja ",                  L"spacja "},
    {L"myślnik -",                L"myślnik -"},
    {L"przecinek,",               L"przecinek,"},
    {L"cudzysłów\"",              L"cudzysłów\""},
};
// clang-format on

class ExceptionBox : public WizardTest {
protected:
    void SetUp() override {
        WizardTest::SetUp();
        ShowWizard();
    }

    // Checks the one box shown since the last call: application title, stop
    // icon, one OK button, the given text.
    void ExpectStopBox(const wchar_t* text) {
        ASSERT_EQ(Dialogs.Seen().size(), FBoxes + 1);
        const ModalDialogs::Dialog& box = Dialogs.Seen().back();
        FBoxes = Dialogs.Seen().size();
        EXPECT_EQ(Wide(box.Caption), L"Instalator");
        EXPECT_EQ(Wide(box.Text()), text);
        EXPECT_TRUE(box.HasIcon);
        EXPECT_EQ(box.Icon, StopIcon());
        ASSERT_EQ(box.Buttons.size(), 1u);
        EXPECT_EQ(Wide(box.Buttons[0]), L"OK");
        EXPECT_FALSE(Application->Terminated());
    }

    size_t FBoxes = 0;
};

TEST_F(ExceptionBox, TextOfTheDefaultHandlersBox) {
    const wchar_t* message = L"";
    Form().TabSheet2->OnShow = [&message](TObject*) { throw Exception(message); };
    Form().TabSheet2->OnHide = nullptr;
    for (const MessageCase& c : kMessages) {
        SCOPED_TRACE(Wide(c.message).size());
        message = c.message;
        Click(Form().BitBtn2);
        ExpectStopBox(c.shown);
        EXPECT_EQ(Form().PageControl1->ActivePageIndex(), 1);
        Click(Form().BitBtn1);
    }
}

// The page change completes as if the handler had returned, and the click
// handler goes on to its end.
TEST_F(ExceptionBox, ShowHandlerExceptionLetsThePageChangeComplete) {
    std::string order;
    Form().TabSheet2->OnShow = [&order](TObject*) {
        order += "show2 ";
        throw Exception(L"Nie można odczytać rejestru");
    };
    Form().TabSheet1->OnHide = [&order](TObject*) { order += "hide1"; };
    Click(Form().BitBtn2);
    ExpectStopBox(L"Nie można odczytać rejestru.");
    EXPECT_EQ(order, "show2 hide1");
    EXPECT_EQ(Form().PageControl1->ActivePageIndex(), 1);
    EXPECT_TRUE(IsWindowVisible(Form().TabSheet2->Handle()));
    EXPECT_FALSE(IsWindowVisible(Form().TabSheet1->Handle()));
    EXPECT_TRUE(Form().BitBtn1->Enabled());

    // Onward to the last page: the click still disables Next and Cancel.
    Form().TabSheet3->OnShow = [](TObject*) { throw Exception(L"Brak miejsca na dysku"); };
    Form().TabSheet2->OnHide = nullptr;
    Click(Form().BitBtn2);
    ExpectStopBox(L"Brak miejsca na dysku.");
    EXPECT_EQ(Form().PageControl1->ActivePageIndex(), 2);
    EXPECT_TRUE(IsWindowVisible(Form().TabSheet3->Handle()));
    EXPECT_FALSE(IsWindowVisible(Form().TabSheet2->Handle()));
    EXPECT_FALSE(Form().BitBtn2->Enabled());
    EXPECT_FALSE(Form().BitBtn3->Enabled());
}

TEST_F(ExceptionBox, HideHandlerExceptionLetsThePageChangeComplete) {
    Form().TabSheet2->OnShow = nullptr;
    Form().TabSheet2->OnHide = [](TObject*) { throw Exception(L"Błąd przy ukrywaniu strony"); };
    Click(Form().BitBtn2);
    ASSERT_EQ(Form().PageControl1->ActivePageIndex(), 1);
    Click(Form().BitBtn1);
    ExpectStopBox(L"Błąd przy ukrywaniu strony.");
    EXPECT_EQ(Form().PageControl1->ActivePageIndex(), 0);
    EXPECT_TRUE(IsWindowVisible(Form().TabSheet1->Handle()));
    EXPECT_FALSE(IsWindowVisible(Form().TabSheet2->Handle()));
    EXPECT_FALSE(Form().BitBtn1->Enabled());  // the click went on to disable Back
}

// A click handler's exception ends that handler only; the program keeps running.
TEST_F(ExceptionBox, ClickHandlerExceptionIsReportedAndTheProgramGoesOn) {
    Form().TabSheet2->OnShow = nullptr;
    TNotifyEvent next = Form().BitBtn2->OnClick;
    bool fail = true;
    Form().BitBtn2->OnClick = [next, &fail](TObject* sender) {
        if (fail) throw Exception(L"Przycisk zawiódł");
        next(sender);
    };
    Click(Form().BitBtn2);
    ExpectStopBox(L"Przycisk zawiódł.");
    EXPECT_EQ(Form().PageControl1->ActivePageIndex(), 0);
    fail = false;
    Click(Form().BitBtn2);
    EXPECT_EQ(Dialogs.Seen().size(), FBoxes);
    EXPECT_EQ(Form().PageControl1->ActivePageIndex(), 1);
}

// A standard library exception takes the same way, with its what() as the message.
TEST_F(ExceptionBox, StandardExceptionsAreReportedToo) {
    Form().TabSheet2->OnShow = [](TObject*) { throw std::runtime_error("runtime failure"); };
    Click(Form().BitBtn2);
    ExpectStopBox(L"runtime failure.");
    EXPECT_EQ(Form().PageControl1->ActivePageIndex(), 1);
}

void FailingCreate(TForm&, TObject*) { throw Exception(L"Nie udało się utworzyć okna"); }

// TForm1's own handlers, except a creation handler that raises.
const TPublishedMethod kFailingCreateMethods[] = {
    {"BitBtn3Click", PublishedMethod<&TForm1::BitBtn3Click>},
    {"BitBtn2Click", PublishedMethod<&TForm1::BitBtn2Click>},
    {"BitBtn1Click", PublishedMethod<&TForm1::BitBtn1Click>},
    {"FormCreate", FailingCreate},
    {"BitBtn4Click", PublishedMethod<&TForm1::BitBtn4Click>},
    {"TabSheet2Show", PublishedMethod<&TForm1::TabSheet2Show>},
    {"BitBtn5Click", PublishedMethod<&TForm1::BitBtn5Click>},
    {"TabSheet2Hide", PublishedMethod<&TForm1::TabSheet2Hide>},
    {"TabSheet3Show", PublishedMethod<&TForm1::TabSheet3Show>},
};

// An exception from FormCreate is reported, and the window is still created and shown.
TEST(ExceptionFromFormCreate, IsReportedAndTheWindowStillComesUp) {
    ModalDialogs dialogs;
    Application->Initialize();
    Application->SetTitle(L"Instalator");
    const TPublishedTable table = {"TForm1", TForm1::Published.Fields, kFailingCreateMethods};
    Form1 = new TForm1(Application);
    Form1->LoadLayout(table);
    ASSERT_EQ(dialogs.Seen().size(), 1u);
    EXPECT_EQ(Wide(dialogs.Seen()[0].Caption), L"Instalator");
    EXPECT_EQ(Wide(dialogs.Seen()[0].Text()), L"Nie udało się utworzyć okna.");
    EXPECT_EQ(dialogs.Seen()[0].Icon, StopIcon());
    ASSERT_TRUE(Form1->HandleAllocated());
    Form1->Show();
    EXPECT_TRUE(IsWindowVisible(Form1->Handle()));
    EXPECT_FALSE(Application->Terminated());
    delete Form1;
    Form1 = nullptr;
}

}  // namespace
