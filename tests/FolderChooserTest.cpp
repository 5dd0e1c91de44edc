// The browse button of the detection page and the folder chooser it opens,
// driven through the real chooser dialog: a folder is selected in it and OK or
// Cancel pressed, as a user does.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "DetectionFixture.h"
#include "Dialogs.h"

namespace detection {
namespace {

// The detection page waiting for a folder: the registry has no value. The
// current drive has no library in its root.
class BrowseTest : public DetectionPageTest {
protected:
    void SetUp() override {
        DetectionPageTest::SetUp();
        ASSERT_TRUE(Current.Changed());
        ShowDetectionPage();
        ASSERT_EQ(Status(), kNoRegistry);
        ASSERT_TRUE(BrowseShown());
    }
    // The folder chooser comes up from the click and is answered as queued.
    void Browse() {
        ClearLibraryEvents();
        Click(Form().BitBtn5);
    }
    const CurrentDirectory Current{FixtureFolder("empty")};
};

struct Library {
    const wchar_t* edition;  // null: the folder fails the probe
    const char* owner;
};

const std::map<std::string, Library> kLibraries = {
    {"network1", {kNetwork, OWNER_PLAIN}}, {"network2", {kNetwork, OWNER_POLISH}},
    {"single", {kSingle, OWNER_EMPTY}},    {"empty", {nullptr, nullptr}},
    {"ownerfaults", {nullptr, nullptr}},   {"initfails", {nullptr, nullptr}},
};

// One use of the browse button: a fixture folder chosen, or the chooser cancelled.
struct BrowseStep {
    const char* choose;  // null: Cancel
};

struct BrowseCase {
    const char* name;
    std::vector<BrowseStep> steps;
};

const BrowseCase kBrowseCases[] = {
    {"Good", {{"network1"}}},
    {"GoodThenBad", {{"network2"}, {"empty"}}},
    {"GoodThenFaulting", {{"single"}, {"ownerfaults"}}},
    {"BadThenGood", {{"initfails"}, {"single"}}},
    {"GoodThenCancel", {{"network2"}, {nullptr}}},
    {"GoodThenGood", {{"network2"}, {"single"}}},
};

class BrowseSequence : public BrowseTest, public testing::WithParamInterface<BrowseCase> {};

// After each step: HostDir and Edit1 hold the folder (a cancel keeps it), the
// folder is probed, and the summary and Next change only when it passes.
TEST_P(BrowseSequence, ProbesEachFolder) {
    AnsiString folder;
    const char* fixture = nullptr;
    String status = kNoRegistry;
    bool nextEnabled = false;
    for (const BrowseStep& step : GetParam().steps) {
        SCOPED_TRACE(step.choose ? step.choose : "Cancel");
        if (step.choose) {
            fixture = step.choose;
            folder = FixtureFolder(fixture);
            Dialogs.ChooseFolder(folder);
        } else {
            Dialogs.CancelNext();
        }
        const size_t seen = Dialogs.Seen().size();
        LoaderWatch loader;

        Browse();

        const Library& library = kLibraries.at(fixture);
        ASSERT_EQ(Dialogs.Seen().size(), seen + (library.edition ? 1 : 2));
        EXPECT_TRUE(Dialogs.Seen()[seen].FolderChooser);
        if (library.edition) {
            status = BrowseSummary(library.edition, library.owner);
            nextEnabled = true;
        } else {
            const ModalDialogs::Dialog& box = Dialogs.Seen()[seen + 1];
            EXPECT_EQ(box.Caption, L"Instalator");
            EXPECT_EQ(box.Text(), kChosenFolderFails);
            EXPECT_FALSE(box.HasIcon);
            EXPECT_EQ(box.Buttons, std::vector<String>{L"OK"});
        }
        EXPECT_EQ(HostDir(), folder);
        EXPECT_EQ(Edit1Text(), Ansi(folder));
        EXPECT_EQ(WindowText(Form().Edit1->Handle()), Ansi(folder));
        ASSERT_EQ(loader.Paths().size(), 1u);
        EXPECT_EQ(FullPath(loader.Paths()[0]), FullPath(folder + "\\ORVANLIB.dll"));
        EXPECT_EQ(Status(), status);
        EXPECT_EQ(StatusOnScreen(), status);
        EXPECT_EQ(NextEnabled(), nextEnabled);
        EXPECT_TRUE(BrowseShown());
        EXPECT_FALSE(Form().Edit1->Enabled());
        EXPECT_EQ(Mark(), 1);
        EXPECT_EQ(Page(), 1);
        EXPECT_FALSE(Application->Terminated());
    }
}

INSTANTIATE_TEST_SUITE_P(Browse, BrowseSequence, testing::ValuesIn(kBrowseCases),
                         [](const testing::TestParamInfo<BrowseCase>& info) {
                             return std::string(info.param.name);
                         });

// Cancel before any choice: HostDir stays empty, and the probe looks in the
// root folder of the current drive. The library goes to C:\, the test prefix's
// own drive.
struct CancelCase {
    const char* name;
    bool libraryAtRoot;
};

class CancelFirst : public BrowseTest, public testing::WithParamInterface<CancelCase> {};

TEST_P(CancelFirst, ProbesTheRootOfTheCurrentDrive) {
    std::unique_ptr<PlantedFile> library;
    char windows[MAX_PATH];
    ASSERT_NE(GetWindowsDirectoryA(windows, MAX_PATH), 0u);
    if (GetParam().libraryAtRoot) {
        library = std::make_unique<PlantedFile>(FixtureFolder("network1") + "\\ORVANLIB.dll",
                                                "C:\\ORVANLIB.dll");
        ASSERT_TRUE(library->Planted());
    }
    const CurrentDirectory current(GetParam().libraryAtRoot ? AnsiString(windows)
                                                            : FixtureFolder("empty"));
    ASSERT_TRUE(current.Changed());
    ASSERT_EQ(FileExists("\\ORVANLIB.dll"), GetParam().libraryAtRoot);
    Dialogs.CancelNext();
    LoaderWatch loader;

    Browse();

    EXPECT_EQ(HostDir(), "");
    EXPECT_EQ(Edit1Text(), L"");
    ASSERT_EQ(loader.Paths().size(), 1u);
    EXPECT_EQ(FullPath(loader.Paths()[0]), FullPath("\\ORVANLIB.dll"));
    if (GetParam().libraryAtRoot) {
        ASSERT_EQ(Dialogs.Seen().size(), 1u);
        EXPECT_EQ(Status(), BrowseSummary(kNetwork, OWNER_PLAIN));
        EXPECT_TRUE(NextEnabled());
    } else {
        ASSERT_EQ(Dialogs.Seen().size(), 2u);
        EXPECT_EQ(Dialogs.Seen()[1].Text(), kChosenFolderFails);
        EXPECT_EQ(Status(), kNoRegistry);
        EXPECT_FALSE(NextEnabled());
    }
}

INSTANTIATE_TEST_SUITE_P(Browse, CancelFirst,
                         testing::Values(CancelCase{"NoLibraryAtRoot", false},
                                         CancelCase{"LibraryAtRoot", true}),
                         [](const testing::TestParamInfo<CancelCase>& info) {
                             return std::string(info.param.name);
                         });

// The chooser gives a drive root with its backslash; the page drops it.
TEST_F(BrowseTest, DriveRootLosesItsBackslash) {
    const PlantedFile library(FixtureFolder("network2") + "\\ORVANLIB.dll", "C:\\ORVANLIB.dll");
    ASSERT_TRUE(library.Planted());
    Dialogs.ChooseFolder("C:\\");
    LoaderWatch loader;

    Browse();

    EXPECT_EQ(HostDir(), "C:");
    EXPECT_EQ(Edit1Text(), L"C:");
    ASSERT_EQ(loader.Paths().size(), 1u);
    EXPECT_EQ(loader.Paths()[0], "C:\\ORVANLIB.dll");
    EXPECT_EQ(Status(), BrowseSummary(kNetwork, OWNER_POLISH));
    EXPECT_TRUE(NextEnabled());
    EXPECT_EQ(LibraryEvents(), "LU");
}

// Confirmed as it opens, the chooser gives the folder of the program itself.
TEST_F(BrowseTest, OpensOnTheProgramsFolder) {
    Browse();

    EXPECT_EQ(HostDir(), TestExeFolder());
    EXPECT_EQ(Edit1Text(), Ansi(TestExeFolder()));
    ASSERT_EQ(Dialogs.Seen().size(), 2u);
    EXPECT_EQ(Dialogs.Seen()[1].Text(), kChosenFolderFails);
}

String ItemText(HWND tree, HTREEITEM item) {
    wchar_t text[MAX_PATH] = L"";
    TVITEMW data{};
    data.mask = TVIF_TEXT;
    data.hItem = item;
    data.pszText = text;
    data.cchTextMax = MAX_PATH;
    if (item) SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data));
    return text;
}

