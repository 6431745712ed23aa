#include <gtest/gtest.h>

#include <string>

#include "config/system_text.h"

namespace tellaro {
namespace {

using namespace system_text;

TEST(SystemText, DirectoryFormsOfAnOrdinaryAndARootDirectory) {
    EXPECT_EQ(WithBackslash("D:\\Work"), "D:\\Work\\");
    EXPECT_EQ(DriveOf("D:\\Work"), "D");
    EXPECT_EQ(RootOf("D:\\Work"), "D:\\");
    EXPECT_EQ(WithBackslash("C:\\"), "C:\\\\");
    EXPECT_EQ(RootOf("C:\\"), "C:\\");
    // Shorter than a root: whatever there is, never past the end.
    EXPECT_EQ(RootOf("C:"), "C:");
    EXPECT_EQ(DriveOf(""), "");
}

TEST(SystemText, UserFolderIsRefusedPast260Characters) {
    const std::string dir = "C:\\" + std::string(250, 'd') + "\\";  // 254 characters
    ASSERT_EQ(dir.size(), 254u);
    EXPECT_EQ(UserFolder(dir, "abcdef"), dir + "abcdef");  // exactly 260
    EXPECT_EQ(UserFolder(dir, "abcdefg"), std::nullopt);

    EXPECT_EQ(UserFolderSlash(dir + "abcde"), dir + "abcde\\");  // 260 with the slash
    EXPECT_EQ(UserFolderSlash(dir + "abcdef"), std::nullopt);
    EXPECT_EQ(UserFolder("D:\\Work\\", "taro"), "D:\\Work\\taro");
}

}  // namespace
}  // namespace tellaro
