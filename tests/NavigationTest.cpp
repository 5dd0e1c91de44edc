// Start-up and page navigation: which page events each click raises, in which
// order, and the button states around them; closing the program.
#include <gtest/gtest.h>
#include <windows.h>

#include <cctype>
#include <string>

#include "WizardTest.h"

namespace {

std::wstring Wide(const String& text) { return std::wstring(text.begin(), text.end()); }

// "B+N-C+": Back, Next and Cancel as the window shows them (enabled or not);
// '!' where the control's own state and its window disagree.
std::string Buttons(TForm1& form) {
    std::string text;
    for (auto [letter, button] : {std::pair{'B', form.BitBtn1}, std::pair{'N', form.BitBtn2},
                                  std::pair{'C', form.BitBtn3}}) {
        const bool window = IsWindowEnabled(button->Handle());
        text += letter;
        text += window != button->Enabled() ? '!' : window ? '+' : '-';
    }
    return text;
}

// The pages whose windows are on screen, by number (1 to 3).
std::string VisiblePages(TForm1& form) {
    std::string pages;
    for (int i = 0; i < form.PageControl1->PageCount(); ++i)
        if (IsWindowVisible(form.PageControl1->Pages(i)->Handle())) pages += char('1' + i);
    return pages;
}

// Records every show and hide event of the three pages as "show2(12)": the page
// and the pages on screen while its handler runs. With callHandlers the form's
// own handlers run after the record; without it the recorders replace them.
class PageEvents {
public:
    PageEvents(TForm1& form, bool callHandlers) : FForm(form) {
        for (int i = 0; i < 3; ++i) {
            TTabSheet* page = form.PageControl1->Pages(i);
            Wrap(page->OnShow, "show" + std::to_string(i + 1), callHandlers);
            Wrap(page->OnHide, "hide" + std::to_string(i + 1), callHandlers);
        }
    }

    // The events since the last call, separated by spaces.
    std::string Take() {
        std::string log = FLog;
        FLog.clear();
        return log;
    }
    // The button states when the first event of the last click began.
    std::string ButtonsAtFirstEvent() const { return FButtonsAtFirst; }

private:
    void Wrap(TNotifyEvent& event, const std::string& name, bool callHandlers) {
        TNotifyEvent original = callHandlers ? event : TNotifyEvent();
        event = [this, name, original](TObject* sender) {
            if (FLog.empty()) FButtonsAtFirst = Buttons(FForm);
            FLog += (FLog.empty() ? "" : " ") + name + "(" + VisiblePages(FForm) + ")";
            if (original) original(sender);
        };
    }

    TForm1& FForm;
    std::string FLog;
    std::string FButtonsAtFirst;
};

// Dispatches what is waiting up to a quit request, which it takes: its exit
// code, or -1 when no quit request came.
int DispatchUntilQuit() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) return int(msg.wParam);
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return -1;
}

enum class Press { Next, Back };

struct NavigationCase {
    int from;  // page on screen before the click
    Press click;
    const char* events;         // page events, in order, with the pages on screen
    const char* buttonsAtShow;  // Back, Next, Cancel as the new page's show handler begins
    const char* buttonsAfter;
    int to;  // active page after the click
};

// clang-format off
const NavigationCase kNavigation[] = {
    // from click     events                at show   after     to
    {0, Press::Next, "show2(12) hide1(2)",  "B+N+C+", "B+N+C+", 1},
    {1, Press::Next, "show3(23) hide2(3)",  "B+N+C+", "B+N-C-", 2},
    {2, Press::Back, "show2(23) hide3(2)",  "B+N+C+", "B+N+C+", 1},
    {1, Press::Back, "show1(12) hide2(1)",  "B+N+C+", "B-N+C+", 0},
};
// clang-format on

class Navigation : public WizardTest {
protected:
    TBitBtn* ButtonFor(Press press) {
        return press == Press::Next ? Form().BitBtn2 : Form().BitBtn1;
    }

    // Clicks Next and Back with the page handlers replaced until `page` is on screen.
    void Reach(int page) {
        while (Form().PageControl1->ActivePageIndex() < page) Click(Form().BitBtn2);
        while (Form().PageControl1->ActivePageIndex() > page) Click(Form().BitBtn1);
        ASSERT_EQ(Form().PageControl1->ActivePageIndex(), page);
    }
};

