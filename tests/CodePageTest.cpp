// The suite runs once per ANSI code page; each run names the code page it expects, so a run
// that silently got another one fails here instead of passing for the wrong reason.
#include <windows.h>

#include <cstdlib>

#include <gtest/gtest.h>

namespace {

unsigned ExpectedCodePage() {
    const char* expected = std::getenv("INSTALATOR_EXPECTED_ACP");
    return expected ? static_cast<unsigned>(std::strtoul(expected, nullptr, 10)) : 0;
}

wchar_t Decode(unsigned codePage, char byte) {
    wchar_t wide = 0;
    return MultiByteToWideChar(codePage, 0, &byte, 1, &wide, 1) == 1 ? wide : 0;
}

}  // namespace

TEST(CodePage, IsTheOneTheRunExpects) {
    const unsigned expected = ExpectedCodePage();
    if (expected == 0) GTEST_SKIP() << "INSTALATOR_EXPECTED_ACP is not set";
    EXPECT_EQ(expected, GetACP());
}

// 0xB3 is 'ł' in 1250 and '³' in 1252: the ANSI conversions really use the expected page.
TEST(CodePage, AnsiConversionUsesIt) {
    const unsigned expected = ExpectedCodePage();
    if (expected == 0) GTEST_SKIP() << "INSTALATOR_EXPECTED_ACP is not set";
    EXPECT_EQ(Decode(expected, '\xB3'), Decode(CP_ACP, '\xB3'));
    EXPECT_NE(Decode(1250, '\xB3'), Decode(1252, '\xB3'));
}
