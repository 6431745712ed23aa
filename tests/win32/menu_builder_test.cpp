// clang-format off
#include <windows.h>
// clang-format on

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/system_code_page.h"
#include "menu/popup_menus.h"
#include "tests/win32/menu_test_support.h"

namespace tellaro {
namespace {

using menu_test::Describe;
using menu_test::DescribeMenu;
using menu_test::ReadEntry;
using menu_test::ReadMenu;
using menu_test::Text;
using Lines = std::vector<std::string>;

FolderItem Item(FolderItemKind kind, std::uint8_t depth, const std::string& name = "") {
    FolderItem item;
    item.kind = static_cast<std::uint8_t>(kind);
    item.depth = depth;
    item.name = name;
    if (kind == FolderItemKind::Folder) item.path = "C:\\" + name;
    return item;
}

FolderSettings AllSpecialFolders() {
    FolderSettings s;
    for (std::uint8_t k = 0; k < kSpecialFolderCount1; ++k) s.specialFolderOrder1[k] = k;
    for (std::uint8_t k = 0; k < kSpecialFolderCount2; ++k) s.specialFolderOrder2[k] = k;
    return s;
}

std::string Cmd(int stringId, int id) {
    return Text(stringId) + ":" + std::to_string(id);
}
std::string Sub(int stringId) {
    return ">" + Text(stringId);
}

class MenuBuilder : public ::testing::Test {
protected:
    void SetUp() override {
        // The desktop submenu is not under test here; an empty folder keeps
        // its file part out of the way.
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        emptyDir_ = std::string(temp) + "tellaro_menu_builder_empty";
        CreateDirectoryA(emptyDir_.c_str(), nullptr);
        menus_.SetDesktopDirectories({WidenFromSystem(emptyDir_)});
    }
    void TearDown() override {
        menus_.DestroyMenus();
        RemoveDirectoryA(emptyDir_.c_str());
    }

    int Build(const FolderSettings& s, std::uint8_t action = 0, bool second = true) {
        OptionsRecord options;
        options.leftDoubleClickAction = action;
        return menus_.BuildMenus(s, options, second);
    }

    // Counts every DestroyMenu the builder makes, per handle.
    void WatchReleases() {
        menus_.SetReleaseObserver([this](HMENU menu, bool destroyed) {
            ++releases_[menu];
            failures_ += !destroyed;
        });
    }

