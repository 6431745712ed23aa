#include "menu/desktop_menu.h"

#include <shellapi.h>

#include <cstring>

namespace tellaro {

namespace {

constexpr SHCONTF kEnumFlags = SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN;
constexpr int kCsidlDesktopDirectory = 16;
constexpr int kCsidlCommonDesktopDirectory = 25;

MENUITEMINFOA StringEntryTemplate() {
    MENUITEMINFOA entry = {};
    entry.cbSize = sizeof(entry);
    entry.fMask = MIIM_ID | MIIM_TYPE;
    entry.fType = MFT_STRING;
    entry.wID = CMD_DESKTOP_BASE;
    return entry;
}

bool HasRoom(const MENUITEMINFOA& entry) {
    return entry.wID < CMD_DESKTOP_LIMIT;
}

// Asking only for the attributes of the mask is far cheaper than a full
// SHGetFileInfoA, and most desktop objects are files that are skipped.
bool IsListedByDirectoryPass(IShellFolder* desktop, LPCITEMIDLIST item) {
    SFGAOF attributes = kPlainObjectAttributes;
    if (FAILED(desktop->GetAttributesOf(1, &item, &attributes))) return false;
    return IsPlainFileSystemObject(attributes);
}

bool IsDotDirectory(const char* name) {
    return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

}  // namespace

DesktopMenu::~DesktopMenu() {
    FreeDesktopItems();
    if (menu_) DestroyMenu(menu_);
}

HMENU DesktopMenu::DetachHandle() {
    HMENU menu = menu_;
    menu_ = nullptr;
    return menu;
}

void DesktopMenu::SetDirectories(std::vector<std::string> directories) {
    directories_ = std::move(directories);
}

HMENU DesktopMenu::Build() {
    if (menu_) {
        RemoveAllEntries();
    } else {
        menu_ = CreatePopupMenu();
        if (!menu_) return nullptr;
    }
    FreeDesktopItems();
    paths_.clear();
    MENUITEMINFOA entry = StringEntryTemplate();
    AppendDesktopNamespace(entry);
    return AppendConfiguredDirectories(entry) ? menu_ : nullptr;
}

void DesktopMenu::RemoveAllEntries() {
    // From the end: removing the first entry would shift all the others.
    for (int i = GetMenuItemCount(menu_) - 1; i >= 0; --i) RemoveMenu(menu_, i, MF_BYPOSITION);
}

bool DesktopMenu::AppendConfiguredDirectories(MENUITEMINFOA& entry) {
    if (directories_) {
        for (const std::string& directory : *directories_) AppendDirectoryEntries(entry, directory);
        return true;
    }
    return AppendShellDirectory(entry, kCsidlDesktopDirectory) &&
           AppendShellDirectory(entry, kCsidlCommonDesktopDirectory);
}

bool DesktopMenu::AppendShellDirectory(MENUITEMINFOA& entry, int csidl) {
    LPITEMIDLIST item = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &item)) || !item) return false;
    char path[MAX_PATH] = {};
    const BOOL hasPath = SHGetPathFromIDListA(item, path);
    CoTaskMemFree(item);
    if (hasPath) AppendDirectoryEntries(entry, path);
    return true;
}

bool DesktopMenu::InsertText(MENUITEMINFOA& entry, UINT position, const char* text) {
    entry.dwTypeData = const_cast<char*>(text);
    const bool inserted = InsertMenuItemA(menu_, position, TRUE, &entry) != FALSE;
    entry.dwTypeData = nullptr;
    if (inserted) ++entry.wID;
    return inserted;
}

int DesktopMenu::AppendDesktopNamespace(MENUITEMINFOA& entry) {
    IShellFolder* desktop = nullptr;
    if (FAILED(SHGetDesktopFolder(&desktop)) || !desktop) return -1;
    IEnumIDList* objects = nullptr;
    if (FAILED(desktop->EnumObjects(nullptr, kEnumFlags, &objects))) {
        desktop->Release();
        return -1;
    }
    UINT position = 0;
    if (objects) {
        objects->Reset();
        LPITEMIDLIST item = nullptr;
        while (HasRoom(entry) && objects->Next(1, &item, nullptr) == S_OK) {
            SHFILEINFOA info = {};
            if (IsListedByDirectoryPass(desktop, item) ||
                !SHGetFileInfoA(reinterpret_cast<LPCSTR>(item), 0, &info, sizeof(info),
                                SHGFI_PIDL | SHGFI_DISPLAYNAME) ||
                !InsertText(entry, position, info.szDisplayName)) {
                CoTaskMemFree(item);
                continue;
            }
            shellItems_.push_back(item);
            ++position;
        }
        objects->Release();
    }
    desktop->Release();
    MENUITEMINFOA separator = {};
    separator.cbSize = sizeof(separator);
    separator.fMask = MIIM_TYPE;
    separator.fType = MFT_SEPARATOR;
    InsertMenuItemA(menu_, position, TRUE, &separator);
    return 0;
}

int DesktopMenu::AppendDirectoryEntries(MENUITEMINFOA& entry, const std::string& directory) {
    const std::string prefix = directory + "\\";
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((prefix + "*.*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return -1;
    const int count = GetMenuItemCount(menu_);
    UINT position = count > 0 ? static_cast<UINT>(count) : 0;
    do {
        if (!HasRoom(entry)) break;
        const bool isDirectory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (isDirectory && IsDotDirectory(found.cFileName)) continue;
        const std::string text = DesktopEntryText(found.cFileName, isDirectory);
        if (!InsertText(entry, position, text.c_str())) continue;
        ++position;
        paths_.push_back(prefix + found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return 0;
}

int DesktopMenu::FreeDesktopItems() {
    for (LPITEMIDLIST item : shellItems_) CoTaskMemFree(item);
    shellItems_.clear();
    return 0;
}

}  // namespace tellaro
