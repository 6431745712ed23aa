// Which of the program's two sets of texts a system can show.
#pragma once

namespace tellaro {

enum class UiLanguage { kJapanese, kEnglish };

// The Japanese texts reach the controls through the ANSI code page, so they
// need one that holds every Japanese character: 932, or UTF-8 for a user
// who reads Japanese. Every other system gets the English texts, which are
// 7-bit and read the same in any code page.
UiLanguage ChooseUiLanguage(unsigned ansiCodePage, unsigned short userUiLanguage);

// The resources' language id (LANGID) of each set.
unsigned short ResourceLanguageId(UiLanguage language);

}  // namespace tellaro
