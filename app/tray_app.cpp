#include "app/tray_app.h"

#include <new>

#include "settings/settings_window.h"
#include "ui/dialogs/about_dialog.h"
#include "ui/dialogs/options_dialog.h"

namespace tellaro {

namespace {

// Commands of the settings window, the options dialog and the window menu
// that the controller handles itself.
constexpr int kCmdAbout = 0;
constexpr int kCmdHelpContents = 40002;
constexpr int kCmdOptions = 40003;
constexpr int kCmdReloadSettings = 40028;

template <typename T, typename... Args>
std::unique_ptr<T> MakeNoThrow(Args&&... args) {
    return std::unique_ptr<T>(new (std::nothrow) T(std::forward<Args>(args)...));
}

bool IsVisible(Window* window) {
    return window != nullptr && window->GetHandle() != nullptr &&
           IsWindowVisible(window->GetHandle());
}

}  // namespace

TrayApp::TrayApp() = default;

TrayApp::~TrayApp() { Release(); }

HWND TrayApp::MainWindow() const {
    return settingsWindow_ ? settingsWindow_->GetHandle() : nullptr;
}

int TrayApp::Initialize() {
    settingsWindow_ = MakeNoThrow<SettingsWindow>();
    if (!settingsWindow_ || settingsWindow_->Open() != 0) return -1;
    HWND main = MainWindow();

    aboutDialog_ = MakeNoThrow<AboutDialog>(main);
    if (!aboutDialog_ || aboutDialog_->Create() != 0) return -1;
    aboutDialog_->Show(0);
    optionsDialog_ = MakeNoThrow<OptionsDialog>(main);
    if (!optionsDialog_ || optionsDialog_->Create() != 0) return -1;
    optionsDialog_->Show(0);
    if (settingsWindow_->InitWindow() != 0) return -1;
    settingsWindow_->Show(0);

    const int loaded = LoadItemFile();
    if (BuildMenus() != 0) return -1;
    OnSettingsCancel();
    OnOptionsCancel();
    if (loaded == 1) settingsWindow_->Show(1);
    return 0;
}

int TrayApp::Release() {
    settingsWindow_.reset();
    aboutDialog_.reset();
    optionsDialog_.reset();
    DestroyMenus();
    return 0;
}

int TrayApp::OnDialogMessage(DialogMessage& record) {
    if (aboutDialog_) aboutDialog_->OnMessage(record);
    if (optionsDialog_) optionsDialog_->OnMessage(record);
    if (settingsWindow_) settingsWindow_->OnMessage(record);
    switch (record.message) {
        case WM_DESTROY:
            // Only the main window's end is the program's end.
            if (record.window != nullptr && record.window == MainWindow()) PostQuitMessage(0);
            break;
        case WM_COMMAND:
            OnCommand(record);
            break;
    }
    return 0;
}

void TrayApp::OnCommand(const DialogMessage& record) {
    if (HIWORD(record.wParam) != 0) return;
    switch (LOWORD(record.wParam)) {
        case kCmdAbout:
            ToggleAboutDialog();
            break;
        case SettingsWindow::kOkButton:
            OnSettingsOk();
            break;
        case SettingsWindow::kCancelButton:
            OnSettingsCancel();
            break;
        case OptionsDialog::kOkButton:
            OnOptionsOk();
            break;
        case OptionsDialog::kCancelButton:
            OnOptionsCancel();
            break;
        case OptionsDialog::kHelpButton:
            ShowOptionsHelp();
            break;
        case SettingsWindow::kHelpButton:
            ShowSettingsHelp();
            break;
        case kCmdHelpContents:
            ShowHelpContents();
            break;
        case kCmdOptions:
            ToggleOptionsDialog();
            break;
        case kCmdReloadSettings:
            ReloadSettingsWindow();
            break;
    }
}

void TrayApp::ToggleOptionsDialog() {
    if (!optionsDialog_) return;
    if (IsVisible(optionsDialog_.get()))
        optionsDialog_->BringToForeground();
    else
        optionsDialog_->Show(1);
}

void TrayApp::ToggleAboutDialog() {
    if (!aboutDialog_) return;
    if (IsVisible(aboutDialog_.get()))
        aboutDialog_->BringToForeground();
    else
        aboutDialog_->Show(1);
}

void TrayApp::ShowHelpContents() {}
void TrayApp::ShowSettingsHelp() {}
void TrayApp::ShowOptionsHelp() {}

FolderSettings TrayApp::CurrentFolderSettings() const { return folderSettings_; }

void TrayApp::BringRemainingForward(bool settingsClosed) {
    Window* first = settingsClosed ? static_cast<Window*>(optionsDialog_.get())
                                   : static_cast<Window*>(settingsWindow_.get());
    if (IsVisible(first)) {
        first->BringToForeground();
    } else if (IsVisible(aboutDialog_.get())) {
        aboutDialog_->BringToForeground();
    }
}

void TrayApp::OnSettingsOk() {
    if (!settingsWindow_) return;
    settingsWindow_->Show(0);
    FolderSettings edited;
    settingsWindow_->CollectSettings(edited);
    folderSettings_ = edited;
    SaveItemFile();
    BuildMenus();
    BringRemainingForward(true);
}

void TrayApp::OnSettingsCancel() {
    if (!settingsWindow_) return;
    settingsWindow_->Show(0);
    settingsWindow_->LoadTree(CurrentFolderSettings(), true);
    BringRemainingForward(true);
}

void TrayApp::ReloadSettingsWindow() {
    if (settingsWindow_) settingsWindow_->LoadTree(CurrentFolderSettings(), false);
}

void TrayApp::OnOptionsOk() {
    if (!optionsDialog_) return;
    optionsDialog_->Show(0);
    optionsDialog_->GetValues(options_);
    SaveItemFile();
    BuildMenus();
    BringRemainingForward(false);
}

void TrayApp::OnOptionsCancel() {
    if (!optionsDialog_) return;
    optionsDialog_->Show(0);
    optionsDialog_->SetValues(options_);
    BringRemainingForward(false);
}

// Storage and menus are wired in by the following changes; until then the
// controller starts from its defaults as if settings had been read.
int TrayApp::LoadItemFile() { return 0; }
int TrayApp::SaveItemFile() { return 0; }
int TrayApp::BuildMenus() { return 0; }
int TrayApp::DestroyMenus() { return 0; }

}  // namespace tellaro
