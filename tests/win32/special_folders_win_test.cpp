// The shell's answers for the special folder table.
#include "config/special_folders_win.h"

#include <windows.h>
// The shell's declarations build on windows.h.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>

#include "config/special_folder_table.h"

namespace tellaro {
namespace {

TEST(SpecialFoldersWin, PathsOnlyForFileSystemFolders) {
    char desktop[MAX_PATH] = {};
    ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, FALSE));
    const std::optional<std::string> path = SpecialFolderPath(CSIDL_DESKTOPDIRECTORY);
    ASSERT_TRUE(path.has_value());
    EXPECT_EQ(*path, desktop);

    // Known to the shell, but with no place in the file system.
    EXPECT_TRUE(IsSpecialFolderAvailable(CSIDL_DRIVES));
    EXPECT_FALSE(SpecialFolderPath(CSIDL_DRIVES).has_value());
    EXPECT_TRUE(IsSpecialFolderAvailable(CSIDL_CONTROLS));
    EXPECT_FALSE(SpecialFolderPath(CSIDL_CONTROLS).has_value());

    // A number the shell never assigned.
    EXPECT_FALSE(IsSpecialFolderAvailable(0x7F));
    EXPECT_FALSE(SpecialFolderPath(0x7F).has_value());
}

TEST(SpecialFoldersWin, InitialOrderShowsExactlyTheAvailableFolders) {
    FolderSettings settings;
    std::memset(settings.specialFolderOrder1, 0x77, sizeof settings.specialFolderOrder1);
    std::memset(settings.specialFolderOrder2, 0x77, sizeof settings.specialFolderOrder2);
    FillInitialSpecialFolderOrder(settings);
    int shown = 0;
    for (std::size_t k = 0; k < SpecialFolderTable::EntryCount1; ++k) {
        const bool available = IsSpecialFolderAvailable(SpecialFolderTable::Entry1(k).csidl);
        EXPECT_EQ(settings.specialFolderOrder1[k], available ? k : kNotShown) << k;
        shown += available;
    }
    for (std::size_t k = 0; k < SpecialFolderTable::EntryCount2; ++k) {
        const bool available = IsSpecialFolderAvailable(SpecialFolderTable::Entry2(k).csidl);
        EXPECT_EQ(settings.specialFolderOrder2[k], available ? k : kNotShown) << k;
        shown += available;
    }
    // The desktop and My Computer exist on every system.
    EXPECT_EQ(settings.specialFolderOrder1[0], 0);
    EXPECT_EQ(settings.specialFolderOrder1[13], 13);
    EXPECT_GT(shown, 2);
}

}  // namespace
}  // namespace tellaro