TEST_F(Navigation, EachClickRaisesThePageEventsInOrderAndSetsTheButtons) {
    PageEvents events(Form(), false);
    ShowWizard();
    for (const NavigationCase& c : kNavigation) {
        SCOPED_TRACE("from page " + std::to_string(c.from) +
                     (c.click == Press::Next ? ", Next" : ", Back"));
        Reach(c.from);
        events.Take();
        Click(ButtonFor(c.click));
        EXPECT_EQ(events.Take(), c.events);
        EXPECT_EQ(events.ButtonsAtFirstEvent(), c.buttonsAtShow);
        EXPECT_EQ(Buttons(Form()), c.buttonsAfter);
        EXPECT_EQ(Form().PageControl1->ActivePageIndex(), c.to);
        EXPECT_EQ(Form().PageControl1->ActivePage(), Form().PageControl1->Pages(c.to));
        EXPECT_EQ(VisiblePages(Form()), std::to_string(c.to + 1));
        EXPECT_EQ(IsWindowVisible(Form().BitBtn4->Handle()) != 0, c.to == 2);
        EXPECT_FALSE(Application->Terminated());
    }
}

TEST_F(Navigation, ShowEventRunsOnEveryShowing) {
    PageEvents events(Form(), false);
    ShowWizard();
    events.Take();
    for (TBitBtn* button : {Form().BitBtn2, Form().BitBtn1, Form().BitBtn2, Form().BitBtn2,
                            Form().BitBtn1, Form().BitBtn2})
        Click(button);
    EXPECT_EQ(events.Take(),
              "show2(12) hide1(2) show1(12) hide2(1) show2(12) hide1(2) show3(23) hide2(3) "
              "show2(23) hide3(2) show3(23) hide2(3)");
}

TEST_F(Navigation, DisabledButtonsAtTheEndsChangeNothing) {
    PageEvents events(Form(), false);
    ShowWizard();
    events.Take();
    Click(Form().BitBtn1);  // Back on the first page
    EXPECT_EQ(events.Take(), "");
    EXPECT_EQ(Form().PageControl1->ActivePageIndex(), 0);
    Reach(2);
    events.Take();
    Click(Form().BitBtn2);  // Next on the last page
    EXPECT_EQ(events.Take(), "");
    EXPECT_EQ(Form().PageControl1->ActivePageIndex(), 2);
    EXPECT_EQ(Buttons(Form()), "B+N-C-");
}

// The handlers themselves stay within the pages when called at either end.
TEST_F(Navigation, HandlersDoNotLeaveThePageRange) {
    PageEvents events(Form(), false);
    ShowWizard();
    events.Take();
    Form().BitBtn1Click(nullptr);
    EXPECT_EQ(events.Take(), "");
    EXPECT_EQ(Form().PageControl1->ActivePageIndex(), 0);
    EXPECT_EQ(Buttons(Form()), "B-N+C+");
    Reach(2);
    events.Take();
    Form().BitBtn2Click(nullptr);
    EXPECT_EQ(events.Take(), "");
    EXPECT_EQ(Form().PageControl1->ActivePageIndex(), 2);
    EXPECT_EQ(Buttons(Form()), "B+N-C-");
}

TEST_F(Navigation, StartUpRaisesNoPageEventBeyondShowingTheWelcomePage) {
    // The layout names the installation page as active; its handlers did not run.
    EXPECT_EQ(Form().TabSheet2->Tag, 0);
    EXPECT_EQ(Wide(Form().StaticText3->Caption()), L"Odnaleziono:");
    EXPECT_EQ(Wide(Form().StaticText6->Caption()), L"");
    EXPECT_EQ(Wide(Form().StaticText4->Caption()), L" ");

    PageEvents events(Form(), true);
    ShowWizard();
    EXPECT_EQ(events.Take(), "show1(1)");
    EXPECT_EQ(Form().PageControl1->ActivePageIndex(), 0);
    EXPECT_EQ(Buttons(Form()), "B-N+C+");
    EXPECT_EQ(Form().TabSheet2->Tag, 0);
    EXPECT_EQ(Wide(Form().StaticText3->Caption()), L"Odnaleziono:");
    EXPECT_EQ(Wide(Form().StaticText6->Caption()), L"");
    EXPECT_FALSE(IsWindowVisible(Form().Edit1->Handle()));
    EXPECT_TRUE(Dialogs.Seen().empty());
}

