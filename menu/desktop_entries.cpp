#include "menu/desktop_entries.h"

namespace tellaro {

namespace {

constexpr wchar_t kShortcutExtension[] = L".LNK";
constexpr wchar_t kDirectorySuffix[] = L" <DIR>";

// Only a-z is folded, as a locale-independent rule: the shell too matches
// ".lnk" without regard to case, and a full-width "ＬＮＫ" is another name.
bool IsShortcutExtension(const std::wstring& ext) {
    if (ext.size() != sizeof(kShortcutExtension) / sizeof(wchar_t) - 1) return false;
    for (std::size_t i = 0; i < ext.size(); ++i) {
        wchar_t c = ext[i];
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
        if (c != kShortcutExtension[i]) return false;
    }
    return true;
}

}  // namespace

std::wstring DesktopEntryText(const std::wstring& name, bool isDirectory) {
    if (isDirectory) return name + kDirectorySuffix;
    const std::size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos && IsShortcutExtension(name.substr(dot)))
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
