#include <gtest/gtest.h>

#include "menu/desktop_entries.h"

namespace tellaro {
namespace {

TEST(MenuDesktopEntries, TextRules) {
    EXPECT_EQ(DesktopEntryText("a.txt", false), "a.txt");
    EXPECT_EQ(DesktopEntryText("Docs", true), "Docs <DIR>");
    EXPECT_EQ(DesktopEntryText("Mail.lnk", false), "Mail");
    EXPECT_EQ(DesktopEntryText("x.Lnk", false), "x");
    EXPECT_EQ(DesktopEntryText("X.LNK", false), "X");
    EXPECT_EQ(DesktopEntryText("x.lnk.txt", false), "x.lnk.txt");
    EXPECT_EQ(DesktopEntryText("y.lnk", true), "y.lnk <DIR>");
    EXPECT_EQ(DesktopEntryText(".lnk", false), "");
    EXPECT_EQ(DesktopEntryText("a.b.lnk", false), "a.b");
    EXPECT_EQ(DesktopEntryText("lnk", false), "lnk");
    EXPECT_EQ(DesktopEntryText("x.lnkx", false), "x.lnkx");
    EXPECT_EQ(DesktopEntryText("x.ln", false), "x.ln");
    EXPECT_EQ(DesktopEntryText("noext", false), "noext");
}

TEST(MenuDesktopEntries, CodePageNamesKeepTheirBytes) {
    // "メール.lnk" and "表.LNK" in CP932; 0x5C and 0x6C-like trail bytes
    // must not disturb the extension test.
    EXPECT_EQ(DesktopEntryText("\x83\x81\x81\x5B\x83\x8B.lnk", false), "\x83\x81\x81\x5B\x83\x8B");
    EXPECT_EQ(DesktopEntryText("\x95\x5C.LNK", false), "\x95\x5C");
    // Full-width ".ＬＮＫ" is not the extension.
    const std::string fullWidth = "a.\x82\x6B\x82\x6D\x82\x6A";
    EXPECT_EQ(DesktopEntryText(fullWidth, false), fullWidth);
}

TEST(MenuDesktopEntries, PlainObjectsNeedEveryAttributeOfTheMask) {
    EXPECT_EQ(kPlainObjectAttributes, 375u);
    EXPECT_TRUE(IsPlainFileSystemObject(375));
    EXPECT_TRUE(IsPlainFileSystemObject(0xFFFFFFFFu));
    for (std::uint32_t bit = 1; bit <= 0x100; bit <<= 1) {
        if (kPlainObjectAttributes & bit)
            EXPECT_FALSE(IsPlainFileSystemObject(0xFFFFFFFFu & ~bit)) << bit;
    }
    EXPECT_FALSE(IsPlainFileSystemObject(0));
}

TEST(MenuDesktopEntries, EntriesMapShellItemsFirstThenPaths) {
    using K = DesktopEntryRef::Kind;
    auto ref = [](K kind, std::size_t index) {
        DesktopEntryRef r;
        r.kind = kind;
        r.index = index;
        return r;
    };
    EXPECT_EQ(ResolveDesktopEntry(0, 3, 4), ref(K::ShellItem, 0));
    EXPECT_EQ(ResolveDesktopEntry(2, 3, 4), ref(K::ShellItem, 2));
    EXPECT_EQ(ResolveDesktopEntry(3, 3, 4), ref(K::Path, 0));
    EXPECT_EQ(ResolveDesktopEntry(6, 3, 4), ref(K::Path, 3));
    EXPECT_EQ(ResolveDesktopEntry(7, 3, 4), ref(K::None, 0));
    EXPECT_EQ(ResolveDesktopEntry(0, 0, 1), ref(K::Path, 0));
    EXPECT_EQ(ResolveDesktopEntry(0, 0, 0), ref(K::None, 0));
}

TEST(MenuDesktopEntries, CapKeepsEveryIdBelowTheSettingsCommands) {
    EXPECT_EQ(kMaxDesktopEntries, 6112u);
    EXPECT_EQ(CMD_DESKTOP_BASE + kMaxDesktopEntries - 1, 39999u);
}

}  // namespace
}  // namespace tellaro