    std::string emptyDir_;
    std::map<HMENU, int> releases_;
    int failures_ = 0;
    PopupMenus menus_;  // last: destroyed before what its observer writes to
};

TEST_F(MenuBuilder, EmptyListGivesTheThreeLayouts) {
    ASSERT_EQ(Build(AllSpecialFolders()), 0);
    const Lines commandHead{Cmd(6, 32784), Cmd(16, 32785), Cmd(7, 32786), Cmd(8, 32787),
                            "-",           Cmd(17, 32789), "-",           Cmd(9, 32788)};
    Lines both = commandHead;
    both.insert(both.end(), {"-", Sub(10), Sub(11), Sub(21)});
    EXPECT_EQ(DescribeMenu(menus_.FolderAndCommandMenu()), both);
    // No separator after the desktop entry when there are no user entries.
    EXPECT_EQ(DescribeMenu(menus_.FolderMenu()),
              (Lines{Cmd(17, 32789), "-", Sub(10), Sub(11), Sub(21)}));
    EXPECT_EQ(DescribeMenu(menus_.CommandMenu()), commandHead);
}

TEST_F(MenuBuilder, TextsAreTheStringTableBytesInCodePage932) {
    ASSERT_EQ(Build(AllSpecialFolders()), 0);
    const auto folder = ReadMenu(menus_.FolderMenu());
    ASSERT_EQ(folder.size(), 5u);
    EXPECT_EQ(folder[0].text, "\x83\x4c\x83\x83\x83\x93\x83\x5a\x83\x8b(&C)");  // キャンセル(&C)
    EXPECT_EQ(folder[2].text, "\x93\xc1\x8e\xea\x83\x74\x83\x48\x83\x8b\x83\x5f\x82\x50");
    EXPECT_EQ(folder[4].text, "\x83\x66\x83\x58\x83\x4e\x83\x67\x83\x62\x83\x76");  // デスクトップ
    const auto commands = ReadMenu(menus_.CommandMenu());
    EXPECT_EQ(commands[0].text,
              "\x83\x74\x83\x48\x83\x8b\x83\x5f\x90\xdd\x92\xe8(&O)...");  // フォルダ設定(&O)...
    // Every special-folder entry shows its own string.
    const auto special1 = ReadMenu(folder[2].submenu);
    ASSERT_EQ(special1.size(), 30u);
    for (int k = 0; k < 30; ++k) {
        EXPECT_EQ(special1[k].text, Text(21 + k)) << k;
        EXPECT_EQ(special1[k].id, 32800u + k) << k;
        EXPECT_FALSE(special1[k].text.empty()) << k;
    }
    const auto special2 = ReadMenu(folder[3].submenu);
    ASSERT_EQ(special2.size(), 15u);
    EXPECT_EQ(special2[14].text, Text(65));
    EXPECT_EQ(special2[14].id, 32846u);
}

TEST_F(MenuBuilder, WithoutSecondSpecialMenu) {
    ASSERT_EQ(Build(AllSpecialFolders(), 0, false), 0);
    EXPECT_EQ(DescribeMenu(menus_.FolderMenu()), (Lines{Cmd(17, 32789), "-", Sub(10), Sub(21)}));
    const Lines both = DescribeMenu(menus_.FolderAndCommandMenu());
    ASSERT_EQ(both.size(), 11u);
    EXPECT_EQ((Lines(both.end() - 3, both.end())), (Lines{"-", Sub(10), Sub(21)}));
    // Special folders 1, desktop and nothing else.
    EXPECT_EQ(menus_.Submenus().size(), 1u);
}

TEST_F(MenuBuilder, UserEntriesFollowASeparatorInBothFolderMenus) {
    FolderSettings s = AllSpecialFolders();
    s.items.Append(Item(FolderItemKind::Folder, 0, "\x83\x74\x83\x48\x83\x8b\x83\x5f"));
    s.items.Append(Item(FolderItemKind::Separator, 0));
    s.items.Append(Item(FolderItemKind::Folder, 0, ""));
    ASSERT_EQ(Build(s), 0);
    // A folder without a name shows its folder's ("C:\\" gives "C:").
    const Lines tail{"-", "\x83\x74\x83\x48\x83\x8b\x83\x5f:32864", "-", "C::32866"};
    for (HMENU menu : {menus_.FolderMenu(), menus_.FolderAndCommandMenu()}) {
        const Lines lines = DescribeMenu(menu);
        ASSERT_GE(lines.size(), tail.size());
        EXPECT_EQ(Lines(lines.end() - 4, lines.end()), tail);
        EXPECT_EQ(lines[lines.size() - 5], Sub(21));
    }
    EXPECT_EQ(GetMenuItemCount(menus_.CommandMenu()), 8);
}

TEST_F(MenuBuilder, DoubleClickActionMakesItsCommandBold) {
    struct Case {
        std::uint8_t action;
        bool settingsBold;
        bool exitBold;
    };
    for (const Case c : {Case{0, false, false}, Case{1, true, false}, Case{2, false, false},
                         Case{3, false, true}}) {
        ASSERT_EQ(Build(AllSpecialFolders(), c.action), 0);
        for (HMENU menu : {menus_.FolderAndCommandMenu(), menus_.CommandMenu()}) {
            int bold = 0;
            for (const ReadEntry& e : ReadMenu(menu)) {
                if (e.id == CMD_FOLDER_SETTINGS) {
                    EXPECT_EQ(e.IsDefault(), c.settingsBold);
                }
                if (e.id == CMD_EXIT) {
                    EXPECT_EQ(e.IsDefault(), c.exitBold);
                }
                bold += e.IsDefault();
            }
            EXPECT_EQ(bold, int(c.settingsBold) + int(c.exitBold)) << int(c.action);
        }
        EXPECT_EQ(GetMenuDefaultItem(menus_.FolderMenu(), FALSE, 0), UINT(-1));
    }
}

TEST_F(MenuBuilder, SpecialFoldersFollowTheirPositionBytes) {
    FolderSettings s;
    std::fill(std::begin(s.specialFolderOrder1), std::end(s.specialFolderOrder1), kNotShown);
    std::fill(std::begin(s.specialFolderOrder2), std::end(s.specialFolderOrder2), kNotShown);
    s.specialFolderOrder1[0] = 3;
    s.specialFolderOrder1[2] = 0;
    s.specialFolderOrder1[3] = 1;
    s.specialFolderOrder2[4] = 0;
    s.specialFolderOrder2[1] = 0;  // same position: the lower index wins
    ASSERT_EQ(Build(s), 0);
    const auto folder = ReadMenu(menus_.FolderMenu());
    EXPECT_EQ(DescribeMenu(folder[2].submenu),
              (Lines{Cmd(23, 32802), Cmd(24, 32803), Cmd(21, 32800)}));
    EXPECT_EQ(DescribeMenu(folder[3].submenu), (Lines{Cmd(52, 32833)}));
}

TEST_F(MenuBuilder, HiddenSpecialFoldersShowGrayedNone) {
    FolderSettings s;
    std::fill(std::begin(s.specialFolderOrder1), std::end(s.specialFolderOrder1), kNotShown);
    std::fill(std::begin(s.specialFolderOrder2), std::end(s.specialFolderOrder2), kNotShown);
    ASSERT_EQ(Build(s), 0);
    const auto folder = ReadMenu(menus_.FolderMenu());
    const auto none1 = ReadMenu(folder[2].submenu);
    ASSERT_EQ(none1.size(), 1u);
    EXPECT_EQ(none1[0].text, "\x82\xc8\x82\xb5");  // なし
    EXPECT_TRUE(none1[0].IsGrayed());
    EXPECT_EQ(none1[0].id, 32800u);
    EXPECT_EQ(DescribeMenu(folder[3].submenu), (Lines{"~\x82\xc8\x82\xb5:32832"}));
}

TEST_F(MenuBuilder, GroupsAreSharedNestedSubmenus) {
    FolderSettings s = AllSpecialFolders();
    s.items.Append(Item(FolderItemKind::Group, 0, "L1"));
    s.items.Append(Item(FolderItemKind::Group, 1, "L2"));
    s.items.Append(Item(FolderItemKind::Group, 2, "L3"));
    s.items.Append(Item(FolderItemKind::Folder, 3, "deep"));
    s.items.Append(Item(FolderItemKind::Group, 1, "Empty"));
    s.items.Append(Item(FolderItemKind::Placeholder, 2));
    s.items.Append(Item(FolderItemKind::Folder, 0, "top"));
    ASSERT_EQ(Build(s), 0);

    const auto folder = ReadMenu(menus_.FolderMenu());
    const auto both = ReadMenu(menus_.FolderAndCommandMenu());
    ASSERT_EQ(folder.size(), 8u);
    ASSERT_EQ(both.size(), 15u);
    // Special folders 1 and 2, desktop and L1 are the very same menus.
    for (std::size_t i = 2; i <= 4; ++i) EXPECT_EQ(folder[i].submenu, both[i + 7].submenu) << i;
    EXPECT_EQ(folder[4].submenu, menus_.DesktopSubmenu());
    EXPECT_EQ(Describe(folder[6]), ">L1");
    EXPECT_EQ(folder[6].submenu, both[13].submenu);
    EXPECT_EQ(Describe(folder[7]), "top:32870");

    const auto l1 = ReadMenu(folder[6].submenu);
    ASSERT_EQ(l1.size(), 2u);
    EXPECT_EQ(Describe(l1[0]), ">L2");
    EXPECT_EQ(Describe(l1[1]), ">Empty");
    const auto l2 = ReadMenu(l1[0].submenu);
    ASSERT_EQ(l2.size(), 1u);
    EXPECT_EQ(Describe(l2[0]), ">L3");
    EXPECT_EQ(DescribeMenu(l2[0].submenu), (Lines{"deep:32867"}));
    EXPECT_EQ(DescribeMenu(l1[1].submenu), (Lines{"~\x82\xc8\x82\xb5:32869"}));
    // Special folders 1 and 2 and the four groups; the desktop is kept apart.
    EXPECT_EQ(menus_.Submenus().size(), 6u);
}

// The window system refuses a submenu nested deeper than it can show, and
// the menu would lose the whole branch: every folder of 35 nested groups is
// in the menu, those below the 30th group in its submenu.
TEST_F(MenuBuilder, GroupsNestedTooDeeplyLoseNoFolder) {
    FolderSettings s = AllSpecialFolders();
    for (int i = 0; i < 35; ++i) {
        s.items.Append(Item(FolderItemKind::Group, static_cast<std::uint8_t>(i), "G"));
        s.items.Append(Item(FolderItemKind::Folder, static_cast<std::uint8_t>(i + 1),
                            "f" + std::to_string(i)));
    }
    ASSERT_EQ(Build(s), 0);
    HMENU menu = ReadMenu(menus_.FolderMenu()).back().submenu;
    for (int level = 1; level < 30; ++level) {
        ASSERT_NE(menu, nullptr) << level;
        menu = ReadMenu(menu).back().submenu;
    }
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(DescribeMenu(menu), (Lines{"f29:32923", "f30:32925", "f31:32927", "f32:32929",
                                         "f33:32931", "f34:32933"}));
}

TEST_F(MenuBuilder, ThousandthItemGetsId33863) {
    FolderSettings s = AllSpecialFolders();
    for (int i = 0; i < 1000; ++i)
        s.items.Append(Item(FolderItemKind::Folder, 0, "f" + std::to_string(i)));
    ASSERT_EQ(Build(s), 0);
    const auto folder = ReadMenu(menus_.FolderMenu());
    ASSERT_EQ(folder.size(), 6u + 1000u);
    EXPECT_EQ(Describe(folder.back()), "f999:33863");
    EXPECT_EQ(Describe(folder[6]), "f0:32864");
    EXPECT_EQ(GetMenuItemCount(menus_.FolderAndCommandMenu()), 13 + 1000);
}

TEST_F(MenuBuilder, PopupKindSelectsTheTopMenu) {
    ASSERT_EQ(Build(AllSpecialFolders()), 0);
    EXPECT_EQ(menus_.MenuForPopupKind(0), menus_.FolderMenu());
    EXPECT_EQ(menus_.MenuForPopupKind(1), menus_.FolderAndCommandMenu());
    EXPECT_EQ(menus_.MenuForPopupKind(2), menus_.CommandMenu());
    EXPECT_EQ(menus_.MenuForPopupKind(7), menus_.CommandMenu());
}

// Every handle that a build produced, each once.
std::set<HMENU> AllMenus(const PopupMenus& menus) {
    std::vector<HMENU> found;
    for (HMENU top : {menus.FolderAndCommandMenu(), menus.FolderMenu(), menus.CommandMenu()})
        menu_test::CollectMenus(top, found);
    found.insert(found.end(), menus.Submenus().begin(), menus.Submenus().end());
    found.push_back(menus.DesktopSubmenu());
    return std::set<HMENU>(found.begin(), found.end());
}

FolderSettings NestedSettings() {
    FolderSettings s = AllSpecialFolders();
    s.items.Append(Item(FolderItemKind::Group, 0, "A"));
    s.items.Append(Item(FolderItemKind::Group, 1, "B"));
    s.items.Append(Item(FolderItemKind::Group, 2, "C"));
    s.items.Append(Item(FolderItemKind::Placeholder, 3));
    s.items.Append(Item(FolderItemKind::Group, 0, "D"));
    s.items.Append(Item(FolderItemKind::Folder, 1, "x"));
    return s;
}

TEST_F(MenuBuilder, DestroyReleasesEveryMenuExactlyOnce) {
    WatchReleases();
    ASSERT_EQ(Build(NestedSettings()), 0);
    const std::set<HMENU> built = AllMenus(menus_);
    // Three top menus, two special-folder menus, the desktop, four groups.
    ASSERT_EQ(built.size(), 10u);
    for (HMENU menu : built) ASSERT_TRUE(IsMenu(menu));

    EXPECT_EQ(menus_.DestroyMenus(), 0);
    EXPECT_EQ(failures_, 0);
    EXPECT_EQ(releases_.size(), built.size());
    for (HMENU menu : built) {
        EXPECT_EQ(releases_[menu], 1) << menu;
        EXPECT_FALSE(IsMenu(menu)) << menu;
    }
    EXPECT_EQ(menus_.FolderMenu(), nullptr);
    EXPECT_EQ(menus_.DesktopSubmenu(), nullptr);
    EXPECT_TRUE(menus_.Submenus().empty());

    menus_.DestroyMenus();  // nothing left to release
    EXPECT_EQ(releases_.size(), built.size());
}

TEST_F(MenuBuilder, RebuildReleasesThePreviousBuild) {
    WatchReleases();
    ASSERT_EQ(Build(NestedSettings()), 0);
    const std::set<HMENU> first = AllMenus(menus_);
    ASSERT_EQ(Build(NestedSettings(), 3, false), 0);
    EXPECT_EQ(failures_, 0);
    EXPECT_EQ(releases_.size(), first.size());
    for (HMENU menu : first) EXPECT_EQ(releases_[menu], 1) << menu;
    for (HMENU menu : AllMenus(menus_)) EXPECT_TRUE(IsMenu(menu));
    EXPECT_EQ(AllMenus(menus_).size(), 9u);  // no second special-folder menu now
}

}  // namespace
}  // namespace tellaro
