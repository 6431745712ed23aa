// Times the popup menu work that happens on the user-interface thread: a
// full build with 1000 user entries, and the desktop refill that runs every
// time a menu opens, at 0, 1000 and 5000 desktop entries. Beside each figure
// it measures the floor in the same process: the bare enumeration and menu
// insertion that any implementation has to do. Prints figures only.
// clang-format off
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
// clang-format on

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "base/system_code_page.h"
#include "bench/sample_settings.h"
#include "bench/timing.h"
#include "menu/popup_menus.h"

namespace tellaro {
namespace {

using bench::MedianMs;

constexpr int kRepetitions = 7;

// Scratch folders under the temporary directory, removed at exit.
class Scratch {
public:
    Scratch() {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        root_ = std::string(temp) + "tellaro_menu_bench_" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(root_.c_str(), nullptr);
    }
    ~Scratch() {
        for (const auto& dir : made_) {
            for (std::size_t i = 0; i < dir.second; ++i)
                DeleteFileA(FileName(dir.first, i).c_str());
            RemoveDirectoryA(dir.first.c_str());
        }
        RemoveDirectoryA(root_.c_str());
    }

    // A folder holding `count` empty files.
    std::string FolderWith(std::size_t count) {
        const std::string dir = root_ + "\\d" + std::to_string(count);
        CreateDirectoryA(dir.c_str(), nullptr);
        for (std::size_t i = 0; i < count; ++i) {
            HANDLE file = CreateFileA(FileName(dir, i).c_str(), GENERIC_WRITE, 0, nullptr,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
        }
        made_.emplace_back(dir, count);
        return dir;
    }

private:
    static std::string FileName(const std::string& dir, std::size_t i) {
        return dir + "\\entry" + std::to_string(i) + (i % 3 == 0 ? ".lnk" : ".txt");
    }

    std::string root_;
    std::vector<std::pair<std::string, std::size_t>> made_;
};

// ---- Floors -----------------------------------------------------------

std::size_t EnumerateFolder(const std::string& dir) {
    std::size_t n = 0;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(WidenFromSystem(dir + "\\*.*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    do ++n;
    while (FindNextFileW(search, &found));
    FindClose(search);
    return n;
}

std::size_t EnumerateDesktopNamespace() {
    IShellFolder* desktop = nullptr;
    if (FAILED(SHGetDesktopFolder(&desktop))) return 0;
    IEnumIDList* objects = nullptr;
    std::size_t n = 0;
    if (SUCCEEDED(desktop->EnumObjects(
            nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN, &objects)) &&
        objects) {
        LPITEMIDLIST item = nullptr;
        while (objects->Next(1, &item, nullptr) == S_OK) {
            CoTaskMemFree(item);
            ++n;
        }
        objects->Release();
    }
    desktop->Release();
    return n;
}

// Inserts `count` string entries into `menu` at the end.
void InsertEntries(HMENU menu, std::size_t count) {
    wchar_t text[] = L"entry0000.txt";
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_TYPE;
    info.fType = MFT_STRING;
    info.dwTypeData = text;
    for (std::size_t i = 0; i < count; ++i) {
        info.wID = static_cast<UINT>(CMD_DESKTOP_BASE + i % kMaxDesktopEntries);
        InsertMenuItemW(menu, static_cast<UINT>(i), TRUE, &info);
    }
}

double InsertFloorMs(std::size_t count) {
    HMENU menu = nullptr;
    const double ms = MedianMs(kRepetitions, [&] { InsertEntries(menu, count); },
                               [&] {
                                   if (menu) DestroyMenu(menu);
                                   menu = CreatePopupMenu();
                               });
    DestroyMenu(menu);
    return ms;
}

// Creating and destroying menus is a round trip to the window system each;
// a build of nested groups does it once per group.
double MenuLifetimeFloorMs(std::size_t count) {
    std::vector<HMENU> menus(count);
    return MedianMs(kRepetitions, [&] {
        for (HMENU& m : menus) m = CreatePopupMenu();
        for (HMENU m : menus) DestroyMenu(m);
    });
}

// ---- Measured work ----------------------------------------------------

// Entries in every distinct menu of a build (shared submenus once).
std::size_t EntriesBuilt(const PopupMenus& menus) {
    std::vector<HMENU> all = menus.Submenus();
    for (HMENU m : {menus.FolderAndCommandMenu(), menus.FolderMenu(), menus.CommandMenu(),
                    menus.DesktopSubmenu()})
        all.push_back(m);
    std::size_t n = 0;
    for (HMENU m : all) n += static_cast<std::size_t>(std::max(0, GetMenuItemCount(m)));
    return n;
}

void Report(const char* what, double ms, double floorMs) {
    std::printf("%-44s %9.3f ms   floor %9.3f ms   ratio %5.2f\n", what, ms, floorMs,
                floorMs > 0 ? ms / floorMs : 0.0);
}

void BenchBuild(Scratch& scratch) {
    const std::string empty = scratch.FolderWith(0);
    const FolderSettings settings = ThousandItems();
    OptionsRecord options;
    PopupMenus menus;
    menus.SetDesktopDirectories({WidenFromSystem(empty)});
    // Each run also releases the previous run's menus, as a rebuild does.
    const double ms = MedianMs(kRepetitions, [&] { menus.BuildMenus(settings, options, true); });
    const std::size_t entries = EntriesBuilt(menus);
    const std::size_t menuCount = menus.Submenus().size() + 4;
    const double insertMs = InsertFloorMs(entries);
    const double lifetimeMs = MenuLifetimeFloorMs(menuCount);
    const double shellMs = MedianMs(kRepetitions, [] { EnumerateDesktopNamespace(); });
    std::printf("BuildMenus: 1000 user items, %zu menus, %zu entries in all\n", menuCount, entries);
    std::printf(
        "  floor parts: create+destroy menus %.3f ms, InsertMenuItemW %.3f ms, "
        "desktop IShellFolder %.3f ms\n",
        lifetimeMs, insertMs, shellMs);
    Report("  BuildMenus", ms, lifetimeMs + insertMs + shellMs);
}

struct RefillFigures {
    double ms;
    double floorMs;
};

RefillFigures BenchRefill(Scratch& scratch, std::size_t files) {
    const std::string dir = scratch.FolderWith(files);
    PopupMenus menus;
    menus.SetDesktopDirectories({WidenFromSystem(dir)});
    FolderSettings settings;
    menus.BuildMenus(settings, OptionsRecord(), true);
    HMENU top = menus.FolderMenu();
    const double ms = MedianMs(kRepetitions, [&] { menus.OnInitMenu(top); });
    const std::size_t entries = static_cast<std::size_t>(GetMenuItemCount(menus.DesktopSubmenu()));

    const double findMs = MedianMs(kRepetitions, [&] { EnumerateFolder(dir); });
    const double shellMs = MedianMs(kRepetitions, [] { EnumerateDesktopNamespace(); });
    const double insertMs = InsertFloorMs(entries);
    std::printf("Desktop refill: %zu files, %zu entries (%zu shell objects)\n", files, entries,
                menus.DesktopShellItemCount());
    std::printf(
        "  floor parts: FindFirstFileW %.3f ms, desktop IShellFolder %.3f ms, "
        "InsertMenuItemW %.3f ms\n",
        findMs, shellMs, insertMs);
    Report("  refill on WM_INITMENU", ms, findMs + shellMs + insertMs);
    return RefillFigures{ms, findMs + shellMs + insertMs};
}

// Emptying a menu from its first entry moves every later entry each time;
// from the last, nothing moves.
void BenchRemoval(std::size_t count) {
    HMENU menu = nullptr;
    auto refill = [&] {
        if (menu) DestroyMenu(menu);
        menu = CreatePopupMenu();
        InsertEntries(menu, count);
    };
    const double front = MedianMs(
        kRepetitions,
        [&] {
            while (GetMenuItemCount(menu) > 0) RemoveMenu(menu, 0, MF_BYPOSITION);
        },
        refill);
    const double back = MedianMs(
        kRepetitions,
        [&] {
            for (int i = GetMenuItemCount(menu) - 1; i >= 0; --i)
                RemoveMenu(menu, i, MF_BYPOSITION);
        },
        refill);
    DestroyMenu(menu);
    std::printf("Emptying %zu entries: from the first %.3f ms, from the last %.3f ms\n", count,
                front, back);
}

}  // namespace
}  // namespace tellaro

int main() {
    using namespace tellaro;
    CoInitialize(nullptr);
    std::printf("Median of %d runs each.\n", kRepetitions);
    {
        Scratch scratch;
        BenchBuild(scratch);
        BenchRefill(scratch, 0);
        const RefillFigures at1000 = BenchRefill(scratch, 1000);
        const RefillFigures at5000 = BenchRefill(scratch, 5000);
        std::printf("Growth from 1000 to 5000 files: refill x%.2f, floor x%.2f\n",
                    at5000.ms / at1000.ms, at5000.floorMs / at1000.floorMs);
        BenchRemoval(5000);
    }
    CoUninitialize();
    return 0;
}
