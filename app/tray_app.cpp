// The controller's lifetime, message routing and the applying of edits.
#include "app/tray_app.h"

#include <new>

#include "app/tray_icon.h"
#include "base/modal_loop.h"
#include "base/resource_text.h"
#include "config/settings_store.h"
#include "config/system_info.h"
#include "menu/command_routing.h"
#include "menu/popup_menus.h"
#include "res/resource.h"
#include "settings/settings_window.h"
#include "shell/launch_thread.h"
#include "ui/dialogs/about_dialog.h"
#include "ui/dialogs/options_dialog.h"
#include "ui/framework/dialog.h"

namespace tellaro {

namespace {

constexpr DWORD kExitWaitForLaunchesMs = 1500;

// Any program can post to our windows. The system refuses to post most
// messages whose lParam points at something, but not WM_NOTIFY, whose
// pointer only means something when a control of this thread sends it:
// a posted one is emptied before any loop, ours or a modal one, hands it on.
LRESULT CALLBACK EmptyPostedNotifications(int code, WPARAM wParam, LPARAM lParam) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && message->message == WM_NOTIFY) {
        message->message = WM_NULL;
        message->wParam = 0;
        message->lParam = 0;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

template <typename T, typename... Args>
std::unique_ptr<T> MakeNoThrow(Args&&... args) {
    return std::unique_ptr<T>(new (std::nothrow) T(std::forward<Args>(args)...));
}

}  // namespace

TrayApp::TrayApp() : TrayApp(TrayAppConfig()) {}

// By default every special folder this system knows is shown, in table
// order; LoadItemFile works that out when no settings file replaces it.
TrayApp::TrayApp(const TrayAppConfig& config) : config_(config) {}

TrayApp::~TrayApp() { Release(); }

HWND TrayApp::MainWindow() const {
    return settingsWindow_ ? settingsWindow_->GetHandle() : nullptr;
}

int TrayApp::CreateWindows() {
    settingsWindow_ = MakeNoThrow<SettingsWindow>();
    if (!settingsWindow_ || settingsWindow_->Open() != 0) return -1;
    if (CreateTrayIcon() != 0) return -1;
    systemInfo_ = MakeNoThrow<SystemInfo>();
    if (!systemInfo_) return -1;
    if (settingsWindow_->InitWindow() != 0) return -1;
    settingsWindow_->Show(0);
    return 0;
}

// Nobody sees the about and options dialogs before asking for them, and the
// two together cost start-up about as much as the main window: each is made
// when it is first opened. Until then messages and Cancel pass them by.
AboutDialog* TrayApp::AboutDialogMadeNow() {
    if (aboutDialog_) return aboutDialog_.get();
    // Held before it is made: the messages of its creation come through the
    // chain and must reach it.
    aboutDialog_ = MakeNoThrow<AboutDialog>(MainWindow());
    if (aboutDialog_ && aboutDialog_->Create() != 0) aboutDialog_.reset();
    return aboutDialog_.get();
}

OptionsDialog* TrayApp::OptionsDialogMadeNow() {
    if (optionsDialog_) return optionsDialog_.get();
    optionsDialog_ = MakeNoThrow<OptionsDialog>(MainWindow());
    if (optionsDialog_ && optionsDialog_->Create() != 0) optionsDialog_.reset();
    return optionsDialog_.get();
}

int TrayApp::CreateTrayIcon() {
    trayIcon_ = MakeNoThrow<TrayIcon>();
    if (!trayIcon_ || trayIcon_->Attach(MainWindow()) != 0) return -1;
    // The notification area shows small icons, which grow with the DPI; the
    // icon list keeps the handle without destroying it, as a shared icon wants.
    trayIcon_->AddIcon(SmallProgramIcon(IDI_PROGRAM_SMALL));
    trayIcon_->SetTip(LoadResourceString(IDS_TRAY_TIP).c_str());
    trayIcon_->AddToTray();
    // Explorer announces a new task bar with this message; without re-adding,
    // a restart of the shell would leave the program unreachable.
    taskbarCreatedMessage_ = RegisterWindowMessageA("TaskbarCreated");
    return 0;
}

int TrayApp::Initialize() {
    ModalLoop::ForgetExit();
    if (CreateWindows() != 0) return -1;
    if (!defaultNotifier_ && config_.notifier == nullptr)
        defaultNotifier_ = MakeNoThrow<MessageBoxNotifier>();
    StorageNotifier* notifier = config_.notifier ? config_.notifier : defaultNotifier_.get();
    store_ = MakeNoThrow<SettingsStore>(*systemInfo_, *notifier, config_.settingsFolder);
    menus_ = MakeNoThrow<PopupMenus>(ModuleInstance());
    if (!store_ || !menus_) return -1;
    store_->SetBesideProgram(config_.besideProgram);

    postedNotificationHook_ =
        SetWindowsHookExA(WH_GETMESSAGE, EmptyPostedNotifications, nullptr, GetCurrentThreadId());
    shell::ReportLaunchFailuresTo(MainWindow());
    const int loaded = LoadItemFile();
    UnregisterPopupHotKey();
    RegisterPopupHotKey();
    if (BuildMenus() != 0) return -1;
    // The hidden window's tree waits until it is first shown or needed:
    // asking the shell which special folders exist is the dearest part of
    // it, and nobody sees the tree before.
    settingsWindow_->LoadTreeWhenNeeded(&folderSettings_);
    if (loaded == 1) settingsWindow_->Show(1);
    return 0;
}

int TrayApp::Release() {
    shell::ReportLaunchFailuresTo(nullptr);
    if (postedNotificationHook_ != nullptr) UnhookWindowsHookEx(postedNotificationHook_);
    postedNotificationHook_ = nullptr;
    settingsWindow_.reset();
    aboutDialog_.reset();
    optionsDialog_.reset();
    trayIcon_.reset();
    // A launch still on its way (the shell slow to start a program) gets a
    // moment to finish, with the icon already gone; past it the exit would
    // seem to hang, and the launch ends with the process.
    shell::WaitForLaunches(kExitWaitForLaunchesMs);
    systemInfo_.reset();
    if (menus_) {
        menus_->DestroyMenus();
        menus_->FreeDesktopItems();
    }
    menus_.reset();
    store_.reset();
    return 0;
}

int TrayApp::OnDialogMessage(DialogMessage& record) {
    // Closing the program under a modal loop would pull its windows from
    // under the code that waits for it: the loops are ended first, and the
    // exit comes once they have unwound.
    if (record.message == WM_CLOSE && ModalLoop::Running()) {
        ExitFromOutside();
        record.result = 1;
        return 0;
    }
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
        case WM_INITMENU:
            OnInitMenu(record);
            break;
        case WM_HOTKEY:
            OnHotKey(record);
            break;
        case MSG_TRAY_NOTIFY:
            OnTrayNotify(record);
            break;
        case MSG_LINK_CLICKED:
            OnLinkClicked(record.wParam);
            break;
        case MSG_OPEN_NODE:
            OnOpenSpecialFolderMessage(record.lParam);
            break;
        case MSG_SECOND_LAUNCH:
            OnSecondLaunch();
            break;
        case MSG_EXIT:
            if (record.window == MainWindow()) OnExitCommand();
            break;
        case WM_ENDSESSION:
            // The process may be ended as soon as this returns. A save never
            // waits for messages, so none is under way here, and one cut
            // short later leaves only its temporary file: what is needed is
            // that no box keeps the session waiting.
            if (record.window == MainWindow() && record.wParam != 0) ExitFromOutside();
            break;
        case MSG_LAUNCH_FAILED:
            if (record.window == MainWindow()) OnLaunchFailed();
            break;
        default:
            if (taskbarCreatedMessage_ != 0 && record.message == taskbarCreatedMessage_ &&
                record.window == MainWindow() && trayIcon_)
                trayIcon_->ReAddToTray();
            break;
    }
    return 0;
}

