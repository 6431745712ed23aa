// clang-format off
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
// clang-format on

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/system_code_page.h"
#include "menu/popup_menus.h"
#include "shell/launch_thread.h"
#include "shell/shell_launcher.h"
#include "tests/win32/menu_test_support.h"

namespace tellaro {
namespace {

using menu_test::ReadEntry;
using menu_test::ReadMenu;

std::string TempRoot() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    return temp;
}

bool Touch(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

// Removes a directory tree made of plain files and directories, whatever
// their names.
void RemoveTree(const std::wstring& dir) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((dir + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = dir + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(dir.c_str());
}

std::string BaseName(const std::wstring& path) {
    return NarrowToSystem(path.substr(path.rfind(L'\\') + 1)).text;
}

std::wstring Wide(const std::string& text) {
    return WidenFromSystem(text);
}

FolderSettings NoSpecialFolders() {
    FolderSettings s;
    for (auto& b : s.specialFolderOrder1) b = kNotShown;
    for (auto& b : s.specialFolderOrder2) b = kNotShown;
    return s;
}

class MenuDesktop : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = TempRoot() + "tellaro_menu_desktop";
        RemoveTree(Wide(dir_));
        ASSERT_TRUE(CreateDirectoryA(dir_.c_str(), nullptr));
        menus_.SetDesktopDirectories({Wide(dir_)});
    }
    void TearDown() override {
        menus_.DestroyMenus();
        RemoveTree(Wide(dir_));
    }

    void MakeSampleDesktop() {
        for (const char* file : {"a.txt", "Mail.lnk", "x.Lnk", "x.lnk.txt", ".lnk"})
            ASSERT_TRUE(Touch(dir_ + "\\" + file)) << file;
        for (const char* sub : {"Docs", "y.lnk"})
            ASSERT_TRUE(CreateDirectoryA((dir_ + "\\" + sub).c_str(), nullptr)) << sub;
    }

    int Build() { return menus_.BuildMenus(NoSpecialFolders(), OptionsRecord(), false); }

    // The file part of the desktop submenu: the entries after the separator
    // that closes the shell objects.
    std::vector<ReadEntry> FileEntries() {
        const auto all = ReadMenu(menus_.DesktopSubmenu());
        const std::size_t p = menus_.DesktopShellItemCount();
        EXPECT_GT(all.size(), p);
        if (all.size() <= p) return {};
        EXPECT_TRUE(all[p].IsSeparator());
        return std::vector<ReadEntry>(all.begin() + p + 1, all.end());
    }

    std::string dir_;
    PopupMenus menus_;
};

TEST_F(MenuDesktop, DirectoryEntriesShowTheirTextsAndKeepTheirPaths) {
    MakeSampleDesktop();
    ASSERT_EQ(Build(), 0);
    const std::map<std::string, std::string> expected{
        {"a.txt", "a.txt"},         {"Docs", "Docs <DIR>"},   {"Mail.lnk", "Mail"}, {"x.Lnk", "x"},
        {"x.lnk.txt", "x.lnk.txt"}, {"y.lnk", "y.lnk <DIR>"}, {".lnk", ""},
    };
    const auto files = FileEntries();
    const auto& paths = menus_.DesktopPaths();
    ASSERT_EQ(files.size(), expected.size());
    ASSERT_EQ(paths.size(), expected.size());
    std::set<std::string> seen;
    for (std::size_t k = 0; k < files.size(); ++k) {
        EXPECT_EQ(paths[k].substr(0, Wide(dir_).size() + 1), Wide(dir_ + "\\"));
        const std::string name = BaseName(paths[k]);
        ASSERT_EQ(expected.count(name), 1u) << name;
        EXPECT_EQ(files[k].text, expected.at(name)) << name;
        EXPECT_FALSE(files[k].IsGrayed());
        seen.insert(name);
    }
    EXPECT_EQ(seen.size(), expected.size());
}

TEST_F(MenuDesktop, IdsMapShellObjectsFirstThenPaths) {
    MakeSampleDesktop();
    ASSERT_EQ(Build(), 0);
    const auto all = ReadMenu(menus_.DesktopSubmenu());
    const std::size_t p = menus_.DesktopShellItemCount();
    // The desktop always has shell objects of its own (My Computer at least).
    ASSERT_GT(p, 0u);
    ASSERT_EQ(all.size(), p + 1 + menus_.DesktopPaths().size());
    EXPECT_EQ(menus_.DesktopEntryCount(), all.size() - 1);
    for (std::size_t i = 0; i < p; ++i) {
        EXPECT_EQ(all[i].id, CMD_DESKTOP_BASE + i);
        const DesktopEntryRef ref = menus_.ResolveDesktopEntry(all[i].id - CMD_DESKTOP_BASE);
        EXPECT_EQ(ref.kind, DesktopEntryRef::Kind::ShellItem);
        EXPECT_EQ(ref.index, i);
        // The stored identifier is the object whose name the entry shows.
        SHFILEINFOA info = {};
        ASSERT_NE(SHGetFileInfoA(reinterpret_cast<LPCSTR>(menus_.DesktopShellItem(i)), 0, &info,
                                 sizeof(info), SHGFI_PIDL | SHGFI_DISPLAYNAME),
                  0u);
        EXPECT_EQ(all[i].text, info.szDisplayName);
    }
    for (std::size_t k = 0; k < menus_.DesktopPaths().size(); ++k) {
        const ReadEntry& e = all[p + 1 + k];
        EXPECT_EQ(e.id, CMD_DESKTOP_BASE + p + k);
        const DesktopEntryRef ref = menus_.ResolveDesktopEntry(e.id - CMD_DESKTOP_BASE);
        EXPECT_EQ(ref.kind, DesktopEntryRef::Kind::Path);
        EXPECT_EQ(ref.index, k);
    }
    EXPECT_EQ(menus_.ResolveDesktopEntry(all.size() - 1).kind, DesktopEntryRef::Kind::None);
}

TEST_F(MenuDesktop, OpeningATopMenuRefillsWithoutRebuild) {
    ASSERT_TRUE(Touch(dir_ + "\\first.txt"));
    ASSERT_EQ(Build(), 0);
    HMENU desktop = menus_.DesktopSubmenu();
    ASSERT_EQ(FileEntries().size(), 1u);

    ASSERT_TRUE(Touch(dir_ + "\\second.txt"));
    HMENU unrelated = CreatePopupMenu();
    menus_.OnInitMenu(unrelated);  // not one of ours: no refill
    DestroyMenu(unrelated);
    EXPECT_EQ(FileEntries().size(), 1u);

    for (HMENU top : {menus_.FolderMenu(), menus_.FolderAndCommandMenu(), menus_.CommandMenu()}) {
        menus_.OnInitMenu(top);
        EXPECT_EQ(menus_.DesktopSubmenu(), desktop);
        const auto files = FileEntries();
        ASSERT_EQ(files.size(), 2u);  // replaced, not appended
        std::set<std::string> texts{files[0].text, files[1].text};
        EXPECT_EQ(texts, (std::set<std::string>{"first.txt", "second.txt"}));
        EXPECT_EQ(menus_.DesktopPaths().size(), 2u);
    }
    // Both folder menus still open the same, refilled submenu.
    EXPECT_EQ(GetSubMenu(menus_.FolderMenu(), 3), desktop);
    EXPECT_EQ(GetSubMenu(menus_.FolderAndCommandMenu(), 10), desktop);
}

TEST_F(MenuDesktop, EmptyAndMissingDirectoriesAddNothing) {
    menus_.SetDesktopDirectories({Wide(dir_), Wide(dir_ + "\\does-not-exist")});
    ASSERT_EQ(Build(), 0);
    EXPECT_TRUE(FileEntries().empty());
    EXPECT_TRUE(menus_.DesktopPaths().empty());
    EXPECT_EQ(GetMenuItemCount(menus_.DesktopSubmenu()),
              static_cast<int>(menus_.DesktopShellItemCount()) + 1);
}

TEST_F(MenuDesktop, EntriesOfSeveralDirectoriesRunOnWithoutGaps) {
    const std::string second = dir_ + "\\second";
    ASSERT_TRUE(CreateDirectoryA(second.c_str(), nullptr));
    ASSERT_TRUE(Touch(second + "\\b.txt"));
    ASSERT_TRUE(Touch(dir_ + "\\a.txt"));
    menus_.SetDesktopDirectories({Wide(second), Wide(dir_)});
    ASSERT_EQ(Build(), 0);
    const auto files = FileEntries();
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(files[0].text, "b.txt");
    EXPECT_EQ(menus_.DesktopPaths()[0], Wide(second + "\\b.txt"));
    const UINT first = files[0].id;
    for (std::size_t k = 1; k < files.size(); ++k) EXPECT_EQ(files[k].id, first + k);
}

TEST_F(MenuDesktop, CodePageNamesKeepTheirBytes) {
    const std::string mail = "\x83\x81\x81\x5b\x83\x8b";  // メール
    ASSERT_TRUE(Touch(dir_ + "\\" + mail + ".lnk"));
    ASSERT_EQ(Build(), 0);
    const auto files = FileEntries();
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].text, mail);
    EXPECT_EQ(menus_.DesktopPaths()[0], Wide(dir_ + "\\" + mail + ".lnk"));
}

