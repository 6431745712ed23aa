#include "base/module_instance.h"

namespace tellaro {

namespace {
HINSTANCE g_moduleInstance = nullptr;
}

HINSTANCE ModuleInstance() {
    return g_moduleInstance != nullptr ? g_moduleInstance : GetModuleHandleA(nullptr);
}

void SetModuleInstance(HINSTANCE instance) { g_moduleInstance = instance; }

}  // namespace tellaro
