// Measures the installer, its NSIS peer and the floor programs under the same
// conditions, round after round, and writes every sample to samples.csv:
//   Driver.exe <out folder> <rounds> <host folder> <templates folder>
//              <Instalator.exe> <NSIS installer> <FloorWindow.exe> <FloorWrite.exe>
// Round 0 warms the caches and is not recorded. Odd rounds install into an empty
// SZABLONY folder, even rounds over all eighteen targets present.
#include <windows.h>

#include <cstdio>
#include <stdexcept>
#include <string>

#include "Target.h"

namespace {

const wchar_t* const TemplateNames[18] = {
    L"RPT_A1.rtf", L"RPT_A2.rtf", L"RPT_B1.rtf", L"RPT_B2.rtf", L"RPT_B3.rtf", L"RPT_B4.rtf",
    L"RPT_B5.rtf", L"RPT_C1.rtf", L"RPT_C2.rtf", L"RPT_C3.rtf", L"RPT_D1.rtf", L"RPT_D2.rtf",
    L"RPT_E1.rtf", L"RPT_E2.rtf", L"RPT_F1.rtf", L"RPT_F2.rtf", L"RPT_F3.rtf", L"Rpt_D_Extra.rtf",
};

const wchar_t Completed[] = L"Gotowe. Zainstalowano";

struct Settings {
    std::wstring Out, Host, Templates, Ours, Nsis, FloorWindow, FloorWrite;
    int Rounds;
};

Settings Options;
FILE* Samples;
int Round;
bool Present;

std::wstring Szablony() { return Options.Host + L"\\SZABLONY\\"; }

void Record(const char* program, const char* figure, const char* state, double value) {
    if (Round == 0) return;
    std::fprintf(Samples, "%s,%s,%s,%d,%.3f\n", program, figure, state, Round, value);
}

const char* State() { return Present ? "present" : "empty"; }

// The listed modules of each program, once, for comparing what each one loads.
void RecordModules(const char* program, const Target& target) {
    if (Round != 1) return;
    std::string name = std::string("\\modules-") + program + ".txt";
    std::wstring path = Options.Out + std::wstring(name.begin(), name.end());
    FILE* file = _wfopen(path.c_str(), L"w");
    if (!file) return;
    for (const std::wstring& name : target.Modules()) std::fprintf(file, "%ls\n", name.c_str());
    std::fclose(file);
}

DWORD FileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    return GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ? data.nFileSizeLow
                                                                            : DWORD(-1);
}

