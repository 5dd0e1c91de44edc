// The registry accessor against a private HKEY_CURRENT_USER: opening a key,
// testing for a value and reading it as a string.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "ImportHook.h"
#include "PrivateRegistry.h"
#include "Registry.h"
#include "RegistryWatch.h"

namespace {

const char kKey[] = "KvTervalis";
const char kValue[] = "Lokalizacja";

struct ReadCase {
    const char* name;
    DWORD type;
    std::string data;      // the stored bytes
    const char* result;    // what ReadString gives, or null when it raises
    const wchar_t* error;  // the message it raises
};

std::string Bytes(const char* text, size_t size) { return std::string(text, size); }
// A string value as the host program stores it: with its terminating NUL.
template <size_t N>
std::string Stored(const char (&text)[N]) {
    return Bytes(text, N);
}
template <size_t N>
std::string Unterminated(const char (&text)[N]) {
    return Bytes(text, N - 1);
}

const wchar_t kInvalidType[] = L"Invalid data type for 'Lokalizacja'";

// clang-format off
const ReadCase kReadCases[] = {
    {"RegSz",              REG_SZ,        Stored("C:\\Tervalis"),          "C:\\Tervalis",          nullptr},
    {"TrailingBackslash",  REG_SZ,        Stored("C:\\Tervalis\\"),        "C:\\Tervalis\\",        nullptr},
    {"ExpandSzUnexpanded", REG_EXPAND_SZ, Stored("%SystemRoot%\\Tervalis"), "%SystemRoot%\\Tervalis", nullptr},
    {"AnsiLetters",        REG_SZ,        Stored("D:\\\xA3\xF3" "d\x9F"),  "D:\\\xA3\xF3" "d\x9F",  nullptr},
    {"Unterminated",       REG_SZ,        Unterminated("C:\\Tervalis"),    "C:\\Tervalis",          nullptr},
    {"EndsAtFirstNul",     REG_SZ,        Stored("C:\\A\0C:\\B"),          "C:\\A",                 nullptr},
    {"ExpandSzFirstNul",   REG_EXPAND_SZ, Stored("\0C:\\B"),               "",                      nullptr},
    {"OnlyTheNul",         REG_SZ,        Stored(""),                      "",                      nullptr},
    {"SizeZero",           REG_SZ,        Bytes("", 0),                    "",                      nullptr},
    {"DwordSizeZero",      REG_DWORD,     Bytes("", 0),                    "",                      nullptr},
    {"BinarySizeZero",     REG_BINARY,    Bytes("", 0),                    "",                      nullptr},
    {"Dword",              REG_DWORD,     Bytes("\x01\0\0\0", 4),          nullptr,                 kInvalidType},
    {"Binary",             REG_BINARY,    Stored("C:\\Tervalis"),          nullptr,                 kInvalidType},
    {"MultiSz",            REG_MULTI_SZ,  Stored("C:\\Tervalis\0"),        nullptr,                 kInvalidType},
    {"None",               REG_NONE,      Stored("C:\\Tervalis"),          nullptr,                 kInvalidType},
};
// clang-format on

class RegistryRead : public testing::TestWithParam<ReadCase> {
protected:
    PrivateRegistry Registry;
};

TEST_P(RegistryRead, ReadsTheValueAsAString) {
    const ReadCase& c = GetParam();
    Registry.SetValue(kKey, kValue, c.type, c.data.data(), DWORD(c.data.size()));
    TRegistry registry(KEY_READ);
    ASSERT_TRUE(registry.OpenKey(kKey, false));
    EXPECT_TRUE(registry.ValueExists(kValue));

    if (c.result) {
        EXPECT_EQ(registry.ReadString(kValue), c.result);
    } else {
        try {
            registry.ReadString(kValue);
            ADD_FAILURE() << "no error raised";
        } catch (const ERegistryException& e) {
            EXPECT_EQ(e.Message(), c.error);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Values, RegistryRead, testing::ValuesIn(kReadCases),
                         [](const testing::TestParamInfo<ReadCase>& info) {
                             return std::string(info.param.name);
                         });

// A value that changes between the size query and the read. The accessor's own
// queries go through the hook, which changes the value for real after the first
// query that asks for the size only.
enum class Change { Grows, Disappears };

class ValueChangedDuringRead : public testing::TestWithParam<Change> {
protected:
    static LONG WINAPI Query(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                             LPDWORD size) {
        const auto original = reinterpret_cast<decltype(&RegQueryValueExA)>(FHook->Original());
        const LONG result = original(key, name, reserved, type, data, size);
        if (!data && size && FPending) {
            FPending = false;
            HKEY writable;
            RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_SET_VALUE, &writable);
            if (GetParam() == Change::Grows) {
                const char longer[] = "C:\\Program Files\\Tervalis";
                RegSetValueExA(writable, kValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(longer),
                               sizeof longer);
            } else {
                RegDeleteValueA(writable, kValue);
            }
            RegCloseKey(writable);
        }
        return result;
    }

    PrivateRegistry Registry;
    static ImportHook* FHook;
    static bool FPending;
};

ImportHook* ValueChangedDuringRead::FHook = nullptr;
bool ValueChangedDuringRead::FPending = false;

TEST_P(ValueChangedDuringRead, RaisesFailedToGetData) {
    Registry.SetLocation("C:\\T");
    TRegistry registry(KEY_READ);
    ASSERT_TRUE(registry.OpenKey(kKey, false));
    ASSERT_TRUE(registry.ValueExists(kValue));
    ImportHook hook("advapi32.dll", "RegQueryValueExA", reinterpret_cast<const void*>(Query));
    ASSERT_TRUE(hook.Installed());
    FHook = &hook;
    FPending = true;

    try {
        registry.ReadString(kValue);
        ADD_FAILURE() << "no error raised";
    } catch (const ERegistryException& e) {
        EXPECT_EQ(e.Message(), L"Failed to get data for 'Lokalizacja'");
    }
    EXPECT_FALSE(FPending) << "the value was never changed";
}

INSTANTIATE_TEST_SUITE_P(Changes, ValueChangedDuringRead,
                         testing::Values(Change::Grows, Change::Disappears),
                         [](const testing::TestParamInfo<Change>& info) {
                             return info.param == Change::Grows ? "Grows" : "Disappears";
                         });

bool KeyExists(const char* key) {
    HKEY opened;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    RegCloseKey(opened);
    return true;
}

TEST(Registry, MissingKeyIsNotCreatedAndHasNoValue) {
    PrivateRegistry privateRegistry;
    TRegistry registry;
    EXPECT_EQ(registry.RootKey, HKEY_CURRENT_USER);
    EXPECT_FALSE(registry.OpenKey(kKey, false));
    EXPECT_FALSE(registry.ValueExists(kValue));
    EXPECT_EQ(registry.ReadString(kValue), "");
    EXPECT_FALSE(KeyExists(kKey));
}

TEST(Registry, MissingValue) {
    PrivateRegistry privateRegistry;
    privateRegistry.SetValue(kKey, "Inna", REG_SZ, "C:\\", 4);
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(kKey, false));
    EXPECT_FALSE(registry.ValueExists(kValue));
    EXPECT_EQ(registry.ReadString(kValue), "");
}

// The key opens with the access the accessor was made with: the plain
// constructor asks for all access, which a key that may only be read refuses.
struct AccessCase {
    const char* name;
    bool plainConstructor;
    REGSAM requested;
    bool opens;
};

const AccessCase kAccessCases[] = {
    {"Plain", true, KEY_ALL_ACCESS, false},
    {"ReadOnly", false, KEY_READ, true},
};

class RegistryAccess : public testing::TestWithParam<AccessCase> {};

TEST_P(RegistryAccess, OnAKeyThatMayOnlyBeRead) {
    const AccessCase& c = GetParam();
    PrivateRegistry privateRegistry;
    privateRegistry.SetLocation("C:\\Tervalis");
    ASSERT_TRUE(privateRegistry.RestrictKey(kKey, "D:P(A;;KR;;;WD)"));
    RegistryWatch watch;
    ASSERT_TRUE(watch.Watching());
    {
        std::unique_ptr<TRegistry> registry(c.plainConstructor ? new TRegistry
                                                               : new TRegistry(KEY_READ));
        EXPECT_EQ(registry->OpenKey(kKey, false), c.opens);
        EXPECT_EQ(registry->ValueExists(kValue), c.opens);
        EXPECT_EQ(registry->ReadString(kValue), c.opens ? "C:\\Tervalis" : "");
    }
    ASSERT_EQ(watch.Opens().size(), 1u);
    EXPECT_EQ(watch.Opens()[0].SubKey, kKey);
    EXPECT_EQ(watch.Opens()[0].Access, c.requested);
    EXPECT_EQ(watch.Opens()[0].Result, c.opens ? ERROR_SUCCESS : ERROR_ACCESS_DENIED);
    EXPECT_EQ(watch.KeysLeftOpen(), 0);
}

INSTANTIATE_TEST_SUITE_P(Access, RegistryAccess, testing::ValuesIn(kAccessCases),
                         [](const testing::TestParamInfo<AccessCase>& info) {
                             return std::string(info.param.name);
                         });

// Freeing the accessor closes its key, also after a read that raised.
TEST(Registry, FreeingClosesTheKey) {
    PrivateRegistry privateRegistry;
    const DWORD number = 1;
    privateRegistry.SetValue(kKey, kValue, REG_DWORD, &number, sizeof number);
    RegistryWatch watch;
    {
        TRegistry registry(KEY_READ);
        ASSERT_TRUE(registry.OpenKey(kKey, false));
        EXPECT_EQ(watch.KeysLeftOpen(), 1);
        EXPECT_THROW(registry.ReadString(kValue), ERegistryException);
        EXPECT_EQ(watch.KeysLeftOpen(), 1);
    }
    EXPECT_EQ(watch.KeysLeftOpen(), 0);
}

}  // namespace
