#include "menu/command_routing.h"

#include "config/special_folder_table.h"
#include "menu/menu_layout.h"

namespace tellaro {

namespace {

bool ExactCommand(std::uint16_t id, CommandAction& action) {
    switch (id) {
        case ID_VERSION_INFO:
            action = CommandAction::About;
            return true;
        case IDC_SETTINGS_OK:
            action = CommandAction::SettingsOk;
            return true;
        case IDC_SETTINGS_CANCEL:
            action = CommandAction::SettingsCancel;
            return true;
        case IDC_OPTIONS_OK:
            action = CommandAction::OptionsOk;
            return true;
        case IDC_OPTIONS_CANCEL:
            action = CommandAction::OptionsCancel;
            return true;
        case IDC_OPTIONS_HELP:
            action = CommandAction::OptionsHelp;
            return true;
        case IDC_SETTINGS_HELP:
            action = CommandAction::SettingsHelp;
            return true;
        case IDC_PROPERTIES_HELP:
            action = CommandAction::PropertiesHelp;
            return true;
        case ID_HELP_CONTENTS:
            action = CommandAction::HelpContents;
            return true;
        case ID_OPTIONS:
            action = CommandAction::OpenOptions;
            return true;
        case IDC_ABOUT_OPEN_FOLDER:
            action = CommandAction::OpenSettingsFolder;
            return true;
        case ID_RELOAD_SETTINGS:
            action = CommandAction::Reload;
            return true;
        case ID_RESTORE_SAVE:
            action = CommandAction::RestoreSave;
            return true;
        case ID_SAVE_TO_FILE:
            action = CommandAction::SaveToFile;
            return true;
        case ID_OPEN_FROM_FILE:
            action = CommandAction::OpenFromFile;
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
        {CMD_DESKTOP_BASE, CMD_DESKTOP_LIMIT - CMD_DESKTOP_BASE, CommandAction::DesktopEntry},
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
