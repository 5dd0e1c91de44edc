// The built Instalator.exe as a file: a 32-bit GUI program that imports system
// DLLs only, carries its layout, icon and version in Polish, and no manifest.
// It is built beside the tests: <build>/Instalator.exe, this program in <build>/tests/.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "FormLoader.h"
#include "Unit1.h"
#include "WizardTest.h"

namespace {

constexpr WORD kPolish = 1045;

std::string InstallerPath() {
    char full[MAX_PATH];
    const std::string relative = std::string(TestExeFolder().c_str()) + "\\..\\Instalator.exe";
    GetFullPathNameA(relative.c_str(), MAX_PATH, full, nullptr);
    return full;
}

std::vector<unsigned char> FileBytes(const std::string& path) {
    AnsiString bytes = ReadFileBytes(path.c_str());
    return std::vector<unsigned char>(bytes.begin(), bytes.end());
}

std::string Lower(std::string text) {
    for (char& c : text) c = char(tolower(static_cast<unsigned char>(c)));
    return text;
}

// The PE headers and import table, read from the file's bytes.
class PeImage {
public:
    explicit PeImage(std::vector<unsigned char> bytes) : FBytes(std::move(bytes)) {
        if (FBytes.size() < sizeof(IMAGE_DOS_HEADER)) return;
        const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(FBytes.data());
        if (dos->e_magic != IMAGE_DOS_SIGNATURE ||
            size_t(dos->e_lfanew) + sizeof(IMAGE_NT_HEADERS32) > FBytes.size())
            return;
        FHeaders = reinterpret_cast<const IMAGE_NT_HEADERS32*>(FBytes.data() + dos->e_lfanew);
        if (FHeaders->Signature != IMAGE_NT_SIGNATURE) FHeaders = nullptr;
    }

    const IMAGE_NT_HEADERS32* Headers() const { return FHeaders; }

    // The DLL names of the import directory, in order.
    std::vector<std::string> Imports() const {
        std::vector<std::string> names;
        const IMAGE_DATA_DIRECTORY& dir =
            FHeaders->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        for (DWORD rva = dir.VirtualAddress;; rva += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
            const auto* entry = At<IMAGE_IMPORT_DESCRIPTOR>(rva);
            if (!entry || entry->Name == 0) break;
            const char* name = At<char>(entry->Name);
            names.push_back(name ? name : "(outside the file)");
        }
        return names;
    }

private:
    // The file's bytes at a relative virtual address, through the section table.
    template <class T>
    const T* At(DWORD rva) const {
        const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(FHeaders);
        for (int i = 0; i < FHeaders->FileHeader.NumberOfSections; ++i, ++section) {
            const DWORD start = section->VirtualAddress;
            if (rva < start || rva >= start + section->SizeOfRawData) continue;
            const size_t offset = section->PointerToRawData + (rva - start);
            return offset + sizeof(T) <= FBytes.size()
                       ? reinterpret_cast<const T*>(FBytes.data() + offset)
                       : nullptr;
        }
        return nullptr;
    }

