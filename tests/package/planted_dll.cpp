// A DLL to plant beside a program under a system library's name: when any
// process loads it, it appends that process's path to a file named after
// itself (uxtheme.dll.loaded, ...) in the folder TELLARO_PLANTED_MARKERS
// names. It exports nothing; a process that takes it for the real library
// gets no working function from it, but the marker is written first.
#include <windows.h>

namespace {

const char* FileNamePart(const char* path) {
    const char* name = path;
    for (const char* p = path; *p != '\0'; ++p) {
        if (*p == '\\' || *p == '/') name = p + 1;
    }
    return name;
}

void WriteMarker(HINSTANCE self) {
    char folder[MAX_PATH];
    const DWORD folderLength = GetEnvironmentVariableA("TELLARO_PLANTED_MARKERS", folder, MAX_PATH);
    if (folderLength == 0 || folderLength >= MAX_PATH) return;
    char module[MAX_PATH];
    char process[MAX_PATH];
    if (GetModuleFileNameA(self, module, MAX_PATH) == 0) return;
    const DWORD processLength = GetModuleFileNameA(nullptr, process, MAX_PATH - 2);
    // No user32: the DLL may stand in for one of its own dependencies.
    char marker[2 * MAX_PATH + 16];
    lstrcpyA(marker, folder);
    lstrcatA(marker, "\\");
    lstrcatA(marker, FileNamePart(module));
    lstrcatA(marker, ".loaded");
    HANDLE file = CreateFileA(marker, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    process[processLength] = '\r';
    process[processLength + 1] = '\n';
    DWORD written = 0;
    WriteFile(file, process, processLength + 2, &written, nullptr);
    CloseHandle(file);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) WriteMarker(self);
    return TRUE;
}
