// The three ready-built popup menus (folders, folders and commands,
// commands) with their shared submenus, and the desktop submenu that is
// refilled whenever one of them opens.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "config/folder_model.h"
#include "config/options_record.h"
#include "menu/desktop_menu.h"
#include "menu/menu_layout.h"

namespace tellaro {

class PopupMenus {
public:
    // Called after each DestroyMenu with its result; lets a caller account
    // for every menu the builder releases.
    using ReleaseObserver = std::function<void(HMENU menu, bool destroyed)>;

    // Texts come from `module`'s string table (the program's own when NULL).
    explicit PopupMenus(HINSTANCE module = nullptr);
    ~PopupMenus();
    PopupMenus(const PopupMenus&) = delete;
    PopupMenus& operator=(const PopupMenus&) = delete;

    // Builds all three menus from nothing; -1 when a menu cannot be created
    // or the desktop submenu cannot be filled (the menus then stay as far
    // as they got until the next build).
    int BuildMenus(const FolderSettings& settings, const OptionsRecord& options,
                   bool hasSecondSpecialMenu);
    // Releases every menu of the last build exactly once. Returns 0.
    int DestroyMenus();

    HMENU BuildSpecialFolderMenu1(const FolderSettings& settings);
    HMENU BuildSpecialFolderMenu2(const FolderSettings& settings);
    HMENU BuildDesktopMenu() { return desktop_.Build(); }
    // The program's commands, into the two menus that carry them.
    int InsertCommandItems();
    // The user's tree after the current last entries of the two folder menus.
    int AppendUserItems(const FolderItemList& items);
    // A group's level as a new submenu, with its nested groups; NULL when a
    // menu cannot be created.
    HMENU BuildGroupMenu(const UserMenuEntry& group);
    int AppendDesktopNamespace(MENUITEMINFOW& entry) {
        return desktop_.AppendDesktopNamespace(entry);
    }
    int AppendDirectoryEntries(MENUITEMINFOW& entry, const std::wstring& directory) {
        return desktop_.AppendDirectoryEntries(entry, directory);
    }
    int FreeDesktopItems() { return desktop_.FreeDesktopItems(); }

    // WM_INITMENU: refills the desktop submenu when one of the top menus opens.
    void OnInitMenu(HMENU menu);

    // Popup kind 0 folders, 1 folders and commands, anything else commands.
    HMENU MenuForPopupKind(std::uint8_t popupKind) const;
    HMENU FolderMenu() const { return folderMenu_; }
    HMENU FolderAndCommandMenu() const { return folderAndCommandMenu_; }
    HMENU CommandMenu() const { return commandMenu_; }
    HMENU DesktopSubmenu() const { return desktop_.Handle(); }
    // Every submenu of the last build except the desktop submenu, in order
    // of creation.
    const std::vector<HMENU>& Submenus() const { return submenus_; }

    // What the desktop submenu's entries stood for at its last fill.
    std::size_t DesktopShellItemCount() const { return desktop_.ShellItemCount(); }
    LPCITEMIDLIST DesktopShellItem(std::size_t i) const { return desktop_.ShellItem(i); }
    const std::vector<std::wstring>& DesktopPaths() const { return desktop_.Paths(); }
    std::size_t DesktopEntryCount() const { return desktop_.EntryCount(); }
    DesktopEntryRef ResolveDesktopEntry(std::size_t n) const { return desktop_.Resolve(n); }
    void OpenDesktopEntry(std::size_t n) const { desktop_.Open(n); }

    // Lists these directories instead of the shell's desktop directories.
    void SetDesktopDirectories(std::vector<std::wstring> directories) {
        desktop_.SetDirectories(std::move(directories));
    }
    void UseShellDesktopDirectories() { desktop_.UseShellDirectories(); }

    void SetReleaseObserver(ReleaseObserver observer) { releaseObserver_ = std::move(observer); }

private:
    HMENU Top(TopMenu menu) const;
    HMENU CreateSubmenu();
    HMENU BuildSpecialFolderMenu(const std::vector<MenuEntry>& layout);
    HMENU SharedSubmenu(SubmenuRef ref) const;
    bool LayFrame(TopMenu menu);
    bool AppendUserEntry(const UserMenuEntry& entry);
    bool InsertEntry(HMENU menu, UINT position, const MenuEntry& entry);
    bool InsertUserEntry(HMENU menu, UINT position, const UserMenuEntry& entry, HMENU submenu);
    std::string LoadText(int stringId) const;
    void Release(HMENU& menu);

    HINSTANCE module_;
    TopMenuOptions layoutOptions_;
    HMENU folderAndCommandMenu_ = nullptr;
    HMENU folderMenu_ = nullptr;
    HMENU commandMenu_ = nullptr;
    HMENU special1_ = nullptr;
    HMENU special2_ = nullptr;
    std::vector<HMENU> submenus_;
    DesktopMenu desktop_;
    ReleaseObserver releaseObserver_;
};

}  // namespace tellaro
