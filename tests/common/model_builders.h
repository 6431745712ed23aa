// Small builders of model values shared by the native and the Win32 tests.
#pragma once

#include <string>
#include <utility>

#include "config/folder_model.h"
#include "config/special_folder_table.h"

namespace tellaro {

// Every special folder shown, in table order: what a system that knows all
// of them starts with.
inline FolderSettings TableOrderSettings() {
    FolderSettings s;
    SpecialFolderTable::InitialOrder(s, [](int) { return true; });
    return s;
}

inline FolderItem Item(FolderItemKind kind, std::uint8_t depth, std::string path,
                       std::string name) {
    FolderItem item;
    item.kind = static_cast<std::uint8_t>(kind);
    item.depth = depth;
    item.path = std::move(path);
    item.name = std::move(name);
    return item;
}

}  // namespace tellaro
