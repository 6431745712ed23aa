// The controller: owns every window, the tray icon, the popup menus and the
// live settings, and turns messages and commands into actions.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "config/folder_model.h"
#include "config/options_record.h"
#include "ui/framework/base_object.h"
#include "ui/framework/dialog_message.h"

namespace tellaro {

class SettingsWindow;
class AboutDialog;
class OptionsDialog;

// The program's private window messages.
constexpr UINT MSG_TRAY_NOTIFY = 1124;
constexpr UINT MSG_LINK_CLICKED = 1413;
constexpr UINT MSG_OPEN_NODE = 1414;
constexpr UINT MSG_SECOND_LAUNCH = 1415;

class TrayApp : public BaseObject {
public:
    TrayApp();
    ~TrayApp() override;
    TrayApp(const TrayApp&) = delete;
    TrayApp& operator=(const TrayApp&) = delete;

    int Initialize() override;
    int Release() override;
    virtual int OnDialogMessage(DialogMessage& record);
    virtual void OnCommand(const DialogMessage& record);
    virtual void ToggleOptionsDialog();
    virtual void ToggleAboutDialog();
    virtual void ShowHelpContents();
    virtual void OnSettingsOk();
    virtual void OnSettingsCancel();
    virtual void ShowSettingsHelp();
    virtual void OnOptionsOk();
    virtual void OnOptionsCancel();
    virtual void ShowOptionsHelp();
    virtual void ReloadSettingsWindow();
    virtual int LoadItemFile();
    virtual int SaveItemFile();
    virtual int BuildMenus();
    virtual int DestroyMenus();

    // Read access for tests and the other parts of the controller.
    SettingsWindow* GetSettingsWindow() const { return settingsWindow_.get(); }
    AboutDialog* GetAboutDialog() const { return aboutDialog_.get(); }
    OptionsDialog* GetOptionsDialog() const { return optionsDialog_.get(); }
    const FolderSettings& GetFolderSettings() const { return folderSettings_; }
    const OptionsRecord& GetOptions() const { return options_; }
    HWND MainWindow() const;

private:
    FolderSettings CurrentFolderSettings() const;
    void BringRemainingForward(bool settingsClosed);

    std::unique_ptr<SettingsWindow> settingsWindow_;
    std::unique_ptr<AboutDialog> aboutDialog_;
    std::unique_ptr<OptionsDialog> optionsDialog_;
    FolderSettings folderSettings_;
    OptionsRecord options_;
};

}  // namespace tellaro
