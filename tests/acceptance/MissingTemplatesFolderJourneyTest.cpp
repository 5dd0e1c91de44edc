// The host folder has no SZABLONY folder: the installation fails and says so,
// Back is the way out; once the folder exists, Back and Next run a new pass,
// whose start text follows the failure text on the same line.
#include "JourneyTest.h"
#include "ProgramTexts.h"

namespace {

class MissingTemplatesFolderJourney : public JourneyTest {};

TEST_F(MissingTemplatesFolderJourney, FailsThenSucceedsOnceTheFolderExists) {
    const std::wstring host = MakeHostFolder(DemoLibrary(), false);
    ASSERT_TRUE(Registration.SetFolder(host));
    StartInstaller();
    ASSERT_FALSE(HasFatalFailure());
    const Lines summary = DetectionPage(RegistrySummary(host, DemoOwner()));

    ClickButton(NextCaption);
    ExpectControls(summary);
    ClickButton(NextCaption);
    const std::wstring failedPass = std::wstring(LogStart) + LogFailure;
    ExpectControls(InstallationPage(failedPass, L"\\SZABLONY\\RPT_A1.rtf", true));
    Screenshot(L"1-failed");
    EXPECT_EQ(std::vector<std::wstring>{L"ORVANLIB.dll"}, NamesIn(host)) << "something was created";

    MakeFolder(host + L"\\SZABLONY");
    ClickButton(BackCaption);
    ExpectControls(summary);
    ClickButton(NextCaption);
    ExpectControls(InstallationPage(failedPass + SuccessfulPass(), L"", false));
    Screenshot(L"2-second-pass");
    ExpectTemplatesInstalled(host);

    ClickButton(CloseCaption);
    ExpectEndsWithStatusZero();
}

}  // namespace
