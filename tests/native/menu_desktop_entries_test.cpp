#include <gtest/gtest.h>

#include "menu/desktop_entries.h"

namespace tellaro {
namespace {

TEST(MenuDesktopEntries, TextRules) {
    struct Case {
        const wchar_t* name;
        bool directory;
        const wchar_t* text;
    };
    const Case cases[] = {
        {L"a.txt", false, L"a.txt"},         {L"Docs", true, L"Docs <DIR>"},
        {L"Mail.lnk", false, L"Mail"},       {L"x.Lnk", false, L"x"},
        {L"X.LNK", false, L"X"},             {L"x.lnk.txt", false, L"x.lnk.txt"},
        {L"y.lnk", true, L"y.lnk <DIR>"},    {L".lnk", false, L""},
        {L"a.b.lnk", false, L"a.b"},         {L"lnk", false, L"lnk"},
        {L"x.lnkx", false, L"x.lnkx"},       {L"x.ln", false, L"x.ln"},
        {L"noext", false, L"noext"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DesktopEntryText(c.name, c.directory), c.text) << c.name;
}

TEST(MenuDesktopEntries, NamesOutsideTheCodePageKeepEveryCharacter) {
    EXPECT_EQ(DesktopEntryText(L"r\u00E9sum\u00E9", true), L"r\u00E9sum\u00E9 <DIR>");
    EXPECT_EQ(DesktopEntryText(L"\uBA54\uBAA8.txt", false), L"\uBA54\uBAA8.txt");
    EXPECT_EQ(DesktopEntryText(L"\u30E1\u30FC\u30EB.lnk", false), L"\u30E1\u30FC\u30EB");
    // Full-width ".ＬＮＫ" is not the extension.
    EXPECT_EQ(DesktopEntryText(L"a.\uFF2C\uFF2E\uFF2B", false), L"a.\uFF2C\uFF2E\uFF2B");
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
