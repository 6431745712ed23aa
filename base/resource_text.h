// Texts of the program's string table, in the ANSI code page.
#pragma once

#include <windows.h>

#include <string>

namespace tellaro {

// The string `id` of the module's string table in the language chosen at
// start-up; empty when it has none.
std::string LoadResourceString(int id);
// The same from another module's string table.
std::string LoadResourceString(HINSTANCE module, int id);

// The system's own words for an error code, in English when the program
// speaks English and the system has them, else in its language; empty when
// it has none.
std::string SystemErrorText(DWORD error);

}  // namespace tellaro