TEST_F(Navigation, InitialState) {
    TForm1& form = Form();
    EXPECT_EQ(TForm1Tester::HostDir(form), "");
    EXPECT_FALSE(TForm1Tester::HostFound(form));
    EXPECT_EQ(TForm1Tester::LibHandle(form), nullptr);
    EXPECT_EQ(TForm1Tester::IsNetworkEdition(form), 0);
    EXPECT_EQ(TForm1Tester::OwnerName(form).Length(), 0u);
    EXPECT_EQ(Form1, &form);
    EXPECT_EQ(Application->MainForm(), &form);
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
    EXPECT_EQ(form.PageControl1->ActivePageIndex(), 0);
    EXPECT_EQ(form.PageControl1->PageCount(), 3);
    ShowWizard();
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
    EXPECT_EQ(VisiblePages(form), "1");
    EXPECT_EQ(Buttons(form), "B-N+C+");
    EXPECT_EQ(GetFocus(), form.BitBtn2->Handle());
    EXPECT_FALSE(IsWindowVisible(form.BitBtn4->Handle()));
    EXPECT_TRUE(form.BitBtn4->Enabled());
    EXPECT_FALSE(form.Edit1->Visible());
    EXPECT_FALSE(form.Edit1->Enabled());
    EXPECT_FALSE(form.BitBtn5->Visible());
    for (int i = 0; i < form.ComponentCount(); ++i)
        EXPECT_EQ(form.Components(i)->Tag, 0) << form.Components(i)->Name.c_str();
}

// The whole road with the form's own handlers, recorded on the way: a host
// folder that passes the probe, and a templates folder to write to.
TEST_F(Navigation, TypicalRunWithTheFormsOwnHandlers) {
    TempFolder host;
    CopyFileA((FixtureFolder("single") + "\\ORVANLIB.dll").c_str(), (host / "ORVANLIB.dll").c_str(),
              FALSE);
    MakeFolder(host / "SZABLONY");
    Registry.SetLocation(host.Path());

    PageEvents events(Form(), true);
    ShowWizard();
    events.Take();
    Click(Form().BitBtn2);
    EXPECT_EQ(events.Take(), "show2(12) hide1(2)");
    EXPECT_TRUE(HostFound());
    EXPECT_EQ(Buttons(Form()), "B+N+C+");
    Click(Form().BitBtn2);
    EXPECT_EQ(events.Take(), "show3(23) hide2(3)");
    // The installation page disables Back while it works; Next and Cancel end disabled.
    EXPECT_EQ(Buttons(Form()), "B-N-C-");
    EXPECT_TRUE(IsWindowVisible(Form().BitBtn4->Handle()));
    EXPECT_TRUE(Dialogs.Seen().empty());
    EXPECT_FALSE(Application->Terminated());
    Click(Form().BitBtn4);
    EXPECT_TRUE(Application->Terminated());
}

struct HandlerChangeCase {
    const char* name;
    int from;
    Press click;
    void (*handlerAction)(TForm1&);  // what the handler of the new (or old) page does
    bool onHide;                     // the action runs in the old page's hide handler
    const char* buttonsAfter;
};

// A button state that a show or hide handler sets stands after the click, except
// that Next reaching the last page always ends with Next and Cancel disabled.
// clang-format off
const HandlerChangeCase kHandlerChanges[] = {
    {"Next to page 1, show disables Next", 0, Press::Next,
     [](TForm1& f) { f.BitBtn2->SetEnabled(false); }, false, "B+N-C+"},
    {"Next to page 1, show disables Back", 0, Press::Next,
     [](TForm1& f) { f.BitBtn1->SetEnabled(false); }, false, "B-N+C+"},
    {"Next to page 2, show disables Back, enables Next and Cancel", 1, Press::Next,
     [](TForm1& f) { f.BitBtn1->SetEnabled(false); f.BitBtn2->SetEnabled(true);
                     f.BitBtn3->SetEnabled(true); }, false, "B-N-C-"},
    {"Back to page 1, show disables Next", 2, Press::Back,
     [](TForm1& f) { f.BitBtn2->SetEnabled(false); }, false, "B+N-C+"},
    {"Back to page 0, hide disables Next and Cancel", 1, Press::Back,
     [](TForm1& f) { f.BitBtn2->SetEnabled(false); f.BitBtn3->SetEnabled(false); }, true,
     "B-N-C-"},
    {"Back to page 0, show enables Back", 1, Press::Back,
     [](TForm1& f) { f.BitBtn1->SetEnabled(true); }, false, "B-N+C+"},
};
// clang-format on

