// Process entry of Tellaro Explorer.
#include <windows.h>

#include "app/tray_application.h"
#include "base/resource_language.h"
#include "base/runtime_api.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    // Before anything can load a library by name: the program's folder may
    // hold a planted DLL named like a system one.
    tellaro::runtime_api::RestrictLibrarySearch();
    tellaro::ChooseResourceLanguage();
    return tellaro::RunTellaro(instance, commandLine);
}
