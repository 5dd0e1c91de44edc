// The detection page as Next shows it: the registry lookup of the host folder,
// the probe of the registered folder, the summary, and later visits.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "DetectionFixture.h"
#include "RegistryWatch.h"

namespace detection {
namespace {

const char kKey[] = "KvTervalis";
const char kValue[] = "Lokalizacja";
// An environment variable that a REG_EXPAND_SZ value names; it leads to
// another library than the folder of that literal name.
const char kVariable[] = "INSTALATOR_HOST";

void ExpectKeyReadOnceAndClosed(const RegistryWatch& watch) {
    ASSERT_EQ(watch.Opens().size(), 1u);
    EXPECT_EQ(watch.Opens()[0].SubKey, kKey);
    EXPECT_EQ(watch.Opens()[0].Access, REGSAM(KEY_READ));
    EXPECT_EQ(watch.KeysLeftOpen(), 0);
}

// The registered folder holds a library that answers: the registry summary.
struct FoundCase {
    const char* name;
    const char* fixture;
    const char* copyAs;  // the library copied into a folder of this name; null: the fixture's
    const char* suffix;  // appended to the folder in the registry value
    DWORD type;
    bool readOnlyKey;  // everyone may read the key, nobody may change it
    const wchar_t* edition;
    const char* owner;
};

// clang-format off
const FoundCase kFoundCases[] = {
    // name               fixture       copyAs                 suffix  type           readOnly edition   owner
    {"Network",           "network1",   nullptr,               "",     REG_SZ,        false,   kNetwork, OWNER_PLAIN},
    {"PolishOwner",       "network2",   nullptr,               "",     REG_SZ,        false,   kNetwork, OWNER_POLISH},
    {"LongestOwner",      "network255", nullptr,               "",     REG_SZ,        false,   kNetwork, OWNER_LONG},
    {"SingleEmptyOwner",  "single",     nullptr,               "",     REG_SZ,        false,   kSingle,  OWNER_EMPTY},
    {"NoExports",         "noexports",  nullptr,               "",     REG_SZ,        false,   kSingle,  OWNER_EMPTY},
    {"TrailingBackslash", "network1",   nullptr,               "\\",   REG_SZ,        false,   kNetwork, OWNER_PLAIN},
    {"ExpandSzLiteral",   "single",     "%INSTALATOR_HOST%",   "",     REG_EXPAND_SZ, false,   kSingle,  OWNER_EMPTY},
    {"AmpersandFolder",   "network2",   "Kowalski & Syn",      "",     REG_SZ,        false,   kNetwork, OWNER_POLISH},
    {"ReadOnlyKey",       "network1",   nullptr,               "",     REG_SZ,        true,    kNetwork, OWNER_PLAIN},
};
// clang-format on

class RegisteredFolderFound : public DetectionPageTest,
                              public testing::WithParamInterface<FoundCase> {
protected:
    TempFolder Temp;
};

TEST_P(RegisteredFolderFound, ShowsTheRegistrySummary) {
    const FoundCase& c = GetParam();
    const AnsiString folder =
        (c.copyAs ? CopyOfFixture(Temp, c.fixture, c.copyAs) : FixtureFolder(c.fixture)) + c.suffix;
    Registry.SetLocation(folder, c.type);
    SetEnvironmentVariableA(kVariable, FixtureFolder("network1").c_str());
    if (c.readOnlyKey) {
        ASSERT_TRUE(Registry.RestrictKey(kKey, "D:P(A;;KR;;;WD)"));
        HKEY key;
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_ALL_ACCESS, &key),
                  ERROR_ACCESS_DENIED);
    }
    RegistryWatch registry;
    LoaderWatch loader;
    ASSERT_TRUE(registry.Watching() && loader.Watching());

    ShowDetectionPage();