TEST_F(Navigation, ButtonChangesOfPageHandlersStand) {
    PageEvents events(Form(), false);
    ShowWizard();
    for (const HandlerChangeCase& c : kHandlerChanges) {
        SCOPED_TRACE(c.name);
        Reach(c.from);
        int target = c.from + (c.click == Press::Next ? 1 : -1);
        TTabSheet* page = Form().PageControl1->Pages(c.onHide ? c.from : target);
        TNotifyEvent& event = c.onHide ? page->OnHide : page->OnShow;
        TNotifyEvent recorder = event;
        TForm1& form = Form();
        event = [&form, &c](TObject*) { c.handlerAction(form); };
        Click(ButtonFor(c.click));
        event = recorder;
        EXPECT_EQ(Buttons(Form()), c.buttonsAfter);
        EXPECT_EQ(Form().PageControl1->ActivePageIndex(), target);
        // Back and Next reset whatever the handlers left for the next test row.
        Form().BitBtn1->SetEnabled(target != 0);
        Form().BitBtn2->SetEnabled(target != 2);
        Form().BitBtn3->SetEnabled(target != 2);
    }
}

// The detection page's own handler disables Next when the registry value is
// missing; Back enables it again. The page has done its work by then, so coming
// back to it leaves Next as Back left it.
TEST_F(Navigation, BackEnablesNextThatTheDetectionPageDisabled) {
    ShowWizard();
    Click(Form().BitBtn2);
    ASSERT_EQ(Form().PageControl1->ActivePageIndex(), 1);
    ASSERT_EQ(Buttons(Form()), "B+N-C+");
    Click(Form().BitBtn1);
    EXPECT_EQ(Form().PageControl1->ActivePageIndex(), 0);
    EXPECT_EQ(Buttons(Form()), "B-N+C+");
    Click(Form().BitBtn2);
    EXPECT_EQ(Form().PageControl1->ActivePageIndex(), 1);
    EXPECT_EQ(Buttons(Form()), "B+N+C+");
}