String DisplayName(int folder) {
    LPITEMIDLIST item = nullptr;
    SHFILEINFOW info{};
    if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, folder, &item)))
        SHGetFileInfoW(reinterpret_cast<LPCWSTR>(item), 0, &info, sizeof info,
                       SHGFI_PIDL | SHGFI_DISPLAYNAME);
    CoTaskMemFree(item);
    return info.szDisplayName;
}

// Whether OK may be pressed with a shell item selected.
bool CanConfirm(HWND chooser, int folder) {
    LPITEMIDLIST item = nullptr;
    SHGetSpecialFolderLocation(nullptr, folder, &item);
    SendMessageW(chooser, BFFM_SETSELECTIONW, FALSE, reinterpret_cast<LPARAM>(item));
    CoTaskMemFree(item);
    return IsWindowEnabled(GetDlgItem(chooser, IDOK));
}

// What the chooser shows and how it sits among the program's windows, read
// while it is open.
struct ChooserSeen {
    std::vector<std::pair<String, String>> controls;  // class and text of the visible ones
    String root;
    String selected;
    HWND owner = nullptr;
    bool wizardEnabled = true;
    bool applicationEnabled = true;
    UINT errorMode = 0;
    bool confirmsMyComputer = true;
    bool confirmsAFolder = false;
};