// What the shell was asked to open, read while it is asked.
std::vector<std::pair<std::wstring, std::string>> g_opened;
BOOL RecordOpen(SHELLEXECUTEINFOA* info) {
    wchar_t path[MAX_PATH] = {};
    if (info->lpIDList == nullptr ||
        !SHGetPathFromIDListW(static_cast<LPCITEMIDLIST>(info->lpIDList), path))
        return FALSE;
    g_opened.emplace_back(path, info->lpVerb != nullptr ? info->lpVerb : "");
    return TRUE;
}

// Names the code page 932 lacks are shown as they are, and each entry
// opens itself: "résumé" must never reach the "resume" beside it.
TEST_F(MenuDesktop, NamesOutsideTheCodePageShowAndOpenThemselves) {
    const std::wstring dir = Wide(dir_);
    const std::wstring accented = dir + L"\\r\u00E9sum\u00E9", plain = dir + L"\\resume",
                       memo = dir + L"\\\uBA54\uBAA8.txt";
    ASSERT_TRUE(CreateDirectoryW(accented.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(plain.c_str(), nullptr));
    HANDLE file = CreateFileW(memo.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    ASSERT_EQ(Build(), 0);
    const auto files = FileEntries();
    std::map<std::wstring, UINT> idOf;
    for (const ReadEntry& e : files) idOf[e.wideText] = e.id;
    const std::map<std::wstring, std::wstring> expected{
        {L"r\u00E9sum\u00E9 <DIR>", accented},
        {L"resume <DIR>", plain},
        {L"\uBA54\uBAA8.txt", memo},
    };
    ASSERT_EQ(idOf.size(), expected.size());

    g_opened.clear();
    const shell::ShellCalls previous =
        shell::InstallShellCalls({&RecordOpen, nullptr, nullptr, nullptr});
    const shell::LaunchRunner runner = shell::InstallLaunchRunner(&shell::RunLaunchNow);
    for (const auto& [text, path] : expected) {
        ASSERT_EQ(idOf.count(text), 1u);
        menus_.OpenDesktopEntry(idOf[text] - CMD_DESKTOP_BASE);
    }
    shell::InstallLaunchRunner(runner);
    shell::InstallShellCalls(previous);
    ASSERT_EQ(g_opened.size(), expected.size());
    std::size_t k = 0;
    for (const auto& [text, path] : expected) {
        EXPECT_EQ(g_opened[k].first, path);
        EXPECT_EQ(g_opened[k].second, path == memo ? "open" : "explore");
        ++k;
    }
}

// A file on the real desktop is an ordinary shell object too; it must be
// listed once, by the directory pass, and not among the shell objects.
TEST_F(MenuDesktop, DesktopFilesAreListedOnlyByTheDirectoryPass) {
    char desktopDir[MAX_PATH] = {};
    ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, desktopDir, CSIDL_DESKTOPDIRECTORY, TRUE));
    const std::string name = "tellaro_menu_desktop_probe.txt";
    const std::string path = std::string(desktopDir) + "\\" + name;
    ASSERT_TRUE(Touch(path));
    menus_.UseShellDesktopDirectories();
    const int built = Build();
    const auto all = ReadMenu(menus_.DesktopSubmenu());
    const std::size_t p = menus_.DesktopShellItemCount();
    const auto& paths = menus_.DesktopPaths();
    DeleteFileA(path.c_str());
    ASSERT_EQ(built, 0);
    ASSERT_LE(p, all.size());
    for (std::size_t i = 0; i < p; ++i) EXPECT_NE(all[i].text, name) << i;
    int listed = 0;
    for (std::size_t k = 0; k < paths.size(); ++k) {
        if (paths[k] != Wide(path)) continue;
        ++listed;
        EXPECT_EQ(all[p + 1 + k].text, name);
    }
    EXPECT_EQ(listed, 1);
}

