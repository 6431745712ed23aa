#include "base/resource_text.h"

#include <windows.h>

#include "base/module_instance.h"

namespace tellaro {

std::string LoadResourceString(int id) {
    return LoadResourceString(ModuleInstance(), id);
}

std::string LoadResourceString(HINSTANCE module, int id) {
    // LoadStringA cuts a text that does not fit, short of a double-byte
    // character it cannot copy whole: grow until it ends well inside.
    std::string text(256, '\0');
    for (;;) {
        int length =
            LoadStringA(module, static_cast<UINT>(id), &text[0], static_cast<int>(text.size()));
        if (length <= 0) return std::string();
        if (static_cast<std::size_t>(length) + 2 < text.size()) {
            text.resize(static_cast<std::size_t>(length));
            return text;
        }
        text.assign(text.size() * 2, '\0');
    }
}

std::string SystemErrorText(DWORD error) {
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string out(text != nullptr ? text : "", length);
    if (text != nullptr) LocalFree(text);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r' || out.back() == ' '))
        out.pop_back();
    return out;
}

}  // namespace tellaro
