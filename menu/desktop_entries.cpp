#include "menu/desktop_entries.h"

namespace tellaro {

namespace {

constexpr char kShortcutExtension[] = ".LNK";
constexpr char kDirectorySuffix[] = " <DIR>";

// Only a-z is folded, as a locale-independent rule: no lead byte of the
// code page is an ASCII letter, so a match is always four plain characters.
bool IsShortcutExtension(const std::string& ext) {
    if (ext.size() != sizeof(kShortcutExtension) - 1) return false;
    for (std::size_t i = 0; i < ext.size(); ++i) {
        char c = ext[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c != kShortcutExtension[i]) return false;
    }
    return true;
}

}  // namespace

std::string DesktopEntryText(const std::string& name, bool isDirectory) {
    if (isDirectory) return name + kDirectorySuffix;
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && IsShortcutExtension(name.substr(dot)))
        return name.substr(0, dot);
    return name;
}

DesktopEntryRef ResolveDesktopEntry(std::size_t n, std::size_t shellItemCount,
                                    std::size_t pathCount) {
    DesktopEntryRef ref;
    if (n < shellItemCount) {
        ref.kind = DesktopEntryRef::Kind::ShellItem;
        ref.index = n;
    } else if (n - shellItemCount < pathCount) {
        ref.kind = DesktopEntryRef::Kind::Path;
        ref.index = n - shellItemCount;
    }
    return ref;
}

}  // namespace tellaro
