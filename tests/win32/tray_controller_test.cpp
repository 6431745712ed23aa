// The controller's triggers, driven in-process through the dialog chain:
// clicks on the icon, double-clicks, the hotkey, a second launch and the
// fixed commands. Menus are closed by a timer as soon as they open, and the
// menu that opened is recorded.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/tray_app.h"
#include "app/tray_application.h"
#include "app/tray_icon.h"
#include "base/modal_loop.h"
#include "base/system_code_page.h"
#include "config/settings_store.h"
#include "menu/popup_menus.h"
#include "settings/settings_window.h"
#include "shell/launch_thread.h"
#include "shell/shell_launcher.h"
#include "tests/common/model_builders.h"
#include "ui/dialogs/about_dialog.h"
#include "ui/dialogs/options_dialog.h"

namespace tellaro {
namespace {

std::vector<HMENU> g_openedMenus;
HHOOK g_hook = nullptr;

void CALLBACK CloseMenu(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    EndMenu();
}

LRESULT CALLBACK WatchInitMenu(int code, WPARAM wParam, LPARAM lParam) {
    auto* call = reinterpret_cast<CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_INITMENU) {
        g_openedMenus.push_back(reinterpret_cast<HMENU>(call->wParam));
        // Close the menu once its modal loop runs.
        SetTimer(nullptr, 0, 10, CloseMenu);
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

// `during` runs while the message would be on screen, as a user's click can.
class CapturingNotifier : public StorageNotifier {
public:
    std::vector<int> shown;
    std::function<void()> during;
    void ShowError(int textId, int) override {
        shown.push_back(textId);
        if (during) during();
    }
};

std::string TempFolder(const char* leaf) {
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    std::string folder = std::string(base) + leaf;
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

class TrayControllerTest : public testing::Test {
protected:
    void SetUp() override {
        folder_ = TempFolder("tellaro-controller-test");
        DeleteFileA((folder_ + "\\Tellaro.tlr").c_str());
        Start();
        g_openedMenus.clear();
        g_hook = SetWindowsHookExA(WH_CALLWNDPROC, WatchInitMenu, nullptr, GetCurrentThreadId());
        Pump();
    }
    void TearDown() override {
        UnhookWindowsHookEx(g_hook);
        app_.reset();
        Pump();
        MSG msg;
        PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }
    void Start() {
        TrayAppConfig config;
        config.settingsFolder = WidenFromSystem(folder_);
        config.notifier = &notifier_;
        app_.reset(new TrayApplication(config));
        ASSERT_EQ(app_->InitInstance(""), 0);
        tray_ = app_->GetTrayApp();
        main_ = tray_->MainWindow();
        tray_->GetSettingsWindow()->Show(0);
    }
    void Notify(UINT mouseMessage) { SendMessageA(main_, MSG_TRAY_NOTIFY, 1, mouseMessage); }
    HMENU MenuOfKind(int kind) const { return tray_->GetPopupMenus()->MenuForPopupKind(kind); }
    void ApplyOptions(const OptionsRecord& options) {
        SendMessageA(main_, WM_COMMAND, CMD_OPTIONS, 0);
        tray_->GetOptionsDialog()->SetValues(options);
        SendMessageA(main_, WM_COMMAND, IDC_OPTIONS_OK, 0);
    }

    CapturingNotifier notifier_;
    std::unique_ptr<TrayApplication> app_;
    std::string folder_;
    TrayApp* tray_ = nullptr;
    HWND main_ = nullptr;
};

TEST_F(TrayControllerTest, SingleClicksShowTheConfiguredMenus) {
    Notify(WM_LBUTTONUP);
    Notify(WM_RBUTTONUP);
    ASSERT_EQ(g_openedMenus.size(), 2u);
    EXPECT_EQ(g_openedMenus[0], MenuOfKind(kPopupFolders));
    EXPECT_EQ(g_openedMenus[1], MenuOfKind(kPopupFoldersAndCommands));
    Notify(WM_MOUSEMOVE);
    EXPECT_EQ(g_openedMenus.size(), 2u) << "other mouse messages are ignored";
}

TEST_F(TrayControllerTest, DoubleClickOpeningSettingsSwallowsTheNextRelease) {
    Notify(WM_LBUTTONDBLCLK);
    EXPECT_TRUE(IsWindowVisible(main_));
    EXPECT_EQ(tray_->GetClickCounter(), 0u);
    Notify(WM_LBUTTONUP);  // the release that ends the double-click
    EXPECT_TRUE(g_openedMenus.empty());
    Notify(WM_LBUTTONUP);
    EXPECT_EQ(g_openedMenus.size(), 1u);
}

TEST_F(TrayControllerTest, DoubleClickActionsNothingAndExit) {
    // Default right double-click action is "nothing": the counter stays.
    const std::uint32_t before = tray_->GetClickCounter();
    Notify(WM_RBUTTONDBLCLK);
    EXPECT_EQ(tray_->GetClickCounter(), before);
    EXPECT_FALSE(IsWindowVisible(main_));

    OptionsRecord options = tray_->GetOptions();
    options.rightDoubleClickAction = kDoubleClickExit;
    ApplyOptions(options);
    Notify(WM_RBUTTONDBLCLK);
    Pump();
    EXPECT_FALSE(IsWindow(main_)) << "exit closes the main window";
}

TEST_F(TrayControllerTest, HotKeyIsRegisteredOnlyWhenSet) {
    // The same key combination cannot be registered twice, so a second
    // registration tells whether the controller holds it.
    const UINT mods = MOD_CONTROL | MOD_ALT;
    ASSERT_TRUE(RegisterHotKey(nullptr, 77, mods, VK_F11)) << "free while no hotkey is set";
    UnregisterHotKey(nullptr, 77);

    OptionsRecord options = tray_->GetOptions();
    options.hotkey = static_cast<std::uint16_t>((0x02 | 0x04) << 8 | VK_F11);  // Ctrl+Alt+F11
    ApplyOptions(options);
    EXPECT_FALSE(RegisterHotKey(nullptr, 77, mods, VK_F11)) << "held by the program";
    // OK again with the same value unregisters and registers it again.
    ApplyOptions(options);
    EXPECT_FALSE(RegisterHotKey(nullptr, 77, mods, VK_F11));

    options.hotkey = 0;
    ApplyOptions(options);
    EXPECT_TRUE(RegisterHotKey(nullptr, 77, mods, VK_F11)) << "released after clearing";
    UnregisterHotKey(nullptr, 77);
}

TEST_F(TrayControllerTest, HotKeyMessageShowsTheHotKeyMenu) {
    SendMessageA(main_, WM_HOTKEY, 999, 0);
    EXPECT_TRUE(g_openedMenus.empty());
    SendMessageA(main_, WM_HOTKEY, HOTKEY_ID_POPUP, 0);
    ASSERT_EQ(g_openedMenus.size(), 1u);
    EXPECT_EQ(g_openedMenus[0], MenuOfKind(tray_->GetOptions().hotkeyMenu));
}

TEST_F(TrayControllerTest, SecondLaunchShowsTheMenuOnlyWhenEnabled) {
    SendMessageA(main_, MSG_SECOND_LAUNCH, 0, 0);
    EXPECT_TRUE(g_openedMenus.empty());
    OptionsRecord options = tray_->GetOptions();
    options.secondLaunchPopup = 1;
    options.secondLaunchMenu = 7;  // out of range: the command menu
    options.secondLaunchWaitMs = 0;
    ApplyOptions(options);
    SendMessageA(main_, MSG_SECOND_LAUNCH, 0, 0);
    ASSERT_EQ(g_openedMenus.size(), 1u);
    EXPECT_EQ(g_openedMenus[0], MenuOfKind(kPopupCommands));
}

std::vector<std::wstring> g_openedLists;

BOOL RecordOpenedList(SHELLEXECUTEINFOA* info) {
    wchar_t path[MAX_PATH] = {};
    if (info->lpIDList != nullptr)
        SHGetPathFromIDListW(static_cast<LPCITEMIDLIST>(info->lpIDList), path);
    g_openedLists.push_back(path);
    return TRUE;
}

TEST_F(TrayControllerTest, FixedCommands) {
    SendMessageA(main_, WM_COMMAND, CMD_CANCEL, 0);
    EXPECT_FALSE(IsWindowVisible(main_));
    SendMessageA(main_, WM_COMMAND, CMD_FOLDER_SETTINGS, 0);
    EXPECT_TRUE(IsWindowVisible(main_));
    SendMessageA(main_, WM_COMMAND, CMD_ABOUT, 0);
    HWND about = tray_->GetAboutDialog()->GetHandle();
    EXPECT_TRUE(IsWindowVisible(about));
    // The version box names the settings folder, and its button opens it.
    wchar_t shown[MAX_PATH] = {};
    GetDlgItemTextW(about, IDC_ABOUT_SETTINGS_FOLDER, shown, MAX_PATH);
    EXPECT_EQ(std::wstring(shown), WidenFromSystem(folder_));
    const shell::ShellCalls previous =
        shell::InstallShellCalls({&RecordOpenedList, nullptr, nullptr, nullptr});
    const shell::LaunchRunner runner = shell::InstallLaunchRunner(&shell::RunLaunchNow);
    g_openedLists.clear();
    SendMessageA(about, WM_COMMAND, IDC_ABOUT_OPEN_FOLDER, 0);
    shell::InstallLaunchRunner(runner);
    shell::InstallShellCalls(previous);
    EXPECT_EQ(g_openedLists, std::vector<std::wstring>{WidenFromSystem(folder_)});
    SendMessageA(main_, WM_COMMAND, CMD_EXIT, 0);
    Pump();
    EXPECT_FALSE(IsWindow(main_));
}

// The dialog is made when first opened: it must show the options in force,
// not its template's.
TEST_F(TrayControllerTest, TheOptionsDialogOpensOnTheOptionsInForce) {
    OptionsRecord live = tray_->GetOptions();
    live.leftClickMenu = kPopupCommands;
    live.hotkey = static_cast<std::uint16_t>((0x02 | 0x04) << 8 | VK_F9);
    live.secondLaunchWaitMs = 350;
    tray_->SetSettingsForTest(tray_->GetFolderSettings(), live);
    const LONG_PTR smallIcon = GetClassLongPtrA(main_, GCLP_HICONSM);
    SendMessageA(main_, WM_COMMAND, CMD_OPTIONS, 0);
    ASSERT_NE(tray_->GetOptionsDialog(), nullptr);
    EXPECT_EQ(GetClassLongPtrA(main_, GCLP_HICONSM), smallIcon)
        << "the dialogs' icon, loaded again";
    OptionsRecord shown;
    ASSERT_EQ(tray_->GetOptionsDialog()->GetValues(shown), 0);
    EXPECT_EQ(shown, live);
    // A wait time out of range is stored as the spin's position; the next
    // opening shows what was stored, not what was typed.
    const HWND dialog = tray_->GetOptionsDialog()->GetHandle();
    SetDlgItemTextA(dialog, IDC_OPTIONS_WAIT, "99999");
    SendMessageA(main_, WM_COMMAND, IDC_OPTIONS_OK, 0);
    SendMessageA(main_, WM_COMMAND, CMD_OPTIONS, 0);
    EXPECT_EQ(GetDlgItemInt(dialog, IDC_OPTIONS_WAIT, nullptr, FALSE),
              tray_->GetOptions().secondLaunchWaitMs);
    EXPECT_EQ(tray_->GetOptions().secondLaunchWaitMs, 350);
}

// A later start leaves the hidden tree for the first show, which must still
// hold the saved folders with their paths.
TEST_F(TrayControllerTest, TheFirstShownTreeHoldsTheSavedSettings) {
    FolderSettings saved = tray_->GetFolderSettings();
    saved.items.Append(Item(FolderItemKind::Group, 0, "", "G"));
    saved.items.Append(Item(FolderItemKind::Folder, 1, "C:\\Kept", "Kept"));
    tray_->SetSettingsForTest(saved, tray_->GetOptions());
    ASSERT_EQ(tray_->SaveItemFile(), 0);
    app_.reset();
    Pump();
    Start();
    SendMessageA(main_, WM_COMMAND, CMD_FOLDER_SETTINGS, 0);
    ASSERT_TRUE(IsWindowVisible(main_));
    FolderSettings shown;
    tray_->GetSettingsWindow()->Tree().Collect(shown);
    EXPECT_EQ(shown.items, saved.items);
    EXPECT_TRUE(notifier_.shown.empty());

    // Nested deeper than the menus can: the load says that it is shown
    // flattened, once.
    for (std::size_t i = 0; i <= kMaxNestedGroups; ++i)
        saved.items.Append(Item(FolderItemKind::Group, static_cast<std::uint8_t>(i), "", "D"));
    saved.items.Append(Item(FolderItemKind::Placeholder, kMaxNestedGroups + 1, "", ""));
    tray_->SetSettingsForTest(saved, tray_->GetOptions());
    ASSERT_EQ(tray_->SaveItemFile(), 0);
    app_.reset();
    Pump();
    Start();
    EXPECT_EQ(notifier_.shown, std::vector<int>{IDS_LOAD_TOO_DEEP});
}

std::vector<std::string> g_opened;

BOOL RecordOpen(SHELLEXECUTEINFOA* info) {
    g_opened.push_back(info->lpFile != nullptr ? info->lpFile : "");
    return TRUE;
}

// A save that fails shows a message box, whose message loop lets a tray
// click through: the menu it opens must already list the edited folders, so
// that the entry the user picks opens the folder it names.
TEST_F(TrayControllerTest, AClickDuringTheSaveFailureOpensTheFolderItShows) {
    FolderSettings old = tray_->GetFolderSettings();
    old.items.Append(Item(FolderItemKind::Folder, 0, "C:\\Old", "Old"));
    tray_->SetSettingsForTest(old, tray_->GetOptions());
    tray_->BuildMenus();
    FolderSettings edited = old;
    edited.items.Clear();
    edited.items.Append(Item(FolderItemKind::Folder, 0, "C:\\New", "New"));
    edited.items.Append(Item(FolderItemKind::Folder, 0, "C:\\Old", "Old"));
    tray_->GetSettingsWindow()->LoadTree(edited, false);
    tray_->GetSettingsWindow()->Show(1);

    ASSERT_TRUE(CreateDirectoryA((folder_ + "\\Tellaro.tlr.tmp").c_str(), nullptr));
    const shell::ShellCalls previous =
        shell::InstallShellCalls({&RecordOpen, nullptr, nullptr, nullptr});
    const shell::LaunchRunner runner = shell::InstallLaunchRunner(&shell::RunLaunchNow);
    g_opened.clear();
    char shownName[64] = {};
    notifier_.during = [&] {
        Notify(WM_LBUTTONUP);
        ASSERT_FALSE(g_openedMenus.empty());
        GetMenuStringA(g_openedMenus.back(), CMD_USER_ITEM_BASE, shownName, sizeof(shownName),
                       MF_BYCOMMAND);
        SendMessageA(main_, WM_COMMAND, CMD_USER_ITEM_BASE, 0);
    };
    SendMessageA(main_, WM_COMMAND, IDC_SETTINGS_OK, 0);
    shell::InstallLaunchRunner(runner);
    shell::InstallShellCalls(previous);
    RemoveDirectoryA((folder_ + "\\Tellaro.tlr.tmp").c_str());

    EXPECT_EQ(notifier_.shown, std::vector<int>{IDS_SAVE_FAILED});
    EXPECT_STREQ(shownName, "New");
    EXPECT_EQ(g_opened, std::vector<std::string>{"C:\\New"});
    EXPECT_EQ(tray_->GetFolderSettings().items.Size(), 2u) << "the edit stays in force";
}

// A folder on a network share that does not answer holds the shell for
// tens of seconds: that happens on a launch's own thread, while the tray,
// the hotkey and the menus go on answering, and a launch of another folder
// meanwhile is not lost.
constexpr DWORD kSlowLaunchMs = 6000;
std::atomic<DWORD> g_launchSleep{kSlowLaunchMs};
std::atomic<int> g_slowLaunches{0};
BOOL SlowOpen(SHELLEXECUTEINFOA*) {
    Sleep(g_launchSleep);
    ++g_slowLaunches;
    return TRUE;
}

// Every launch thread ends before the fake shell is taken away.
void WaitForSlowLaunches() {
    EXPECT_TRUE(shell::WaitForLaunches(3 * kSlowLaunchMs));
}

TEST_F(TrayControllerTest, ASlowFolderNeverFreezesTheTray) {
    FolderSettings live = tray_->GetFolderSettings();
    live.items.Append(Item(FolderItemKind::Folder, 0, "\\\\server\\gone", "Gone"));
    live.items.Append(Item(FolderItemKind::Folder, 0, "\\\\server\\other", "Other"));
    tray_->SetSettingsForTest(live, tray_->GetOptions());
    const shell::ShellCalls previous =
        shell::InstallShellCalls({&SlowOpen, nullptr, nullptr, nullptr});
    g_slowLaunches = 0;
    g_launchSleep = kSlowLaunchMs;
    // On a loaded machine anything may take a while; the answers must only
    // come long before the launch ends.
    constexpr DWORD kMargin = kSlowLaunchMs / 3;
    const DWORD start = GetTickCount();
    SendMessageA(main_, WM_COMMAND, CMD_USER_ITEM_BASE, 0);
    EXPECT_LT(GetTickCount() - start, kMargin) << "the command waited for the shell";
    // Asked from another thread, as the shell and a second instance do.
    std::atomic<int> answered{0};
    std::thread asker([&] {
        DWORD_PTR result = 0;
        for (UINT message : {static_cast<UINT>(WM_NULL), static_cast<UINT>(MSG_TRAY_NOTIFY)})
            answered += SendMessageTimeoutA(main_, message, 1, WM_MOUSEMOVE, SMTO_NORMAL, kMargin,
                                            &result) != 0;
    });
    while (answered < 2 && GetTickCount() - start < 2 * kMargin) Pump();
    asker.join();
    EXPECT_EQ(answered, 2);
    EXPECT_EQ(g_slowLaunches, 0) << "the launch was not slow: nothing shown";
    SendMessageA(main_, WM_COMMAND, CMD_USER_ITEM_BASE + 1, 0);
    WaitForSlowLaunches();
    EXPECT_EQ(g_slowLaunches, 2) << "a launch was lost";
    shell::InstallShellCalls(previous);
}

// Reads and closes every message box of this thread, from a timer that
// runs inside the box's own message loop.
std::vector<std::string> g_boxTexts;
void CALLBACK CloseMessageBoxes(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM) -> BOOL {
            char text[1024] = {};
            if (IsWindowVisible(window) &&
                GetDlgItemTextA(window, 0xFFFF, text, sizeof(text)) > 0) {
                g_boxTexts.push_back(text);
                PostMessageA(window, WM_COMMAND, IDOK, 0);
            }
            return TRUE;
        },
        0);
}

void PumpClosingBoxes(DWORD milliseconds) {
    g_boxTexts.clear();
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, CloseMessageBoxes);
    for (const DWORD start = GetTickCount(); GetTickCount() - start < milliseconds; Sleep(10))
        Pump();
    KillTimer(nullptr, timer);
}

// A share that does not answer, chosen again and again: one launch at a
// time, a run of the same failure said once with the target in the
// system's words, and an exit that waits for a launch only a moment.
TEST_F(TrayControllerTest, LaunchesOfOneTargetRunOnceAndEndWithTheProgram) {
    FolderSettings live = tray_->GetFolderSettings();
    live.items.Append(Item(FolderItemKind::Folder, 0, "\\\\server\\slow", "Slow"));
    const shell::ShellCalls previous =
        shell::InstallShellCalls({&SlowOpen, nullptr, nullptr, nullptr});
    g_slowLaunches = 0;
    g_launchSleep = 800;
    tray_->SetSettingsForTest(live, tray_->GetOptions());
    for (int click = 0; click < 3; ++click) SendMessageA(main_, WM_COMMAND, CMD_USER_ITEM_BASE, 0);
    WaitForSlowLaunches();
    EXPECT_EQ(g_slowLaunches, 1) << "a click on a running launch started another";

    for (int failure = 0; failure < 3; ++failure)
        shell::ReportLaunchFailure("C:\\bad.exe", ERROR_BAD_EXE_FORMAT);
    PumpClosingBoxes(1000);
    ASSERT_EQ(g_boxTexts.size(), 1u) << "a run of one failure was not said once";
    EXPECT_EQ(g_boxTexts[0].find("%1"), std::string::npos) << g_boxTexts[0];
    EXPECT_NE(g_boxTexts[0].find("C:\\bad.exe"), std::string::npos);

    // The exit waits for a launch about to end...
    SendMessageA(main_, WM_COMMAND, CMD_USER_ITEM_BASE, 0);
    app_.reset();
    EXPECT_EQ(g_slowLaunches, 2) << "the exit did not wait for the launch";
    // ...and never long for one that does not.
    Start();
    tray_->SetSettingsForTest(live, tray_->GetOptions());
    g_launchSleep = kSlowLaunchMs;
    SendMessageA(main_, WM_COMMAND, CMD_USER_ITEM_BASE, 0);
    app_.reset();
    EXPECT_EQ(g_slowLaunches, 2) << "the exit waited for the launch to end";
    WaitForSlowLaunches();
    shell::InstallShellCalls(previous);
}

// Any program can find the main window by its caption and post it anything:
// a launch-failure notice with a value in it, a drop whose handle is other
// memory of the program's or no handle at all, a drop-menu command with no
// drag running. None may crash the program, free what it does not own or
// show a message.
TEST_F(TrayControllerTest, MessagesFromOtherProgramsAreHarmless) {
    tray_->GetSettingsWindow()->Show(1);
    const HGLOBAL notADrop = GlobalAlloc(GHND, 64);
    ASSERT_NE(notADrop, nullptr);
    const UINT_PTR randomValue = static_cast<UINT_PTR>(0x5EED1234ABCD5678ull) ^ GetTickCount();
    PostMessageA(main_, MSG_LAUNCH_FAILED, 0, 1);
    PostMessageA(main_, MSG_LAUNCH_FAILED, randomValue, static_cast<LPARAM>(randomValue));
    PostMessageA(main_, WM_DROPFILES, reinterpret_cast<WPARAM>(notADrop), 0);
    PostMessageA(main_, WM_DROPFILES, 1, 0);
    PostMessageA(main_, WM_DROPFILES, randomValue, 0);
    for (UINT command : {ID_DROP_MOVE_INTO_GROUP, ID_DROP_COPY_BELOW, ID_DROP_MOVE_BELOW})
        PostMessageA(main_, WM_COMMAND, command, 0);
    // A notification's pointer, which the system lets through...
    EXPECT_TRUE(
        PostMessageA(main_, WM_NOTIFY, IDC_SETTINGS_TREE, static_cast<LPARAM>(randomValue)));
    PostMessageA(main_, WM_NOTIFY, IDC_SETTINGS_TREE, 1);
    // ...unlike the sizing rectangle's, which needs no guard of ours.
    EXPECT_FALSE(PostMessageA(main_, WM_SIZING, WMSZ_RIGHT, static_cast<LPARAM>(randomValue)));
    PumpClosingBoxes(500);
    EXPECT_TRUE(IsWindow(main_));
    EXPECT_TRUE(g_boxTexts.empty()) << g_boxTexts[0];
    EXPECT_EQ(GlobalSize(notADrop), 64u) << "memory that was no drop was freed";
    GlobalFree(notADrop);
    tray_->GetSettingsWindow()->Show(0);
}

// While a message box, a modal dialog or a menu waits for the user, the
// icon and the hotkey open nothing over it, and the user's own exit (the
// command or the double-click action) waits until the loop has ended.
TEST_F(TrayControllerTest, AModalLoopHoldsTheTriggersAndTheUsersExit) {
    {
        ModalLoop loop;
        Notify(WM_LBUTTONUP);
        Notify(WM_LBUTTONDBLCLK);
        SendMessageA(main_, WM_HOTKEY, HOTKEY_ID_POPUP, 0);
        EXPECT_TRUE(g_openedMenus.empty());
        EXPECT_FALSE(tray_->GetSettingsWindow()->IsVisibleNow());
        SendMessageA(main_, WM_COMMAND, CMD_EXIT, 0);
        Pump();
        EXPECT_TRUE(IsWindow(main_));
        EXPECT_FALSE(ModalLoop::Exiting());
    }
    Pump();
    EXPECT_FALSE(IsWindow(main_)) << "the exit did not follow the loop";
}

HWND g_closeTarget = nullptr;
bool g_boxLeftOpen = false;

void CALLBACK CloseFromOutside(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    PostMessageA(g_closeTarget, WM_CLOSE, 0, 0);
}

// Only if the exit failed to end a box: the test goes on and says so.
void CALLBACK EndForgottenBox(HWND, UINT, UINT_PTR, DWORD) {
    if (HWND box = FindWindowA("#32770", "Tellaro test box")) {
        g_boxLeftOpen = true;
        EndDialog(box, IDOK);
    }
}

// Another program's WM_CLOSE (an installer's) cannot wait for an answer:
// the open box ends, none follows it, and the program exits.
TEST_F(TrayControllerTest, ACloseFromOutsideEndsTheOpenBoxAndExits) {
    g_closeTarget = main_;
    g_boxLeftOpen = false;
    SetTimer(nullptr, 0, 200, CloseFromOutside);
    const UINT_PTR guard = SetTimer(nullptr, 0, 5000, EndForgottenBox);
    ModalMessageBox(nullptr, "ended from outside", "Tellaro test box", MB_OK);
    const int next = ModalMessageBox(nullptr, "would follow", "Tellaro test box", MB_OK);
    KillTimer(nullptr, guard);
    EXPECT_FALSE(g_boxLeftOpen) << "a box outlived the exit";
    EXPECT_EQ(next, 0) << "a box opened after the exit began";
    Pump();
    EXPECT_FALSE(IsWindow(main_));
}

HWND g_boxSeen = nullptr;

void CALLBACK AnswerErrorBox(HWND, UINT, UINT_PTR id, DWORD) {
    char caption[256] = {};
    HWND box = GetForegroundWindow();
    if (box == nullptr || GetClassNameA(box, caption, sizeof caption) == 0 ||
        lstrcmpA(caption, "#32770") != 0)
        return;
    KillTimer(nullptr, id);
    g_boxSeen = box;
    EndDialog(box, IDOK);
}

// The tree saved to a file comes back exactly from it, over another tree,
// as one step; a file that does not read leaves the tree as it was.
TEST_F(TrayControllerTest, TheTreeSavedToAFileOpensAgainExactly) {
    FolderSettings first = tray_->GetFolderSettings();
    first.items.Append(Item(FolderItemKind::Group, 0, "", "Work"));
    first.items.Append(Item(FolderItemKind::Folder, 1, "C:\\Projects", "Projects"));
    first.items.Append(Item(FolderItemKind::Separator, 0, "", "-"));
    first.items.Append(Item(FolderItemKind::Folder, 0, "C:\\Temp", ""));
    std::swap(first.specialFolderOrder1[0], first.specialFolderOrder1[1]);
    tray_->SetSettingsForTest(first, tray_->GetOptions());
    SettingsWindow* window = tray_->GetSettingsWindow();
    window->LoadTree(first, true);
    SendMessageA(main_, WM_COMMAND, CMD_FOLDER_SETTINGS, 0);
    ASSERT_TRUE(window->IsEditing());
    FolderSettings shown;
    window->PeekSettings(shown);
    const std::wstring file = WidenFromSystem(folder_ + "\\menu.tlr");
    ASSERT_EQ(tray_->SaveTreeTo(file), 0);

    FolderSettings other = tray_->GetFolderSettings();
    other.items = FolderItemList();
    other.items.Append(Item(FolderItemKind::Folder, 0, "C:\\Other", "Other"));
    window->ReloadTree(other);
    ASSERT_EQ(tray_->OpenTreeFrom(file), 0);
    FolderSettings opened;
    window->PeekSettings(opened);
    EXPECT_EQ(opened, shown);
    ASSERT_EQ(opened.items.Size(), first.items.Size());
    EXPECT_EQ(opened.items.At(1).path, "C:\\Projects");
    window->Undo();
    window->PeekSettings(opened);
    EXPECT_EQ(opened.items, other.items);

    const std::string damaged = folder_ + "\\damaged.tlr";
    HANDLE out = CreateFileA(damaged.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(out, "\x10\0\0\0not a settings file", 22, &written, nullptr);
    CloseHandle(out);
    g_boxSeen = nullptr;
    SetTimer(nullptr, 0, 50, AnswerErrorBox);
    EXPECT_EQ(tray_->OpenTreeFrom(WidenFromSystem(damaged)), -1);
    EXPECT_NE(g_boxSeen, nullptr) << "the failure was not told";
    window->PeekSettings(opened);
    EXPECT_EQ(opened.items, other.items);
}

// The hidden window keeps no working copy: an OK reaching it must not save
// the folders without their paths.
TEST_F(TrayControllerTest, OkToTheHiddenSettingsWindowChangesNothing) {
    FolderSettings live = tray_->GetFolderSettings();
    live.items.Append(Item(FolderItemKind::Folder, 0, "C:\\Kept", "Kept"));
    tray_->SetSettingsForTest(live, tray_->GetOptions());
    tray_->GetSettingsWindow()->LoadTree(live, true);
    const std::string file = folder_ + "\\Tellaro.tlr";
    DeleteFileA(file.c_str());
    SendMessageA(main_, WM_COMMAND, IDC_SETTINGS_OK, 0);
    EXPECT_EQ(tray_->GetFolderSettings().items.At(0).path, "C:\\Kept");
    EXPECT_EQ(GetFileAttributesA(file.c_str()), INVALID_FILE_ATTRIBUTES) << "nothing saved";
}

TEST_F(TrayControllerTest, OptionsTakeEffectEvenWhenTheSaveFails) {
    ASSERT_TRUE(CreateDirectoryA((folder_ + "\\Tellaro.tlr.tmp").c_str(), nullptr));
    OptionsRecord options = tray_->GetOptions();
    options.leftClickMenu = kPopupCommands;
    options.hotkey = static_cast<std::uint16_t>((0x02 | 0x04) << 8 | VK_F10);  // Ctrl+Alt+F10
    bool hotkeyHeld = false;
    notifier_.during = [&] {
        hotkeyHeld = !RegisterHotKey(nullptr, 78, MOD_CONTROL | MOD_ALT, VK_F10);
        if (!hotkeyHeld) UnregisterHotKey(nullptr, 78);
        Notify(WM_LBUTTONUP);
    };
    ApplyOptions(options);
    RemoveDirectoryA((folder_ + "\\Tellaro.tlr.tmp").c_str());
    EXPECT_EQ(notifier_.shown, std::vector<int>{IDS_SAVE_FAILED});
    EXPECT_TRUE(hotkeyHeld) << "the new hotkey is registered before the message";
    ASSERT_EQ(g_openedMenus.size(), 1u);
    EXPECT_EQ(g_openedMenus[0], MenuOfKind(kPopupCommands));
    EXPECT_EQ(tray_->GetOptions(), options);
}

std::vector<DWORD> g_trayCalls;

BOOL RecordTrayCall(DWORD message, NOTIFYICONDATAA*) {
    g_trayCalls.push_back(message);
    return TRUE;
}

TEST_F(TrayControllerTest, IconReturnsWhenTheTaskBarIsRecreated) {
    TrayIcon::NotifyFn previous = TrayIcon::SetNotifyFunction(RecordTrayCall);
    g_trayCalls.clear();
    // Explorer broadcasts this to every top-level window after a restart.
    SendMessageA(main_, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    TrayIcon::SetNotifyFunction(previous);
    ASSERT_FALSE(g_trayCalls.empty());
    EXPECT_EQ(g_trayCalls.back(), static_cast<DWORD>(NIM_ADD));
    EXPECT_TRUE(tray_->GetTrayIcon()->IsAdded());
}

}  // namespace
}  // namespace tellaro