ChooserSeen Inspect(HWND chooser) {
    ChooserSeen seen;
    for (HWND child = GetWindow(chooser, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!(GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE)) continue;
        wchar_t kind[64];
        GetClassNameW(child, kind, 64);
        seen.controls.emplace_back(kind, WindowText(child));
    }
    HWND tree = FindWindowExW(chooser, nullptr, WC_TREEVIEWW, nullptr);
    seen.root = ItemText(tree, TreeView_GetRoot(tree));
    seen.selected = ItemText(tree, TreeView_GetSelection(tree));
    seen.owner = GetWindow(chooser, GW_OWNER);
    seen.wizardEnabled = IsWindowEnabled(Form1->Handle());
    seen.applicationEnabled = IsWindowEnabled(Application->Handle());
    seen.errorMode = GetErrorMode();
    seen.confirmsMyComputer = CanConfirm(chooser, CSIDL_DRIVES);
    seen.confirmsAFolder = CanConfirm(chooser, CSIDL_WINDOWS);
    return seen;
}

String LastFolderName(const AnsiString& path) { return Ansi(path.substr(path.rfind('\\') + 1)); }

// The chooser as the page opens it: prompt, root, the only flag, the initial
// selection, its owner, modality and error mode.
TEST_F(BrowseTest, ChooserAsThePageOpensIt) {
    ChooserSeen seen;
    Dialogs.Inspect = [&seen](HWND dialog) {
        if (FindWindowExW(dialog, nullptr, WC_TREEVIEWW, nullptr)) seen = Inspect(dialog);
    };
    Dialogs.CancelNext();
    SetErrorMode(SEM_NOOPENFILEERRORBOX);
    ASSERT_TRUE(IsWindowEnabled(Form1->Handle()));

    Browse();

    ASSERT_EQ(Dialogs.Seen().size(), 2u);
    EXPECT_TRUE(Dialogs.Seen()[0].FolderChooser);
    EXPECT_EQ(Dialogs.Seen()[0].Texts, std::vector<String>{kPrompt});
    const std::vector<std::pair<String, String>> controls = {
        {L"Button", Dialogs.Seen()[0].Buttons.at(0)},
        {L"Button", Dialogs.Seen()[0].Buttons.at(1)},
        {L"Static", kPrompt},
        {WC_TREEVIEWW, L""}};
    EXPECT_TRUE(std::is_permutation(controls.begin(), controls.end(), seen.controls.begin(),
                                    seen.controls.end()));
    EXPECT_EQ(seen.root, DisplayName(CSIDL_DESKTOP));
    EXPECT_EQ(seen.selected, LastFolderName(TestExeFolder()));
    EXPECT_EQ(seen.owner, Application->Handle());
    EXPECT_FALSE(seen.wizardEnabled);
    EXPECT_FALSE(seen.applicationEnabled);
    EXPECT_EQ(seen.errorMode, UINT(SEM_FAILCRITICALERRORS));
    EXPECT_FALSE(seen.confirmsMyComputer);
    EXPECT_TRUE(seen.confirmsAFolder);

    EXPECT_TRUE(IsWindowEnabled(Form1->Handle()));
    EXPECT_TRUE(IsWindowEnabled(Application->Handle()));
    EXPECT_EQ(GetErrorMode(), UINT(SEM_NOOPENFILEERRORBOX));
}

