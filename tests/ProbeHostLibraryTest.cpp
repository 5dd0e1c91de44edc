// The companion library probe against the fake companion libraries built from
// tests/fixtures/, each in its own folder below fixtures/ next to this program.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "TForm1Tester.h"
#include "fixtures/Owners.h"

namespace {

using T = TForm1Tester;

// What the form holds from an earlier probe, so that a field left alone shows.
constexpr int kEarlierEdition = 7;
const char kEarlierOwner[] =
    "Poprzedni w\xB3"
    "a\x9C"
    "ciciel";
static_assert(sizeof OWNER_LONG - 1 == 255, "the longest owner name fills the length byte");

AnsiString ExeFolder() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const AnsiString exe(path, length);
    return exe.substr(0, exe.rfind('\\'));
}

AnsiString FixtureFolder(const char* name) { return ExeFolder() + "\\fixtures\\" + name; }

bool FileExists(const AnsiString& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void SetShortString(ShortString& target, const std::string& text) {
    target.Data[0] = static_cast<unsigned char>(text.size());
    text.copy(reinterpret_cast<char*>(target.Data + 1), text.size());
}

// The fixtures' entry points log each load ("L") and release ("U") here.
void ClearLibraryEvents() { SetEnvironmentVariableA("ORVANLIB_EVENTS", ""); }

std::string LibraryEvents() {
    char events[64];
    const DWORD length = GetEnvironmentVariableA("ORVANLIB_EVENTS", events, sizeof events);
    return length < sizeof events ? std::string(events, length) : "(too many)";
}

// Whatever folder they came from, no companion library and no library it
// imports is still in the process.
bool AnyLibraryLoaded() {
    return GetModuleHandleA("ORVANLIB.dll") || GetModuleHandleA("ORVANDEP.dll");
}

void PresetEarlierProbe(TForm1& form, const AnsiString& hostDir, bool hostFound) {
    T::HostDir(form) = hostDir;
    T::HostFound(form) = hostFound;
    T::IsNetworkEdition(form) = kEarlierEdition;
    SetShortString(T::OwnerName(form), kEarlierOwner);
}

struct ProbeCase {
    const char* fixture;  // folder below fixtures/
    bool library;         // the folder holds an ORVANLIB.dll
    bool loads;           // the library loads into this process
    bool found;           // HostFound afterwards
    int edition;          // IsNetworkEdition afterwards
    const char* owner;    // OwnerName afterwards
    const char* events;   // loads and releases the library logged
};

// clang-format off
const ProbeCase kProbeCases[] = {
    // fixture         library loads  found  edition          owner          events
    {"network1",       true,  true,  true,  1,               OWNER_PLAIN,   "LU"},
    {"network2",       true,  true,  true,  2,               OWNER_POLISH,  "LU"},
    {"network255",     true,  true,  true,  255,             OWNER_LONG,    "LU"},
    {"single",         true,  true,  true,  0,               OWNER_EMPTY,   "LU"},
    {"noexports",      true,  true,  true,  kEarlierEdition, kEarlierOwner, "LU"},
    {"editiononly",    true,  true,  true,  1,               kEarlierOwner, "LU"},
    {"owneronly",      true,  true,  true,  kEarlierEdition, OWNER_PLAIN,   "LU"},
    {"ownerfaults",    true,  true,  false, 1,               kEarlierOwner, "LU"},
    {"editionraises",  true,  true,  false, kEarlierEdition, kEarlierOwner, "LU"},
    {"sibling",        true,  true,  true,  1,               OWNER_SIBLING, "LU"},
    // the loader runs the entry point's detach after a failed attach
    {"initfails",      true,  false, false, kEarlierEdition, kEarlierOwner, "LU"},
    {"orphan",         true,  false, false, kEarlierEdition, kEarlierOwner, ""},
    {"win64",          true,  false, false, kEarlierEdition, kEarlierOwner, ""},
    {"empty",          false, false, false, kEarlierEdition, kEarlierOwner, ""},
    {"missing",        false, false, false, kEarlierEdition, kEarlierOwner, ""},
};
// clang-format on

class ProbeFixture : public testing::TestWithParam<ProbeCase> {};

TEST_P(ProbeFixture, SetsTheStateAndReleasesTheLibrary) {
    const ProbeCase& c = GetParam();
    const AnsiString folder = FixtureFolder(c.fixture);
    ASSERT_EQ(FileExists(folder + "\\ORVANLIB.dll"), c.library) << folder;
    TForm1 form(nullptr);
    PresetEarlierProbe(form, folder, !c.found);
    ClearLibraryEvents();

    T::ProbeHostLibrary(form);

    EXPECT_EQ(T::HostFound(form), c.found);
    EXPECT_EQ(T::IsNetworkEdition(form), c.edition);
    EXPECT_EQ(T::OwnerName(form).Str(), c.owner);
    EXPECT_EQ(T::HostDir(form), folder);
    EXPECT_EQ(T::LibHandle(form), nullptr);
    EXPECT_EQ(LibraryEvents(), c.events);
    EXPECT_FALSE(AnyLibraryLoaded());
}

INSTANTIATE_TEST_SUITE_P(Fixtures, ProbeFixture, testing::ValuesIn(kProbeCases),
                         [](const testing::TestParamInfo<ProbeCase>& info) {
                             return std::string(info.param.fixture);
                         });

// With a reference of the test's own on the library, every probe path gives
// back exactly its own: one release too many would unload the library.
TEST(ProbeHostLibrary, ReleasesTheLibraryExactlyOnce) {
    for (const ProbeCase& c : kProbeCases) {
        if (!c.loads) continue;
        SCOPED_TRACE(c.fixture);
        const AnsiString path = FixtureFolder(c.fixture) + "\\ORVANLIB.dll";
        ClearLibraryEvents();
        const HMODULE held = LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
        ASSERT_NE(held, nullptr);
        TForm1 form(nullptr);
        T::HostDir(form) = FixtureFolder(c.fixture);

        T::ProbeHostLibrary(form);

        EXPECT_EQ(T::HostFound(form), c.found);
        EXPECT_EQ(GetModuleHandleA(path.c_str()), held);
        FreeLibrary(held);
        EXPECT_FALSE(AnyLibraryLoaded());
        EXPECT_EQ(LibraryEvents(), "LU");
    }
}

TEST(ProbeHostLibrary, TwoProbesLoadAndReleaseTheLibraryTwice) {
    TForm1 form(nullptr);
    T::HostDir(form) = FixtureFolder("network1");
    ClearLibraryEvents();

    T::ProbeHostLibrary(form);
    EXPECT_EQ(LibraryEvents(), "LU");
    EXPECT_FALSE(AnyLibraryLoaded());
    EXPECT_EQ(T::LibHandle(form), nullptr);

    T::ProbeHostLibrary(form);
    EXPECT_EQ(LibraryEvents(), "LULU");
    EXPECT_FALSE(AnyLibraryLoaded());
    EXPECT_EQ(T::LibHandle(form), nullptr);
    EXPECT_TRUE(T::HostFound(form));
    EXPECT_EQ(T::IsNetworkEdition(form), 1);
    EXPECT_EQ(T::OwnerName(form).Str(), OWNER_PLAIN);
}

// One form probing folder after folder: a field that a probe does not set keeps
// what the last probe that set it stored.
TEST(ProbeHostLibrary, FieldsCarryOverFromEarlierProbes) {
    struct Step {
        const char* fixture;
        bool found;
        int edition;
        const char* owner;
    };
    const Step steps[] = {
        {"network2", true, 2, OWNER_POLISH},       {"owneronly", true, 2, OWNER_PLAIN},
        {"editiononly", true, 1, OWNER_PLAIN},     {"noexports", true, 1, OWNER_PLAIN},
        {"missing", false, 1, OWNER_PLAIN},        {"single", true, 0, OWNER_EMPTY},
        {"ownerfaults", false, 1, OWNER_EMPTY},    {"network255", true, 255, OWNER_LONG},
        {"editionraises", false, 255, OWNER_LONG}, {"win64", false, 255, OWNER_LONG},
        {"network1", true, 1, OWNER_PLAIN},
    };
    TForm1 form(nullptr);
    for (const Step& step : steps) {
        SCOPED_TRACE(step.fixture);
        T::HostDir(form) = FixtureFolder(step.fixture);
        T::ProbeHostLibrary(form);
        EXPECT_EQ(T::HostFound(form), step.found);
        EXPECT_EQ(T::IsNetworkEdition(form), step.edition);
        EXPECT_EQ(T::OwnerName(form).Str(), step.owner);
        EXPECT_EQ(T::LibHandle(form), nullptr);
        EXPECT_FALSE(AnyLibraryLoaded());
    }
}

TEST(ProbeHostLibrary, HostDirEndingInABackslash) {
    TForm1 form(nullptr);
    T::HostDir(form) = FixtureFolder("network1") + "\\";
    T::ProbeHostLibrary(form);
    EXPECT_TRUE(T::HostFound(form));
    EXPECT_EQ(T::OwnerName(form).Str(), OWNER_PLAIN);
    EXPECT_FALSE(AnyLibraryLoaded());
}

// Changes the current directory for the lifetime of the object.
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

// Copies a file for the lifetime of the object.
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

bool RunningUnderWine() {
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

// An empty HostDir names the root of the current drive, and a bare drive "C:"
// its root too. The library goes to C:\, the test prefix's own drive.
TEST(ProbeHostLibrary, EmptyHostDirMeansTheRootOfTheCurrentDrive) {
    if (!RunningUnderWine())
        GTEST_SKIP() << "writes to C:\\, which only a test prefix of its own may offer";
    const PlantedFile library(FixtureFolder("network1") + "\\ORVANLIB.dll", "C:\\ORVANLIB.dll");
    ASSERT_TRUE(library.Planted());
    char windows[MAX_PATH];
    ASSERT_NE(GetWindowsDirectoryA(windows, MAX_PATH), 0u);
    const CurrentDirectory onDriveC(windows);
    ASSERT_TRUE(onDriveC.Changed());

    for (const char* hostDir : {"", "C:"}) {
        SCOPED_TRACE(hostDir);
        TForm1 form(nullptr);
        PresetEarlierProbe(form, hostDir, false);
        T::ProbeHostLibrary(form);
        EXPECT_TRUE(T::HostFound(form));
        EXPECT_EQ(T::OwnerName(form).Str(), OWNER_PLAIN);
        EXPECT_EQ(T::HostDir(form), hostDir);
        EXPECT_FALSE(AnyLibraryLoaded());
    }
}

// Where a stray ORVANDEP.dll is planted, with the current directory elsewhere.
struct Plant {
    const char* name;
    bool nextToTheProgram;  // else in the current directory
};

class ProbeDependency : public testing::TestWithParam<Plant> {};

// A library's imports come from its own folder and System32: a DLL of the same
// name next to the program or in the current directory is never taken instead.
TEST_P(ProbeDependency, StrayCopyOfAnImportIsNotUsed) {
    const AnsiString stray = FixtureFolder("impostor") + "\\ORVANDEP.dll";
    const AnsiString orphan = FixtureFolder("orphan") + "\\ORVANLIB.dll";
    std::unique_ptr<PlantedFile> planted;
    if (GetParam().nextToTheProgram) {
        planted = std::make_unique<PlantedFile>(stray, ExeFolder() + "\\ORVANDEP.dll");
        ASSERT_TRUE(planted->Planted());
        // The plant works: a load that searches the program's folder takes it.
        const HMODULE reaching =
            LoadLibraryExA(orphan.c_str(), nullptr, LOAD_LIBRARY_SEARCH_APPLICATION_DIR);
        ASSERT_NE(reaching, nullptr);
        FreeLibrary(reaching);
        ASSERT_FALSE(AnyLibraryLoaded());
    }
    // Only the old search order looks in the current directory, and no load
    // flag asks for it; this process may already have turned it off, as the
    // application does at start-up.
    const CurrentDirectory current(
        FixtureFolder(GetParam().nextToTheProgram ? "empty" : "impostor"));
    ASSERT_TRUE(current.Changed());

    TForm1 form(nullptr);
    PresetEarlierProbe(form, FixtureFolder("orphan"), true);
    T::ProbeHostLibrary(form);
    EXPECT_FALSE(T::HostFound(form));
    EXPECT_EQ(T::OwnerName(form).Str(), kEarlierOwner);
    EXPECT_FALSE(AnyLibraryLoaded());

    T::HostDir(form) = FixtureFolder("sibling");
    T::ProbeHostLibrary(form);
    EXPECT_TRUE(T::HostFound(form));
    EXPECT_EQ(T::OwnerName(form).Str(), OWNER_SIBLING);
    EXPECT_FALSE(AnyLibraryLoaded());
}

const Plant kPlants[] = {{"NextToTheProgram", true}, {"InTheCurrentDirectory", false}};

INSTANTIATE_TEST_SUITE_P(Plants, ProbeDependency, testing::ValuesIn(kPlants),
                         [](const testing::TestParamInfo<Plant>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
