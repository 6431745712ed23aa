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

}  // namespace

ModuleVersion ProbeDllVersion(const char* library, DWORD fallbackMajor) {
    ModuleVersion version;
    HMODULE module = LoadLibraryA(library);
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
    static HMODULE module = LoadLibraryA("comctl32.dll");
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
    api.module = LoadLibraryA("comctl32.dll");
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
