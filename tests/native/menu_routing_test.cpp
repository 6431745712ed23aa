#include <gtest/gtest.h>

#include "menu/command_routing.h"
#include "menu/menu_layout.h"

namespace tellaro {
namespace {

CommandRoute Route(std::uint16_t id, std::size_t desktopCount = 0) {
    return RouteCommand(0, id, desktopCount);
}

CommandRoute Expect(CommandAction action, std::size_t index = 0) {
    CommandRoute r;
    r.action = action;
    r.index = index;
    return r;
}

const CommandRoute kIgnored{};

TEST(MenuRouting, ExactIdsComeFirst) {
    struct Case {
        std::uint16_t id;
        CommandAction action;
    };
    const Case cases[] = {
        {0, CommandAction::About},
        {1001, CommandAction::SettingsOk},
        {1002, CommandAction::SettingsCancel},
        {1216, CommandAction::OptionsOk},
        {1217, CommandAction::OptionsCancel},
        {1218, CommandAction::OptionsHelp},
        {1219, CommandAction::SettingsHelp},
        {1255, CommandAction::PropertiesHelp},
        {40002, CommandAction::HelpContents},
        {40003, CommandAction::OpenOptions},
        {40028, CommandAction::Reload},
    };
    for (const Case& c : cases) EXPECT_EQ(Route(c.id, 10000), Expect(c.action)) << c.id;
}

TEST(MenuRouting, FixedAndSpecialFolderRangesWithTheirGaps) {
    EXPECT_EQ(Route(32784), Expect(CommandAction::FixedCommand, 0));
    EXPECT_EQ(Route(32789), Expect(CommandAction::FixedCommand, 5));
    EXPECT_EQ(Route(32800), Expect(CommandAction::SpecialFolder1, 0));
    EXPECT_EQ(Route(32829), Expect(CommandAction::SpecialFolder1, 29));
    EXPECT_EQ(Route(32832), Expect(CommandAction::SpecialFolder2, 0));
    EXPECT_EQ(Route(32846), Expect(CommandAction::SpecialFolder2, 14));
    for (std::uint16_t id : {32783, 32790, 32799, 32830, 32831, 32847, 32863})
        EXPECT_EQ(Route(id, 10000), kIgnored) << id;
}

TEST(MenuRouting, UserItemRange) {
    EXPECT_EQ(Route(32864), Expect(CommandAction::UserItem, 0));
    EXPECT_EQ(Route(33863), Expect(CommandAction::UserItem, 999));
    EXPECT_EQ(Route(33887), Expect(CommandAction::UserItem, 1023));
}

TEST(MenuRouting, DesktopRangeStopsAtFillAndBeforeFortyThousand) {
    EXPECT_EQ(Route(33888, 1), Expect(CommandAction::DesktopEntry, 0));
    EXPECT_EQ(Route(33888, 0), kIgnored);
    EXPECT_EQ(Route(33890, 2), kIgnored);
    EXPECT_EQ(Route(39999, 10000), Expect(CommandAction::DesktopEntry, 6111));
    // However crowded the desktop, the settings window's ids stay its own.
    for (std::uint16_t id : {40000, 40001, 40004, 40041, 65535})
        EXPECT_EQ(Route(id, 40000), kIgnored) << id;
    EXPECT_EQ(Route(40002, 10000), Expect(CommandAction::HelpContents));
}

TEST(MenuRouting, NotificationsAndUnlistedLowIdsAreIgnored) {
    EXPECT_EQ(RouteCommand(1, 1001, 0), kIgnored);
    EXPECT_EQ(RouteCommand(1, CMD_EXIT, 0), kIgnored);
    EXPECT_EQ(RouteCommand(0x0300, CMD_USER_ITEM_BASE, 0), kIgnored);
    for (std::uint16_t id : {1, 2, 1000, 1003, 1215, 1220, 32000})
        EXPECT_EQ(Route(id, 10000), kIgnored) << id;
}

}  // namespace
}  // namespace tellaro