void TrayApp::OnCommand(const DialogMessage& record) {
    const std::size_t desktopEntries = menus_ ? menus_->DesktopEntryCount() : 0;
    const std::uint16_t id = LOWORD(record.wParam);
    const CommandRoute route = RouteCommand(HIWORD(record.wParam), id, desktopEntries);
    switch (route.action) {
        case CommandAction::Ignore: break;
        case CommandAction::About: ToggleAboutDialog(record.window); break;
        case CommandAction::SettingsOk: OnSettingsOk(); break;
        case CommandAction::SettingsCancel: OnSettingsCancel(); break;
        case CommandAction::OptionsOk: OnOptionsOk(); break;
        case CommandAction::OptionsCancel: OnOptionsCancel(); break;
        case CommandAction::OptionsHelp: ShowOptionsHelp(); break;
        case CommandAction::SettingsHelp: ShowSettingsHelp(); break;
        case CommandAction::PropertiesHelp: ShowPropertiesHelp(record.window); break;
        case CommandAction::HelpContents: ShowHelpContents(); break;
        case CommandAction::OpenOptions: ToggleOptionsDialog(record.window); break;
        case CommandAction::OpenSettingsFolder: OpenSettingsFolder(); break;
        case CommandAction::Reload: ReloadSettingsWindow(); break;
        case CommandAction::RestoreSave: RestoreKeptSave(); break;
        case CommandAction::SaveToFile: SaveTreeToFile(); break;
        case CommandAction::OpenFromFile: OpenTreeFromFile(); break;
        case CommandAction::FixedCommand: RunFixedCommand(id); break;
        case CommandAction::SpecialFolder1: OpenSpecialFolder1(id); break;
        case CommandAction::SpecialFolder2: OpenSpecialFolder2(id); break;
        case CommandAction::UserItem: OpenUserItem(id); break;
        case CommandAction::DesktopEntry: OpenDesktopEntry(id); break;
    }
}