// Either an empty SZABLONY or all eighteen targets there with older content.
void PrepareTargets() {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((Szablony() + L"*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileW((Szablony() + found.cFileName).c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    if (!Present) return;
    static char older[6000];
    for (char& c : older) c = 'x';
    for (const wchar_t* name : TemplateNames) {
        HANDLE file = CreateFileW((Szablony() + name).c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written;
        if (file == INVALID_HANDLE_VALUE ||
            !WriteFile(file, older, sizeof older, &written, nullptr))
            throw std::runtime_error("cannot prepare the SZABLONY folder");
        CloseHandle(file);
    }
}

// The run counts only if every target now has its template's size.
void CheckTargets(const char* program) {
    for (const wchar_t* name : TemplateNames) {
        if (FileSize(Szablony() + name) != FileSize(Options.Templates + L"\\" + name))
            throw std::runtime_error(std::string(program) + " left a wrong file in SZABLONY");
    }
}

void MeasureStartup(const char* program, Target& target, const wchar_t* windowClass) {
    target.WaitWindow(windowClass);
    Record(program, "shown_ms", "-", Now() - target.Started());
    target.WaitIdle();
    Record(program, "startup_ms", "-", Now() - target.Started());
    RecordModules(program, target);
}

// From the click that starts writing to the completion text shown and painted.
void MeasureInstall(const char* program, Target& target, HWND button, const wchar_t* failure) {
    PrepareTargets();
    const double start = Now();
    target.PostClick(button);
    target.WaitText(Completed, failure);
    target.WaitIdle();
    Record(program, "install_ms", State(), Now() - start);
    CheckTargets(program);
}

// The peak working set over the whole run, taken just before the program closes.
void Finish(const char* program, Target& target, HWND closeButton = nullptr) {
    Record(program, "peak_ws_kib", "-", double(target.PeakWorkingSetKiB()));
    target.Close(closeButton);
}

HWND Button(Target& target, const wchar_t* text) {
    HWND button = target.FindText(text, L"Button");
    if (!button) throw std::runtime_error("no button with the expected text");
    return button;
}

void RunFloorWindow() {
    Target target(Options.FloorWindow, L"");
    MeasureStartup("floor_window", target, L"FloorWindow");
    Finish("floor_window", target);
}

void RunFloorWrite(const char* program, const wchar_t* mode) {
    Target target(Options.FloorWrite, std::wstring(mode) + L" " + Options.Host);
    MeasureStartup(program, target, L"FloorWrite");
    MeasureInstall(program, target, Button(target, L"Instaluj"), L"Błąd");
    Finish(program, target);
}

void RunFloorWritePlain() { RunFloorWrite("floor_write_plain", L"plain"); }
void RunFloorWriteReplace() { RunFloorWrite("floor_write_replace", L"replace"); }

// Welcome page, Next, the detection page's summary, Next: the installation page.
void RunOurs() {
    Target target(Options.Ours, L"");
    MeasureStartup("ours", target, L"TWinControl");
    HWND next = Button(target, L"Dalej >>");
    target.Click(next);
    target.WaitText(L"Naciśnij przycisk", L"Nie odnaleziono");
    target.WaitIdle();
    MeasureInstall("ours", target, next, L"Wystąpił problem");
    Finish("ours", target);
}

// Welcome page, Next, the directory page with the folder from the registry,
// Install: the progress page.
void RunNsis() {
    Target target(Options.Nsis, L"");
    MeasureStartup("nsis", target, L"#32770");
    HWND next = GetDlgItem(target.Window(), 1);
    target.Click(next);
    target.WaitText(L"Zainstaluj");
    target.WaitIdle();
    MeasureInstall("nsis", target, next, nullptr);
    Finish("nsis", target, next);  // now "Zamknij"
}

void SetValue(const wchar_t* keyName, const wchar_t* valueName, const std::wstring& value) {
    HKEY key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, keyName, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot write to the registry");
    RegSetValueExW(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   DWORD((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

// The host folder for the installers to find. Windows that the X server's window
// manager does not manage: with no window manager on Xvfb, hiding a managed
// window waits two seconds for a state change that never comes.
void PrepareRegistry() {
    SetValue(L"KvTervalis", L"Lokalizacja", Options.Host);
    SetValue(L"Software\\Wine\\X11 Driver", L"Managed", L"N");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 9) {
        std::fprintf(stderr,
                     "usage: Driver <out> <rounds> <host> <templates> <ours> <nsis> "
                     "<floor window> <floor write>\n");
        return 2;
    }
    Options = {argv[1], argv[3], argv[4], argv[5], argv[6], argv[7], argv[8], _wtoi(argv[2])};
    void (*const programs[])() = {RunFloorWindow, RunOurs, RunNsis, RunFloorWritePlain,
                                  RunFloorWriteReplace};
    const int count = sizeof programs / sizeof programs[0];
    try {
        PrepareRegistry();
        Samples = _wfopen((Options.Out + L"\\samples.csv").c_str(), L"w");
        if (!Samples) throw std::runtime_error("cannot write samples.csv");
        std::fprintf(Samples, "program,figure,state,round,value\n");
        for (Round = 0; Round <= Options.Rounds; Round++) {
            Present = Round % 2 == 0;
            std::printf(".");
            std::fflush(stdout);
            // Each round starts with another program, so no program always follows the same one.
            for (int i = 0; i < count; i++) programs[(Round + i) % count]();
        }
        std::printf("\n");
        std::fclose(Samples);
    } catch (const std::exception& e) {
        std::printf("\n");
        std::fprintf(stderr, "benchmark driver: %s\n", e.what());
        return 1;
    }
    return 0;
}
