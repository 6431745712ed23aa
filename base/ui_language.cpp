#include "base/ui_language.h"

namespace tellaro {

namespace {
constexpr unsigned kShiftJis = 932;
constexpr unsigned kUtf8 = 65001;
constexpr unsigned short kLangJapanese = 0x11;
constexpr unsigned short kJapaneseJapan = 0x0411;
constexpr unsigned short kEnglishUs = 0x0409;

// The primary language, whatever the region or sort order.
unsigned short PrimaryLanguage(unsigned short langId) {
    return langId & 0x3FF;
}
}  // namespace

UiLanguage ChooseUiLanguage(unsigned ansiCodePage, unsigned short userUiLanguage) {
    if (ansiCodePage == kShiftJis) return UiLanguage::kJapanese;
    if (ansiCodePage == kUtf8 && PrimaryLanguage(userUiLanguage) == kLangJapanese)
        return UiLanguage::kJapanese;
    return UiLanguage::kEnglish;
}

unsigned short ResourceLanguageId(UiLanguage language) {
    return language == UiLanguage::kJapanese ? kJapaneseJapan : kEnglishUs;
}

}  // namespace tellaro
