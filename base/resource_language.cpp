#include "base/resource_language.h"

#include "base/module_instance.h"

namespace tellaro {

namespace {
UiLanguage g_language = UiLanguage::kJapanese;

const void* FindIn(HINSTANCE module, LPCSTR type, int id, WORD language, DWORD* size) {
    HRSRC found = FindResourceExA(module, type, MAKEINTRESOURCEA(id), language);
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data != nullptr && size != nullptr) *size = SizeofResource(module, found);
    return data;
}
}  // namespace

void ChooseResourceLanguage() {
    SetResourceLanguage(ChooseUiLanguage(GetACP(), GetUserDefaultUILanguage()));
}

void SetResourceLanguage(UiLanguage language) {
    g_language = language;
}

UiLanguage ResourceLanguage() {
    return g_language;
}

const void* FindProgramResource(HINSTANCE module, LPCSTR type, int id, DWORD* size) {
    if (id <= 0 || id > 0xFFFF) return nullptr;
    if (size != nullptr) *size = 0;
    const void* data = FindIn(module, type, id, ResourceLanguageId(g_language), size);
    if (data == nullptr && g_language != UiLanguage::kJapanese)
        data = FindIn(module, type, id, ResourceLanguageId(UiLanguage::kJapanese), size);
    return data;
}

HMENU LoadProgramMenu(int id) {
    return LoadProgramMenu(ModuleInstance(), id);
}

HMENU LoadProgramMenu(HINSTANCE module, int id) {
    const void* menu = FindProgramResource(module, RT_MENU, id, nullptr);
    return menu != nullptr ? LoadMenuIndirectA(menu) : nullptr;
}

}  // namespace tellaro
