// The popup menus as plain data: what each top menu holds from top to
// bottom, what the special-folder submenus list, and the user's folder tree
// as nested entries. The Win32 builder only turns these descriptions into
// menu objects, so every decision about order, ids and defaults lives here
// where it can be tested without a window system. Portable: no Windows headers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "config/folder_model.h"
#include "res/resource.h"

namespace tellaro {

// Desktop entries take the ids from CMD_DESKTOP_BASE up to the limit.
constexpr std::size_t kUserItemIdCount = CMD_DESKTOP_BASE - CMD_USER_ITEM_BASE;

enum class MenuEntryKind : std::uint8_t { String, Separator, Submenu, Disabled };

// Which shared submenu a submenu entry of a top menu opens.
enum class SubmenuRef : std::uint8_t { None, Special1, Special2, Desktop };

// Which build step places an entry of a top menu. The frame is laid first,
// the program's commands are inserted into it at their final positions, and
// the separator before the user's entries comes with those entries.
enum class MenuSection : std::uint8_t { Frame, Commands, UserItems };

struct MenuEntry {
    MenuEntryKind kind = MenuEntryKind::String;
    int stringId = 0;  // 0 for a separator
    std::uint16_t commandId = 0;
    bool isDefault = false;  // drawn bold
    SubmenuRef submenu = SubmenuRef::None;
    MenuSection section = MenuSection::Frame;

    bool operator==(const MenuEntry& o) const {
        return kind == o.kind && stringId == o.stringId && commandId == o.commandId &&
               isDefault == o.isDefault && submenu == o.submenu && section == o.section;
    }
};

enum class TopMenu : std::uint8_t { Folders = 0, FoldersAndCommands = 1, Commands = 2 };

// Popup kinds 0 and 1 name their menus; every other value shows the commands.
TopMenu TopMenuForPopupKind(std::uint8_t popupKind);

struct TopMenuOptions {
    bool hasSecondSpecialMenu = false;
    std::uint8_t leftDoubleClickAction = 0;
    bool hasUserItems = false;  // the item list is not empty
};

// The entries of a top menu from top to bottom, without the user's entries
// themselves (those follow the last entry, see UserMenuLayout).
std::vector<MenuEntry> TopMenuLayout(TopMenu menu, const TopMenuOptions& options);

// The entries of a special-folder submenu: entry k of the part gets string
// firstStringId + k and id baseId + k, in display order; a part with nothing
// shown gets one disabled "none" entry with baseId.
std::vector<MenuEntry> SpecialFolderLayout(const std::uint8_t* order, std::size_t count,
                                           int firstStringId, std::uint16_t baseId);

// One entry of the user's tree. String and Submenu entries show `text`; a
// Disabled entry is the "none" placeholder of an otherwise empty group.
struct UserMenuEntry {
    MenuEntryKind kind = MenuEntryKind::String;
    std::size_t record = 0;  // position of the record shown
    std::string text;
    int stringId = 0;
    std::uint16_t commandId = 0;
    std::vector<UserMenuEntry> children;  // the group's level, for Submenu
};

// The user's folder tree as the menus show it: the top level's entries (the
// separator that precedes them in the top menus is not included), with
// names as ShownName gives them in the code page `isLeadByte` reads.
std::vector<UserMenuEntry> UserMenuLayout(const FolderItemList& items,
                                          LeadByteTest isLeadByte = IsCp932LeadByte);

}  // namespace tellaro
