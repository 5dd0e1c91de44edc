// The typical run: the host program has registered its folder, the folder holds
// a good companion library and the templates folder. Welcome, the summary of
// what was found, the installation, Close. It runs under the suite's code page,
// and once more under a Western one (CTest sets LC_ALL for that test), where
// every Polish letter must still show as it should.
#include "JourneyTest.h"
#include "ProgramTexts.h"
#include "Screen.h"

namespace {

class RegisteredHostJourney : public JourneyTest {
protected:
    void Run() {
        const std::wstring host = MakeHostFolder(DemoLibrary());
        ASSERT_TRUE(Registration.SetFolder(host));
        StartInstaller();
        ASSERT_FALSE(HasFatalFailure());

        EXPECT_EQ(WindowTitle, TextOf(Wizard));
        EXPECT_EQ(ApplicationTitle, TextOf(GetWindow(Wizard, GW_OWNER)));
        ExpectControls(WelcomePage());
        EXPECT_EQ(Button(NextCaption), Focused());
        Screenshot(L"1-welcome");

        ClickButton(NextCaption);
        ExpectControls(DetectionPage(RegistrySummary(host, DemoOwner())));
        Screenshot(L"2-detection");

        ClickButton(NextCaption);
        ExpectControls(InstallationPage(SuccessfulPass(), L"", false));
        Screenshot(L"3-installation");
        ExpectTemplatesInstalled(host);

        ClickButton(CloseCaption);
        ExpectEndsWithStatusZero();
    }
};

TEST_F(RegisteredHostJourney, InstallsTheTemplatesAndClosesWithStatusZero) { Run(); }

// The texts from outside (the owner's name) follow the code page; the
// program's own texts are the same whatever it is.
class WesternCodePageJourney : public RegisteredHostJourney {};

TEST_F(WesternCodePageJourney, ShowsEveryPolishLetter) {
    ASSERT_NE(1250u, GetACP()) << "this journey needs a non-Polish code page: run it with "
                                  "LC_ALL=en_US.UTF-8, as CTest does";
    Run();
}

}  // namespace
