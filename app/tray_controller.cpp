// The user's triggers: clicks on the icon, the hotkey, a second launch, the
// fixed commands of the popup menus, and showing the popup menus.
#include <optional>

#include "app/launch_rules.h"
#include "app/tray_app.h"
#include "base/modal_loop.h"
#include "base/monitors.h"
#include "config/system_info.h"
#include "menu/popup_menus.h"
#include "menu/popup_placement.h"
#include "settings/settings_window.h"
#include "ui/dialogs/about_dialog.h"
#include "ui/dialogs/options_dialog.h"

namespace tellaro {

namespace {

BOOL CALLBACK FindTrayNotify(HWND window, LPARAM param) {
    char name[256] = {};
    if (GetClassNameA(window, name, sizeof(name)) > 0 && lstrcmpA(name, "TrayNotifyWnd") == 0) {
        *reinterpret_cast<HWND*>(param) = window;
        return FALSE;
    }
    return TRUE;
}

// The task bar's notification area, when there is one.
std::optional<MenuRect> NotificationAreaRect() {
    HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
    if (taskbar == nullptr) return std::nullopt;
    HWND notify = nullptr;
    EnumChildWindows(taskbar, FindTrayNotify, reinterpret_cast<LPARAM>(&notify));
    RECT r;
    if (notify == nullptr || !GetWindowRect(notify, &r)) return std::nullopt;
    return MenuRect{r.left, r.top, r.right, r.bottom};
}

struct WaitingWindowSearch {
    HWND skip[3];
    HWND found;
};

// A dialog of this thread that is none of the program's modeless windows:
// a message box, the properties dialog or the folder picker.
bool IsWaitingWindow(HWND window, const WaitingWindowSearch& search) {
    for (HWND skip : search.skip)
        if (window == skip) return false;
    char name[16] = {};
    return GetClassNameA(window, name, sizeof(name)) != 0 && lstrcmpA(name, "#32770") == 0;
}

// The one the user can answer now. Windows come in z-order, so the first
// is the one on top.
BOOL CALLBACK FindWaitingWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WaitingWindowSearch*>(param);
    if (!IsWindowVisible(window) || !IsWindowEnabled(window) || !IsWaitingWindow(window, *search))
        return TRUE;
    search->found = window;
    return FALSE;
}

// Each of them, hidden or disabled under another one too: every loop ends
// when control comes back to it.
BOOL CALLBACK EndWaitingWindow(HWND window, LPARAM param) {
    if (IsWaitingWindow(window, *reinterpret_cast<WaitingWindowSearch*>(param)))
        EndDialog(window, IDCANCEL);
    return TRUE;
}

}  // namespace

void TrayApp::BringWaitingWindowForward() const {
    WaitingWindowSearch search = {
        {MainWindow(), optionsDialog_ ? optionsDialog_->GetHandle() : nullptr,
         aboutDialog_ ? aboutDialog_->GetHandle() : nullptr},
        nullptr};
    EnumThreadWindows(GetCurrentThreadId(), FindWaitingWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) SetForegroundWindow(search.found);
}

void TrayApp::EndWaitingLoops() const {
    EndMenu();
    WaitingWindowSearch search = {
        {MainWindow(), optionsDialog_ ? optionsDialog_->GetHandle() : nullptr,
         aboutDialog_ ? aboutDialog_->GetHandle() : nullptr},
        nullptr};
    EnumThreadWindows(GetCurrentThreadId(), EndWaitingWindow, reinterpret_cast<LPARAM>(&search));
}

// The installer and the uninstaller close a running copy with WM_CLOSE and
// give up after a while, silently with /S, and a log-off will not wait for
// an answer either: nobody may be there to give one. An unsaved edit of the
// settings window goes with its window, as by Cancel.
void TrayApp::ExitFromOutside() {
    ModalLoop::BeginExit(MainWindow());
    EndWaitingLoops();
}

// The user's exit comes from the tray, which only brings a waiting window
// forward while one runs: it waits for that window's answer like the rest.
void TrayApp::OnExitCommand() {
    if (ModalLoop::Running()) {
        ModalLoop::PostWhenDone(MainWindow(), MSG_EXIT);
        BringWaitingWindowForward();
        return;
    }
    // With no loop running a WM_CLOSE has nothing to end.
    SendMessageA(MainWindow(), WM_CLOSE, 0, 0);
}

void TrayApp::ShowSettingsWindow() {
    if (!settingsWindow_) return;
    if (settingsWindow_ && settingsWindow_->IsVisibleNow())
        settingsWindow_->BringToForeground();
    else
        settingsWindow_->ShowWithItems(true, folderSettings_.items);
}

void TrayApp::OnTrayNotify(const DialogMessage& record) {
    const UINT mouse = static_cast<UINT>(record.lParam);
    if (ModalLoop::Running()) {
        if (mouse == WM_LBUTTONUP || mouse == WM_RBUTTONUP || mouse == WM_LBUTTONDBLCLK ||
            mouse == WM_RBUTTONDBLCLK)
            BringWaitingWindowForward();
        return;
    }
    switch (mouse) {
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            // The release that ends a double-click which opened a window is
            // swallowed, so the popup does not cover the new window.
            ++clickCounter_;
            if (clickCounter_ < 2) {
                if (settingsWindow_) settingsWindow_->BringToForeground();
                return;
            }
            ShowPopupMenu(mouse == WM_RBUTTONUP ? options_.rightClickMenu : options_.leftClickMenu,
                          false);
            break;
        case WM_LBUTTONDBLCLK:
            TakeDoubleClickAction(options_.leftDoubleClickAction);
            break;
        case WM_RBUTTONDBLCLK:
            TakeDoubleClickAction(options_.rightDoubleClickAction);
            break;
    }
}

