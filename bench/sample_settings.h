// Settings the benchmarks share: every special folder shown and a full tree
// of 1000 records with groups, nesting and plain entries. Portable.
#pragma once

#include <string>

#include "config/folder_model.h"

namespace tellaro {

inline FolderSettings ThousandItems() {
    FolderSettings s;
    for (std::uint8_t k = 0; k < kSpecialFolderCount1; ++k) s.specialFolderOrder1[k] = k;
    for (std::uint8_t k = 0; k < kSpecialFolderCount2; ++k) s.specialFolderOrder2[k] = k;
    // 100 groups of nine folders each; paths as long as real ones tend to be.
    for (int g = 0; g < 100; ++g) {
        FolderItem group;
        group.kind = static_cast<std::uint8_t>(FolderItemKind::Group);
        group.name = "Group " + std::to_string(g);
        s.items.Append(group);
        for (int f = 0; f < 9; ++f) {
            FolderItem folder;
            folder.depth = 1;
            folder.name = "Folder " + std::to_string(g * 9 + f);
            folder.path =
                "C:\\Users\\Public\\Documents\\Projects\\" + group.name + "\\" + folder.name;
            s.items.Append(folder);
        }
    }
    return s;
}

}  // namespace tellaro