    std::vector<unsigned char> FBytes;
    const IMAGE_NT_HEADERS32* FHeaders = nullptr;
};

// The size budget: the templates and the layout are 153 KiB of resources; the C++
// exception support that the class library's failures rely on (the unwinder, its
// tables and landing pads) is about 60 KiB of the rest. The budget keeps everything
// else from growing unnoticed.
TEST(Executable, IsA32BitGuiProgramWithinItsSizeBudget) {
    const std::vector<unsigned char> bytes = FileBytes(InstallerPath());
    ASSERT_FALSE(bytes.empty()) << "cannot read " << InstallerPath();
    EXPECT_LE(bytes.size(), 288u * 1024u);
    PeImage image(bytes);
    ASSERT_NE(image.Headers(), nullptr) << "not a PE file";
    EXPECT_EQ(image.Headers()->FileHeader.Machine, IMAGE_FILE_MACHINE_I386);
    EXPECT_EQ(image.Headers()->OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR32_MAGIC);
    EXPECT_EQ(image.Headers()->OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
    EXPECT_TRUE(image.Headers()->FileHeader.Characteristics & IMAGE_FILE_EXECUTABLE_IMAGE);
    EXPECT_FALSE(image.Headers()->FileHeader.Characteristics & IMAGE_FILE_DLL);
}

// Every DLL it imports is one that Windows always takes from System32 (a Known
// DLL): no run-time library of the compiler travels beside it.
TEST(Executable, ImportsWindowsSystemDllsOnly) {
    const char* const allowed[] = {"kernel32.dll", "user32.dll", "gdi32.dll", "shell32.dll",
                                   "advapi32.dll", "ole32.dll",  "msvcrt.dll"};
    PeImage image(FileBytes(InstallerPath()));
    ASSERT_NE(image.Headers(), nullptr);
    const std::vector<std::string> imports = image.Imports();
    EXPECT_FALSE(imports.empty());
    for (const std::string& dll : imports) {
        const std::string name = Lower(dll);
        EXPECT_NE(std::find(std::begin(allowed), std::end(allowed), name), std::end(allowed))
            << dll;
        for (const char* runtime : {"libstdc++", "libgcc", "winpthread", "mingw"})
            EXPECT_EQ(name.find(runtime), std::string::npos) << dll;
    }
    const IMAGE_DATA_DIRECTORY& delayed =
        image.Headers()->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT];
    EXPECT_EQ(delayed.Size, 0u) << "delay-loaded imports";
}

struct Resource {
    std::string type, name;
    WORD language;
};

std::string IdOrName(LPCSTR id) {
    return IS_INTRESOURCE(id) ? "#" + std::to_string(reinterpret_cast<ULONG_PTR>(id)) : id;
}

// The installer loaded as an image of resources, without running any of it.
class InstallerResources : public ::testing::Test {
protected:
    void SetUp() override {
        FModule = LoadLibraryExA(InstallerPath().c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(FModule, nullptr) << InstallerPath() << ": error " << GetLastError();
        EnumResourceTypesA(FModule, Type, reinterpret_cast<LONG_PTR>(this));
    }
    void TearDown() override {
        if (FModule) FreeLibrary(FModule);
    }

    // The bytes of one resource in the given language.
    std::vector<unsigned char> Data(LPCSTR type, LPCSTR name, WORD language = kPolish) const {
        HRSRC info = FindResourceExA(FModule, type, name, language);
        if (!info) return {};
        const auto* data =
            static_cast<const unsigned char*>(LockResource(LoadResource(FModule, info)));
        return std::vector<unsigned char>(data, data + SizeofResource(FModule, info));
    }

    bool Has(const std::string& type, const std::string& name) const {
        return std::any_of(FAll.begin(), FAll.end(),
                           [&](const Resource& r) { return r.type == type && r.name == name; });
    }

    HMODULE FModule = nullptr;
    std::vector<Resource> FAll;

private:
    static BOOL CALLBACK Type(HMODULE module, LPSTR type, LONG_PTR self) {
        EnumResourceNamesA(module, type, Name, self);
        return TRUE;
    }
    static BOOL CALLBACK Name(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR self) {
        EnumResourceLanguagesA(module, type, name, Language, self);
        return TRUE;
    }
    static BOOL CALLBACK Language(HMODULE, LPCSTR type, LPCSTR name, WORD language, LONG_PTR self) {
        reinterpret_cast<InstallerResources*>(self)->FAll.push_back(
            {IdOrName(type), IdOrName(name), language});
        return TRUE;
    }
};

TEST_F(InstallerResources, LayoutIconAndVersionAllInPolishAndNoManifest) {
    EXPECT_TRUE(Has("#10", "TFORM1"));    // RT_RCDATA
    EXPECT_TRUE(Has("#14", "MAINICON"));  // RT_GROUP_ICON
    EXPECT_TRUE(Has("#16", "#1"));        // RT_VERSION
    for (const Resource& r : FAll) {
        EXPECT_EQ(r.language, kPolish) << r.type << " " << r.name;
        EXPECT_NE(r.type, "#24") << "a manifest: " << r.name;  // RT_MANIFEST
    }
}

// The layout that the tests load is the one that the installer carries.
TEST_F(InstallerResources, LayoutIsTheOneTheTestsLoad) {
    const std::vector<unsigned char> layout = Data(MAKEINTRESOURCEA(10), "TFORM1");
    ASSERT_FALSE(layout.empty());
    HRSRC own = FindResourceA(nullptr, "TFORM1", MAKEINTRESOURCEA(10));
    ASSERT_NE(own, nullptr);
    const auto* ownData =
        static_cast<const unsigned char*>(LockResource(LoadResource(nullptr, own)));
    EXPECT_TRUE(layout ==
                std::vector<unsigned char>(ownData, ownData + SizeofResource(nullptr, own)));
    TForm1 form(nullptr);
    TFormLoader(form, TForm1::Published).Load(ReadFormStream(layout.data(), layout.size()));
    EXPECT_EQ(form.ComponentCount(), 26);
}

#pragma pack(push, 2)
struct IconDirectoryEntry {
    BYTE Width, Height, ColorCount, Reserved;
    WORD Planes, BitCount;
    DWORD BytesInRes;
    WORD Id;
};
#pragma pack(pop)

// One image of 32 x 32 pixels in 16 colours, with its transparency mask.
TEST_F(InstallerResources, IconIsOne32By32ImageIn16Colours) {
    const std::vector<unsigned char> group = Data(MAKEINTRESOURCEA(14), "MAINICON");
    ASSERT_GE(group.size(), 6u + sizeof(IconDirectoryEntry));
    const WORD* header = reinterpret_cast<const WORD*>(group.data());
    EXPECT_EQ(header[1], 1);  // icons
    ASSERT_EQ(header[2], 1);  // images
    const auto* entry = reinterpret_cast<const IconDirectoryEntry*>(group.data() + 6);
    const std::vector<unsigned char> image =
        Data(MAKEINTRESOURCEA(3), MAKEINTRESOURCEA(entry->Id));  // RT_ICON
    ASSERT_GE(image.size(), sizeof(BITMAPINFOHEADER));
    const auto* bitmap = reinterpret_cast<const BITMAPINFOHEADER*>(image.data());
    EXPECT_EQ(bitmap->biWidth, 32);
    EXPECT_EQ(bitmap->biHeight, 64);  // the colours and the mask
    EXPECT_EQ(bitmap->biBitCount, 4);
    const size_t colours = 16 * 4, pixels = 32 * 32 / 2, mask = 32 * 4;
    EXPECT_EQ(image.size(), bitmap->biSize + colours + pixels + mask);
    HICON icon = CreateIconFromResourceEx(const_cast<BYTE*>(image.data()), DWORD(image.size()),
                                          TRUE, 0x00030000, 32, 32, 0);
    EXPECT_NE(icon, nullptr);
    if (icon) DestroyIcon(icon);
}

// VerQueryValueW from version.dll, which the test program loads for this.
class VersionInfo {
public:
    explicit VersionInfo(std::vector<unsigned char> block)
        : FBlock(std::move(block)), FLibrary(LoadLibraryA("version.dll")) {
        FQuery = reinterpret_cast<Query>(
            reinterpret_cast<void*>(GetProcAddress(FLibrary, "VerQueryValueW")));
    }
    ~VersionInfo() { FreeLibrary(FLibrary); }
    VersionInfo(const VersionInfo&) = delete;
    VersionInfo& operator=(const VersionInfo&) = delete;

