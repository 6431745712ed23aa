#include "menu/command_routing.h"

#include "config/special_folder_table.h"
#include "menu/menu_layout.h"

namespace tellaro {

namespace {

bool ExactCommand(std::uint16_t id, CommandAction& action) {
    switch (id) {
        case command_id::kAboutOk:
            action = CommandAction::About;
            return true;
        case command_id::kSettingsOk:
            action = CommandAction::SettingsOk;
            return true;
        case command_id::kSettingsCancel:
            action = CommandAction::SettingsCancel;
            return true;
        case command_id::kOptionsOk:
            action = CommandAction::OptionsOk;
            return true;
        case command_id::kOptionsCancel:
            action = CommandAction::OptionsCancel;
            return true;
        case command_id::kOptionsHelp:
            action = CommandAction::OptionsHelp;
            return true;
        case command_id::kSettingsHelp:
            action = CommandAction::SettingsHelp;
            return true;
        case command_id::kHelpContents:
            action = CommandAction::HelpContents;
            return true;
        case command_id::kOpenOptions:
            action = CommandAction::OpenOptions;
            return true;
        case command_id::kReload:
            action = CommandAction::Reload;
            return true;
        default:
            return false;
    }
}

bool InRange(std::uint16_t id, std::uint16_t base, std::size_t count) {
    return id >= base && static_cast<std::size_t>(id - base) < count;
}

}  // namespace

CommandRoute RouteCommand(std::uint16_t notifyCode, std::uint16_t id,
                          std::size_t desktopEntryCount) {
    CommandRoute route;
    if (notifyCode != 0) return route;
    if (ExactCommand(id, route.action)) return route;

    struct Range {
        std::uint16_t base;
        std::size_t count;
        CommandAction action;
    };
    // The desktop range stops short of the settings window's commands
    // (40000 and up), so no number of desktop entries can shadow them.
    const Range ranges[] = {
        {CMD_FOLDER_SETTINGS, CMD_CANCEL - CMD_FOLDER_SETTINGS + 1, CommandAction::FixedCommand},
        {CMD_SPECIAL1_BASE, SpecialFolderTable::EntryCount1, CommandAction::SpecialFolder1},
        {CMD_SPECIAL2_BASE, SpecialFolderTable::EntryCount2, CommandAction::SpecialFolder2},
        {CMD_USER_ITEM_BASE, kUserItemIdCount, CommandAction::UserItem},
        {CMD_DESKTOP_BASE, kDesktopIdLimit - CMD_DESKTOP_BASE, CommandAction::DesktopEntry},
    };
    for (const Range& r : ranges) {
        if (!InRange(id, r.base, r.count)) continue;
        const std::size_t index = id - r.base;
        if (r.action == CommandAction::DesktopEntry && index >= desktopEntryCount) break;
        route.action = r.action;
        route.index = index;
        break;
    }
    return route;
}

}  // namespace tellaro
