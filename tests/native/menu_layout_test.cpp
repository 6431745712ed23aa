#include "menu/menu_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "config/folder_model.h"

namespace tellaro {
namespace {

// One line per entry: "-" separator, ">id" submenu by string id, "~id:cmd"
// disabled, "id:cmd" string, "*" appended for a default entry.
std::string Describe(const MenuEntry& e) {
    switch (e.kind) {
        case MenuEntryKind::Separator:
            return "-";
        case MenuEntryKind::Submenu:
            return ">" + std::to_string(e.stringId);
        case MenuEntryKind::Disabled:
            return "~" + std::to_string(e.stringId) + ":" + std::to_string(e.commandId);
        case MenuEntryKind::String:
            break;
    }
    return std::to_string(e.stringId) + ":" + std::to_string(e.commandId) +
           (e.isDefault ? "*" : "");
}

std::vector<std::string> Describe(const std::vector<MenuEntry>& entries) {
    std::vector<std::string> out;
    for (const MenuEntry& e : entries) out.push_back(Describe(e));
    return out;
}

std::vector<std::string> Layout(TopMenu menu, bool second, std::uint8_t action, bool items) {
    TopMenuOptions o;
    o.hasSecondSpecialMenu = second;
    o.leftDoubleClickAction = action;
    o.hasUserItems = items;
    return Describe(TopMenuLayout(menu, o));
}

using Lines = std::vector<std::string>;

TEST(MenuLayoutTop, FoldersAndCommandsMenuOrder) {
    EXPECT_EQ(Layout(TopMenu::FoldersAndCommands, true, 0, true),
              (Lines{"6:32784", "16:32785", "7:32786", "8:32787", "-", "17:32789", "-", "9:32788",
                     "-", ">10", ">11", ">21", "-"}));
    EXPECT_EQ(Layout(TopMenu::FoldersAndCommands, false, 0, false),
              (Lines{"6:32784", "16:32785", "7:32786", "8:32787", "-", "17:32789", "-", "9:32788",
                     "-", ">10", ">21"}));
}

TEST(MenuLayoutTop, FolderMenuWithAndWithoutItemsAndSecondSubmenu) {
    EXPECT_EQ(Layout(TopMenu::Folders, true, 0, true),
              (Lines{"17:32789", "-", ">10", ">11", ">21", "-"}));
    // An empty list leaves no trailing separator.
    EXPECT_EQ(Layout(TopMenu::Folders, false, 0, false), (Lines{"17:32789", "-", ">10", ">21"}));
}

TEST(MenuLayoutTop, CommandMenuIgnoresFolderOptions) {
    const Lines expected{"6:32784", "16:32785", "7:32786", "8:32787",
                         "-",       "17:32789", "-",       "9:32788"};
    EXPECT_EQ(Layout(TopMenu::Commands, false, 0, false), expected);
    EXPECT_EQ(Layout(TopMenu::Commands, true, 0, true), expected);
}

TEST(MenuLayoutTop, DoubleClickActionMakesItsCommandBold) {
    struct Case {
        std::uint8_t action;
        bool settingsBold;
        bool exitBold;
    };
    for (const Case c : {Case{0, false, false}, Case{1, true, false}, Case{2, false, false},
                         Case{3, false, true}}) {
        for (TopMenu menu : {TopMenu::FoldersAndCommands, TopMenu::Commands}) {
            TopMenuOptions o;
            o.leftDoubleClickAction = c.action;
            int bold = 0;
            for (const MenuEntry& e : TopMenuLayout(menu, o)) {
                if (e.commandId == CMD_FOLDER_SETTINGS)
                    EXPECT_EQ(e.isDefault, c.settingsBold) << int(c.action);
                else if (e.commandId == CMD_EXIT)
                    EXPECT_EQ(e.isDefault, c.exitBold) << int(c.action);
                bold += e.isDefault;
            }
            EXPECT_EQ(bold, c.settingsBold + c.exitBold) << int(c.action);
        }
        TopMenuOptions o;
        o.leftDoubleClickAction = c.action;
        for (const MenuEntry& e : TopMenuLayout(TopMenu::Folders, o)) EXPECT_FALSE(e.isDefault);
    }
}

// The builder lays the frame, inserts the commands at their final indices in
// ascending order and then appends the user section; that only reproduces
// the layout if every section is placed where those steps expect it.
TEST(MenuLayoutTop, SectionsMatchTheBuildSteps) {
    TopMenuOptions o;
    o.hasSecondSpecialMenu = true;
    o.hasUserItems = true;
    for (TopMenu menu : {TopMenu::Folders, TopMenu::FoldersAndCommands, TopMenu::Commands}) {
        const auto layout = TopMenuLayout(menu, o);
        for (std::size_t i = 0; i < layout.size(); ++i) {
            const MenuEntry& e = layout[i];
            if (e.section == MenuSection::UserItems) {
                EXPECT_EQ(i, layout.size() - 1);
                EXPECT_EQ(e.kind, MenuEntryKind::Separator);
            }
            if (e.section == MenuSection::Commands) EXPECT_NE(menu, TopMenu::Folders);
            if (e.kind == MenuEntryKind::Submenu) EXPECT_EQ(e.section, MenuSection::Frame);
        }
    }
}

TEST(MenuLayoutTop, PopupKindChoosesMenu) {
    EXPECT_EQ(TopMenuForPopupKind(0), TopMenu::Folders);
    EXPECT_EQ(TopMenuForPopupKind(1), TopMenu::FoldersAndCommands);
    EXPECT_EQ(TopMenuForPopupKind(2), TopMenu::Commands);
    EXPECT_EQ(TopMenuForPopupKind(7), TopMenu::Commands);
    EXPECT_EQ(TopMenuForPopupKind(255), TopMenu::Commands);
}

TEST(MenuLayoutSpecial, ListsByPositionWithLowestIndexWinning) {
    std::uint8_t order[30];
    std::fill(std::begin(order), std::end(order), kNotShown);
    order[0] = 3;
    order[2] = 0;
    order[3] = 1;
    EXPECT_EQ(Describe(SpecialFolderLayout(order, 30, 21, CMD_SPECIAL1_BASE)),
              (Lines{"23:32802", "24:32803", "21:32800"}));

    std::fill(std::begin(order), std::end(order), kNotShown);
    order[3] = 0;
    order[7] = 0;
    order[9] = 30;  // past the last position: never shown
    EXPECT_EQ(Describe(SpecialFolderLayout(order, 30, 21, CMD_SPECIAL1_BASE)), (Lines{"24:32803"}));
}

TEST(MenuLayoutSpecial, NothingShownGivesDisabledNoneWithBaseId) {
    std::uint8_t order1[30];
    std::uint8_t order2[15];
    std::fill(std::begin(order1), std::end(order1), kNotShown);
    std::fill(std::begin(order2), std::end(order2), kNotShown);
    EXPECT_EQ(Describe(SpecialFolderLayout(order1, 30, 21, CMD_SPECIAL1_BASE)),
              (Lines{"~75:32800"}));
    EXPECT_EQ(Describe(SpecialFolderLayout(order2, 15, 51, CMD_SPECIAL2_BASE)),
              (Lines{"~75:32832"}));
}

TEST(MenuLayoutSpecial, SecondTableUsesItsOwnStringsAndIds) {
    std::uint8_t order[15];
    for (std::uint8_t k = 0; k < 15; ++k) order[k] = k;
    const auto layout = SpecialFolderLayout(order, 15, 51, CMD_SPECIAL2_BASE);
    ASSERT_EQ(layout.size(), 15u);
    EXPECT_EQ(Describe(layout.front()), "51:32832");
    EXPECT_EQ(Describe(layout.back()), "65:32846");
}

FolderItem Item(FolderItemKind kind, std::uint8_t depth, const std::string& name = "") {
    FolderItem item;
    item.kind = static_cast<std::uint8_t>(kind);
    item.depth = depth;
    item.name = name;
    if (kind == FolderItemKind::Folder) item.path = "C:\\" + name;
    return item;
}

// "name:cmd", "-", "~75:cmd", "[name ...]" for a group with its children.
std::string Describe(const std::vector<UserMenuEntry>& level) {
    std::string out;
    for (const UserMenuEntry& e : level) {
        if (!out.empty()) out += ' ';
        switch (e.kind) {
            case MenuEntryKind::String:
                out += e.text + ":" + std::to_string(e.commandId);
                break;
            case MenuEntryKind::Separator:
                out += "-";
                break;
            case MenuEntryKind::Disabled:
                out += "~" + std::to_string(e.stringId) + ":" + std::to_string(e.commandId);
                break;
            case MenuEntryKind::Submenu:
                out += "[" + e.text + (e.children.empty() ? "" : " ") + Describe(e.children) + "]";
                break;
        }
    }
    return out;
}

TEST(MenuLayoutUser, FoldersGroupsAndSeparatorsWithPositionIds) {
    FolderItemList list;
    list.Append(Item(FolderItemKind::Group, 0, "A"));
    list.Append(Item(FolderItemKind::Folder, 1, "X"));
    list.Append(Item(FolderItemKind::Group, 1, "B"));
    list.Append(Item(FolderItemKind::Placeholder, 2));
    list.Append(Item(FolderItemKind::Separator, 1));
    list.Append(Item(FolderItemKind::Folder, 1, "Y"));
    list.Append(Item(FolderItemKind::Separator, 1));  // ends a group's level: not shown
    list.Append(Item(FolderItemKind::Folder, 0, "Z"));
    // A level of separators alone shows "(none)", with its group's id.
    list.Append(Item(FolderItemKind::Group, 0, "E"));
    list.Append(Item(FolderItemKind::Separator, 1));
    EXPECT_EQ(Describe(UserMenuLayout(list)),
              "[A X:32865 [B ~75:32867] - Y:32869] Z:32871 [E ~75:32872]");
}

TEST(MenuLayoutUser, EmptyAndPlaceholderOnlyListsShowNothing) {
    EXPECT_TRUE(UserMenuLayout(FolderItemList()).empty());
    FolderItemList list;
    list.Append(Item(FolderItemKind::Placeholder, 0));
    EXPECT_TRUE(UserMenuLayout(list).empty());
    FolderItem odd = Item(FolderItemKind::Folder, 0, "odd");
    odd.kind = 7;  // unknown kinds read from a file count as placeholders
    list.Append(odd);
    EXPECT_TRUE(UserMenuLayout(list).empty());
}

TEST(MenuLayoutUser, UnknownKindInsideGroupIsDisabledNone) {
    FolderItemList list;
    list.Append(Item(FolderItemKind::Group, 0, "G"));
    FolderItem odd = Item(FolderItemKind::Folder, 1, "odd");
    odd.kind = 9;
    list.Append(odd);
    EXPECT_EQ(Describe(UserMenuLayout(list)), "[G ~75:32865]");
}

TEST(MenuLayoutUser, ThreeNestedGroups) {
    FolderItemList list;
    list.Append(Item(FolderItemKind::Group, 0, "L1"));
    list.Append(Item(FolderItemKind::Group, 1, "L2"));
    list.Append(Item(FolderItemKind::Group, 2, "L3"));
    list.Append(Item(FolderItemKind::Folder, 3, "deep"));
    list.Append(Item(FolderItemKind::Folder, 1, "after"));
    list.Append(Item(FolderItemKind::Folder, 0, "top"));
    EXPECT_EQ(Describe(UserMenuLayout(list)), "[L1 [L2 [L3 deep:32867]] after:32868] top:32869");
}

TEST(MenuLayoutUser, FlatImportedListMayEndWithSeparator) {
    FolderItemList list;
    list.Append(Item(FolderItemKind::Folder, 0, "a"));
    list.Append(Item(FolderItemKind::Separator, 0));
    EXPECT_EQ(Describe(UserMenuLayout(list)), "a:32864 -");
}

TEST(MenuLayoutUser, NamelessFolderShowsItsFolderAndLongNamesAreCut) {
    FolderItemList list;
    list.Append(Item(FolderItemKind::Folder, 0, ""));
    list.At(0).path = "C:\\Data\\Work\\";
    list.Append(Item(FolderItemKind::Group, 0, std::string(kMaxShownNameBytes + 1, 'g')));
    list.Append(Item(FolderItemKind::Folder, 1, "x"));
    const auto layout = UserMenuLayout(list);
    ASSERT_EQ(layout.size(), 2u);
    EXPECT_EQ(layout[0].text, "Work");
    EXPECT_EQ(layout[1].text, std::string(kMaxShownNameBytes - 3, 'g') + "...");
}

TEST(MenuLayoutUser, ThousandthItemGetsLastUserId) {
    FolderItemList list;
    for (int i = 0; i < 1000; ++i) list.Append(Item(FolderItemKind::Folder, 0, std::to_string(i)));
    const auto layout = UserMenuLayout(list);
    ASSERT_EQ(layout.size(), 1000u);
    EXPECT_EQ(layout.back().commandId, 33863);
    EXPECT_EQ(layout.back().text, "999");
}

// Only a malformed list can be this long; its tail must not take ids of the
// desktop range.
TEST(MenuLayoutUser, RecordsPastTheUserRangeAreNotOffered) {
    FolderItemList list;
    for (int i = 0; i < 1030; ++i) list.Append(Item(FolderItemKind::Folder, 0, std::to_string(i)));
    const auto layout = UserMenuLayout(list);
    ASSERT_EQ(layout.size(), kUserItemIdCount);
    EXPECT_EQ(layout.back().commandId, CMD_DESKTOP_BASE - 1);

    FolderItemList grouped;
    for (int i = 0; i < 1023; ++i)
        grouped.Append(Item(FolderItemKind::Folder, 0, std::to_string(i)));
    grouped.Append(Item(FolderItemKind::Group, 0, "G"));  // position 1023: still in range
    grouped.Append(Item(FolderItemKind::Folder, 1, "late"));
    grouped.Append(Item(FolderItemKind::Group, 0, "H"));  // position 1025: out of range
    grouped.Append(Item(FolderItemKind::Folder, 1, "later"));
    const auto g = UserMenuLayout(grouped);
    ASSERT_EQ(g.size(), 1024u);
    EXPECT_EQ(g.back().text, "G");
    EXPECT_TRUE(g.back().children.empty());
}

}  // namespace
}  // namespace tellaro