void TrayApp::TakeDoubleClickAction(std::uint8_t action) {
    switch (action) {
        case kDoubleClickSettings:
            clickCounter_ = 0;
            ShowSettingsWindow();
            break;
        case kDoubleClickExplorer:
            clickCounter_ = 0;
            OpenSpecialFolder1(CMD_SPECIAL1_BASE + 13);  // My Computer
            break;
        case kDoubleClickExit:
            PostMessageA(MainWindow(), MSG_EXIT, 0, 0);
            break;
    }
}

int TrayApp::RegisterPopupHotKey() {
    HWND main = MainWindow();
    if (main == nullptr) return -1;
    const HotKeyRegistration hotkey = HotKeyFromControlValue(options_.hotkey);
    // Another program may hold the key already; the program then runs
    // without it, as it does without an icon.
    if (hotkey.wanted) RegisterHotKey(main, HOTKEY_ID_POPUP, hotkey.modifiers, hotkey.virtualKey);
    return 0;
}

int TrayApp::UnregisterPopupHotKey() {
    HWND main = MainWindow();
    if (main == nullptr) return -1;
    UnregisterHotKey(main, HOTKEY_ID_POPUP);
    return 0;
}

void TrayApp::OnHotKey(const DialogMessage& record) {
    if (record.wParam != static_cast<WPARAM>(HOTKEY_ID_POPUP)) return;
    if (ModalLoop::Running()) return BringWaitingWindowForward();
    ShowPopupMenu(options_.hotkeyMenu, options_.hotkeyNearTray != 0);
}

void TrayApp::OnSecondLaunch() {
    if (ModalLoop::Running()) return BringWaitingWindowForward();
    if (options_.secondLaunchPopup == 0) return;
    Sleep(options_.secondLaunchWaitMs);
    if (settingsWindow_) settingsWindow_->BringToForeground();
    ShowPopupMenu(options_.secondLaunchMenu, options_.secondLaunchNearTray != 0);
}

void TrayApp::RunFixedCommand(std::uint16_t id) {
    switch (id) {
        case CMD_FOLDER_SETTINGS: ShowSettingsWindow(); break;
        // The tray menu belongs to no window on screen.
        case CMD_OPTIONS: ToggleOptionsDialog(nullptr); break;
        case CMD_ABOUT: ToggleAboutDialog(nullptr); break;
        case CMD_HELP: ShowHelpContents(); break;
        case CMD_EXIT: PostMessageA(MainWindow(), MSG_EXIT, 0, 0); break;
        case CMD_CANCEL: break;  // the menu has closed already
    }
}

void TrayApp::ToggleOptionsDialog(HWND from) {
    OptionsDialog* dialog = OptionsDialogMadeNow();
    if (!dialog) return;
    if (dialog->IsVisibleNow()) {
        dialog->BringToForeground();
        return;
    }
    // The hidden dialog still holds what was typed last, which OK may have
    // stored otherwise (a wait time out of range): it opens on what is
    // in force.
    dialog->SetValues(options_);
    dialog->SetOpener(from);
    dialog->Show(1);
}

void TrayApp::ToggleAboutDialog(HWND from) {
    AboutDialog* dialog = AboutDialogMadeNow();
    if (!dialog) return;
    if (dialog->IsVisibleNow()) {
        dialog->BringToForeground();
        return;
    }
    dialog->SetOpener(from);
    dialog->SetSettingsFolder(SettingsFolder());
    dialog->Show(1);
}

bool TrayApp::HasSecondSpecialMenu() const {
    return systemInfo_ && systemInfo_->IsNT() && systemInfo_->MajorVersion() >= 5;
}

int TrayApp::BuildMenus() {
    if (!menus_) return -1;
    return menus_->BuildMenus(folderSettings_, options_, HasSecondSpecialMenu());
}

int TrayApp::DestroyMenus() {
    return menus_ ? menus_->DestroyMenus() : 0;
}

void TrayApp::OnInitMenu(const DialogMessage& record) {
    if (menus_) menus_->OnInitMenu(reinterpret_cast<HMENU>(record.wParam));
}

int TrayApp::ShowPopupMenu(std::uint8_t popupKind, bool nearTray) {
    if (!menus_ || !settingsWindow_) return 0;
    HMENU menu = menus_->MenuForPopupKind(popupKind);
    const std::optional<MenuRect> tray = nearTray ? NotificationAreaRect() : std::nullopt;
    const MenuPoint cursor = PointerPosition();
    const PopupPlacement placement =
        PlacePopup(nearTray, tray, cursor, MonitorRectAt(PopupAnchor(nearTray, tray, cursor)));
    // A menu of a background window does not close when the user clicks
    // elsewhere unless its owner is the foreground window.
    settingsWindow_->BringToForeground();
    ModalTrackPopupMenu(menu, placement.flags, placement.anchor.x, placement.anchor.y,
                        MainWindow());
    PostMessageA(MainWindow(), WM_PAINT, 0, 0);
    return 0;
}

}  // namespace tellaro