// A close asked for inside the detection page's show handler: the click runs to
// its end, and the program then ends with exit code 0.
TEST_F(Navigation, CloseInsideShowHandlerLetsTheClickFinish) {
    PageEvents events(Form(), false);
    ShowWizard();
    events.Take();
    TNotifyEvent recorder = Form().TabSheet2->OnShow;
    Form().TabSheet2->OnShow = [recorder](TObject* sender) {
        recorder(sender);
        Form1->Close();
    };
    SendMessageW(Form().BitBtn2->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(events.Take(), "show2(12) hide1(2)");
    EXPECT_EQ(Form().PageControl1->ActivePageIndex(), 1);
    EXPECT_EQ(Buttons(Form()), "B+N+C+");
    EXPECT_TRUE(Application->Terminated());
    EXPECT_EQ(DispatchUntilQuit(), 0);
    EXPECT_TRUE(IsWindowVisible(Form().Handle()));
    EXPECT_TRUE(Dialogs.Seen().empty());
}

// The same with the form's own handler: the registered folder holds no companion
// library, so the page says so in a box and closes the installer.
TEST_F(Navigation, RegisteredFolderFailingTheProbeClosesAfterTheClick) {
    TempFolder host;
    Registry.SetLocation(host.Path());
    PageEvents events(Form(), true);
    ShowWizard();
    events.Take();
    SendMessageW(Form().BitBtn2->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(events.Take(), "show2(12) hide1(2)");
    EXPECT_EQ(Dialogs.Seen().size(), 1u);
    EXPECT_EQ(Form().PageControl1->ActivePageIndex(), 1);
    EXPECT_EQ(Buttons(Form()), "B+N+C+");
    EXPECT_TRUE(Application->Terminated());
    EXPECT_EQ(DispatchUntilQuit(), 0);
}

// Through the message loop itself: the loop ends after the click that asked to
// close has returned, and takes the window down with it.
TEST_F(Navigation, MessageLoopEndsAfterTheClickThatAskedToClose) {
    PageEvents events(Form(), false);
    bool closedInShow = false;
    TNotifyEvent recorder = Form().TabSheet2->OnShow;
    Form().TabSheet2->OnShow = [recorder, &closedInShow](TObject* sender) {
        recorder(sender);
        closedInShow = true;
        Form1->Close();
    };
    std::string afterClick;
    TForm1& form = Form();
    TNotifyEvent next = form.BitBtn2->OnClick;
    form.BitBtn2->OnClick = [next, &form, &afterClick](TObject* sender) {
        next(sender);
        afterClick =
            "page " + std::to_string(form.PageControl1->ActivePageIndex()) + " " + Buttons(form);
    };
    HWND window = form.Handle();
    PostMessageW(form.BitBtn2->Handle(), BM_CLICK, 0, 0);
    PostMessageW(window, WM_CLOSE, 0, 0);  // ends the loop should the click not
    Application->Run();
    Form1 = nullptr;  // the loop's end destroyed the form
    EXPECT_TRUE(closedInShow);
    EXPECT_EQ(afterClick, "page 1 B+N+C+");
    EXPECT_EQ(events.Take(), "show1(1) show2(12) hide1(2)");
    EXPECT_FALSE(IsWindow(window));
}

enum class CloseBy { Cancel, CloseButton, CloseBox, AltF4, TaskBar };

struct CloseCase {
    const char* name;
    int page;
    CloseBy how;
};

const CloseCase kCloses[] = {
    {"Cancel on the welcome page", 0, CloseBy::Cancel},
    {"Cancel on the detection page", 1, CloseBy::Cancel},
    {"Close on the installation page", 2, CloseBy::CloseButton},
    {"title bar close box on the installation page", 2, CloseBy::CloseBox},
    {"Alt+F4 on the welcome page", 0, CloseBy::AltF4},
    {"Alt+F4 on the installation page", 2, CloseBy::AltF4},
    {"task-bar entry's close on the detection page", 1, CloseBy::TaskBar},
};

class Closing : public Navigation, public ::testing::WithParamInterface<CloseCase> {};

// Each way of closing asks no question, leaves the page as it is and ends the
// program with exit code 0.
TEST_P(Closing, EndsTheProgramWithoutAQuestion) {
    const CloseCase& c = GetParam();
    PageEvents events(Form(), false);
    ShowWizard();
    Reach(c.page);
    const std::string buttons = Buttons(Form());
    events.Take();
    switch (c.how) {
        case CloseBy::Cancel:
            SendMessageW(Form().BitBtn3->Handle(), BM_CLICK, 0, 0);
            break;
        case CloseBy::CloseButton:
            SendMessageW(Form().BitBtn4->Handle(), BM_CLICK, 0, 0);
            break;
        case CloseBy::CloseBox:
            SendMessageW(Form().Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
        case CloseBy::AltF4:
            PostMessageW(GetFocus(), WM_SYSKEYDOWN, VK_F4, 0x20000001);
            break;
        case CloseBy::TaskBar:
            SendMessageW(Application->Handle(), WM_CLOSE, 0, 0);
            break;
    }
    EXPECT_EQ(DispatchUntilQuit(), 0);
    EXPECT_TRUE(Application->Terminated());
    EXPECT_TRUE(Dialogs.Seen().empty());
    EXPECT_EQ(events.Take(), "");
    EXPECT_EQ(Form().PageControl1->ActivePageIndex(), c.page);
    EXPECT_EQ(Buttons(Form()), buttons);
    EXPECT_TRUE(IsWindowVisible(Form().Handle()));
}

INSTANTIATE_TEST_SUITE_P(Ways, Closing, ::testing::ValuesIn(kCloses),
                         [](const ::testing::TestParamInfo<CloseCase>& info) {
                             std::string name;
                             for (const char* p = info.param.name; *p; ++p)
                                 if (isalnum(static_cast<unsigned char>(*p))) name += *p;
                             return name;
                         });

}  // namespace
