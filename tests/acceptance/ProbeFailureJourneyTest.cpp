// The registered folder does not pass the probe: the installer says so in a
// message box and ends once the user has closed it. Whatever the cause, and
// whichever way the box is closed (it answers Enter, Esc and a click on OK).
#include "Input.h"
#include "JourneyTest.h"
#include "ProgramTexts.h"
#include "Screen.h"

namespace {

enum class Answer { Enter, Escape, Click };

struct ProbeFailureCase {
    const char* Name;
    const wchar_t* Fixture;  // the fake companion library in the folder; null: none
    Answer CloseWith;
};

class ProbeFailureJourney : public JourneyTest,
                            public ::testing::WithParamInterface<ProbeFailureCase> {};

TEST_P(ProbeFailureJourney, SaysSoAndEndsWithStatusZero) {
    const std::wstring host = Temp / L"Tervalis";
    MakeFolder(host);
    MakeFolder(host + L"\\SZABLONY");
    if (GetParam().Fixture) {
        ASSERT_TRUE(CopyInto(FixtureLibrary(GetParam().Fixture), host));
    }
    ASSERT_TRUE(Registration.SetFolder(host));
    StartInstaller();
    ASSERT_FALSE(HasFatalFailure());

    ClickButton(NextCaption);
    const MessageBoxView box = ExpectMessageBox(ComponentsMissingMessage, false);
    ASSERT_NE(box.Window, nullptr);
    EXPECT_NE(FindControl(Wizard, L"Static", StatusAsLoaded), nullptr)
        << "the status text has changed";

    switch (GetParam().CloseWith) {
        case Answer::Enter:
            Press({VK_RETURN}, box.Window);
            break;
        case Answer::Escape:
            Press({VK_ESCAPE}, box.Window);
            break;
        case Answer::Click:
            ClickOk(box);
            break;
    }
    ExpectEndsWithStatusZero();
    EXPECT_TRUE(NamesIn(host + L"\\SZABLONY").empty()) << "something was written";
}

INSTANTIATE_TEST_SUITE_P(
    Causes, ProbeFailureJourney,
    ::testing::Values(ProbeFailureCase{"NoLibrary", nullptr, Answer::Enter},
                      ProbeFailureCase{"LibraryFailsToLoad", L"initfails", Answer::Escape},
                      ProbeFailureCase{"EditionQueryRaises", L"editionraises", Answer::Click},
                      ProbeFailureCase{"OwnerQueryFaults", L"ownerfaults", Answer::Enter}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
