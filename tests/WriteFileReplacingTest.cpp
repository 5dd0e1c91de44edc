// Replacing a file's content in one step: the new content or the old one,
// and never a temporary file left beside the target.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "TempFolder.h"
#include "WriteFileReplacing.h"

namespace {

// A stream over bytes that the test owns.
class BytesStream : public TCustomMemoryStream {
public:
    explicit BytesStream(const AnsiString& bytes) : FBytes(bytes) {
        SetPointer(FBytes.data(), long(FBytes.size()));
    }

private:
    AnsiString FBytes;
};

std::string Narrow(const AnsiString& text) { return std::string(text.begin(), text.end()); }

int FilesIn(const AnsiString& folder) {
    int count = 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    do {
        if (lstrcmpA(found.cFileName, ".") && lstrcmpA(found.cFileName, "..")) ++count;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return count;
}

// CR LF, a lone LF, NUL and bytes above 127: written as they are.
const AnsiString kNew("\\trowd \r\n{\\'b3}\n\0\xFF\r", 20);

struct ReplaceCase {
    const char* Name;
    bool FolderExists;
    const char* Old;  // the target's content before, or none
    bool Held;        // another handle holds the target, sharing nothing
    AnsiString New;
    bool Raises;
};

// clang-format off
const ReplaceCase kCases[] = {
    // name              folder old                          held   new         raises
    {"MissingTarget",   true,  nullptr,                     false, kNew,       false},
    {"LongerTarget",    true,  "0123456789012345678901234", false, kNew,       false},
    {"EmptyContent",    true,  "old",                       false, "",         false},
    {"HeldTarget",      true,  "old",                       true,  kNew,       true},
    {"MissingFolder",   false, nullptr,                     false, kNew,       true},
};
// clang-format on

class WriteFileReplacingTest : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(WriteFileReplacingTest, LeavesTheNewOrTheOldContentAndNoOtherFile) {
    const ReplaceCase& c = GetParam();
    TempFolder temp;
    const AnsiString folder = temp / "SZABLONY";
    const AnsiString target = folder + "\\RPT_A1.rtf";
    if (c.FolderExists) MakeFolder(folder);
    if (c.Old) WriteFileBytes(target, c.Old);
    HANDLE held =
        c.Held ? CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
               : INVALID_HANDLE_VALUE;
    BytesStream stream(c.New);

    bool raised = false;
    try {
        WriteFileReplacing(stream, target);
    } catch (const Exception&) {
        raised = true;
    }
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);

    EXPECT_EQ(raised, c.Raises);
    if (!c.FolderExists) {
        EXPECT_EQ(FilesIn(temp.Path()), 0);
        return;
    }
    const AnsiString expected = c.Raises ? AnsiString(c.Old ? c.Old : "") : c.New;
    EXPECT_EQ(Narrow(ReadFileBytes(target)), Narrow(expected));
    EXPECT_EQ(FilesIn(folder), c.Old || !c.Raises ? 1 : 0) << "a temporary file was left behind";
}

std::string CaseName(const ::testing::TestParamInfo<ReplaceCase>& info) { return info.param.Name; }

INSTANTIATE_TEST_SUITE_P(Cases, WriteFileReplacingTest, ::testing::ValuesIn(kCases), CaseName);

}  // namespace
