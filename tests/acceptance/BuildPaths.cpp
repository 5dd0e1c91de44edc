#include "BuildPaths.h"

#include <windows.h>

// The build passes each location relative to the folder of this test program.
namespace {

std::wstring Folder(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }

std::wstring FromTestFolder(const char* relative) {
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring path = Folder(exe);
    for (const char* c = relative; *c; ++c) path += *c == '/' ? L'\\' : wchar_t(*c);
    wchar_t full[MAX_PATH];
    GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    return full;
}

}  // namespace

std::wstring InstallerExe() { return FromTestFolder("/" ACCEPTANCE_INSTALLER); }

std::wstring DemoLibrary() { return FromTestFolder("/" ACCEPTANCE_DEMO_LIBRARY); }

std::wstring FixtureLibrary(const std::wstring& fixtureCase) {
    return FromTestFolder("/" ACCEPTANCE_FIXTURES) + L"\\" + fixtureCase + L"\\ORVANLIB.dll";
}

std::wstring TemplateSources() { return FromTestFolder("/" ACCEPTANCE_TEMPLATES); }
