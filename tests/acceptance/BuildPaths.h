// Where the journeys find what the build made: the installer, the demonstration
// companion library, the fake libraries and the template sources.
#pragma once

#include <string>

std::wstring InstallerExe();
std::wstring DemoLibrary();
// The fake companion library of a fixture case, e.g. "initfails".
std::wstring FixtureLibrary(const std::wstring& fixtureCase);
// The folder of the eighteen template files that the build embeds.
std::wstring TemplateSources();
