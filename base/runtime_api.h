// Every entry point the program looks up at run time, with its type, in one
// place. The common controls library is loaded by name because its version
// differs between systems; shell32's DllGetVersion may be absent on old ones.
#pragma once

#include <windows.h>

namespace tellaro {

struct ModuleVersion {
    DWORD major = 0;
    DWORD minor = 0;
    DWORD build = 0;
    DWORD platform = 0;
};

namespace runtime_api {

// DLLVERSIONINFO as DllGetVersion fills it (five DWORDs, cbSize 20).
struct DllVersionInfo {
    DWORD cbSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformID;
};
using DllGetVersionFn = HRESULT(CALLBACK*)(DllVersionInfo*);
using InitCommonControlsFn = void(WINAPI*)();

// Loads the library, calls its DllGetVersion and frees it again. A missing
// library gives 0.0; a library without the export gives `fallbackMajor`.0.
ModuleVersion ProbeDllVersion(const char* library, DWORD fallbackMajor);

// Registers the common control classes (tree view, hot key, up-down) so that
// dialog templates using them can be created. Returns false when comctl32 or
// its InitCommonControls cannot be found.
bool InitCommonControlsOnce();

}  // namespace runtime_api
}  // namespace tellaro