    const String summary = RegistrySummary(c.edition, folder, c.owner);
    EXPECT_EQ(Status(), summary);
    EXPECT_EQ(StatusOnScreen(), summary);
    EXPECT_EQ(HostDir(), folder);
    EXPECT_TRUE(NextEnabled());
    EXPECT_TRUE(Form().BitBtn1->Enabled());
    EXPECT_TRUE(BrowseHidden());
    EXPECT_EQ(Page(), 1);
    EXPECT_EQ(Mark(), 1);
    EXPECT_TRUE(Dialogs.Seen().empty());
    EXPECT_FALSE(Application->Terminated());
    ExpectKeyReadOnceAndClosed(registry);
    ASSERT_EQ(loader.Paths().size(), 1u);
    EXPECT_EQ(FullPath(loader.Paths()[0]), FullPath(folder + "\\ORVANLIB.dll"));
    EXPECT_EQ(LibraryEvents(), "LU");
}

INSTANTIATE_TEST_SUITE_P(Registry, RegisteredFolderFound, testing::ValuesIn(kFoundCases),
                         [](const testing::TestParamInfo<FoundCase>& info) {
                             return std::string(info.param.name);
                         });

// An ampersand in the folder or the owner's name is the static text's mnemonic
// prefix: the text keeps it and the control does not switch prefixes off.
TEST_F(DetectionPageTest, AmpersandsInTheSummaryAreMnemonics) {
    TempFolder temp;
    const AnsiString folder = CopyOfFixture(temp, "network2", "Kowalski & Syn");
    Registry.SetLocation(folder);

    ShowDetectionPage();

    const String shown = StatusOnScreen();
    EXPECT_NE(shown.find(L"Kowalski & Syn\r"), String::npos) << "folder";
    EXPECT_NE(shown.find(L"\" & Syn, "), String::npos) << "owner";
    const LONG style = GetWindowLongW(Form().StaticText3->Handle(), GWL_STYLE);
    EXPECT_EQ(style & SS_NOPREFIX, 0);
}

// No value to read: the page asks for the folder.
struct MissingCase {
    const char* name;
    const char* key;    // where a value is written; null: nowhere
    const char* value;  // its name
    const char* sddl;   // an access list for the key; null: the default
};

// clang-format off
const MissingCase kMissingCases[] = {
    {"KeyMissing",       nullptr,                   nullptr,       nullptr},
    {"ValueMissing",     "KvTervalis",              "Lokalizacja2", nullptr},
    {"KeyElsewhere",     "Software\\KvTervalis",    "Lokalizacja", nullptr},
    {"KeyNotReadable",   "KvTervalis",              "Lokalizacja", "D:P"},
};
// clang-format on

class RegistryValueMissing : public DetectionPageTest,
                             public testing::WithParamInterface<MissingCase> {};

TEST_P(RegistryValueMissing, AsksForTheFolder) {
    const MissingCase& c = GetParam();
    const AnsiString folder = FixtureFolder("network1");
    if (c.key) Registry.SetValue(c.key, c.value, REG_SZ, folder.c_str(), DWORD(folder.size() + 1));
    if (c.sddl) {
        ASSERT_TRUE(Registry.RestrictKey(c.key, c.sddl));
    }
    RegistryWatch registry;
    ASSERT_TRUE(registry.Watching());

    ShowDetectionPage();

    EXPECT_EQ(Status(), kNoRegistry);
    EXPECT_EQ(StatusOnScreen(), kNoRegistry);
    EXPECT_FALSE(NextEnabled());
    EXPECT_TRUE(BrowseShown());
    EXPECT_TRUE(IsWindowVisible(Form().Edit1->Handle()));
    EXPECT_TRUE(IsWindowVisible(Form().BitBtn5->Handle()));
    EXPECT_FALSE(Form().Edit1->Enabled());
    EXPECT_FALSE(IsWindowEnabled(Form().Edit1->Handle()));
    EXPECT_EQ(Edit1Text(), L"");
    EXPECT_EQ(HostDir(), "");
    EXPECT_EQ(Page(), 1);
    EXPECT_EQ(Mark(), 1);
    EXPECT_TRUE(Dialogs.Seen().empty());
    EXPECT_EQ(LibraryEvents(), "");
    ASSERT_EQ(registry.Opens().size(), 1u);
    EXPECT_EQ(registry.Opens()[0].SubKey, kKey);
    EXPECT_EQ(registry.KeysLeftOpen(), 0);
}

