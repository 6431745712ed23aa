#include "base/system_code_page.h"

#include <windows.h>

namespace tellaro {

bool IsSystemLeadByte(unsigned char c) {
    return IsDBCSLeadByte(c) != FALSE;
}

Narrowed NarrowToSystem(const std::wstring& wide) {
    Narrowed out;
    if (wide.empty()) return out;
    const int size = static_cast<int>(wide.size());
    // UTF-8 holds every character but takes neither of the flags below
    // (WideCharToMultiByte fails outright): only an unpaired surrogate
    // cannot come out, and that is an error there.
    const bool utf8 = GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* const usedDefaultOut = utf8 ? nullptr : &usedDefault;
    const int length =
        WideCharToMultiByte(CP_ACP, flags, wide.data(), size, nullptr, 0, nullptr, usedDefaultOut);
    if (length <= 0) {
        out.usedDefaultChar = true;  // nothing came out: no name to keep
        return out;
    }
    out.text.assign(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, flags, wide.data(), size, &out.text[0], length, nullptr,
                        usedDefaultOut);
    out.usedDefaultChar = usedDefault != FALSE;
    return out;
}

std::wstring WidenFromSystem(const std::string& narrow) {
    if (narrow.empty()) return std::wstring();
    const int size = static_cast<int>(narrow.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, narrow.data(), size, nullptr, 0);
    if (length <= 0) return std::wstring();
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, narrow.data(), size, &wide[0], length);
    return wide;
}

std::string ToUtf8(const std::wstring& wide) {
    if (wide.empty()) return std::string();
    const int size = static_cast<int>(wide.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return std::string();
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, &text[0], length, nullptr, nullptr);
    return text;
}

std::optional<std::string> ToSystemAnsi(const std::wstring& wide) {
    return ExactlyNarrowed(wide, NarrowToSystem, WidenFromSystem);
}

}  // namespace tellaro
