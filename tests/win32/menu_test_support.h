// Reads real menus back for the popup menu tests.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tellaro {
namespace menu_test {

struct ReadEntry {
    UINT type = 0;
    UINT state = 0;
    UINT id = 0;
    HMENU submenu = nullptr;
    std::string text;
    std::wstring wideText;  // as inserted; `text` is the code page's reading

    bool IsSeparator() const { return (type & MFT_SEPARATOR) != 0; }
    bool IsGrayed() const { return (state & MFS_GRAYED) != 0; }
    bool IsDefault() const { return (state & MFS_DEFAULT) != 0; }
};

inline std::vector<ReadEntry> ReadMenu(HMENU menu) {
    std::vector<ReadEntry> out;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[512] = {};
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_TYPE | MIIM_STATE | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = sizeof(text);
        ReadEntry e;
        if (GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info)) {
            e.type = info.fType;
            e.state = info.fState;
            e.id = info.wID;
            e.submenu = info.hSubMenu;
            if (!e.IsSeparator()) e.text = text;
        }
        wchar_t wide[512] = {};
        MENUITEMINFOW wideInfo = {};
        wideInfo.cbSize = sizeof(wideInfo);
        wideInfo.fMask = MIIM_STRING;
        wideInfo.dwTypeData = wide;
        wideInfo.cch = 512;
        if (!e.IsSeparator() && GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &wideInfo))
            e.wideText = wide;
        out.push_back(e);
    }
    return out;
}

// A compact line per entry: "-" separator, ">text" submenu, "~text:id"
// grayed, "text:id" string, "*" appended when default.
inline std::string Describe(const ReadEntry& e) {
    if (e.IsSeparator()) return "-";
    if (e.submenu) return ">" + e.text;
    std::string line = (e.IsGrayed() ? "~" : "") + e.text + ":" + std::to_string(e.id);
    return e.IsDefault() ? line + "*" : line;
}

inline std::vector<std::string> DescribeMenu(HMENU menu) {
    std::vector<std::string> out;
    for (const ReadEntry& e : ReadMenu(menu)) out.push_back(Describe(e));
    return out;
}

// The string-table text as this module's LoadStringA gives it (CP932 bytes).
inline std::string Text(int id) {
    char buffer[256] = {};
    const int n = LoadStringA(GetModuleHandleA(nullptr), static_cast<UINT>(id), buffer, 256);
    return std::string(buffer, n > 0 ? n : 0);
}

// Every menu reachable from `menu` through submenu entries, `menu` included.
inline void CollectMenus(HMENU menu, std::vector<HMENU>& out) {
    if (!menu) return;
    out.push_back(menu);
    for (const ReadEntry& e : ReadMenu(menu)) CollectMenus(e.submenu, out);
}

}  // namespace menu_test
}  // namespace tellaro
