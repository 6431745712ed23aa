// Texts of the program's string table, in the ANSI code page.
#pragma once

#include <windows.h>

#include <string>

namespace tellaro {

// The string `id` of the module's string table; empty when it has none.
std::string LoadResourceString(int id);
// The same from another module's string table.
std::string LoadResourceString(HINSTANCE module, int id);

// The system's own words for an error code, in its language; empty when
// it has none.
std::string SystemErrorText(DWORD error);

}  // namespace tellaro
