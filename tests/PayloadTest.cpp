// The eighteen templates built into Instalator.exe and into this test program,
// and the table that says where each one goes.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "Classes.h"
#include "TemplateTable.h"

namespace {

struct PayloadRow {
    const char* ResourceName;
    const char* RelativePath;
    const char* StoredName;
    DWORD Size;
    const char* ProgressText;
    bool LineBreakAtEnd;  // CR LF after the closing brace
    const char* SourceFile;
};

// clang-format off
const PayloadRow kRows[18] = {
    {"Plik1T",  "\\SZABLONY\\RPT_A1.rtf",      "PLIK1T",  6301,  "\\SZABLONY\\RPT_A1.rtf",      false, "RPT_A1.rtf"},
    {"Plik2T",  "\\SZABLONY\\RPT_A2.rtf",      "PLIK2T",  6295,  "\\SZABLONY\\RPT_A2.rtf",      false, "RPT_A2.rtf"},
    {"Plik3T",  "\\SZABLONY\\RPT_B1.rtf",      "PLIK3T",  5880,  "Plik",                        true,  "RPT_B1.rtf"},
    {"Plik4T",  "\\SZABLONY\\RPT_B2.rtf",      "PLIK4T",  6454,  "\\SZABLONY\\RPT_B2.rtf",      false, "RPT_B2.rtf"},
    {"Plik5T",  "\\SZABLONY\\RPT_B3.rtf",      "PLIK5T",  5793,  "\\SZABLONY\\RPT_B3.rtf",      false, "RPT_B3.rtf"},
    {"Plik6T",  "\\SZABLONY\\RPT_B4.rtf",      "PLIK6T",  6006,  "\\SZABLONY\\RPT_B4.rtf",      false, "RPT_B4.rtf"},
    {"Plik7T",  "\\SZABLONY\\RPT_B5.rtf",      "PLIK7T",  5377,  "\\SZABLONY\\RPT_B5.rtf",      false, "RPT_B5.rtf"},
    {"Plik8T",  "\\SZABLONY\\RPT_C1.rtf",      "PLIK8T",  6637,  "\\SZABLONY\\RPT_C1.rtf",      false, "RPT_C1.rtf"},
    {"Plik9T",  "\\SZABLONY\\RPT_C2.rtf",      "PLIK9T",  10659, "\\SZABLONY\\RPT_C2.rtf",      false, "RPT_C2.rtf"},
    {"Plik10T", "\\SZABLONY\\RPT_C3.rtf",      "PLIK10T", 6179,  "\\SZABLONY\\RPT_C3.rtf",      false, "RPT_C3.rtf"},
    {"Plik11T", "\\SZABLONY\\RPT_D1.rtf",      "PLIK11T", 7596,  "\\SZABLONY\\RPT_D1.rtf",      false, "RPT_D1.rtf"},
    {"Plik12T", "\\SZABLONY\\RPT_D2.rtf",      "PLIK12T", 7539,  "\\SZABLONY\\RPT_D2.rtf",      false, "RPT_D2.rtf"},
    {"Plik13T", "\\SZABLONY\\RPT_E1.rtf",      "PLIK13T", 10592, "\\SZABLONY\\RPT_E1.rtf",      false, "RPT_E1.rtf"},
    {"Plik14T", "\\SZABLONY\\RPT_E2.rtf",      "PLIK14T", 11724, "\\SZABLONY\\RPT_E2.rtf",      false, "RPT_E2.rtf"},
    {"Plik15T", "\\SZABLONY\\RPT_F1.rtf",      "PLIK15T", 9698,  "\\SZABLONY\\RPT_F1.rtf",      false, "RPT_F1.rtf"},
    {"Plik16T", "\\SZABLONY\\RPT_F2.rtf",      "PLIK16T", 9858,  "\\SZABLONY\\RPT_F2.rtf",      false, "RPT_F2.rtf"},
    {"Plik17T", "\\SZABLONY\\RPT_F3.rtf",      "PLIK17T", 9166,  "\\SZABLONY\\RPT_F3.rtf",      true,  "RPT_F3.rtf"},
    {"Plik18T", "\\SZABLONY\\Rpt_D_Extra.rtf", "PLIK18T", 7571,  "\\SZABLONY\\Rpt_D_Extra.rtf", true,  "Rpt_D_Extra.rtf"},
};
// clang-format on

const WORD kPolish = MAKELANGID(LANG_POLISH, SUBLANG_DEFAULT);

// The installer, built beside the tests' folder, opened for its resources only.
class Installer {
public:
    Installer() : FModule(LoadLibraryExA(Path().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
    ~Installer() {
        if (FModule) FreeLibrary(FModule);
    }
    Installer(const Installer&) = delete;
    Installer& operator=(const Installer&) = delete;

    static AnsiString Path() {
        return ExtractFileDir(ExtractFileDir(ExeName())) + "\\Instalator.exe";
    }
    HMODULE Module() const { return FModule; }

private:
    HMODULE FModule;
};

// A resource's bytes, found by name without naming a language; "(missing)" when absent.
std::string ResourceBytes(HMODULE module, const char* name) {
    HRSRC info = FindResourceA(module, name, MAKEINTRESOURCEA(10));
    if (!info) return "(missing)";
    HGLOBAL data = LoadResource(module, info);
    const char* bytes = static_cast<const char*>(LockResource(data));
    return std::string(bytes, SizeofResource(module, info));
}

BOOL CALLBACK AddLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR list) {
    reinterpret_cast<std::vector<WORD>*>(list)->push_back(language);
    return TRUE;
}

std::vector<WORD> Languages(HMODULE module, const char* name) {
    std::vector<WORD> languages;
    EnumResourceLanguagesA(module, MAKEINTRESOURCEA(10), name, AddLanguage,
                           reinterpret_cast<LONG_PTR>(&languages));
    return languages;
}

BOOL CALLBACK AddTemplateName(HMODULE, LPCSTR, LPSTR name, LONG_PTR list) {
    if (!IS_INTRESOURCE(name) &&
        CompareStringA(LOCALE_INVARIANT, 0, name, 4, "PLIK", 4) == CSTR_EQUAL)
        reinterpret_cast<std::vector<std::string>*>(list)->push_back(name);
    return TRUE;
}

std::vector<std::string> TemplateNames(HMODULE module) {
    std::vector<std::string> names;
    EnumResourceNamesA(module, MAKEINTRESOURCEA(10), AddTemplateName,
                       reinterpret_cast<LONG_PTR>(&names));
    return names;
}

std::string ReadWholeFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "(cannot open " + path + ")";
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    if (!bytes.empty()) ReadFile(file, &bytes[0], DWORD(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool IsNameCharacter(char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

// The first way in which a template departs from the form the host program
// expects, or an empty string.
std::string FormFault(const std::string& text, bool lineBreakAtEnd) {
    if (text.compare(0, 7, "\\trowd ") != 0) return "does not begin with \\trowd and a blank";
    const std::string end = lineBreakAtEnd ? "\\par }\r\n" : "\\par }";
    if (text.size() < end.size() || text.compare(text.size() - end.size(), end.size(), end) != 0)
        return lineBreakAtEnd ? "does not end with \\par } CR LF" : "does not end with \\par }";
    int depth = 0, escapes = 0, placeholders = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const std::string at = " at byte " + std::to_string(i);
        if (c == '\0') return "NUL" + at;
        if (static_cast<unsigned char>(c) > 127) return "not 7-bit ASCII" + at;
        if (c == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) return "CR without LF" + at;
        if (c == '\n' && (i == 0 || text[i - 1] != '\r')) return "LF without CR" + at;
        if (c == '{') ++depth;
        if (c == '}' && --depth < 0) return "closing brace without an opening one" + at;
        if (c == '>') return "'>' outside a placeholder" + at;
        if (c == '\\' && i + 1 < text.size() && text[i + 1] == '\'') {
            if (i + 3 >= text.size() || !IsHexDigit(text[i + 2]) || !IsHexDigit(text[i + 3]))
                return "\\' without two hexadecimal digits" + at;
            ++escapes;
            i += 3;
        } else if (c == '\\' && i + 1 < text.size() && strchr("\\{}", text[i + 1])) {
            ++i;  // an escaped brace or backslash is text
        } else if (c == '<') {
            size_t close = i + 1;
            while (close < text.size() && IsNameCharacter(text[close])) ++close;
            if (close == i + 1 || close == text.size() || text[close] != '>')
                return "'<' that does not open a placeholder" + at;
            ++placeholders;
            i = close;
        }
    }
    if (depth != 0) return "unbalanced braces";
    if (escapes == 0) return "no \\'xx escape";
    if (placeholders == 0) return "no <NAME> placeholder";
    return std::string();
}

TEST(TemplateTableTest, PairsEachResourceWithItsFileAndProgressText) {
    for (int i = 0; i < 18; ++i) {
        SCOPED_TRACE("row " + std::to_string(i + 1));
        EXPECT_STREQ(TemplateTable[i].ResourceName, kRows[i].ResourceName);
        EXPECT_STREQ(TemplateTable[i].RelativePath, kRows[i].RelativePath);
        EXPECT_STREQ(TemplateTable[i].ProgressText, kRows[i].ProgressText);
    }
}

class PayloadTest : public ::testing::TestWithParam<PayloadRow> {};

TEST_P(PayloadTest, InstallerHoldsTheTemplateOnceInPolish) {
    const PayloadRow& row = GetParam();
    Installer installer;
    ASSERT_TRUE(installer.Module()) << "cannot open " << Installer::Path();

    const std::string bytes = ResourceBytes(installer.Module(), row.ResourceName);
    EXPECT_EQ(bytes.size(), row.Size);
    EXPECT_EQ(Languages(installer.Module(), row.StoredName), std::vector<WORD>{kPolish});
    // This program carries the same payload, which the page tests install.
    EXPECT_EQ(ResourceBytes(GetModuleHandleA(nullptr), row.ResourceName), bytes);
    EXPECT_EQ(Languages(GetModuleHandleA(nullptr), row.StoredName), std::vector<WORD>{kPolish});
    EXPECT_EQ(FormFault(bytes, row.LineBreakAtEnd), "");
}

TEST_P(PayloadTest, IsTheSourceTemplateByteForByte) {
#ifdef INSTALATOR_TEMPLATES_DIR
    std::string folder = INSTALATOR_TEMPLATES_DIR;
    if (folder[0] == '/') folder = "Z:" + folder;  // a build-machine path, seen through Wine
    const std::string source = ReadWholeFile(folder + "/" + GetParam().SourceFile);
    EXPECT_EQ(ResourceBytes(GetModuleHandleA(nullptr), GetParam().ResourceName), source);
#else
    GTEST_SKIP() << "INSTALATOR_TEMPLATES_DIR is not defined for this build";
#endif
}

TEST_P(PayloadTest, StreamReadsTheResourceInPlace) {
    const PayloadRow& row = GetParam();
    HRSRC info = FindResourceA(HInstance, row.StoredName, MAKEINTRESOURCEA(10));
    ASSERT_TRUE(info);
    TResourceStream stream(HInstance, row.ResourceName, MAKEINTRESOURCEA(10));
    EXPECT_EQ(stream.Memory(), LockResource(LoadResource(HInstance, info)));
    EXPECT_EQ(stream.Size(), long(row.Size));
}

std::string RowName(const ::testing::TestParamInfo<PayloadRow>& info) {
    return info.param.StoredName;
}

INSTANTIATE_TEST_SUITE_P(Rows, PayloadTest, ::testing::ValuesIn(kRows), RowName);

TEST(PayloadModuleTest, InstallerHoldsNoOtherTemplateNames) {
    Installer installer;
    ASSERT_TRUE(installer.Module()) << "cannot open " << Installer::Path();
    std::vector<std::string> expected;
    for (const PayloadRow& row : kRows) expected.push_back(row.StoredName);
    std::vector<std::string> names = TemplateNames(installer.Module());
    std::sort(names.begin(), names.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names, expected);
}

TEST(PayloadModuleTest, LookupFindsEveryTemplateUnderAnEnglishThreadLanguage) {
    SetThreadLocale(MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT));
    SetThreadUILanguage(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    for (const PayloadRow& row : kRows) {
        TResourceStream stream(HInstance, row.ResourceName, MAKEINTRESOURCEA(10));
        EXPECT_EQ(stream.Size(), long(row.Size)) << row.ResourceName;
    }
}

TEST(PayloadModuleTest, UnknownNameRaisesResourceNotFound) {
    EXPECT_THROW(TResourceStream(HInstance, "Plik19T", MAKEINTRESOURCEA(10)), EResNotFound);
}

}  // namespace