// Desktop ids must stay below the settings window's commands at 40000. The
// same folder is listed four times to pass the limit with fewer files.
TEST_F(MenuDesktop, EntriesStopBeforeIdFortyThousand) {
    const std::size_t files = kMaxDesktopEntries / 4 + 10;
    for (std::size_t i = 0; i < files; ++i) ASSERT_TRUE(Touch(dir_ + "\\f" + std::to_string(i)));
    menus_.SetDesktopDirectories({Wide(dir_), Wide(dir_), Wide(dir_), Wide(dir_)});
    HMENU desktop = menus_.BuildDesktopMenu();
    ASSERT_NE(desktop, nullptr);
    EXPECT_EQ(desktop, menus_.DesktopSubmenu());
    EXPECT_EQ(menus_.DesktopEntryCount(), kMaxDesktopEntries);
    const auto all = ReadMenu(desktop);
    ASSERT_EQ(all.size(), kMaxDesktopEntries + 1);  // and the separator
    EXPECT_EQ(all.back().id, 39999u);
    for (const ReadEntry& e : all) EXPECT_LT(e.id, 40000u);
    EXPECT_EQ(menus_.DesktopPaths().size(), kMaxDesktopEntries - menus_.DesktopShellItemCount());
}

TEST_F(MenuDesktop, RefillReplacesTheShellItems) {
    ASSERT_EQ(Build(), 0);
    const std::size_t p = menus_.DesktopShellItemCount();
    for (int i = 0; i < 3; ++i) menus_.OnInitMenu(menus_.FolderMenu());
    EXPECT_EQ(menus_.DesktopShellItemCount(), p);
    EXPECT_EQ(menus_.FreeDesktopItems(), 0);
    EXPECT_EQ(menus_.DesktopShellItemCount(), 0u);
}

}  // namespace
}  // namespace tellaro
