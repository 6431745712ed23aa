#include "app/tray_application.h"

#include <objbase.h>

#include <new>
#include <optional>

#include "app/tray_app.h"
#include "base/runtime_api.h"
#include "config/portable_copy.h"
#include "ui/framework/dialog.h"

namespace tellaro {

namespace {
constexpr char kMutexName[] = "Tellaro";
constexpr char kMainCaption[] = "Tellaro Explorer";
}  // namespace

TrayApplication::TrayApplication() : TrayApplication(TrayAppConfig()) {}

TrayApplication::TrayApplication(const TrayAppConfig& config)
    : config_(new TrayAppConfig(config)) {
    comInitialized_ = SUCCEEDED(CoInitialize(nullptr));
}

TrayApplication::~TrayApplication() {
    ExitInstance();
    if (comInitialized_) CoUninitialize();
}

int TrayApplication::InitInstance(const char* commandLine) {
    if (ParseCommandLine(commandLine) != 0) return -1;
    if (trayApp_) return 0;
    // The settings and options templates hold tree-view, hot-key and up-down
    // controls, whose classes must exist before the dialogs are created.
    runtime_api::InitCommonControlsOnce();
    trayApp_.reset(new (std::nothrow) TrayApp(*config_));
    if (!trayApp_) return -1;
    return trayApp_->Initialize() == 0 ? 0 : -1;
}

int TrayApplication::ExitInstance() {
    trayApp_.reset();
    return 0;
}

int TrayApplication::OnDialogMessage(DialogMessage& record) {
    if (trayApp_) trayApp_->OnDialogMessage(record);
    return 0;
}

int RunTellaro(HINSTANCE instance, const char* commandLine) {
    SetModuleInstance(instance);
    HANDLE existing = OpenMutexA(MUTEX_ALL_ACCESS, FALSE, kMutexName);
    if (existing != nullptr) {
        CloseHandle(existing);
        HWND running = FindWindowA(nullptr, kMainCaption);
        if (running != nullptr) {
            PostMessageA(running, MSG_SECOND_LAUNCH, 0, 0);
            SetForegroundWindow(running);
        }
        return -1;
    }
    SECURITY_ATTRIBUTES attributes = {sizeof(attributes), nullptr, TRUE};
    HANDLE mutex = CreateMutexA(&attributes, TRUE, kMutexName);
    if (mutex == nullptr) return -1;
    {
        // The marker beside the program alone makes a copy portable.
        TrayAppConfig config;
        if (std::optional<std::wstring> folder = PortableSettingsFolder()) {
            config.settingsFolder = *folder;
            config.besideProgram = true;
        }
        std::unique_ptr<TrayApplication> app(new (std::nothrow) TrayApplication(config));
        if (!app) {
            CloseHandle(mutex);
            return -1;
        }
        if (app->InitInstance(commandLine) == 0) app->RunMessageLoop();
    }
    CloseHandle(mutex);
    return 0;
}

}  // namespace tellaro