    bool Value(const wchar_t* path, void*& data, UINT& length) {
        return FQuery && FQuery(FBlock.data(), path, &data, &length);
    }
    // A string of the string table, or "(missing)".
    std::wstring String(const wchar_t* key) {
        void* data;
        UINT length;
        const std::wstring path = std::wstring(L"\\StringFileInfo\\041504E2\\") + key;
        if (!Value(path.c_str(), data, length)) return L"(missing)";
        const wchar_t* text = static_cast<const wchar_t*>(data);
        return std::wstring(text, wcsnlen(text, length));
    }

private:
    using Query = BOOL(WINAPI*)(LPCVOID, LPCWSTR, LPVOID*, PUINT);
    std::vector<unsigned char> FBlock;
    HMODULE FLibrary;
    Query FQuery = nullptr;
};

// The keys of the one string table, in stored order: each entry is a length, a
// value length, a type, its key (UTF-16, NUL-ended) and its value, 4-byte aligned.
std::vector<std::wstring> StringTableKeys(const std::vector<unsigned char>& block) {
    auto key = [&](size_t at) { return reinterpret_cast<const wchar_t*>(block.data() + at + 6); };
    auto align = [](size_t at) { return (at + 3) & ~size_t(3); };
    auto length = [&](size_t at) { return *reinterpret_cast<const WORD*>(block.data() + at); };
    auto children = [&](size_t at) { return align(at + 6 + (wcslen(key(at)) + 1) * 2); };
    std::vector<std::wstring> keys;
    // VS_VERSIONINFO: its key, the fixed part, then StringFileInfo and VarFileInfo.
    size_t at = align(children(0) + sizeof(VS_FIXEDFILEINFO));
    while (at < length(0) && std::wstring(key(at)) != L"StringFileInfo")
        at = align(at + length(at));
    if (at >= length(0)) return keys;
    const size_t table = children(at);  // the one string table
    for (size_t entry = children(table); entry < table + length(table);
         entry = align(entry + length(entry))) {
        if (length(entry) == 0) break;
        keys.push_back(key(entry));
    }
    return keys;
}

TEST_F(InstallerResources, VersionResource) {
    const std::vector<unsigned char> block = Data(MAKEINTRESOURCEA(16), MAKEINTRESOURCEA(1));
    ASSERT_FALSE(block.empty());
    VersionInfo version(block);

    void* data;
    UINT length;
    ASSERT_TRUE(version.Value(L"\\", data, length));
    ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(data);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00020001u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00020001u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileFlagsMask, 0x3Fu);
    EXPECT_EQ(fixed->dwFileFlags, 0u);
    EXPECT_EQ(fixed->dwFileOS, DWORD(VOS__WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, DWORD(VFT_APP));
    EXPECT_EQ(fixed->dwFileSubtype, 0u);
    EXPECT_EQ(fixed->dwFileDateMS, 0u);
    EXPECT_EQ(fixed->dwFileDateLS, 0u);

    ASSERT_TRUE(version.Value(L"\\VarFileInfo\\Translation", data, length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(static_cast<const WORD*>(data)[0], 0x0415);
    EXPECT_EQ(static_cast<const WORD*>(data)[1], 1250);

    const struct {
        const wchar_t* key;
        const wchar_t* value;
    } strings[] = {
        {L"CompanyName", L"Kvorel"},     {L"FileDescription", L""},
        {L"FileVersion", L"2.1.0.0"},    {L"InternalName", L""},
        {L"LegalCopyright", L""},        {L"LegalTrademarks", L""},
        {L"OriginalFilename", L""},      {L"ProductName", L"Instalator"},
        {L"ProductVersion", L"2.1.0.0"}, {L"Comments", L""},
    };
    std::vector<std::wstring> keys;
    for (const auto& s : strings) {
        EXPECT_EQ(version.String(s.key), s.value) << s.key;
        keys.push_back(s.key);
    }
    EXPECT_EQ(StringTableKeys(block), keys);
}

}  // namespace
