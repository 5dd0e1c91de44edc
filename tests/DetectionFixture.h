// What the detection page's tests share: the page's texts, the wizard brought
// to that page, and watches on the companion library's loads.
#pragma once

#include <windows.h>

#include <vector>

#include "ImportHook.h"
#include "WizardTest.h"
#include "fixtures/Owners.h"

namespace detection {

const wchar_t kLayoutStatus[] = L"Odnaleziono:";
const wchar_t kNetwork[] = L"Odnaleziono wersję sieciową programu \"Tervalis\".\r";
const wchar_t kSingle[] = L"Odnaleziono wersję jednostanowiskową programu \"Tervalis\".\r";
const wchar_t kNextPrompt[] = L"Naciśnij przycisk \"Dalej >>\" aby zainstalować nakładkę.";
const wchar_t kNoRegistry[] =
    L"Nie odnaleziono rejestru!!!\rProblem z określeniem lokalizacji programu \"Tervals\". "
    L"Określ lokalizację programu na dysku lub skontaktuj się ze sprzedawcą.";
const wchar_t kRegisteredFolderFails[] =
    L"Nie odnaleziono potrzebnych składników programu, skontaktuj się ze sprzedawcą. "
    L"Nastąpi zamknięcie instalatora.";
const wchar_t kChosenFolderFails[] =
    L"W podanej lokalizacji nie odnaleziono potrzebnych składników programu. Zmień "
    L"lokalizację lub skontaktuj się ze sprzedawcą.";
const wchar_t kPrompt[] = L"Wybierz folder:";

// Bytes in the system's ANSI code page as Windows shows them.
inline String Ansi(const AnsiString& bytes) {
    if (bytes.empty()) return String();
    String text(bytes.size(), L'\0');
    const int n =
        MultiByteToWideChar(CP_ACP, 0, bytes.data(), int(bytes.size()), &text[0], int(text.size()));
    text.resize(n > 0 ? n : 0);
    return text;
}

inline String RegistrySummary(const wchar_t* edition, const AnsiString& folder,
                              const AnsiString& owner) {
    return edition + (L"Lokalizacja: " + Ansi(folder)) + L"\r" + Ansi(owner) + L"\r" + kNextPrompt;
}

inline String BrowseSummary(const wchar_t* edition, const AnsiString& owner) {
    return edition + Ansi(owner) + L"\r" + kNextPrompt;
}

inline String WindowText(HWND window) {
    String text(GetWindowTextLengthW(window) + 1, L'\0');
    text.resize(GetWindowTextW(window, &text[0], int(text.size())));
    return text;
}

inline AnsiString FullPath(const AnsiString& path) {
    char full[MAX_PATH];
    const DWORD n = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    return n && n < MAX_PATH ? AnsiString(full, n) : path;
}

// The fake libraries' entry points log each load ("L") and release ("U").
inline void ClearLibraryEvents() { SetEnvironmentVariableA("ORVANLIB_EVENTS", ""); }
inline AnsiString LibraryEvents() {
    char events[64];
    const DWORD n = GetEnvironmentVariableA("ORVANLIB_EVENTS", events, sizeof events);
    return n < sizeof events ? AnsiString(events, n) : "(too many)";
}

// Records the paths that this program hands to the loader.
class LoaderWatch {
public:
    LoaderWatch() : FHook("kernel32.dll", "LoadLibraryExA", reinterpret_cast<const void*>(LoadEx)) {
        FCurrent = this;
    }
    ~LoaderWatch() { FCurrent = nullptr; }
    bool Watching() const { return FHook.Installed(); }
    const std::vector<AnsiString>& Paths() const { return FPaths; }

private:
    static HMODULE WINAPI LoadEx(LPCSTR path, HANDLE file, DWORD flags) {
        FCurrent->FPaths.push_back(path);
        return reinterpret_cast<decltype(&LoadLibraryExA)>(FCurrent->FHook.Original())(path, file,
                                                                                       flags);
    }
    ImportHook FHook;
    std::vector<AnsiString> FPaths;
    static inline LoaderWatch* FCurrent = nullptr;
};

// Changes the current directory while it lives.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const AnsiString& folder) {
        char previous[MAX_PATH];
        FPrevious.assign(previous, GetCurrentDirectoryA(MAX_PATH, previous));
        FChanged = SetCurrentDirectoryA(folder.c_str());
    }
    ~CurrentDirectory() { SetCurrentDirectoryA(FPrevious.c_str()); }
    bool Changed() const { return FChanged; }

private:
    AnsiString FPrevious;
    bool FChanged;
};

// A copy of a file that is removed again when the object goes.
class PlantedFile {
public:
    PlantedFile(const AnsiString& from, const AnsiString& to) : FPath(to) {
        FPlanted = CopyFileA(from.c_str(), to.c_str(), FALSE);
    }
    ~PlantedFile() { DeleteFileA(FPath.c_str()); }
    bool Planted() const { return FPlanted; }

private:
    AnsiString FPath;
    bool FPlanted;
};

// A folder of this test's own that holds a copy of a fake library.
inline AnsiString CopyOfFixture(const TempFolder& temp, const char* fixture, const char* name) {
    const AnsiString folder = temp / name;
    MakeFolder(folder);
    CopyFileA((FixtureFolder(fixture) + "\\ORVANLIB.dll").c_str(),
              (folder + "\\ORVANLIB.dll").c_str(), FALSE);
    return folder;
}

class DetectionPageTest : public WizardTest {
protected:
    // Next on the welcome page, which shows the detection page.
    void ShowDetectionPage() {
        ShowWizard();
        ClearLibraryEvents();
        Click(Form().BitBtn2);
    }
    static String Status() { return Form().StaticText3->Caption(); }
    static String StatusOnScreen() { return WindowText(Form().StaticText3->Handle()); }
    static int Mark() { return Form().TabSheet2->Tag; }
    static int Page() { return Form().PageControl1->ActivePageIndex(); }
    static bool NextEnabled() { return Form().BitBtn2->Enabled(); }
    static bool BrowseShown() { return Form().Edit1->Visible() && Form().BitBtn5->Visible(); }
    static bool BrowseHidden() { return !Form().Edit1->Visible() && !Form().BitBtn5->Visible(); }
    static String Edit1Text() { return Form().Edit1->Text(); }
};

}  // namespace detection