// The class library's chooser on its own: an initial folder that does not
// exist selects nothing, and Cancel leaves the folder as it was.
struct InitialCase {
    const char* name;
    const char* folder;
    bool cancel;
};

class SelectDirectoryTest : public DetectionPageTest,
                            public testing::WithParamInterface<InitialCase> {};

TEST_P(SelectDirectoryTest, InitialSelectionAndResult) {
    const InitialCase& c = GetParam();
    ShowWizard();
    String selected = L"(not opened)";
    Dialogs.Inspect = [&selected](HWND chooser) {
        HWND tree = FindWindowExW(chooser, nullptr, WC_TREEVIEWW, nullptr);
        selected = ItemText(tree, TreeView_GetSelection(tree));
    };
    char windows[MAX_PATH];
    ASSERT_NE(GetWindowsDirectoryA(windows, MAX_PATH), 0u);
    const AnsiString initial = c.folder ? AnsiString(c.folder) : AnsiString(windows);
    if (c.cancel)
        Dialogs.CancelNext();
    else
        Dialogs.ChooseFolder(TestExeFolder());

    AnsiString folder = initial;
    const bool chosen = SelectDirectory(kPrompt, folder);

    EXPECT_EQ(selected, c.folder ? L"" : LastFolderName(windows));
    EXPECT_EQ(chosen, !c.cancel);
    EXPECT_EQ(folder, c.cancel ? initial : TestExeFolder());
}

INSTANTIATE_TEST_SUITE_P(Chooser, SelectDirectoryTest,
                         testing::Values(InitialCase{"Exists", nullptr, false},
                                         InitialCase{"ExistsCancelled", nullptr, true},
                                         InitialCase{"Missing", "C:\\Nieistniejacy", false},
                                         InitialCase{"IsAFile", "C:\\windows\\win.ini", true}),
                         [](const testing::TestParamInfo<InitialCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace detection
