#include "menu/menu_layout.h"

#include "config/options_record.h"
#include "config/special_folder_table.h"

namespace tellaro {

namespace {

MenuEntry String(int stringId, std::uint16_t commandId, MenuSection section,
                 bool isDefault = false) {
    MenuEntry e;
    e.kind = MenuEntryKind::String;
    e.stringId = stringId;
    e.commandId = commandId;
    e.isDefault = isDefault;
    e.section = section;
    return e;
}

MenuEntry Separator(MenuSection section) {
    MenuEntry e;
    e.kind = MenuEntryKind::Separator;
    e.section = section;
    return e;
}

MenuEntry Submenu(int stringId, SubmenuRef ref) {
    MenuEntry e;
    e.kind = MenuEntryKind::Submenu;
    e.stringId = stringId;
    e.submenu = ref;
    return e;
}

// The block of program commands above Cancel.
void AppendCommandHead(std::vector<MenuEntry>& out, std::uint8_t doubleClickAction) {
    constexpr auto c = MenuSection::Commands;
    out.push_back(String(IDS_MENU_FOLDER_SETTINGS, CMD_FOLDER_SETTINGS, c,
                         doubleClickAction == kDoubleClickSettings));
    out.push_back(String(IDS_MENU_OPTIONS, CMD_OPTIONS, c));
    out.push_back(String(IDS_MENU_ABOUT, CMD_ABOUT, c));
    out.push_back(String(IDS_MENU_HELP, CMD_HELP, c));
}

void AppendExit(std::vector<MenuEntry>& out, std::uint8_t doubleClickAction) {
    out.push_back(Separator(MenuSection::Commands));
    out.push_back(String(IDS_MENU_EXIT, CMD_EXIT, MenuSection::Commands,
                         doubleClickAction == kDoubleClickExit));
}

void AppendFolderSubmenus(std::vector<MenuEntry>& out, const TopMenuOptions& options) {
    out.push_back(Submenu(IDS_SPECIAL_FOLDERS1, SubmenuRef::Special1));
    if (options.hasSecondSpecialMenu)
        out.push_back(Submenu(IDS_SPECIAL_FOLDERS2, SubmenuRef::Special2));
    out.push_back(Submenu(IDS_DESKTOP, SubmenuRef::Desktop));
    if (options.hasUserItems) out.push_back(Separator(MenuSection::UserItems));
}

std::vector<MenuEntry> FoldersLayout(const TopMenuOptions& options) {
    std::vector<MenuEntry> out;
    out.push_back(String(IDS_MENU_CANCEL, CMD_CANCEL, MenuSection::Frame));
    out.push_back(Separator(MenuSection::Frame));
    AppendFolderSubmenus(out, options);
    return out;
}

std::vector<MenuEntry> FoldersAndCommandsLayout(const TopMenuOptions& options) {
    std::vector<MenuEntry> out;
    AppendCommandHead(out, options.leftDoubleClickAction);
    out.push_back(Separator(MenuSection::Commands));
    out.push_back(String(IDS_MENU_CANCEL, CMD_CANCEL, MenuSection::Frame));
    AppendExit(out, options.leftDoubleClickAction);
    out.push_back(Separator(MenuSection::Frame));
    AppendFolderSubmenus(out, options);
    return out;
}

std::vector<MenuEntry> CommandsLayout(const TopMenuOptions& options) {
    std::vector<MenuEntry> out;
    AppendCommandHead(out, options.leftDoubleClickAction);
    out.push_back(Separator(MenuSection::Frame));
    out.push_back(String(IDS_MENU_CANCEL, CMD_CANCEL, MenuSection::Frame));
    AppendExit(out, options.leftDoubleClickAction);
    return out;
}

// The entries of one level as the menus show them. A list longer than the
// model allows must not spill into the desktop's ids: such records are
// simply not offered, groups with all they hold.
void AppendUserLevel(const FolderItemList& items, const std::vector<ShownEntry>& level,
                     LeadByteTest isLeadByte, std::vector<UserMenuEntry>& out) {
    for (const ShownEntry& shown : level) {
        if (shown.position >= kUserItemIdCount) continue;
        const FolderItem& item = items.At(shown.position);
        const auto id = static_cast<std::uint16_t>(CMD_USER_ITEM_BASE + shown.position);
        UserMenuEntry e;
        e.record = shown.position;
        switch (shown.kind) {
            case FolderItemKind::Folder:
                e.kind = MenuEntryKind::String;
                e.text = ShownName(shown.kind, item.name, item.path, isLeadByte);
                e.commandId = id;
                break;
            case FolderItemKind::Group:
                e.kind = MenuEntryKind::Submenu;
                e.text = ShownName(shown.kind, item.name, item.path, isLeadByte);
                AppendUserLevel(items, shown.children, isLeadByte, e.children);
                break;
            case FolderItemKind::Separator:
                e.kind = MenuEntryKind::Separator;
                break;
            case FolderItemKind::Placeholder:
                e.kind = MenuEntryKind::Disabled;
                e.stringId = IDS_NONE;
                e.commandId = id;
                break;
        }
        out.push_back(std::move(e));
    }
}

}  // namespace

TopMenu TopMenuForPopupKind(std::uint8_t popupKind) {
    switch (popupKind) {
        case kPopupFolders:
            return TopMenu::Folders;
        case kPopupFoldersAndCommands:
            return TopMenu::FoldersAndCommands;
        default:
            return TopMenu::Commands;
    }
}

std::vector<MenuEntry> TopMenuLayout(TopMenu menu, const TopMenuOptions& options) {
    switch (menu) {
        case TopMenu::Folders:
            return FoldersLayout(options);
        case TopMenu::FoldersAndCommands:
            return FoldersAndCommandsLayout(options);
        case TopMenu::Commands:
            break;
    }
    return CommandsLayout(options);
}

std::vector<MenuEntry> SpecialFolderLayout(const std::uint8_t* order, std::size_t count,
                                           int firstStringId, std::uint16_t baseId) {
    std::vector<MenuEntry> out;
    const std::vector<std::size_t> shown = SpecialFolderTable::VisibleEntries(order, count);
    if (shown.empty()) {
        MenuEntry none = String(IDS_NONE, baseId, MenuSection::Frame);
        none.kind = MenuEntryKind::Disabled;
        out.push_back(none);
        return out;
    }
    out.reserve(shown.size());
    for (std::size_t k : shown)
        out.push_back(String(firstStringId + static_cast<int>(k),
                             static_cast<std::uint16_t>(baseId + k), MenuSection::Frame));
    return out;
}

std::vector<UserMenuEntry> UserMenuLayout(const FolderItemList& items, LeadByteTest isLeadByte) {
    std::vector<UserMenuEntry> top;
    AppendUserLevel(items, ShownEntries(items), isLeadByte, top);
    return top;
}

}  // namespace tellaro
