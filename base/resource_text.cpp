#include "base/resource_text.h"

#include <windows.h>

#include "base/module_instance.h"
#include "base/resource_language.h"

namespace tellaro {

std::string LoadResourceString(int id) {
    return LoadResourceString(ModuleInstance(), id);
}

std::string LoadResourceString(HINSTANCE module, int id) {
    // A string table block holds sixteen counted UTF-16 texts.
    if (id < 0 || id > 0xFFFF) return std::string();
    DWORD size = 0;
    const auto* text =
        static_cast<const WCHAR*>(FindProgramResource(module, RT_STRING, id / 16 + 1, &size));
    if (text == nullptr) return std::string();
    const WCHAR* const end = text + size / sizeof(WCHAR);
    for (int skip = id % 16; skip > 0 && text < end; --skip) text += 1 + *text;
    if (text >= end || *text == 0 || *text > end - text - 1) return std::string();
    const int length = *text;
    const int bytes =
        WideCharToMultiByte(CP_ACP, 0, text + 1, length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return std::string();
    std::string out(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, text + 1, length, &out[0], bytes, nullptr, nullptr);
    return out;
}

std::string SystemErrorText(DWORD error) {
    // The system's words in the language of the program's own, when it has
    // them; an English text follows an English message.
    const DWORD flags =
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
    char* text = nullptr;
    DWORD length = 0;
    if (ResourceLanguage() == UiLanguage::kEnglish)
        length = FormatMessageA(flags, nullptr, error, ResourceLanguageId(UiLanguage::kEnglish),
                                reinterpret_cast<char*>(&text), 0, nullptr);
    if (length == 0)
        length =
            FormatMessageA(flags, nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string out(text != nullptr ? text : "", length);
    if (text != nullptr) LocalFree(text);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r' || out.back() == ' '))
        out.pop_back();
    return out;
}

}  // namespace tellaro
