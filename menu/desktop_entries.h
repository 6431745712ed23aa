// The rules of the desktop submenu that need no shell: entry texts, which
// shell objects the directory listings already cover, how many entries fit,
// and what an entry number refers to. Portable: no Windows headers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "menu/menu_layout.h"

namespace tellaro {

// Desktop ids run from CMD_DESKTOP_BASE up to, not including, CMD_DESKTOP_LIMIT.
constexpr std::size_t kMaxDesktopEntries = CMD_DESKTOP_LIMIT - CMD_DESKTOP_BASE;

// Attributes (SFGAO_CANCOPY | CANMOVE | CANLINK | CANRENAME | CANDELETE |
// HASPROPSHEET | DROPTARGET) that together mark an ordinary file or folder.
constexpr std::uint32_t kPlainObjectAttributes = 0x177;

// An object carrying every attribute of the mask is listed by the directory
// pass and must not appear a second time among the shell objects.
inline bool IsPlainFileSystemObject(std::uint32_t attributes) {
    return (attributes & kPlainObjectAttributes) == kPlainObjectAttributes;
}

// The text of a directory listing's entry: a directory gets " <DIR>"; a
// shortcut (last extension ".lnk" in any case) loses the extension. Names
// come as the file system has them (UTF-16): the code page would show a name
// it lacks as "?" or as a look-alike.
std::wstring DesktopEntryText(const std::wstring& name, bool isDirectory);

// What desktop entry n refers to, with the shell objects first.
struct DesktopEntryRef {
    enum class Kind : std::uint8_t { None, ShellItem, Path };
    Kind kind = Kind::None;
    std::size_t index = 0;  // into the shell items or the paths

    bool operator==(const DesktopEntryRef& o) const { return kind == o.kind && index == o.index; }
};

DesktopEntryRef ResolveDesktopEntry(std::size_t n, std::size_t shellItemCount,
                                    std::size_t pathCount);

}  // namespace tellaro