INSTANTIATE_TEST_SUITE_P(Registry, RegistryValueMissing, testing::ValuesIn(kMissingCases),
                         [](const testing::TestParamInfo<MissingCase>& info) {
                             return std::string(info.param.name);
                         });

// The registered folder fails the probe: a message, then the installer closes
// once the click on Next has completed.
struct ClosingCase {
    const char* name;
    const char* fixture;
    DWORD type;
    const char* value;  // the value as stored; null: the fixture's folder
};

// clang-format off
const ClosingCase kClosingCases[] = {
    {"NoLibrary",           "empty",       REG_SZ,        nullptr},
    {"LibraryFaults",       "ownerfaults", REG_SZ,        nullptr},
    {"LibraryRaises",       "editionraises", REG_SZ,      nullptr},
    {"LibraryDoesNotLoad",  "initfails",   REG_SZ,        nullptr},
    {"FolderMissing",       "missing",     REG_SZ,        nullptr},
    // expanded, the value would name a folder with a library that answers
    {"ExpandSzNotExpanded", nullptr,       REG_EXPAND_SZ, "%INSTALATOR_HOST%"},
};
// clang-format on

class RegisteredFolderFails : public DetectionPageTest,
                              public testing::WithParamInterface<ClosingCase> {};

TEST_P(RegisteredFolderFails, ShowsTheMessageAndCloses) {
    const ClosingCase& c = GetParam();
    const AnsiString value = c.value ? AnsiString(c.value) : FixtureFolder(c.fixture);
    Registry.SetLocation(value, c.type);
    SetEnvironmentVariableA(kVariable, FixtureFolder("network1").c_str());
    const CurrentDirectory current(FixtureFolder("empty"));
    ASSERT_TRUE(current.Changed());
    RegistryWatch registry;

    ShowDetectionPage();

    ExpectKeyReadOnceAndClosed(registry);
    ASSERT_EQ(Dialogs.Seen().size(), 1u);
    const ModalDialogs::Dialog& box = Dialogs.Seen()[0];
    EXPECT_EQ(box.Caption, L"Instalator");
    EXPECT_EQ(box.Text(), kRegisteredFolderFails);
    EXPECT_FALSE(box.HasIcon);
    EXPECT_EQ(box.Buttons, std::vector<String>{L"OK"});
    EXPECT_TRUE(Application->Terminated());
    EXPECT_EQ(Page(), 1);
    EXPECT_EQ(Status(), kLayoutStatus);
    EXPECT_TRUE(NextEnabled());
    EXPECT_TRUE(BrowseHidden());
    EXPECT_EQ(HostDir(), value);
    EXPECT_EQ(Mark(), 1);
    EXPECT_EQ(TForm1Tester::LibHandle(Form()), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Registry, RegisteredFolderFails, testing::ValuesIn(kClosingCases),
                         [](const testing::TestParamInfo<ClosingCase>& info) {
                             return std::string(info.param.name);
                         });

// An empty value names no folder: the probe looks in the root folder of the
// current drive. The library goes to C:\, the test prefix's own drive.
struct EmptyCase {
    const char* name;
    DWORD size;          // 0, or 1 for the terminating NUL alone
    bool libraryAtRoot;  // the current drive is C: with the library in its root
};

const EmptyCase kEmptyCases[] = {
    {"SizeZeroLibraryAtRoot", 0, true},
    {"EmptyStringLibraryAtRoot", 1, true},
    {"EmptyStringNoLibraryAtRoot", 1, false},
};

class EmptyRegistryValue : public DetectionPageTest,
                           public testing::WithParamInterface<EmptyCase> {};

TEST_P(EmptyRegistryValue, ProbesTheRootOfTheCurrentDrive) {
    const EmptyCase& c = GetParam();
    Registry.SetValue(kKey, kValue, REG_SZ, "", c.size);
    std::unique_ptr<PlantedFile> library;
    char windows[MAX_PATH];
    ASSERT_NE(GetWindowsDirectoryA(windows, MAX_PATH), 0u);
    if (c.libraryAtRoot) {
        library = std::make_unique<PlantedFile>(FixtureFolder("network1") + "\\ORVANLIB.dll",
                                                "C:\\ORVANLIB.dll");
        ASSERT_TRUE(library->Planted());
    }
    const CurrentDirectory current(c.libraryAtRoot ? AnsiString(windows) : FixtureFolder("empty"));
    ASSERT_TRUE(current.Changed());
    ASSERT_EQ(FileExists("\\ORVANLIB.dll"), c.libraryAtRoot);
    LoaderWatch loader;

    ShowDetectionPage();

    EXPECT_EQ(HostDir(), "");
    ASSERT_EQ(loader.Paths().size(), 1u);
    EXPECT_EQ(FullPath(loader.Paths()[0]), FullPath("\\ORVANLIB.dll"));
    if (c.libraryAtRoot) {
        EXPECT_EQ(Status(), RegistrySummary(kNetwork, "", OWNER_PLAIN));
        EXPECT_TRUE(Dialogs.Seen().empty());
        EXPECT_FALSE(Application->Terminated());
    } else {
        ASSERT_EQ(Dialogs.Seen().size(), 1u);
        EXPECT_EQ(Dialogs.Seen()[0].Text(), kRegisteredFolderFails);
        EXPECT_TRUE(Application->Terminated());
    }
}

INSTANTIATE_TEST_SUITE_P(Registry, EmptyRegistryValue, testing::ValuesIn(kEmptyCases),
                         [](const testing::TestParamInfo<EmptyCase>& info) {
                             return std::string(info.param.name);
                         });

// A value of another type: the registry error goes to the application's error
// box, the page stays as it was and keeps its mark at 0, so leaving it resets
// it and the next showing looks the folder up again.
struct WrongTypeCase {
    const char* name;
    DWORD type;
    std::string data;
};

const WrongTypeCase kWrongTypeCases[] = {
    {"Dword", REG_DWORD, std::string("\x01\0\0\0", 4)},
    {"MultiSz", REG_MULTI_SZ, std::string("C:\\Tervalis\0\0", 13)},
};

class RegistryValueOfAnotherType : public DetectionPageTest,
                                   public testing::WithParamInterface<WrongTypeCase> {};

TEST_P(RegistryValueOfAnotherType, ShowsTheErrorAndLooksAgainNextTime) {
    const WrongTypeCase& c = GetParam();
    Registry.SetValue(kKey, kValue, c.type, c.data.data(), DWORD(c.data.size()));
    {
        RegistryWatch registry;
        ShowDetectionPage();
        ExpectKeyReadOnceAndClosed(registry);
    }

    ASSERT_EQ(Dialogs.Seen().size(), 1u);
    const ModalDialogs::Dialog& box = Dialogs.Seen()[0];
    EXPECT_EQ(box.Caption, L"Instalator");
    // The message ends in an apostrophe, so the error box appends no full stop.
    EXPECT_EQ(box.Text(), L"Invalid data type for 'Lokalizacja'");
    EXPECT_EQ(box.Icon, LoadIconW(nullptr, MAKEINTRESOURCEW(32513)));  // IDI_HAND, the stop sign
    EXPECT_EQ(box.Buttons, std::vector<String>{L"OK"});
    EXPECT_EQ(Page(), 1);
    EXPECT_EQ(Status(), kLayoutStatus);
    EXPECT_TRUE(NextEnabled());
    EXPECT_TRUE(BrowseHidden());
    EXPECT_EQ(HostDir(), "");
    EXPECT_EQ(Mark(), 0);
    EXPECT_FALSE(Application->Terminated());

    // Leaving the page resets it.
    Click(Form().BitBtn1);
    ASSERT_EQ(Page(), 0);
    EXPECT_EQ(Status(), L"");
    EXPECT_TRUE(BrowseHidden());
    EXPECT_EQ(Mark(), 0);

    // The next showing reads the value again, now a good one.
    const AnsiString folder = FixtureFolder("network1");
    Registry.SetLocation(folder);
    RegistryWatch registry;
    Click(Form().BitBtn2);
    ASSERT_EQ(Page(), 1);
    ExpectKeyReadOnceAndClosed(registry);
    EXPECT_EQ(Status(), RegistrySummary(kNetwork, folder, OWNER_PLAIN));
    EXPECT_EQ(HostDir(), folder);
    EXPECT_EQ(Mark(), 1);
    EXPECT_EQ(Dialogs.Seen().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Registry, RegistryValueOfAnotherType, testing::ValuesIn(kWrongTypeCases),
                         [](const testing::TestParamInfo<WrongTypeCase>& info) {
                             return std::string(info.param.name);
                         });

// Back and Next once the page has done its work: nothing is looked up or
// probed again, the page shows what it showed, and Next is enabled.
enum class Completed { ByRegistry, AwaitingFolder, ByBrowsing, AfterFailedBrowse };

struct RevisitCase {
    const char* name;
    Completed state;
};

const RevisitCase kRevisitCases[] = {
    {"FoundByRegistry", Completed::ByRegistry},
    {"AwaitingFolder", Completed::AwaitingFolder},
    {"FoundByBrowsing", Completed::ByBrowsing},
    {"AfterFailedBrowse", Completed::AfterFailedBrowse},
};

class DetectionPageRevisited : public DetectionPageTest,
                               public testing::WithParamInterface<RevisitCase> {};

TEST_P(DetectionPageRevisited, LooksNothingUpAgain) {
    const Completed state = GetParam().state;
    if (state == Completed::ByRegistry) Registry.SetLocation(FixtureFolder("network2"));
    ShowDetectionPage();
    if (state == Completed::ByBrowsing || state == Completed::AfterFailedBrowse) {
        Dialogs.ChooseFolder(FixtureFolder(state == Completed::ByBrowsing ? "single" : "empty"));
        Click(Form().BitBtn5);
    }
    ASSERT_EQ(Page(), 1);
    const String status = Status();
    const String folderShown = Edit1Text();
    const AnsiString hostDir = HostDir();
    const bool browseShown = BrowseShown();
    const size_t dialogs = Dialogs.Seen().size();
    ClearLibraryEvents();
    RegistryWatch registry;
    LoaderWatch loader;

    Click(Form().BitBtn1);
    ASSERT_EQ(Page(), 0);
    Click(Form().BitBtn2);
    ASSERT_EQ(Page(), 1);

    EXPECT_TRUE(registry.Opens().empty());
    EXPECT_TRUE(loader.Paths().empty());
    EXPECT_EQ(LibraryEvents(), "");
    EXPECT_EQ(Dialogs.Seen().size(), dialogs);
    EXPECT_EQ(Status(), status);
    EXPECT_EQ(StatusOnScreen(), status);
    EXPECT_EQ(Edit1Text(), folderShown);
    EXPECT_EQ(HostDir(), hostDir);
    EXPECT_EQ(BrowseShown(), browseShown);
    EXPECT_TRUE(NextEnabled());
    EXPECT_EQ(Mark(), 1);
}

INSTANTIATE_TEST_SUITE_P(States, DetectionPageRevisited, testing::ValuesIn(kRevisitCases),
                         [](const testing::TestParamInfo<RevisitCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace detection
