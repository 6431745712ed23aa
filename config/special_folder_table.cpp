#include "config/special_folder_table.h"

namespace tellaro {

namespace {

// CSIDLs are not ascending: 12-14 do not exist, 28 (local application data)
// opens the second part and 29-34 close the first.
constexpr int kCsidls[SpecialFolderTable::EntryCount] = {
    0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26,
    27, 29, 30, 31, 32, 33, 34, 28, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48,
};

struct Table {
    SpecialFolderEntry entries[SpecialFolderTable::EntryCount];
    Table() {
        for (std::size_t i = 0; i < SpecialFolderTable::EntryCount; ++i)
            entries[i] = SpecialFolderEntry{kCsidls[i], static_cast<int>(21 + i)};
    }
};

const Table& TheTable() {
    static const Table table;
    return table;
}

}  // namespace

const SpecialFolderEntry& SpecialFolderTable::Entry(std::size_t index) {
    return TheTable().entries[index];
}

std::vector<std::size_t> SpecialFolderTable::VisibleEntries(const std::uint8_t* order,
                                                            std::size_t count) {
    std::vector<std::size_t> shown;
    for (std::size_t position = 0; position < count; ++position) {
        for (std::size_t k = 0; k < count; ++k) {
            if (order[k] == position) {
                shown.push_back(k);
                break;
            }
        }
    }
    return shown;
}

}  // namespace tellaro
