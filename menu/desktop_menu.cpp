#include "menu/desktop_menu.h"

#include <shellapi.h>

#include <cwchar>

#include "base/system_code_page.h"
#include "shell/launch_thread.h"
#include "shell/shell_launcher.h"

namespace tellaro {

namespace {

constexpr SHCONTF kEnumFlags = SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN;
constexpr int kCsidlDesktopDirectory = 16;
constexpr int kCsidlCommonDesktopDirectory = 25;

MENUITEMINFOW StringEntryTemplate() {
    MENUITEMINFOW entry = {};
    entry.cbSize = sizeof(entry);
    entry.fMask = MIIM_ID | MIIM_TYPE;
    entry.fType = MFT_STRING;
    entry.wID = CMD_DESKTOP_BASE;
    return entry;
}

bool HasRoom(const MENUITEMINFOW& entry) {
    return entry.wID < CMD_DESKTOP_LIMIT;
}

// Asking only for the attributes of the mask is far cheaper than a full
// SHGetFileInfoW, and most desktop objects are files that are skipped.
bool IsListedByDirectoryPass(IShellFolder* desktop, LPCITEMIDLIST item) {
    SFGAOF attributes = kPlainObjectAttributes;
    if (FAILED(desktop->GetAttributesOf(1, &item, &attributes))) return false;
    return IsPlainFileSystemObject(attributes);
}

bool IsDotDirectory(const wchar_t* name) {
    return std::wcscmp(name, L".") == 0 || std::wcscmp(name, L"..") == 0;
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

void DesktopMenu::SetDirectories(std::vector<std::wstring> directories) {
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
    MENUITEMINFOW entry = StringEntryTemplate();
    AppendDesktopNamespace(entry);
    return AppendConfiguredDirectories(entry) ? menu_ : nullptr;
}

void DesktopMenu::RemoveAllEntries() {
    // From the end: removing the first entry would shift all the others.
    for (int i = GetMenuItemCount(menu_) - 1; i >= 0; --i) RemoveMenu(menu_, i, MF_BYPOSITION);
}

bool DesktopMenu::AppendConfiguredDirectories(MENUITEMINFOW& entry) {
    if (directories_) {
        for (const std::wstring& directory : *directories_)
            AppendDirectoryEntries(entry, directory);
        return true;
    }
    return AppendShellDirectory(entry, kCsidlDesktopDirectory) &&
           AppendShellDirectory(entry, kCsidlCommonDesktopDirectory);
}

bool DesktopMenu::AppendShellDirectory(MENUITEMINFOW& entry, int csidl) {
    LPITEMIDLIST item = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &item)) || !item) return false;
    // The call's own limit: it never writes more than MAX_PATH characters.
    wchar_t path[MAX_PATH] = {};
    const BOOL hasPath = SHGetPathFromIDListW(item, path);
    CoTaskMemFree(item);
    if (hasPath) AppendDirectoryEntries(entry, path);
    return true;
}

bool DesktopMenu::InsertText(MENUITEMINFOW& entry, UINT position, const wchar_t* text) {
    entry.dwTypeData = const_cast<wchar_t*>(text);
    const bool inserted = InsertMenuItemW(menu_, position, TRUE, &entry) != FALSE;
    entry.dwTypeData = nullptr;
    if (inserted) ++entry.wID;
    return inserted;
}

int DesktopMenu::AppendDesktopNamespace(MENUITEMINFOW& entry) {
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
            SHFILEINFOW info = {};
            if (IsListedByDirectoryPass(desktop, item) ||
                !SHGetFileInfoW(reinterpret_cast<LPCWSTR>(item), 0, &info, sizeof(info),
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
    MENUITEMINFOW separator = {};
    separator.cbSize = sizeof(separator);
    separator.fMask = MIIM_TYPE;
    separator.fType = MFT_SEPARATOR;
    InsertMenuItemW(menu_, position, TRUE, &separator);
    return 0;
}

int DesktopMenu::AppendDirectoryEntries(MENUITEMINFOW& entry, const std::wstring& directory) {
    const std::wstring prefix = directory + L"\\";
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((prefix + L"*.*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return -1;
    const int count = GetMenuItemCount(menu_);
    UINT position = count > 0 ? static_cast<UINT>(count) : 0;
    do {
        if (!HasRoom(entry)) break;
        const bool isDirectory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (isDirectory && IsDotDirectory(found.cFileName)) continue;
        const std::wstring text = DesktopEntryText(found.cFileName, isDirectory);
        if (!InsertText(entry, position, text.c_str())) continue;
        ++position;
        paths_.push_back(prefix + found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return 0;
}

void DesktopMenu::Open(std::size_t n) const {
    const DesktopEntryRef ref = Resolve(n);
    if (ref.kind == DesktopEntryRef::Kind::ShellItem)
        shell::OpenDesktopShellItem(shellItems_[ref.index]);
    else if (ref.kind == DesktopEntryRef::Kind::Path)
        OpenPath(paths_[ref.index]);
}

// The entry's own item identifier list: an ANSI path would reach a
// look-alike ("resume" for "résumé"), or nothing at all.
void DesktopMenu::OpenPath(const std::wstring& path) const {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    // A path that vanished since the fill has no attributes; all bits set
    // would read as a directory.
    const bool isDirectory =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const char* verb = DesktopVerb(isDirectory, shell::ModifierState());
    LPITEMIDLIST list = ILCreateFromPathW(path.c_str());
    if (list != nullptr) {
        shell::OpenIdList(list, verb);
        ILFree(list);
        return;
    }
    // Gone since the fill: the shell would not be asked at all, so the
    // failure is told as any launch's.
    const DWORD error =
        attributes == INVALID_FILE_ATTRIBUTES ? ERROR_FILE_NOT_FOUND : ERROR_NOT_ENOUGH_MEMORY;
    shell::ReportLaunchFailure(NarrowToSystem(path).text.c_str(), error);
}

int DesktopMenu::FreeDesktopItems() {
    for (LPITEMIDLIST item : shellItems_) CoTaskMemFree(item);
    shellItems_.clear();
    return 0;
}

}  // namespace tellaro
