#include "base/module_instance.h"

namespace tellaro {

namespace {
HINSTANCE g_moduleInstance = nullptr;
}

HINSTANCE ModuleInstance() {
    return g_moduleInstance != nullptr ? g_moduleInstance : GetModuleHandleA(nullptr);
}

void SetModuleInstance(HINSTANCE instance) { g_moduleInstance = instance; }

HICON SmallProgramIcon(int id) {
    return static_cast<HICON>(LoadImageA(ModuleInstance(), MAKEINTRESOURCEA(id), IMAGE_ICON,
                                         GetSystemMetrics(SM_CXSMICON),
                                         GetSystemMetrics(SM_CYSMICON), LR_SHARED));
}

}  // namespace tellaro
