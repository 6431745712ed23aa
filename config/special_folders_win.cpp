#include "config/special_folders_win.h"

#include <windows.h>
// The shell's declarations build on windows.h.
#include <shlobj.h>

#include "base/system_code_page.h"
#include "config/special_folder_table.h"

namespace tellaro {

namespace {

// The item identifier list of `csidl`, released as soon as the caller is done.
struct ItemIdList {
    LPITEMIDLIST list = nullptr;
    explicit ItemIdList(int csidl) {
        if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &list))) list = nullptr;
    }
    ~ItemIdList() {
        if (list) CoTaskMemFree(list);
    }
    ItemIdList(const ItemIdList&) = delete;
    ItemIdList& operator=(const ItemIdList&) = delete;
};

}  // namespace

bool IsSpecialFolderAvailable(int csidl) {
    return ItemIdList(csidl).list != nullptr;
}

std::optional<std::wstring> SpecialFolderPathWide(int csidl) {
    ItemIdList ids(csidl);
    if (!ids.list) return std::nullopt;
    // The call's own limit: it never writes more than MAX_PATH characters.
    wchar_t path[MAX_PATH] = {};
    if (!SHGetPathFromIDListW(ids.list, path)) return std::nullopt;
    return std::wstring(path);
}

std::optional<std::string> SpecialFolderPath(int csidl) {
    const std::optional<std::wstring> wide = SpecialFolderPathWide(csidl);
    if (!wide) return std::nullopt;
    return ToSystemAnsi(*wide);
}

void FillInitialSpecialFolderOrder(FolderSettings& settings) {
    SpecialFolderTable::InitialOrder(settings, IsSpecialFolderAvailable);
}

}  // namespace tellaro
