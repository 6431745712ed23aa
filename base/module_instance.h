// The module whose resources the program loads: the executable, set by the
// program entry; the Win32 tests set their own.
#pragma once

#include <windows.h>

namespace tellaro {

HINSTANCE ModuleInstance();
void SetModuleInstance(HINSTANCE instance);

}  // namespace tellaro
