// The "desktop" submenu: the shell's own desktop objects, a separator, then
// every entry of the desktop directories, refilled in place each time a
// popup menu opens. It keeps what each entry stands for until the next fill.
// Nothing of it is stored, so names and paths stay UTF-16 throughout: the
// code page would turn "résumé" into "resume", another folder's name.
#pragma once

#include <shlobj.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "menu/desktop_entries.h"

namespace tellaro {

class DesktopMenu {
public:
    DesktopMenu() = default;
    ~DesktopMenu();
    DesktopMenu(const DesktopMenu&) = delete;
    DesktopMenu& operator=(const DesktopMenu&) = delete;

    // Creates the submenu on first use and refills it afterwards. Returns
    // the submenu, or NULL when it cannot be created or a desktop directory
    // cannot be located (the entries before that directory stay filled).
    HMENU Build();

    // Inserts the shell objects that the directory listings do not cover,
    // then a separator. `entry` is a string-entry template whose wID is the
    // next command id; it is advanced once per entry. -1 when the desktop
    // cannot be enumerated (and then there is no separator).
    int AppendDesktopNamespace(MENUITEMINFOW& entry);
    // Appends every entry of `directory` and records its full path. -1 when
    // the directory cannot be searched.
    int AppendDirectoryEntries(MENUITEMINFOW& entry, const std::wstring& directory);
    int FreeDesktopItems();

    HMENU Handle() const { return menu_; }
    // Hands the submenu over to the caller, which destroys it; the next
    // Build creates a new one.
    HMENU DetachHandle();

    // By default the directories are the user's and the common desktop
    // directories as the shell reports them at each fill.
    void SetDirectories(std::vector<std::wstring> directories);
    void UseShellDirectories() { directories_.reset(); }

    std::size_t ShellItemCount() const { return shellItems_.size(); }
    LPCITEMIDLIST ShellItem(std::size_t i) const { return shellItems_[i]; }
    const std::vector<std::wstring>& Paths() const { return paths_; }
    std::size_t EntryCount() const { return shellItems_.size() + paths_.size(); }
    DesktopEntryRef Resolve(std::size_t n) const {
        return ResolveDesktopEntry(n, shellItems_.size(), paths_.size());
    }
    // Hands entry n of the last fill to the shell; nothing for another n.
    void Open(std::size_t n) const;

private:
    void RemoveAllEntries();
    bool AppendConfiguredDirectories(MENUITEMINFOW& entry);
    bool AppendShellDirectory(MENUITEMINFOW& entry, int csidl);
    bool InsertText(MENUITEMINFOW& entry, UINT position, const wchar_t* text);
    void OpenPath(const std::wstring& path) const;

    HMENU menu_ = nullptr;
    std::vector<LPITEMIDLIST> shellItems_;
    std::vector<std::wstring> paths_;
    std::optional<std::vector<std::wstring>> directories_;
};

}  // namespace tellaro
