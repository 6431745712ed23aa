// The module whose resources the program loads: the executable, set by the
// program entry; the Win32 tests set their own.
#pragma once

#include <windows.h>

namespace tellaro {

HINSTANCE ModuleInstance();
void SetModuleInstance(HINSTANCE instance);

// The program's icon `id` at the system's small-icon size, which grows with
// the DPI. Loaded once and shared however often it is asked for: never to
// be destroyed.
HICON SmallProgramIcon(int id);

}  // namespace tellaro
