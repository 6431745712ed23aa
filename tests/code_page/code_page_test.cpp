// The exact-conversion rule of dropped and picked folder names under the
// code pages of Windows outside Japan: run once as an executable whose
// manifest gives it the UTF-8 ANSI code page, and once under code page 1252.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "base/system_code_page.h"

namespace tellaro {
namespace {

TEST(SystemCodePage, AccentedNamesConvertExactlyAndBrokenOnesAreRefused) {
    const UINT codePage = GetACP();
    ASSERT_TRUE(codePage == CP_UTF8 || codePage == 1252) << "code page " << codePage;
    const bool utf8 = codePage == CP_UTF8;

    EXPECT_EQ(ToSystemAnsi(L"Work"), "Work");
    EXPECT_EQ(ToSystemAnsi(L"C:\\Users\\Caf\u00E9"),
              utf8 ? "C:\\Users\\Caf\xC3\xA9" : "C:\\Users\\Caf\xE9");
    EXPECT_EQ(ToSystemAnsi(L"Priv\u00E9"), utf8 ? "Priv\xC3\xA9" : "Priv\xE9");
    // A look-alike would name another folder: 1252 has no kana, nor a
    // best-fit letter for "ā"; UTF-8 has both.
    EXPECT_EQ(ToSystemAnsi(L"\u30E1\u30E2").has_value(), utf8);
    EXPECT_EQ(ToSystemAnsi(L"K\u0101ne").has_value(), utf8);
    // Half a surrogate pair is no character in any code page.
    EXPECT_EQ(ToSystemAnsi(std::wstring(L"Bad") + wchar_t(0xD800)), std::nullopt);
    EXPECT_EQ(ToSystemAnsi(std::wstring(1, wchar_t(0xDC00)) + L"x"), std::nullopt);
}

}  // namespace
}  // namespace tellaro
