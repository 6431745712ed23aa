// Maps a WM_COMMAND that reaches the controller to what it stands for.
// Portable: the caller passes the halves of wParam.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tellaro {

enum class CommandAction : std::uint8_t {
    Ignore,
    About,
    SettingsOk,
    SettingsCancel,
    OptionsOk,
    OptionsCancel,
    OptionsHelp,
    SettingsHelp,
    PropertiesHelp,
    HelpContents,
    OpenOptions,
    OpenSettingsFolder,
    Reload,
    RestoreSave,
    SaveToFile,
    OpenFromFile,
    FixedCommand,    // index: id - CMD_FOLDER_SETTINGS (0 folder settings .. 5 cancel)
    SpecialFolder1,  // index: entry of special-folder table 1
    SpecialFolder2,  // index: entry of special-folder table 2
    UserItem,        // index: position in the item list the menus were built from
    DesktopEntry,    // index: entry of the desktop submenu's last fill
};

struct CommandRoute {
    CommandAction action = CommandAction::Ignore;
    std::size_t index = 0;

    bool operator==(const CommandRoute& o) const { return action == o.action && index == o.index; }
};

// `notifyCode` is HIWORD(wParam): commands come from menus and buttons with
// code 0, anything else is a control notification and is ignored.
// `desktopEntryCount` is the number of entries of the desktop submenu's last
// fill; ids past it are ignored. Whether a user item index lies inside the
// current list is for the caller to check.
CommandRoute RouteCommand(std::uint16_t notifyCode, std::uint16_t id,
                          std::size_t desktopEntryCount);

}  // namespace tellaro
