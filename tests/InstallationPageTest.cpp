// The installation page: the pass that writes the templates below the host
// folder, seen through the page's controls, the files on disk and the calls
// that the pass makes through this program's imports.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ImportHook.h"
#include "TemplateTable.h"
#include "WizardTest.h"

namespace {

const wchar_t kStart[] = L"Instalacja nakładki R12T.\r";
const wchar_t kDone[] =
    L"Gotowe. Zainstalowano nakładkę R12T. Zamknij instalatora i uruchom program \"Tervalis\".\r\r"
    L"Jeśli pracujesz w sieci pamiętaj aby zainstalować nakładkę na wszystkich komputerach.";
const wchar_t kFailure[] =
    L"Wystąpił problem podczas instalacji, instalacja nie powiodła się!. Skontaktuj się ze "
    L"sprzedawcą.";

constexpr int kRows = 18;

std::wstring Wide(const String& text) { return std::wstring(text.begin(), text.end()); }
std::string Narrow(const AnsiString& text) { return std::string(text.begin(), text.end()); }

std::wstring WindowText(const TWinControl* control) {
    wchar_t text[1024];
    return std::wstring(text, GetWindowTextW(control->Handle(), text, 1024));
}

// The row's template as this program carries it (the same payload as the installer).
std::string Payload(int row) {
    HRSRC info = FindResourceA(HInstance, TemplateTable[row].ResourceName, MAKEINTRESOURCEA(10));
    if (!info) return "(missing)";
    return std::string(static_cast<const char*>(LockResource(LoadResource(HInstance, info))),
                       SizeofResource(HInstance, info));
}

std::string FileName(int row) {
    const std::string path = TemplateTable[row].RelativePath;
    return path.substr(path.rfind('\\') + 1);
}

std::wstring Progress(int row) {
    const std::string text = TemplateTable[row].ProgressText;
    return std::wstring(text.begin(), text.end());
}

std::string Contents(const AnsiString& path) {
    return FileExists(path) ? Narrow(ReadFileBytes(path)) : "(no file)";
}

std::vector<std::string> Listing(const AnsiString& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> TemplateNames(int rows) {
    std::vector<std::string> names;
    for (int row = 0; row < rows; ++row) names.push_back(FileName(row));
    std::sort(names.begin(), names.end());
    return names;
}

AnsiString Environment(const char* name) {
    char value[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA(name, value, MAX_PATH);
    return length && length < MAX_PATH ? AnsiString(value, length) : AnsiString();
}

// One call that the pass made, in the order made.
struct Call {
    explicit Call(std::string text, std::string path = "")
        : Text(std::move(text)), Path(std::move(path)) {}
    std::string Text;               // what was asked, e.g. "write 6301", "move <from> -> <to>"
    std::string Path;               // the file or resource the call names
    std::wstring Progress;          // create: the progress line's window text then
    bool ProgressOnScreen = false;  // create: visible, and no part of it waits to be painted

    std::string Kind() const { return Text.substr(0, Text.find(' ')); }
};

// Records the pass's resource and file calls between Start and Stop, and can
// make one payload resource appear missing from the program.
class PassTrace {
public:
    ~PassTrace() { Stop(); }

    // False when the program does not import one of the traced functions.
    bool Start(const char* missingResource = nullptr) {
        FMissing = missingResource;
        FCalls.clear();
        FCurrent = this;
        Hook("FindResourceA", FindResourceHook, FFind);
        Hook("FreeResource", FreeResourceHook, FFree);
        Hook("SetFileAttributesA", SetFileAttributesHook, FSetAttributes);
        Hook("CreateFileA", CreateFileHook, FCreate);
        Hook("WriteFile", WriteFileHook, FWrite);
        Hook("FlushFileBuffers", FlushFileBuffersHook, FFlush);
        Hook("MoveFileExA", MoveFileExHook, FMove);
        return std::all_of(FHooks.begin(), FHooks.end(),
                           [](const std::unique_ptr<ImportHook>& h) { return h->Installed(); });
    }
    void Stop() {
        FHooks.clear();
        FCurrent = nullptr;
    }

    const std::vector<Call>& Calls() const { return FCalls; }

    int Count(const char* kind) const {
        return int(std::count_if(FCalls.begin(), FCalls.end(),
                                 [&](const Call& c) { return c.Kind() == kind; }));
    }

    // The files or resources that calls of one kind named, in order.
    std::vector<std::string> Paths(const char* kind) const {
        std::vector<std::string> paths;
        for (const Call& call : FCalls)
            if (call.Kind() == kind) paths.push_back(call.Path);
        return paths;
    }

    // Each stream opened is released once, before the next one is opened.
    bool StreamsReleasedOnce() const {
        bool inHand = false;
        for (const Call& call : FCalls) {
            if (call.Kind() == "open") {
                if (inHand) return false;
                inHand = call.Text.find("(missing)") == std::string::npos;
            } else if (call.Kind() == "release") {
                if (!inHand) return false;
                inHand = false;
            }
        }
        return !inHand;
    }

private:
    template <class F>
    void Hook(const char* name, F replacement, F& original) {
        FHooks.emplace_back(
            new ImportHook("kernel32.dll", name, reinterpret_cast<const void*>(replacement)));
        original = reinterpret_cast<F>(const_cast<void*>(FHooks.back()->Original()));
    }

    static HRSRC WINAPI FindResourceHook(HMODULE module, LPCSTR name, LPCSTR type) {
        const std::string text = IS_INTRESOURCE(name) ? "#" : name;
        HRSRC found = nullptr;
        if (FCurrent->FMissing && lstrcmpiA(text.c_str(), FCurrent->FMissing) == 0)
            SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        else
            found = FCurrent->FFind(module, name, type);
        FCurrent->FCalls.emplace_back("open " + text + (found ? "" : " (missing)"), text);
        return found;
    }

    static BOOL WINAPI FreeResourceHook(HGLOBAL resource) {
        FCurrent->FCalls.emplace_back("release");
        return FCurrent->FFree(resource);
    }

    static BOOL WINAPI SetFileAttributesHook(LPCSTR path, DWORD attributes) {
        FCurrent->FCalls.emplace_back(
            "attributes " + std::string(path) + " " + std::to_string(attributes), path);
        return FCurrent->FSetAttributes(path, attributes);
    }

    static HANDLE WINAPI CreateFileHook(LPCSTR path, DWORD access, DWORD share,
                                        LPSECURITY_ATTRIBUTES security, DWORD disposition,
                                        DWORD flags, HANDLE templateFile) {
        Call call("create " + std::string(path), path);
        HWND line = Form1->StaticText4->Handle();
        call.Progress = WindowText(Form1->StaticText4);
        call.ProgressOnScreen = IsWindowVisible(line) && !GetUpdateRect(line, nullptr, FALSE);
        FCurrent->FCalls.push_back(call);
        return FCurrent->FCreate(path, access, share, security, disposition, flags, templateFile);
    }

    static BOOL WINAPI WriteFileHook(HANDLE file, LPCVOID data, DWORD size, LPDWORD written,
                                     LPOVERLAPPED overlapped) {
        FCurrent->FCalls.emplace_back("write " + std::to_string(size));
        return FCurrent->FWrite(file, data, size, written, overlapped);
    }

    static BOOL WINAPI FlushFileBuffersHook(HANDLE file) {
        FCurrent->FCalls.emplace_back("flush");
        return FCurrent->FFlush(file);
    }

    static BOOL WINAPI MoveFileExHook(LPCSTR from, LPCSTR to, DWORD flags) {
        FCurrent->FCalls.emplace_back("move " + std::string(from) + " -> " + to, to);
        return FCurrent->FMove(from, to, flags);
    }

    const char* FMissing = nullptr;
    std::vector<Call> FCalls;
    std::vector<std::unique_ptr<ImportHook>> FHooks;
    decltype(&FindResourceA) FFind = nullptr;
    decltype(&FreeResource) FFree = nullptr;
    decltype(&SetFileAttributesA) FSetAttributes = nullptr;
    decltype(&CreateFileA) FCreate = nullptr;
    decltype(&WriteFile) FWrite = nullptr;
    decltype(&FlushFileBuffers) FFlush = nullptr;
    decltype(&MoveFileExA) FMove = nullptr;
    static PassTrace* FCurrent;
};

PassTrace* PassTrace::FCurrent = nullptr;

// Another program's handle on a file, shared with nobody.
class HeldOpen {
public:
    explicit HeldOpen(const AnsiString& path)
        : FHandle(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}
    ~HeldOpen() { Release(); }
    HeldOpen(const HeldOpen&) = delete;
    HeldOpen& operator=(const HeldOpen&) = delete;
    bool Held() const { return FHandle != INVALID_HANDLE_VALUE; }
    void Release() {
        if (Held()) CloseHandle(FHandle);
        FHandle = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE FHandle;
};

std::string OldContent(int row) { return "{\\rtf1 old " + FileName(row) + "}\r\n"; }

class InstallationPageTest : public WizardTest {
protected:
    // A host folder that passes the probe, with or without its templates folder.
    void MakeHost(bool templatesFolder = true) {
        CopyFileA((FixtureFolder("single") + "\\ORVANLIB.dll").c_str(),
                  (Host / "ORVANLIB.dll").c_str(), FALSE);
        if (templatesFolder) MakeFolder(Templates());
    }
    AnsiString Templates() const { return Host / "SZABLONY"; }
    AnsiString Target(int row) const { return Host.Path() + TemplateTable[row].RelativePath; }

    // The whole road: registry value, detection page, Next.
    void InstallThroughRegistry(const AnsiString& location) {
        Registry.SetLocation(location);
        ShowWizard();
        GoToPage(1);
        RunPass();
    }
    // The detection page confirms a fixture folder; then HostDir is changed
    // to the folder under test and Next pressed.
    void InstallInto(const AnsiString& hostDir) {
        Registry.SetLocation(FixtureFolder("single"));
        ShowWizard();
        GoToPage(1);
        ASSERT_TRUE(HostFound());
        HostDir() = hostDir;
        RunPass();
    }
    // Next from the detection page, with the pass's calls recorded.
    void RunPass(const char* missingResource = nullptr) {
        ASSERT_EQ(Form().PageControl1->ActivePageIndex(), 1);
        const size_t dialogs = Dialogs.Seen().size();
        ASSERT_TRUE(Trace.Start(missingResource)) << "a traced function is not imported";
        Click(Form().BitBtn2);
        Trace.Stop();
        EXPECT_EQ(Form().PageControl1->ActivePageIndex(), 2);
        EXPECT_EQ(Dialogs.Seen().size(), dialogs) << "the pass showed a dialog";
    }

    void ExpectLog(const std::wstring& text) {
        EXPECT_EQ(Wide(Form().StaticText6->Caption()), text);
        EXPECT_EQ(WindowText(Form().StaticText6), text);
    }
    void ExpectProgress(const std::wstring& text) {
        EXPECT_EQ(Wide(Form().StaticText4->Caption()), text);
        EXPECT_EQ(WindowText(Form().StaticText4), text);
    }
    // Back as given; Next and Cancel always end disabled on the last page.
    void ExpectBack(bool enabled) {
        EXPECT_EQ(Form().BitBtn1->Enabled(), enabled);
        EXPECT_EQ(IsWindowEnabled(Form().BitBtn1->Handle()) != FALSE, enabled);
        EXPECT_FALSE(Form().BitBtn2->Enabled());
        EXPECT_FALSE(Form().BitBtn3->Enabled());
    }
    // The row's file holds its template, with the archive attribute only.
    void ExpectInstalled(const AnsiString& target, int row) {
        SCOPED_TRACE(Narrow(target));
        const std::string contents = Contents(target);
        EXPECT_TRUE(contents == Payload(row)) << contents.size() << " bytes, not the template";
        EXPECT_EQ(GetFileAttributesA(target.c_str()), DWORD(FILE_ATTRIBUTE_ARCHIVE));
    }
    void ExpectInstalled(int row) { ExpectInstalled(Target(row), row); }

    TempFolder Host;
    PassTrace Trace;
};

TEST_F(InstallationPageTest, PassWritesEveryTemplateAndReportsSuccess) {
    MakeHost();
    InstallThroughRegistry(Host.Path());

    for (int row = 0; row < kRows; ++row) ExpectInstalled(row);
    EXPECT_EQ(Listing(Templates()), TemplateNames(kRows)) << "a temporary file was left behind";
    EXPECT_EQ(Listing(Host.Path()), (std::vector<std::string>{"ORVANLIB.dll", "SZABLONY"}));
    ExpectLog(std::wstring(kStart) + kDone);
    ExpectProgress(L"");
    ExpectBack(false);
}

// Within each row: the resource is opened, the target's attributes reset, the
// row's text shown, and only then is a file created, beside the target. The
// whole template goes out in one write, is committed to disk and lands on the
// target in one step; the stream is released before the next row.
TEST_F(InstallationPageTest, EachRowOpensResetsShowsWritesAndReleasesInOrder) {
    MakeHost();
    InstallInto(Host.Path());

    constexpr size_t kCallsPerRow = 7;
    const std::vector<Call>& calls = Trace.Calls();
    ASSERT_EQ(calls.size(), kCallsPerRow * kRows);
    for (int row = 0; row < kRows; ++row) {
        SCOPED_TRACE("row " + std::to_string(row + 1));
        const Call* c = &calls[kCallsPerRow * row];
        const std::string target = Narrow(Target(row));
        const std::string temporary = c[2].Path;
        EXPECT_EQ(temporary.substr(0, temporary.rfind('\\')), Narrow(Templates()));
        EXPECT_NE(temporary, target);
        std::vector<std::string> texts;
        for (size_t i = 0; i < kCallsPerRow; ++i) texts.push_back(c[i].Text);
        EXPECT_EQ(texts, (std::vector<std::string>{
                             std::string("open ") + TemplateTable[row].ResourceName,
                             "attributes " + target + " 32",
                             "create " + temporary,
                             "write " + std::to_string(Payload(row).size()),
                             "flush",
                             "move " + temporary + " -> " + target,
                             "release",
                         }));
        EXPECT_EQ(c[2].Progress, Progress(row));
        EXPECT_TRUE(c[2].ProgressOnScreen) << "the progress line is not painted";
    }
}

struct ExistingTarget {
    int Row;
    DWORD Attributes;
    size_t Size;  // old content: that many bytes
};

// clang-format off
const ExistingTarget kExistingTargets[] = {
    {0, FILE_ATTRIBUTE_READONLY,                                                20000},
    {1, FILE_ATTRIBUTE_HIDDEN,                                                  20000},
    {2, FILE_ATTRIBUTE_SYSTEM,                                                  20000},
    {3, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, 20000},
    {4, FILE_ATTRIBUTE_NORMAL,                                                  30000},
    {5, FILE_ATTRIBUTE_NORMAL,                                                  10},
    {6, FILE_ATTRIBUTE_READONLY,                                                0},
};
// clang-format on

TEST_F(InstallationPageTest, ExistingTargetsAreReplacedWhateverTheirAttributes) {
    MakeHost();
    for (const ExistingTarget& existing : kExistingTargets) {
        WriteFileBytes(Target(existing.Row), AnsiString(existing.Size, 'x'));
        SetFileAttributesA(Target(existing.Row).c_str(), existing.Attributes);
    }
    InstallInto(Host.Path());

    for (int row = 0; row < kRows; ++row) ExpectInstalled(row);
    EXPECT_EQ(Listing(Templates()), TemplateNames(kRows));
    ExpectLog(std::wstring(kStart) + kDone);
    ExpectBack(false);
}

TEST_F(InstallationPageTest, MissingTemplatesFolderStopsThePassAtOnce) {
    MakeHost(false);
    InstallThroughRegistry(Host.Path());

    EXPECT_EQ(Listing(Host.Path()), std::vector<std::string>{"ORVANLIB.dll"});
    ExpectLog(std::wstring(kStart) + kFailure);
    ExpectProgress(L"\\SZABLONY\\RPT_A1.rtf");
    ExpectBack(true);
    EXPECT_EQ(Trace.Count("open"), 1);
    EXPECT_TRUE(Trace.StreamsReleasedOnce());
}

// Another program holds the row's target open, sharing it with nobody: the
// pass stops on that row and the line keeps the row's text.
class HeldTargetTest : public InstallationPageTest, public ::testing::WithParamInterface<int> {};

TEST_P(HeldTargetTest, StopsThePassOnItsRow) {
    const int held = GetParam();
    MakeHost();
    WriteFileBytes(Target(held), OldContent(held).c_str());
    HeldOpen holder(Target(held));
    ASSERT_TRUE(holder.Held());
    InstallInto(Host.Path());
    holder.Release();

    for (int row = 0; row < held; ++row) ExpectInstalled(row);
    EXPECT_EQ(Contents(Target(held)), OldContent(held));
    EXPECT_EQ(Listing(Templates()), TemplateNames(held + 1))
        << "later rows written or a temporary file left";
    ExpectProgress(Progress(held));
    ExpectLog(std::wstring(kStart) + kFailure);
    ExpectBack(true);
    EXPECT_EQ(Trace.Count("open"), held + 1);
    EXPECT_TRUE(Trace.StreamsReleasedOnce());
}

std::string RowName(const ::testing::TestParamInfo<int>& info) {
    return "Row" + std::to_string(info.param + 1);
}

INSTANTIATE_TEST_SUITE_P(Rows, HeldTargetTest, ::testing::Values(0, 1, 2, 9, 17), RowName);

// A payload resource that cannot be found ends the pass before the row's
// progress text is shown; no stream is in hand, so none is released.
TEST_F(InstallationPageTest, MissingResourceStopsThePassWithNoStreamInHand) {
    MakeHost();
    Registry.SetLocation(Host.Path());
    ShowWizard();
    GoToPage(1);
    RunPass("Plik5T");

    for (int row = 0; row < 4; ++row) ExpectInstalled(row);
    EXPECT_EQ(Listing(Templates()), TemplateNames(4));
    ExpectProgress(L"\\SZABLONY\\RPT_B2.rtf");
    ExpectLog(std::wstring(kStart) + kFailure);
    ExpectBack(true);
    EXPECT_EQ(Trace.Count("open"), 5);
    EXPECT_EQ(Trace.Count("release"), 4);
    EXPECT_TRUE(Trace.StreamsReleasedOnce());
}

TEST_F(InstallationPageTest, BackAndNextAfterAFailureRunAWholeNewPass) {
    MakeHost();
    WriteFileBytes(Target(1), OldContent(1).c_str());
    HeldOpen holder(Target(1));
    InstallThroughRegistry(Host.Path());
    ExpectBack(true);
    holder.Release();

    Click(Form().BitBtn1);
    ASSERT_EQ(Form().PageControl1->ActivePageIndex(), 1);
    RunPass();

    for (int row = 0; row < kRows; ++row) ExpectInstalled(row);
    EXPECT_EQ(Trace.Count("open"), kRows);
    ExpectLog(std::wstring(kStart) + kFailure + kStart + kDone);
    ExpectProgress(L"");
    ExpectBack(false);
}

// The target is HostDir followed directly by the row's path, whatever form
// HostDir has: nothing added, removed or normalised.
TEST_F(InstallationPageTest, DriveRootHostDirIsUsedAsItStands) {
    const AnsiString templates = "C:\\SZABLONY";
    RemoveTree(templates);
    MakeFolder(templates);
    InstallInto("C:");

    std::vector<std::string> targets;
    for (int row = 0; row < kRows; ++row) {
        targets.push_back(std::string("C:") + TemplateTable[row].RelativePath);
        ExpectInstalled(targets.back().c_str(), row);
    }
    EXPECT_EQ(Trace.Paths("attributes"), targets);
    ExpectLog(std::wstring(kStart) + kDone);
    RemoveTree(templates);
}

TEST_F(InstallationPageTest, HostDirWithTrailingBackslashIsUsedAsItStands) {
    MakeHost();
    InstallInto(Host.Path() + "\\");

    std::vector<std::string> targets;
    for (int row = 0; row < kRows; ++row) {
        targets.push_back(Narrow(Host.Path()) + "\\" + TemplateTable[row].RelativePath);
        ExpectInstalled(row);
    }
    EXPECT_EQ(Trace.Paths("attributes"), targets);
    EXPECT_EQ(Listing(Templates()), TemplateNames(kRows));
    ExpectLog(std::wstring(kStart) + kDone);
}

// Next reached while HostFound is false: the pass writes nothing below the
// folder that failed the probe, although it has a templates folder.
class WrongFolderTest : public InstallationPageTest {
protected:
    void SetUp() override {
        InstallationPageTest::SetUp();
        MakeHost();                      // a folder that passes the probe
        MakeFolder(Wrong / "SZABLONY");  // one that does not
        ShowWizard();
        GoToPage(1);  // no registry value: the page asks for a folder
    }
    void ChooseFolder(const AnsiString& folder) {
        Dialogs.ChooseFolder(folder);
        Click(Form().BitBtn5);
    }
    void ExpectNothingWritten() {
        ASSERT_FALSE(HostFound());
        ASSERT_EQ(lstrcmpiA(HostDir().c_str(), Wrong.Path().c_str()), 0) << Narrow(HostDir());
        RunPass();
        EXPECT_TRUE(Listing(Wrong / "SZABLONY").empty());
        EXPECT_TRUE(Trace.Calls().empty()) << "the pass opened or wrote something";
        ExpectLog(std::wstring(kStart) + kFailure);
        ExpectProgress(L" ");
        ExpectBack(true);
    }

    TempFolder Wrong;
};

TEST_F(WrongFolderTest, ChosenAfterAGoodOne) {
    ChooseFolder(Host.Path());
    ASSERT_TRUE(HostFound()) << Narrow(HostDir());
    ChooseFolder(Wrong.Path());
    ASSERT_TRUE(Form().BitBtn2->Enabled());
    ExpectNothingWritten();
}

TEST_F(WrongFolderTest, ChosenThenBackAndNext) {
    ChooseFolder(Wrong.Path());
    ASSERT_FALSE(Form().BitBtn2->Enabled());
    Click(Form().BitBtn1);
    Click(Form().BitBtn2);
    ASSERT_EQ(Form().PageControl1->ActivePageIndex(), 1);
    ExpectNothingWritten();
}

// Faults that need a file system of their own, mounted by
// scripts/fault-mounts.sh as root; without it these tests skip.

TEST_F(InstallationPageTest, ReadOnlyFolderFailsOnTheFirstRowAndChangesNothing) {
    const AnsiString host = Environment("INSTALATOR_READ_ONLY_HOST");
    if (host.empty())
        GTEST_SKIP() << "INSTALATOR_READ_ONLY_HOST is not set: no read-only mount "
                        "(scripts/fault-mounts.sh makes one as root)";
    const AnsiString templates = host + "\\SZABLONY";
    const std::vector<std::string> before = Listing(templates);
    ASSERT_FALSE(before.empty()) << "the read-only host has no templates in SZABLONY";
    std::vector<std::string> contents;
    for (const std::string& name : before)
        contents.push_back(Contents(templates + "\\" + name.c_str()));

    InstallInto(host);

    EXPECT_EQ(Listing(templates), before);
    for (size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(Contents(templates + "\\" + before[i].c_str()), contents[i]) << before[i];
    ExpectProgress(L"\\SZABLONY\\RPT_A1.rtf");
    ExpectLog(std::wstring(kStart) + kFailure);
    ExpectBack(true);
    EXPECT_TRUE(Trace.StreamsReleasedOnce());
}

// A tiny file system: the test fills it, leaving a few pages free, so that
// the pass runs out of space partway through.
class FullDisk {
public:
    explicit FullDisk(const AnsiString& root) : FRoot(root) { Clear(); }
    ~FullDisk() { Clear(); }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    // Fills the file system, then frees the given number of bytes again.
    bool FillLeaving(DWORD freeBytes) {
        HANDLE filler = CreateFileA((FRoot + "\\filler").c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (filler == INVALID_HANDLE_VALUE) return false;
        static const char chunk[4096] = {0};
        DWORD written = 0, size = 0;
        while (WriteFile(filler, chunk, sizeof chunk, &written, nullptr) && written == sizeof chunk)
            size += written;
        const bool filled = size > freeBytes;
        if (filled) {
            SetFilePointer(filler, LONG(size - freeBytes), nullptr, FILE_BEGIN);
            SetEndOfFile(filler);
        }
        CloseHandle(filler);
        return filled;
    }

private:
    void Clear() {
        for (const std::string& name : Listing(FRoot)) {
            const AnsiString path = FRoot + "\\" + name.c_str();
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (!DeleteFileA(path.c_str())) RemoveTree(path);
        }
    }
    AnsiString FRoot;
};

TEST_F(InstallationPageTest, FullDiskKeepsTheTargetAndLeavesNoTemporaryFile) {
    const AnsiString host = Environment("INSTALATOR_FULL_DISK_HOST");
    if (host.empty())
        GTEST_SKIP() << "INSTALATOR_FULL_DISK_HOST is not set: no tiny file system to fill "
                        "(scripts/fault-mounts.sh mounts one as root)";
    FullDisk disk(host);
    const AnsiString templates = host + "\\SZABLONY";
    MakeFolder(templates);
    for (int row = 0; row < kRows; ++row)
        WriteFileBytes(host + TemplateTable[row].RelativePath, OldContent(row).c_str());
    ASSERT_TRUE(disk.FillLeaving(4 * 4096)) << "cannot fill " << Narrow(host);

    InstallInto(host);

    int stopped = 0;
    while (stopped < kRows && WindowText(Form().StaticText4) != Progress(stopped)) ++stopped;
    ASSERT_LT(stopped, kRows) << "the progress line shows no row";
    EXPECT_GT(stopped, 0) << "the disk was full before the first row";
    for (int row = 0; row < stopped; ++row)
        ExpectInstalled(host + TemplateTable[row].RelativePath, row);
    for (int row = stopped; row < kRows; ++row)
        EXPECT_EQ(Contents(host + TemplateTable[row].RelativePath), OldContent(row));
    EXPECT_EQ(Listing(templates), TemplateNames(kRows)) << "a temporary file was left behind";
    ExpectLog(std::wstring(kStart) + kFailure);
    ExpectBack(true);
    EXPECT_TRUE(Trace.StreamsReleasedOnce());
}

}  // namespace
