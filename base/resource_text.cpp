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

}  // namespace tellaro
