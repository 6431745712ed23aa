// The behaviour settings edited by the options dialog and stored in the item
// file. Portable: no Windows headers.
#pragma once

#include <cstdint>

namespace tellaro {

// Index of the entry chosen in the options dialog's popup combo boxes.
enum PopupKind : std::uint8_t {
    kPopupFolders = 0,
    kPopupFoldersAndCommands = 1,
    kPopupCommands = 2,  // and every value above
};

// Index of the entry chosen in the options dialog's double-click combo boxes.
enum DoubleClickAction : std::uint8_t {
    kDoubleClickNothing = 0,
    kDoubleClickSettings = 1,
    kDoubleClickExplorer = 2,
    kDoubleClickExit = 3,
};

struct OptionsRecord {
    std::uint8_t leftClickMenu = kPopupFolders;
    std::uint8_t rightClickMenu = kPopupFoldersAndCommands;
    std::uint8_t leftDoubleClickAction = kDoubleClickSettings;
    std::uint8_t rightDoubleClickAction = kDoubleClickNothing;
    std::uint16_t hotkey = 0;  // low byte virtual key, high byte HOTKEYF_ flags
    std::uint8_t hotkeyNearTray = 1;
    std::uint8_t hotkeyMenu = kPopupFoldersAndCommands;
    std::uint8_t secondLaunchPopup = 0;
    std::uint8_t secondLaunchNearTray = 1;
    std::uint8_t secondLaunchMenu = kPopupFoldersAndCommands;
    std::uint16_t secondLaunchWaitMs = 200;

    bool operator==(const OptionsRecord& o) const {
        return leftClickMenu == o.leftClickMenu && rightClickMenu == o.rightClickMenu &&
               leftDoubleClickAction == o.leftDoubleClickAction &&
               rightDoubleClickAction == o.rightDoubleClickAction && hotkey == o.hotkey &&
               hotkeyNearTray == o.hotkeyNearTray && hotkeyMenu == o.hotkeyMenu &&
               secondLaunchPopup == o.secondLaunchPopup &&
               secondLaunchNearTray == o.secondLaunchNearTray &&
               secondLaunchMenu == o.secondLaunchMenu &&
               secondLaunchWaitMs == o.secondLaunchWaitMs;
    }
};

}  // namespace tellaro
