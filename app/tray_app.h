// The controller: owns every window, the tray icon, the popup menus and the
// live settings, and turns messages and commands into actions.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "base/base_object.h"
#include "config/folder_model.h"
#include "config/options_record.h"
#include "menu/menu_layout.h"
#include "res/resource.h"
#include "ui/framework/dialog_message.h"

namespace tellaro {

class SettingsWindow;
class AboutDialog;
class OptionsDialog;
class TrayIcon;
class SystemInfo;
class PopupMenus;
class SettingsStore;
class StorageNotifier;
class Window;

// Where the controller keeps its settings file; tests point it elsewhere.
struct TrayAppConfig {
    std::wstring settingsFolder;          // empty: the per-user settings folder
    bool besideProgram = false;           // a portable copy's own folder
    StorageNotifier* notifier = nullptr;  // null: message boxes
};

class TrayApp : public BaseObject {
public:
    TrayApp();
    explicit TrayApp(const TrayAppConfig& config);
    ~TrayApp() override;
    TrayApp(const TrayApp&) = delete;
    TrayApp& operator=(const TrayApp&) = delete;

    int Initialize() override;
    int Release() override;
    virtual int OnDialogMessage(DialogMessage& record);
    virtual void OnCommand(const DialogMessage& record);
    // `from` is the window the command came from: the dialog opens on its
    // monitor while it is on screen.
    virtual void ToggleOptionsDialog(HWND from);
    virtual void ToggleAboutDialog(HWND from);
    virtual void ShowHelpContents();
    virtual void OnSettingsOk();
    virtual void OnSettingsCancel();
    virtual void ShowSettingsHelp();
    virtual void OnOptionsOk();
    virtual void OnOptionsCancel();
    virtual void ShowOptionsHelp();
    virtual void ShowPropertiesHelp(HWND dialog);
    virtual void ReloadSettingsWindow();
    virtual void RunFixedCommand(std::uint16_t id);
    virtual void OpenSpecialFolder1(std::uint16_t id);
    virtual void OpenSpecialFolder2(std::uint16_t id);
    virtual void OpenUserItem(std::uint16_t id);
    virtual void OpenDesktopEntry(std::uint16_t id);
    virtual void OnHotKey(const DialogMessage& record);
    virtual void OnInitMenu(const DialogMessage& record);
    virtual void OnTrayNotify(const DialogMessage& record);
    virtual void OnLinkClicked(WPARAM which);
    virtual void OnOpenSpecialFolderMessage(LPARAM node);
    virtual void OnSecondLaunch();
    // The user's own exit (MSG_EXIT): waits for a modal loop to end.
    virtual void OnExitCommand();
    // Another program's WM_CLOSE, or the end of the session: ends every
    // modal loop at once and exits when they have unwound.
    virtual void ExitFromOutside();
    // Launches that failed on their threads: says so, each with the system's
    // reason. The message's parameters are never read: any program can post it.
    virtual void OnLaunchFailed();
    virtual int ItemFilePath(std::wstring& path);
    // The folder the settings are kept in, in a window of the shell's.
    virtual void OpenSettingsFolder();
    // Lets the user choose a kept save and loads it into the settings window.
    virtual void RestoreKeptSave();
    // The settings window's tree as it stands, to a settings file the user
    // names, and a settings file's tree into the window as one undoable
    // step; the options stay as they are. The file dialogs' answers go to
    // the two below, which tests call directly: 0, or -1 after telling
    // the user.
    virtual void SaveTreeToFile();
    virtual void OpenTreeFromFile();
    int SaveTreeTo(const std::wstring& path);
    int OpenTreeFrom(const std::wstring& path);
    virtual int ImportLegacyIni();
    virtual int LoadItemFile();
    virtual int SaveItemFile();
    virtual int CreateDirectoryTree(const std::wstring& path);
    virtual int OpenInBrowser(const char* url);
    virtual int RegisterPopupHotKey();
    virtual int UnregisterPopupHotKey();
    virtual int ShowPopupMenu(std::uint8_t popupKind, bool nearTray);
    virtual int BuildMenus();
    virtual int DestroyMenus();

    // Read access for tests and the other parts of the controller. The
    // dialogs are null until first opened.
    SettingsWindow* GetSettingsWindow() const { return settingsWindow_.get(); }
    AboutDialog* GetAboutDialog() const { return aboutDialog_.get(); }
    OptionsDialog* GetOptionsDialog() const { return optionsDialog_.get(); }
    TrayIcon* GetTrayIcon() const { return trayIcon_.get(); }
    PopupMenus* GetPopupMenus() const { return menus_.get(); }
    const FolderSettings& GetFolderSettings() const { return folderSettings_; }
    const OptionsRecord& GetOptions() const { return options_; }
    std::uint32_t GetClickCounter() const { return clickCounter_; }
    HWND MainWindow() const;
    // Replaces the live settings as an OK of the settings window or the
    // options dialog would, without saving.
    void SetSettingsForTest(const FolderSettings& settings, const OptionsRecord& options);

private:
    int CreateWindows();
    int CreateTrayIcon();
    AboutDialog* AboutDialogMadeNow();
    OptionsDialog* OptionsDialogMadeNow();
    FolderSettings CurrentFolderSettings() const;
    void BringRemainingForward(Window* preferred);
    void ShowSettingsWindow();
    // The folder of the item file; empty when there is none.
    std::wstring SettingsFolder();
    // While a modal loop runs, the icon, the hotkey and a second launch
    // only bring the window that waits for the user to the front.
    void BringWaitingWindowForward() const;
    // Ends the menu and every message box and modal dialog of this thread.
    void EndWaitingLoops() const;
    void TakeDoubleClickAction(std::uint8_t action);
    bool HasSecondSpecialMenu() const;

    TrayAppConfig config_;
    std::unique_ptr<SettingsWindow> settingsWindow_;
    std::unique_ptr<AboutDialog> aboutDialog_;
    std::unique_ptr<OptionsDialog> optionsDialog_;
    std::unique_ptr<TrayIcon> trayIcon_;
    std::unique_ptr<SystemInfo> systemInfo_;
    std::unique_ptr<StorageNotifier> defaultNotifier_;
    std::unique_ptr<SettingsStore> store_;
    std::unique_ptr<PopupMenus> menus_;
    FolderSettings folderSettings_;
    OptionsRecord options_;
    std::uint32_t clickCounter_ = 2;
    bool reportingLaunchFailures_ = false;
    HHOOK postedNotificationHook_ = nullptr;
    UINT taskbarCreatedMessage_ = 0;
};

}  // namespace tellaro
