// Process entry of Tellaro Explorer.
#include <windows.h>

#include "app/tray_application.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    return tellaro::RunTellaro(instance, commandLine);
}
