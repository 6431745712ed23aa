// The window framework and the controller's message routing, in-process.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/tray_app.h"
#include "app/tray_application.h"
#include "base/system_code_page.h"
#include "config/settings_store.h"
#include "res/resource.h"
#include "settings/settings_window.h"
#include "ui/dialogs/about_dialog.h"
#include "ui/dialogs/options_dialog.h"
#include "ui/framework/application.h"
#include "ui/framework/dialog.h"

namespace tellaro {
namespace {

// Remembers which windows the chain saw, for one message number.
class RecordingApplication : public Application {
public:
    UINT watched = WM_APP + 7;
    std::vector<HWND> seen;
    int OnDialogMessage(DialogMessage& record) override {
        if (record.message == watched) seen.push_back(record.window);
        return 0;
    }
};

bool QuitPosted() {
    MSG msg;
    return PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

TEST(ModelessList, AddIsIdempotentAndRemoveReportsUnknownHandles) {
    Application app;
    HWND a = reinterpret_cast<HWND>(0x1234), b = reinterpret_cast<HWND>(0x5678);
    EXPECT_EQ(app.AddModeless(a), 0);
    EXPECT_EQ(app.AddModeless(a), 0);
    EXPECT_EQ(app.GetModelessCount(), 1);
    EXPECT_EQ(app.AddModeless(b), 0);
    EXPECT_EQ(app.RemoveModeless(reinterpret_cast<HWND>(0x9999)), -1);
    EXPECT_EQ(app.RemoveModeless(a), 0);
    ASSERT_EQ(app.GetModelessCount(), 1);
    EXPECT_EQ(app.GetModeless(0), b);
    EXPECT_EQ(app.RemoveModeless(b), 0);
    EXPECT_EQ(app.RemoveModeless(b), -1);
    EXPECT_EQ(app.GetModelessCount(), 0);
}

TEST(ModelessList, CommandLineIsSplitOnce) {
    Application app;
    EXPECT_EQ(app.ParseCommandLine("\"a b\" c"), 0);
    ASSERT_EQ(app.GetArgumentCount(), 2);
    EXPECT_STREQ(app.GetArgument(0), "a b");
    EXPECT_STREQ(app.GetArgument(1), "c");
    EXPECT_EQ(app.ParseCommandLine("x y z"), 0);  // already parsed: unchanged
    EXPECT_EQ(app.GetArgumentCount(), 2);
}

TEST(DialogFramework, ChainReachesEveryModelessDialog) {
    RecordingApplication app;
    Dialog about(nullptr), options(nullptr);
    ASSERT_EQ(about.CreateModeless(ModuleInstance(), IDD_ABOUT), 0);
    ASSERT_EQ(options.CreateModeless(ModuleInstance(), IDD_OPTIONS), 0);
    EXPECT_EQ(app.GetModelessCount(), 2);
    SendMessageA(about.GetHandle(), app.watched, 0, 0);
    SendMessageA(options.GetHandle(), app.watched, 0, 0);
    EXPECT_EQ(app.seen, (std::vector<HWND>{about.GetHandle(), options.GetHandle()}));
    about.Destroy();
    EXPECT_EQ(app.GetModelessCount(), 1) << "a destroyed dialog leaves the modeless list";
}

TEST(DialogFramework, CreateModelessTwiceCreatesOneWindow) {
    Application app;
    Dialog dialog(nullptr);
    ASSERT_EQ(dialog.CreateModeless(ModuleInstance(), IDD_ABOUT), 0);
    HWND first = dialog.GetHandle();
    EXPECT_EQ(dialog.CreateModeless(ModuleInstance(), IDD_ABOUT), 0);
    EXPECT_EQ(dialog.GetHandle(), first);
    EXPECT_EQ(app.GetModelessCount(), 1);
}

TEST(DialogFramework, ShowOnlyShowsForExactlyOne) {
    Application app;
    Dialog dialog(nullptr);
    ASSERT_EQ(dialog.CreateModeless(ModuleInstance(), IDD_ABOUT), 0);
    dialog.Show(1);
    EXPECT_TRUE(IsWindowVisible(dialog.GetHandle()));
    dialog.Show(2);
    EXPECT_FALSE(IsWindowVisible(dialog.GetHandle()));
    EXPECT_EQ(dialog.IsShown(), 2);
}

TEST(DialogFramework, OperationsOnADeadWindowAreNeutral) {
    Window window(nullptr);
    EXPECT_EQ(window.GetHeight(), -1);
    EXPECT_EQ(window.SetText("x"), -1);
    EXPECT_EQ(window.Show(1), 0);
    EXPECT_EQ(window.Destroy(), 0);
    EXPECT_EQ(window.Attach(reinterpret_cast<HWND>(0x4321)), -1);
}

TEST(DialogFramework, AttachTakesASnapshot) {
    Application app;
    Dialog dialog(nullptr);
    ASSERT_EQ(dialog.CreateModeless(ModuleInstance(), IDD_SETTINGS), 0);
    EXPECT_STREQ(dialog.GetText(), "Tellaro Explorer");
    EXPECT_GT(dialog.GetWidth(), 0);
    EXPECT_EQ(dialog.IsShown(), 0) << "the settings template is created hidden";
    EXPECT_EQ(dialog.IsEnabled(), 1);
    EXPECT_EQ(dialog.Enable(1), 0) << "an unchanged value makes no call";
}

class SilentNotifier : public StorageNotifier {
public:
    void ShowError(int, int) override {}
};

TrayAppConfig TestConfig(StorageNotifier* notifier) {
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    TrayAppConfig config;
    config.settingsFolder = WidenFromSystem(std::string(base) + "tellaro-framework-test");
    config.notifier = notifier;
    return config;
}

// A started controller, for the routing tests.
class ControllerTest : public testing::Test {
protected:
    ControllerTest() : app_(TestConfig(&notifier_)) {}
    void SetUp() override {
        ASSERT_EQ(app_.InitInstance(""), 0);
        tray_ = app_.GetTrayApp();
        ASSERT_NE(tray_, nullptr);
        main_ = tray_->MainWindow();
        ASSERT_TRUE(IsWindow(main_));
        Pump();
        QuitPosted();
    }
    void TearDown() override {
        app_.ExitInstance();
        Pump();
        QuitPosted();
    }

    SilentNotifier notifier_;
    TrayApplication app_;
    TrayApp* tray_ = nullptr;
    HWND main_ = nullptr;
};

TEST_F(ControllerTest, TheMainWindowIsTheHiddenSettingsWindow) {
    char caption[64] = {};
    GetWindowTextA(main_, caption, sizeof(caption));
    EXPECT_STREQ(caption, "Tellaro Explorer");
    EXPECT_EQ(FindWindowA(nullptr, "Tellaro Explorer"), main_);
}

TEST_F(ControllerTest, CommandsWithANotificationCodeAreIgnored) {
    tray_->GetSettingsWindow()->Show(1);
    SendMessageA(main_, WM_COMMAND, MAKEWPARAM(IDC_SETTINGS_CANCEL, 1), 0);
    EXPECT_TRUE(IsWindowVisible(main_));
    SendMessageA(main_, WM_COMMAND, MAKEWPARAM(IDC_SETTINGS_CANCEL, 0), 0);
    EXPECT_FALSE(IsWindowVisible(main_));
}

TEST_F(ControllerTest, CommandZeroTogglesTheAboutDialog) {
    SendMessageA(main_, WM_COMMAND, 0, 0);
    ASSERT_NE(tray_->GetAboutDialog(), nullptr);
    HWND about = tray_->GetAboutDialog()->GetHandle();
    EXPECT_TRUE(IsWindowVisible(about));
    SendMessageA(main_, WM_COMMAND, 0, 0);
    EXPECT_TRUE(IsWindowVisible(about)) << "a visible dialog is brought forward, not hidden";
    SendMessageA(about, WM_COMMAND, IDC_ABOUT_OK, 0);
    EXPECT_FALSE(IsWindowVisible(about));
}

TEST_F(ControllerTest, OptionsToggleAndCancel) {
    SendMessageA(main_, WM_COMMAND, 40003, 0);
    ASSERT_NE(tray_->GetOptionsDialog(), nullptr);
    HWND options = tray_->GetOptionsDialog()->GetHandle();
    EXPECT_TRUE(IsWindowVisible(options));
    SendMessageA(options, WM_COMMAND, IDC_OPTIONS_CANCEL, 0);
    EXPECT_FALSE(IsWindowVisible(options));
}

TEST_F(ControllerTest, EscapeAndTheCloseBoxOnlyHideTheSettingsWindow) {
    tray_->GetSettingsWindow()->Show(1);
    SendMessageA(main_, WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump();
    EXPECT_TRUE(IsWindow(main_));
    EXPECT_FALSE(IsWindowVisible(main_));
    EXPECT_FALSE(QuitPosted());
}

TEST_F(ControllerTest, DestroyingAnotherWindowDoesNotEndTheProgram) {
    SendMessageA(main_, WM_COMMAND, 0, 0);
    DestroyWindow(tray_->GetAboutDialog()->GetHandle());
    EXPECT_FALSE(QuitPosted());
    EXPECT_TRUE(IsWindow(main_));
}

TEST_F(ControllerTest, CloseSentToAnyDialogEndsTheProgram) {
    SendMessageA(main_, WM_COMMAND, 0, 0);
    SendMessageA(main_, WM_COMMAND, 40003, 0);
    SendMessageA(tray_->GetAboutDialog()->GetHandle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(main_));
    EXPECT_FALSE(IsWindow(tray_->GetOptionsDialog()->GetHandle()));
    EXPECT_TRUE(QuitPosted());
}

}  // namespace
}  // namespace tellaro
