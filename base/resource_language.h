// The language of every text, dialog and menu the program shows, chosen
// once at start-up, and the loads that follow it.
#pragma once

#include <windows.h>

#include "base/ui_language.h"

namespace tellaro {

// Chooses from the system's ANSI code page and the user's interface
// language; called once by the program entry (and the test runners).
void ChooseResourceLanguage();
// Japanese until chosen otherwise.
void SetResourceLanguage(UiLanguage language);
UiLanguage ResourceLanguage();

// Resource `id` of `type` in the chosen language, else the Japanese one
// that every resource has; its size in `size`. Null when neither exists.
// The loader's own choice follows the interface language alone, which may
// pick texts the code page cannot show.
const void* FindProgramResource(HINSTANCE module, LPCSTR type, int id, DWORD* size);

// Menu `id` of the program's module (or `module`) in the chosen language;
// the caller destroys it.
HMENU LoadProgramMenu(int id);
HMENU LoadProgramMenu(HINSTANCE module, int id);

}  // namespace tellaro
