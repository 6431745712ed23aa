// Runner of the in-process Win32 tests. Resources come from this executable,
// which links the program's resource script.
#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include "base/resource_language.h"
#include "base/runtime_api.h"
#include "ui/framework/dialog.h"

int main(int argc, char** argv) {
    // As the program starts: every library found afterwards comes the way
    // the program's would.
    tellaro::runtime_api::RestrictLibrarySearch();
    tellaro::SetModuleInstance(GetModuleHandleA(nullptr));
    tellaro::ChooseResourceLanguage();
    tellaro::runtime_api::InitCommonControlsOnce();
    CoInitialize(nullptr);
    testing::InitGoogleTest(&argc, argv);
    int result = RUN_ALL_TESTS();
    CoUninitialize();
    return result;
}
