#include "menu/popup_menus.h"

#include "base/resource_text.h"
#include "base/system_code_page.h"

namespace tellaro {

namespace {

constexpr TopMenu kTopMenus[] = {TopMenu::FoldersAndCommands, TopMenu::Folders, TopMenu::Commands};
// The menus that show folders share every submenu.
constexpr TopMenu kFolderMenus[] = {TopMenu::FoldersAndCommands, TopMenu::Folders};

MENUITEMINFOA EntryInfo(MenuEntryKind kind, UINT id, bool isDefault, HMENU submenu) {
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fType = MFT_STRING;
    switch (kind) {
        case MenuEntryKind::String:
            info.fMask = MIIM_ID | MIIM_TYPE;
            if (isDefault) {
                info.fMask |= MIIM_STATE;
                info.fState = MFS_DEFAULT;
            }
            break;
        case MenuEntryKind::Disabled:
            info.fMask = MIIM_STATE | MIIM_ID | MIIM_TYPE;
            info.fState = MFS_GRAYED;
            break;
        case MenuEntryKind::Submenu:
            info.fMask = MIIM_SUBMENU | MIIM_TYPE;
            info.hSubMenu = submenu;
            break;
        case MenuEntryKind::Separator:
            info.fMask = MIIM_TYPE;
            info.fType = MFT_SEPARATOR;
            break;
    }
    info.wID = id;
    return info;
}

bool Insert(HMENU menu, UINT position, MENUITEMINFOA info, const std::string& text) {
    if (info.fType == MFT_STRING) info.dwTypeData = const_cast<char*>(text.c_str());
    return InsertMenuItemA(menu, position, TRUE, &info) != FALSE;
}

// Takes the submenus out of a menu without destroying them, so that
// DestroyMenu on it (which would destroy them too) releases only itself.
void DetachSubmenus(HMENU menu) {
    if (!menu) return;
    for (int i = GetMenuItemCount(menu) - 1; i >= 0; --i) {
        if (GetSubMenu(menu, i)) RemoveMenu(menu, i, MF_BYPOSITION);
    }
}

UINT Count(HMENU menu) {
    const int count = GetMenuItemCount(menu);
    return count > 0 ? static_cast<UINT>(count) : 0;
}

}  // namespace

PopupMenus::PopupMenus(HINSTANCE module) : module_(module ? module : GetModuleHandleA(nullptr)) {}

PopupMenus::~PopupMenus() {
    DestroyMenus();
    FreeDesktopItems();
}

int PopupMenus::BuildMenus(const FolderSettings& settings, const OptionsRecord& options,
                           bool hasSecondSpecialMenu) {
    DestroyMenus();
    layoutOptions_.hasSecondSpecialMenu = hasSecondSpecialMenu;
    layoutOptions_.leftDoubleClickAction = options.leftDoubleClickAction;
    layoutOptions_.hasUserItems = !settings.items.Empty();

    folderAndCommandMenu_ = CreatePopupMenu();
    folderMenu_ = CreatePopupMenu();
    commandMenu_ = CreatePopupMenu();
    if (!folderAndCommandMenu_ || !folderMenu_ || !commandMenu_) return -1;

    special1_ = BuildSpecialFolderMenu1(settings);
    if (!special1_) return -1;
    if (hasSecondSpecialMenu) {
        special2_ = BuildSpecialFolderMenu2(settings);
        if (!special2_) return -1;
    }
    if (!BuildDesktopMenu()) return -1;
    for (TopMenu menu : kTopMenus) {
        if (!LayFrame(menu)) return -1;
    }
    if (InsertCommandItems() != 0) return -1;
    return AppendUserItems(settings.items);
}

int PopupMenus::DestroyMenus() {
    // Destroying a menu also destroys the submenus still attached to it,
    // and these are shared and nested; every menu is detached first and
    // then destroyed on its own, so each is released exactly once.
    for (HMENU menu : submenus_) DetachSubmenus(menu);
    for (TopMenu top : kTopMenus) DetachSubmenus(Top(top));
    for (auto it = submenus_.rbegin(); it != submenus_.rend(); ++it) Release(*it);
    submenus_.clear();
    special1_ = nullptr;
    special2_ = nullptr;
    Release(folderAndCommandMenu_);
    Release(folderMenu_);
    Release(commandMenu_);
    HMENU desktop = desktop_.DetachHandle();
    Release(desktop);
    return 0;
}

void PopupMenus::Release(HMENU& menu) {
    if (!menu) return;
    const bool destroyed = DestroyMenu(menu) != FALSE;
    if (releaseObserver_) releaseObserver_(menu, destroyed);
    menu = nullptr;
}

HMENU PopupMenus::Top(TopMenu menu) const {
    switch (menu) {
        case TopMenu::Folders:
            return folderMenu_;
        case TopMenu::FoldersAndCommands:
            return folderAndCommandMenu_;
        case TopMenu::Commands:
            break;
    }
    return commandMenu_;
}

HMENU PopupMenus::MenuForPopupKind(std::uint8_t popupKind) const {
    return Top(TopMenuForPopupKind(popupKind));
}

HMENU PopupMenus::CreateSubmenu() {
    HMENU menu = CreatePopupMenu();
    if (menu) submenus_.push_back(menu);
    return menu;
}

HMENU PopupMenus::BuildSpecialFolderMenu1(const FolderSettings& settings) {
    return BuildSpecialFolderMenu(
        SpecialFolderLayout(settings.specialFolderOrder1, kSpecialFolderCount1,
                            IDS_SPECIAL_FOLDER1_BASE, CMD_SPECIAL1_BASE));
}

HMENU PopupMenus::BuildSpecialFolderMenu2(const FolderSettings& settings) {
    return BuildSpecialFolderMenu(
        SpecialFolderLayout(settings.specialFolderOrder2, kSpecialFolderCount2,
                            IDS_SPECIAL_FOLDER2_BASE, CMD_SPECIAL2_BASE));
}

HMENU PopupMenus::BuildSpecialFolderMenu(const std::vector<MenuEntry>& layout) {
    HMENU menu = CreateSubmenu();
    if (!menu) return nullptr;
    UINT position = 0;
    for (const MenuEntry& entry : layout) {
        if (InsertEntry(menu, position, entry)) ++position;
    }
    return menu;
}

HMENU PopupMenus::SharedSubmenu(SubmenuRef ref) const {
    switch (ref) {
        case SubmenuRef::Special1:
            return special1_;
        case SubmenuRef::Special2:
            return special2_;
        case SubmenuRef::Desktop:
            return desktop_.Handle();
        case SubmenuRef::None:
            break;
    }
    return nullptr;
}

bool PopupMenus::LayFrame(TopMenu top) {
    HMENU menu = Top(top);
    UINT position = 0;
    for (const MenuEntry& entry : TopMenuLayout(top, layoutOptions_)) {
        if (entry.section != MenuSection::Frame) continue;
        if (!InsertEntry(menu, position++, entry)) return false;
    }
    return true;
}

int PopupMenus::InsertCommandItems() {
    // Inserting each command at its final index, lowest first, slides the
    // frame entries into their places behind them.
    for (TopMenu top : {TopMenu::FoldersAndCommands, TopMenu::Commands}) {
        const std::vector<MenuEntry> layout = TopMenuLayout(top, layoutOptions_);
        for (std::size_t i = 0; i < layout.size(); ++i) {
            if (layout[i].section != MenuSection::Commands) continue;
            if (!InsertEntry(Top(top), static_cast<UINT>(i), layout[i])) return -1;
        }
    }
    return 0;
}

int PopupMenus::AppendUserItems(const FolderItemList& items) {
    if (items.Empty()) return 0;
    for (TopMenu top : kFolderMenus) {
        for (const MenuEntry& entry : TopMenuLayout(top, layoutOptions_)) {
            if (entry.section == MenuSection::UserItems)
                InsertEntry(Top(top), Count(Top(top)), entry);
        }
    }
    bool complete = true;
    for (const UserMenuEntry& entry : UserMenuLayout(items, IsSystemLeadByte))
        complete &= AppendUserEntry(entry);
    return complete ? 0 : -1;
}

bool PopupMenus::AppendUserEntry(const UserMenuEntry& entry) {
    HMENU submenu = nullptr;
    if (entry.kind == MenuEntryKind::Submenu) {
        submenu = BuildGroupMenu(entry);
        if (!submenu) return false;
    }
    bool inserted = true;
    for (TopMenu top : kFolderMenus)
        inserted &= InsertUserEntry(Top(top), Count(Top(top)), entry, submenu);
    return inserted;
}

HMENU PopupMenus::BuildGroupMenu(const UserMenuEntry& group) {
    HMENU menu = CreateSubmenu();
    if (!menu) return nullptr;
    UINT position = 0;
    for (const UserMenuEntry& child : group.children) {
        HMENU submenu = nullptr;
        // A nested group that cannot be built is left out rather than shown
        // as an entry that opens nothing.
        if (child.kind == MenuEntryKind::Submenu && !(submenu = BuildGroupMenu(child))) continue;
        if (InsertUserEntry(menu, position, child, submenu)) ++position;
    }
    return menu;
}

bool PopupMenus::InsertEntry(HMENU menu, UINT position, const MenuEntry& entry) {
    const MENUITEMINFOA info =
        EntryInfo(entry.kind, entry.commandId, entry.isDefault, SharedSubmenu(entry.submenu));
    return Insert(menu, position, info, LoadText(entry.stringId));
}

bool PopupMenus::InsertUserEntry(HMENU menu, UINT position, const UserMenuEntry& entry,
                                 HMENU submenu) {
    const MENUITEMINFOA info = EntryInfo(entry.kind, entry.commandId, false, submenu);
    return Insert(menu, position, info,
                  entry.kind == MenuEntryKind::Disabled ? LoadText(entry.stringId) : entry.text);
}

std::string PopupMenus::LoadText(int stringId) const {
    if (stringId == 0) return std::string();
    return LoadResourceString(module_, stringId);
}

void PopupMenus::OnInitMenu(HMENU menu) {
    if (!menu) return;
    if (menu == folderAndCommandMenu_ || menu == folderMenu_ || menu == commandMenu_)
        BuildDesktopMenu();
}

}  // namespace tellaro
