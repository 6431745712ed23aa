#include "config/special_folders_win.h"

#include <windows.h>
// The shell's declarations build on windows.h.
#include <shlobj.h>

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

std::optional<std::string> SpecialFolderPath(int csidl) {
    ItemIdList ids(csidl);
    if (!ids.list) return std::nullopt;
    char path[MAX_PATH] = {};
    if (!SHGetPathFromIDListA(ids.list, path)) return std::nullopt;
    return std::string(path);
}

void FillInitialSpecialFolderOrder(FolderSettings& settings) {
    SpecialFolderTable::InitialOrder(settings, IsSpecialFolderAvailable);
}

}  // namespace tellaro
