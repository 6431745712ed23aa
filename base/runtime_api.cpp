#include "base/runtime_api.h"

namespace tellaro {
namespace runtime_api {

namespace {

template <typename Fn>
Fn Lookup(HMODULE module, const char* name) {
    // GetProcAddress returns a generic function pointer; the cast through
    // void* keeps compilers quiet about the differing signature.
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// Set once, before the process has a second thread.
bool g_searchFlagsWork = false;

bool RedirectedByManifest(const char* name) {
    ACTCTX_SECTION_KEYED_DATA data = {};
    data.cbSize = sizeof(data);
    return FindActCtxSectionStringA(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION, name,
                                    &data) != FALSE;
}

}  // namespace

void RestrictLibrarySearch() {
    auto setDefault = Lookup<SetDefaultDllDirectoriesFn>(GetModuleHandleA("kernel32.dll"),
                                                         "SetDefaultDllDirectories");
    g_searchFlagsWork = setDefault != nullptr && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Without it the program's folder stays first in the search for what
    // system libraries load by name; only the current directory can go.
    if (!g_searchFlagsWork) SetDllDirectoryA("");
}

HMODULE LoadSystemLibrary(const char* name) {
    if (g_searchFlagsWork) return LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return LoadSystemLibraryByPath(name);
}

HMODULE LoadSystemLibraryByPath(const char* name) {
    // A full path would bypass the manifest and give the common controls
    // of version 5; a redirected name is resolved in the side-by-side
    // store before any folder is searched.
    if (RedirectedByManifest(name)) return LoadLibraryA(name);
    char path[MAX_PATH];
    const UINT length = GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length + 1 + lstrlenA(name) >= MAX_PATH) return nullptr;
    path[length] = '\\';
    lstrcpyA(path + length + 1, name);
    return LoadLibraryA(path);
}

ModuleVersion ProbeDllVersion(const char* library, DWORD fallbackMajor) {
    ModuleVersion version;
    HMODULE module = LoadSystemLibrary(library);
    if (module == nullptr) return version;
    auto getVersion = Lookup<DllGetVersionFn>(module, "DllGetVersion");
    if (getVersion == nullptr) {
        version.major = fallbackMajor;
    } else {
        DllVersionInfo info = {};
        info.cbSize = sizeof(info);
        if (SUCCEEDED(getVersion(&info))) {
            version.major = info.dwMajorVersion;
            version.minor = info.dwMinorVersion;
            version.build = info.dwBuildNumber;
            version.platform = info.dwPlatformID;
        }
    }
    FreeLibrary(module);
    return version;
}

bool InitCommonControlsOnce() {
    // Kept loaded for the life of the process: the registered classes live
    // in this module.
    static HMODULE module = LoadSystemLibrary("comctl32.dll");
    static bool done = false;
    if (done) return true;
    if (module == nullptr) return false;
    auto init = Lookup<InitCommonControlsFn>(module, "InitCommonControls");
    if (init == nullptr) return false;
    init();
    done = true;
    return true;
}

bool LoadImageListApi(ImageListApi& api) {
    api = ImageListApi();
    api.module = LoadSystemLibrary("comctl32.dll");
    if (api.module == nullptr) return false;
#define TELLARO_API_LOOKUP(name) api.name = Lookup<decltype(api.name)>(api.module, #name);
#define TELLARO_API_TYPED_LOOKUP(name, type) TELLARO_API_LOOKUP(name)
    TELLARO_IMAGE_LIST_ENTRY_POINTS(TELLARO_API_LOOKUP, TELLARO_API_TYPED_LOOKUP)
#undef TELLARO_API_LOOKUP
#undef TELLARO_API_TYPED_LOOKUP
    return true;
}

void FreeImageListApi(ImageListApi& api) {
    if (api.module != nullptr) FreeLibrary(api.module);
    api = ImageListApi();
}

}  // namespace runtime_api
}  // namespace tellaro
