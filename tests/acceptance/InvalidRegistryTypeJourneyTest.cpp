// The registry value is a number, not a folder: the registry error comes up in
// the error box with the stop icon, and the installer keeps running. Showing
// the page again looks the value up again.
#include "JourneyTest.h"
#include "ProgramTexts.h"

namespace {

class InvalidRegistryTypeJourney : public JourneyTest {};

TEST_F(InvalidRegistryTypeJourney, ShowsTheErrorAndKeepsRunning) {
    ASSERT_TRUE(Registration.SetNumber(1));
    StartInstaller();
    ASSERT_FALSE(HasFatalFailure());

    ClickButton(NextCaption);
    MessageBoxView box = ExpectMessageBox(InvalidTypeMessage, true);
    ASSERT_NE(box.Window, nullptr);
    EXPECT_TRUE(LooksLikeStopIcon(box.IconArea)) << "the icon is not the stop sign";
    Screenshot(L"1-error", box.Window);
    ClickOk(box);
    ExpectControls(DetectionPage(StatusAsLoaded));

    // Leaving the page after the failed lookup empties its status text.
    ClickButton(BackCaption);
    ExpectControls(WelcomePage());
    ClickButton(NextCaption);
    box = ExpectMessageBox(InvalidTypeMessage, true);
    ASSERT_NE(box.Window, nullptr);
    ClickOk(box);
    ExpectControls(DetectionPage(L""));

    ClickButton(CancelCaption);
    ExpectEndsWithStatusZero();
}

}  // namespace
