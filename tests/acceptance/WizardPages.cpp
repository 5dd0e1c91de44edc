#include "WizardPages.h"

#include "ProgramTexts.h"

std::wstring Static(const std::wstring& text) { return L"Static: " + text; }

std::wstring Button(const std::wstring& caption, bool enabled) {
    return L"Button: " + caption + (enabled ? L"" : L" (disabled)");
}

std::wstring Edit(const std::wstring& text, bool enabled) {
    return L"Edit: " + text + (enabled ? L"" : L" (disabled)");
}

// Cancel, Back and Next lie side by side below every page, in this order.
static Lines WithNavigation(Lines lines, bool back, bool next, bool cancel) {
    lines.push_back(Button(CancelCaption, cancel));
    lines.push_back(Button(BackCaption, back));
    lines.push_back(Button(NextCaption, next));
    return lines;
}

Lines WelcomePage() { return WithNavigation({Static(WelcomeText)}, false, true, true); }

Lines DetectionPage(const std::wstring& status, bool nextEnabled) {
    return WithNavigation({Static(DetectionHeading), Static(status)}, true, nextEnabled, true);
}

Lines BrowsingPage(const std::wstring& status, const std::wstring& folder, bool nextEnabled) {
    return WithNavigation(
        {Static(DetectionHeading), Static(status), Edit(folder, false), Button(BrowseCaption)},
        true, nextEnabled, true);
}

// Close sits on the page, a little above the navigation buttons.
Lines InstallationPage(const std::wstring& log, const std::wstring& progress, bool backEnabled) {
    return WithNavigation({Static(log), Static(progress), Button(CloseCaption)}, backEnabled, false,
                          false);
}

std::wstring RegistrySummary(const std::wstring& folder, const std::wstring& owner) {
    return SingleEditionLine + (LocationLabel + folder) + L"\r" + owner + L"\r" + NextPrompt;
}

std::wstring BrowseSummary(const std::wstring& owner) {
    return SingleEditionLine + owner + L"\r" + NextPrompt;
}

std::wstring SuccessfulPass() { return std::wstring(LogStart) + LogDone + LogReminder; }
