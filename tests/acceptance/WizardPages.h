// The wizard's pages as the journeys expect to see them: one line per visible
// control in reading order, as DescribeControls gives them.
#pragma once

#include <string>
#include <vector>

using Lines = std::vector<std::wstring>;

std::wstring Static(const std::wstring& text);
std::wstring Button(const std::wstring& caption, bool enabled = true);
std::wstring Edit(const std::wstring& text, bool enabled);

Lines WelcomePage();
// The detection page without the browse controls (after a registry lookup).
Lines DetectionPage(const std::wstring& status, bool nextEnabled = true);
// The detection page with the browse controls and the folder in the edit box.
Lines BrowsingPage(const std::wstring& status, const std::wstring& folder, bool nextEnabled);
Lines InstallationPage(const std::wstring& log, const std::wstring& progress, bool backEnabled);

// The summaries that the detection page composes for the single-workstation edition.
std::wstring RegistrySummary(const std::wstring& folder, const std::wstring& owner);
std::wstring BrowseSummary(const std::wstring& owner);
// The log of one successful installation pass.
std::wstring SuccessfulPass();
