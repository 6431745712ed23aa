// The fixed table of the 45 shell special folders offered in the two
// special-folder submenus. Portable: CSIDLs are plain numbers here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "config/folder_model.h"

namespace tellaro {

struct SpecialFolderEntry {
    int csidl;
    int stringId;  // display name in the string table
};

class SpecialFolderTable {
public:
    static constexpr std::size_t EntryCount1 = kSpecialFolderCount1;
    static constexpr std::size_t EntryCount2 = kSpecialFolderCount2;
    static constexpr std::size_t EntryCount = EntryCount1 + EntryCount2;
    static constexpr int kCsidlInternet = 1;

    // Entry of the whole table, 0..44.
    static const SpecialFolderEntry& Entry(std::size_t index);
    // Entry k of the first (k < 30) or second (k < 15) part.
    static const SpecialFolderEntry& Entry1(std::size_t k) { return Entry(k); }
    static const SpecialFolderEntry& Entry2(std::size_t k) { return Entry(EntryCount1 + k); }

    // The entries of one part to show, in display order: for each position
    // p the lowest index whose byte is p. Empty when nothing is shown, and
    // the caller then shows the disabled "none" entry.
    static std::vector<std::size_t> VisibleEntries(const std::uint8_t* order, std::size_t count);

    // Fills both order arrays with each available entry's own index and
    // kNotShown for the others. `isAvailable` answers for a CSIDL.
    template <typename IsAvailable>
    static void InitialOrder(FolderSettings& settings, IsAvailable isAvailable) {
        for (std::size_t k = 0; k < EntryCount1; ++k)
            settings.specialFolderOrder1[k] =
                isAvailable(Entry1(k).csidl) ? static_cast<std::uint8_t>(k) : kNotShown;
        for (std::size_t k = 0; k < EntryCount2; ++k)
            settings.specialFolderOrder2[k] =
                isAvailable(Entry2(k).csidl) ? static_cast<std::uint8_t>(k) : kNotShown;
    }
};

}  // namespace tellaro