FolderSettings TrayApp::CurrentFolderSettings() const { return folderSettings_; }

void TrayApp::SetSettingsForTest(const FolderSettings& settings, const OptionsRecord& options) {
    folderSettings_ = settings;
    options_ = options;
}

// After one window closes, the focus goes back to whichever of the other two
// is still open, `preferred` first.
void TrayApp::BringRemainingForward(Window* preferred) {
    if (preferred != nullptr && preferred->IsVisibleNow()) {
        preferred->BringToForeground();
    } else if (aboutDialog_ && aboutDialog_->IsVisibleNow()) {
        aboutDialog_->BringToForeground();
    }
}

// The save may show a message box, whose message loop lets tray clicks and
// hotkeys through: by then the menus must already be built from the new
// settings, or a command id of the old menus would pick an item of the new
// list.
void TrayApp::OnSettingsOk() {
    // Only the shown window holds the working copy with the folder paths; an
    // OK reaching the hidden window would save every folder without its path.
    if (!settingsWindow_ || !settingsWindow_->IsVisibleNow()) return;
    settingsWindow_->Show(0);
    FolderSettings edited;
    settingsWindow_->CollectSettings(edited);
    folderSettings_ = edited;
    BuildMenus();
    SaveItemFile();
    // Only now, with everything in one state, may a message box run.
    settingsWindow_->ReportCollectedCut();
    BringRemainingForward(optionsDialog_.get());
}

void TrayApp::OnSettingsCancel() {
    if (!settingsWindow_) return;
    settingsWindow_->Show(0);
    settingsWindow_->LoadTree(CurrentFolderSettings(), true);
    BringRemainingForward(optionsDialog_.get());
}

void TrayApp::ReloadSettingsWindow() {
    if (settingsWindow_) settingsWindow_->ReloadTree(CurrentFolderSettings());
}

// Everything takes effect before the save, for the same reason as above. A
// failed save leaves the new options in force for this session.
void TrayApp::OnOptionsOk() {
    if (!optionsDialog_) return;
    optionsDialog_->Show(0);
    if (optionsDialog_->GetValues(options_) != 0) return;
    UnregisterPopupHotKey();
    RegisterPopupHotKey();
    // The bold default entries follow the left double-click action.
    BuildMenus();
    SaveItemFile();
    BringRemainingForward(settingsWindow_.get());
}

void TrayApp::OnOptionsCancel() {
    if (!optionsDialog_) return;
    optionsDialog_->Show(0);
    optionsDialog_->SetValues(options_);
    BringRemainingForward(settingsWindow_.get());
}

}  // namespace tellaro
