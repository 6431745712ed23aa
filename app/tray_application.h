// The program's application object: COM for the thread, the controller, and
// the hand-over of every dialog message to it.
#pragma once

#include <memory>

#include "ui/framework/application.h"

namespace tellaro {

class TrayApp;
struct TrayAppConfig;

class TrayApplication : public Application {
public:
    TrayApplication();
    // Tests keep the settings file in a folder of their own.
    explicit TrayApplication(const TrayAppConfig& config);
    ~TrayApplication() override;

    // 0, or -1 when the controller cannot be created or started.
    virtual int InitInstance(const char* commandLine);
    virtual int ExitInstance();
    int OnDialogMessage(DialogMessage& record) override;

    TrayApp* GetTrayApp() const { return trayApp_.get(); }

private:
    std::unique_ptr<TrayAppConfig> config_;
    std::unique_ptr<TrayApp> trayApp_;
    bool comInitialized_ = false;
};

// The process entry's work: single-instance probe, application, message loop.
// Returns the process exit code.
int RunTellaro(HINSTANCE instance, const char* commandLine);

}  // namespace tellaro
