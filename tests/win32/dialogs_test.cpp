// The options and about dialogs in-process: values through the real
// controls, and the link fields of the version box.
#include <gtest/gtest.h>
#include <windows.h>

#include "res/resource.h"
#include "ui/dialogs/about_dialog.h"
#include "ui/dialogs/options_dialog.h"
#include "ui/framework/application.h"

namespace tellaro {
namespace {

class OptionsDialogTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(dialog_.Create(), 0); }
    OptionsRecord RoundTrip(const OptionsRecord& values) {
        EXPECT_EQ(dialog_.SetValues(values), 0);
        OptionsRecord read;
        EXPECT_EQ(dialog_.GetValues(read), 0);
        return read;
    }
    void TypeWait(const char* text) {
        SetDlgItemTextA(dialog_.GetHandle(), IDC_OPTIONS_WAIT, text);
    }

    Application app_;
    OptionsDialog dialog_{nullptr};
};

TEST_F(OptionsDialogTest, EveryFieldComesBackAsItWasShown) {
    OptionsRecord values;  // every field differs from the defaults
    values.leftClickMenu = kPopupCommands;
    values.rightClickMenu = kPopupFolders;
    values.leftDoubleClickAction = kDoubleClickExit;
    values.rightDoubleClickAction = kDoubleClickExplorer;
    values.hotkey = 0x0654;  // Ctrl+Alt+T
    values.hotkeyNearTray = 0;
    values.hotkeyMenu = kPopupCommands;
    values.secondLaunchPopup = 1;
    values.secondLaunchNearTray = 0;
    values.secondLaunchMenu = kPopupFolders;
    values.secondLaunchWaitMs = 321;
    EXPECT_EQ(RoundTrip(values), values);
    EXPECT_EQ(RoundTrip(OptionsRecord()), OptionsRecord());
}

TEST_F(OptionsDialogTest, StoredOdditiesAreShownSoundly) {
    OptionsRecord values;
    values.hotkeyNearTray = 0;
    dialog_.SetValues(values);
    values.hotkeyNearTray = 3;  // a check box refuses 3: it must not keep the old state
    values.hotkeyMenu = 7;      // no such entry: no selection
    const OptionsRecord read = RoundTrip(values);
    EXPECT_EQ(read.hotkeyNearTray, 1);
    EXPECT_EQ(read.hotkeyMenu, 255);
}

TEST_F(OptionsDialogTest, TypedWaitsOutsideTheRangeGiveWayToTheSpinPosition) {
    OptionsRecord values;
    values.secondLaunchWaitMs = 120;
    dialog_.SetValues(values);
    OptionsRecord read;
    for (const char* typed : {"750", "70000", "65636"}) {
        TypeWait(typed);
        dialog_.GetValues(read);
        EXPECT_EQ(read.secondLaunchWaitMs, 120) << typed;
    }
    TypeWait("0");
    dialog_.GetValues(read);
    EXPECT_EQ(read.secondLaunchWaitMs, 0);
    TypeWait("");
    dialog_.GetValues(read);
    EXPECT_EQ(read.secondLaunchWaitMs, 0);
}

TEST_F(OptionsDialogTest, WithoutControlsNothingIsReadOrShown) {
    OptionsDialog bare(nullptr);
    OptionsRecord values;
    values.hotkey = 0x0654;
    EXPECT_EQ(bare.SetValues(values), -1);
    EXPECT_EQ(bare.GetValues(values), -1);
    EXPECT_EQ(values.hotkey, 0x0654);
}

// Hands the chain's records to the one dialog, as the controller does.
class AboutApplication : public Application {
public:
    AboutDialog* about = nullptr;
    int OnDialogMessage(DialogMessage& record) override {
        if (about != nullptr) about->OnMessage(record);
        return 0;
    }
};

class AboutDialogTest : public testing::Test {
protected:
    void SetUp() override {
        app_.about = &about_;
        ASSERT_EQ(about_.Create(), 0);
        mail_ = GetDlgItem(about_.GetHandle(), IDC_ABOUT_MAIL);
        home_ = GetDlgItem(about_.GetHandle(), IDC_ABOUT_HOMEPAGE);
    }
    WPARAM ClickMessage(HWND link) {
        SendMessageA(link, WM_LBUTTONDOWN, 0, MAKELPARAM(2, 2));
        SendMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        MSG msg = {};
        if (!PeekMessageA(&msg, about_.GetHandle(), MSG_LINK_CLICKED, MSG_LINK_CLICKED, PM_REMOVE))
            return 0;
        return msg.wParam;
    }

    AboutApplication app_;
    AboutDialog about_{nullptr};
    HWND mail_ = nullptr;
    HWND home_ = nullptr;
};

TEST_F(AboutDialogTest, LinksPostTheirClicksAndAreBlueOnTheFace) {
    about_.Show(1);
    EXPECT_EQ(ClickMessage(mail_), 1u);
    EXPECT_EQ(ClickMessage(home_), 2u);
    EXPECT_EQ(GetFocus(), home_) << "the edit still receives the press";
    char text[128] = {};
    GetWindowTextA(mail_, text, sizeof(text));
    EXPECT_NE(text[0], '\0');

    HDC dc = GetDC(home_);
    const LRESULT brush =
        SendMessageA(about_.GetHandle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(home_));
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 255));
    ReleaseDC(home_, dc);
    EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_3DFACE)));
}

TEST_F(AboutDialogTest, InitLinksTwiceSubclassesOnceAndClosingTwiceIsHarmless) {
    const LONG_PTR linkProc = GetWindowLongPtrA(mail_, GWLP_WNDPROC);
    EXPECT_EQ(about_.InitLinks(), 0);
    EXPECT_EQ(GetWindowLongPtrA(mail_, GWLP_WNDPROC), linkProc) << "subclassed once only";
    EXPECT_EQ(ClickMessage(mail_), 1u) << "no endless self-call";
    EXPECT_EQ(about_.Close(), 0);
    EXPECT_FALSE(IsWindow(mail_));
    EXPECT_EQ(about_.Close(), 0);
}

TEST_F(AboutDialogTest, OkEscapeAndTheCloseBoxOnlyHide) {
    HWND window = about_.GetHandle();
    about_.Show(1);
    SendMessageA(window, WM_COMMAND, IDC_ABOUT_OK, 0);
    EXPECT_FALSE(IsWindowVisible(window));
    about_.Show(1);
    SendMessageA(window, WM_COMMAND, IDCANCEL, 0);  // Escape
    MSG msg;
    while (PeekMessageA(&msg, window, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    EXPECT_FALSE(IsWindowVisible(window));
    about_.Show(1);
    SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

}  // namespace
}  // namespace tellaro
