#include "app/tray_icon.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tellaro {
namespace {

// What the shell was told, captured at the moment of each call.
struct NotifyCall {
    DWORD message;
    UINT flags;
    HWND window;
    UINT id;
    HICON icon;
    std::string tip;
};

std::vector<NotifyCall> g_calls;
bool g_shellRefuses = false;

BOOL RecordNotify(DWORD message, NOTIFYICONDATAA* record) {
    g_calls.push_back(
        {message, record->uFlags, record->hWnd, record->uID, record->hIcon, record->szTip});
    return g_shellRefuses ? FALSE : TRUE;
}

HWND CreateHiddenWindow() {
    static ATOM atom = [] {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "TellaroTrayIconTest";
        return RegisterClassA(&wc);
    }();
    if (atom == 0) return nullptr;
    return CreateWindowExA(0, "TellaroTrayIconTest", "tray test", WS_OVERLAPPEDWINDOW, 0, 0, 100,
                           100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

class TrayIconTest : public testing::Test {
protected:
    void SetUp() override {
        window_ = CreateHiddenWindow();
        ASSERT_NE(window_, nullptr);
        g_calls.clear();
        g_shellRefuses = false;
        previous_ = TrayIcon::SetNotifyFunction(&RecordNotify);
        iconA_ = LoadIconA(nullptr, IDI_APPLICATION);
        iconB_ = LoadIconA(nullptr, IDI_WARNING);
        iconC_ = LoadIconA(nullptr, IDI_INFORMATION);
        ASSERT_TRUE(iconA_ && iconB_ && iconC_);
    }
    void TearDown() override {
        TrayIcon::SetNotifyFunction(previous_);
        if (window_ != nullptr) DestroyWindow(window_);
    }

    // An icon ready to be added: attached to the window with one icon.
    void Prepare(TrayIcon& tray) {
        ASSERT_EQ(tray.Attach(window_), 0);
        ASSERT_EQ(tray.AddIcon(iconA_), 0);
    }
    void PrepareAdded(TrayIcon& tray) {
        Prepare(tray);
        ASSERT_EQ(tray.AddToTray(), 0);
        g_calls.clear();
    }

    HWND window_ = nullptr;
    TrayIcon::NotifyFn previous_ = nullptr;
    HICON iconA_ = nullptr;
    HICON iconB_ = nullptr;
    HICON iconC_ = nullptr;
};

TEST_F(TrayIconTest, NewIconHasFirstGenerationRecordAndItsOwnId) {
    TrayIcon first;
    TrayIcon second;
    EXPECT_GE(first.GetId(), 1u);
    EXPECT_EQ(second.GetId(), first.GetId() + 1);
    const NOTIFYICONDATAA& record = first.Record();
    EXPECT_EQ(record.cbSize, static_cast<DWORD>(NOTIFYICONDATAA_V1_SIZE));
    if (sizeof(void*) == 4) {
        EXPECT_EQ(record.cbSize, 88u);
    }
    EXPECT_EQ(record.uCallbackMessage, 1124u);
    EXPECT_EQ(record.uFlags, 7u);
    EXPECT_EQ(first.GetFlags(), 7u);
    EXPECT_EQ(first.GetCurrentIcon(), -1);
    EXPECT_EQ(first.GetIconCount(), 0u);
    EXPECT_STREQ(first.GetTip(), "");
    EXPECT_FALSE(first.IsAdded());
}

TEST_F(TrayIconTest, AttachAcceptsOnlyLiveWindows) {
    TrayIcon tray;
    EXPECT_EQ(tray.Attach(nullptr), 1);
    HWND gone = CreateHiddenWindow();
    DestroyWindow(gone);
    EXPECT_EQ(tray.Attach(gone), 1);
    EXPECT_EQ(tray.Record().hWnd, nullptr);
    EXPECT_EQ(tray.Attach(window_), 0);
    EXPECT_EQ(tray.Record().hWnd, window_);
}

TEST_F(TrayIconTest, FirstIconBecomesCurrentAndLaterOnesDoNot) {
    TrayIcon tray;
    EXPECT_EQ(tray.AddIcon(nullptr), 1);
    EXPECT_EQ(tray.GetIconCount(), 0u);
    EXPECT_EQ(tray.AddIcon(iconA_), 0);
    EXPECT_EQ(tray.GetCurrentIcon(), 0);
    EXPECT_EQ(tray.Record().hIcon, iconA_);
    EXPECT_EQ(tray.AddIcon(iconB_), 0);
    EXPECT_EQ(tray.GetIconCount(), 2u);
    EXPECT_EQ(tray.GetCurrentIcon(), 0);
    EXPECT_EQ(tray.Record().hIcon, iconA_);
}

TEST_F(TrayIconTest, RemovingAnIconMovesTheLaterOnesDown) {
    TrayIcon tray;
    tray.AddIcon(iconA_);
    tray.AddIcon(iconB_);
    tray.AddIcon(iconC_);
    EXPECT_EQ(tray.RemoveIconAt(3), 1);
    EXPECT_EQ(tray.RemoveIconAt(0), 0);
    EXPECT_EQ(tray.GetIconCount(), 2u);
    EXPECT_EQ(tray.IconAt(0), iconB_);
    EXPECT_EQ(tray.IconAt(1), iconC_);
    EXPECT_EQ(tray.RemoveIcon(iconA_), 1);
    EXPECT_EQ(tray.RemoveIcon(iconC_), 0);
    EXPECT_EQ(tray.GetIconCount(), 1u);
    EXPECT_EQ(tray.IconAt(0), iconB_);
}

TEST_F(TrayIconTest, RemovingTheOnlyIconLeavesNothingToShow) {
    TrayIcon tray;
    tray.AddIcon(iconA_);
    EXPECT_EQ(tray.RemoveIconAt(0), 0);
    EXPECT_EQ(tray.GetIconCount(), 0u);
    EXPECT_EQ(tray.GetCurrentIcon(), -1);
    EXPECT_EQ(tray.Record().hIcon, nullptr);
    EXPECT_EQ(tray.RemoveIconAt(0), 1);
    // With no icon left the tray refuses it.
    ASSERT_EQ(tray.Attach(window_), 0);
    EXPECT_EQ(tray.AddToTray(), 2);
}

TEST_F(TrayIconTest, FlagsAcceptOnlyTheLowestThreeBits) {
    TrayIcon tray;
    EXPECT_EQ(tray.SetFlags(NIF_MESSAGE | NIF_TIP | 8), 1);
    EXPECT_EQ(tray.SetFlags(0x100), 1);
    EXPECT_EQ(tray.GetFlags(), 7u);
    EXPECT_EQ(tray.SetFlags(NIF_ICON | NIF_MESSAGE), 0);
    EXPECT_EQ(tray.GetFlags(), 3u);
    EXPECT_EQ(tray.Record().uFlags, 3u);
    EXPECT_EQ(tray.SetFlags(0), 0);
    EXPECT_EQ(tray.GetFlags(), 0u);
}

TEST_F(TrayIconTest, TipUpToSixtyThreeCharactersIsAccepted) {
    TrayIcon tray;
    const std::string longest(63, 'x');
    EXPECT_EQ(tray.SetTip(longest.c_str()), 0);
    EXPECT_EQ(std::string(tray.GetTip()), longest);
    EXPECT_EQ(tray.SetTip(std::string(64, 'y').c_str()), 1);
    EXPECT_EQ(std::string(tray.GetTip()), longest);
    EXPECT_EQ(tray.SetTip(std::string(300, 'z').c_str()), 1);
    EXPECT_EQ(std::string(tray.GetTip()), longest);
    EXPECT_EQ(tray.SetTip("Tellaro Expolorer"), 0);
    EXPECT_STREQ(tray.GetTip(), "Tellaro Expolorer");
    EXPECT_EQ(tray.SetTip(nullptr), 0);
    EXPECT_STREQ(tray.GetTip(), "");
    EXPECT_TRUE(g_calls.empty());  // not in the tray: the shell is not told
}

TEST_F(TrayIconTest, TipOfAnAddedIconIsSentAloneToTheShell) {
    TrayIcon tray;
    PrepareAdded(tray);
    EXPECT_EQ(tray.SetTip("new tip"), 0);
    ASSERT_EQ(g_calls.size(), 1u);
    EXPECT_EQ(g_calls[0].message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(g_calls[0].flags, static_cast<UINT>(NIF_TIP));
    EXPECT_EQ(g_calls[0].tip, "new tip");
    EXPECT_EQ(tray.Record().uFlags, 7u);  // restored after the call

    g_shellRefuses = true;
    EXPECT_EQ(tray.SetTip("refused"), 1);
    EXPECT_EQ(tray.Record().uFlags, 7u);
}

TEST_F(TrayIconTest, AddToTrayNeedsWindowAndIcon) {
    TrayIcon tray;
    EXPECT_EQ(tray.AddToTray(), 1);
    tray.AddIcon(iconA_);
    EXPECT_EQ(tray.AddToTray(), 1);
    TrayIcon noIcon;
    noIcon.Attach(window_);
    EXPECT_EQ(noIcon.AddToTray(), 2);
    EXPECT_TRUE(g_calls.empty());
    EXPECT_FALSE(tray.IsAdded());
    EXPECT_FALSE(noIcon.IsAdded());
}

TEST_F(TrayIconTest, AddToTrayTellsTheShellOnce) {
    TrayIcon tray;
    Prepare(tray);
    tray.SetFlags(NIF_ICON | NIF_MESSAGE);
    EXPECT_EQ(tray.AddToTray(), 0);
    EXPECT_TRUE(tray.IsAdded());
    ASSERT_EQ(g_calls.size(), 1u);
    EXPECT_EQ(g_calls[0].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(g_calls[0].flags, 3u);
    EXPECT_EQ(g_calls[0].window, window_);
    EXPECT_EQ(g_calls[0].id, tray.GetId());
    EXPECT_EQ(g_calls[0].icon, iconA_);
    EXPECT_EQ(tray.AddToTray(), 0);
    EXPECT_EQ(g_calls.size(), 1u);
}

TEST_F(TrayIconTest, RefusedAddLeavesTheIconOut) {
    TrayIcon tray;
    Prepare(tray);
    g_shellRefuses = true;
    EXPECT_EQ(tray.AddToTray(), 3);
    EXPECT_FALSE(tray.IsAdded());
    g_shellRefuses = false;
    EXPECT_EQ(tray.AddToTray(), 0);
    EXPECT_TRUE(tray.IsAdded());
}

TEST_F(TrayIconTest, RemoveFromTrayOnlyWhenAdded) {
    TrayIcon tray;
    Prepare(tray);
    EXPECT_EQ(tray.RemoveFromTray(), 0);
    EXPECT_TRUE(g_calls.empty());

    ASSERT_EQ(tray.AddToTray(), 0);
    g_calls.clear();
    g_shellRefuses = true;
    EXPECT_EQ(tray.RemoveFromTray(), 1);
    EXPECT_TRUE(tray.IsAdded());
    g_shellRefuses = false;
    EXPECT_EQ(tray.RemoveFromTray(), 0);
    EXPECT_FALSE(tray.IsAdded());
    ASSERT_EQ(g_calls.size(), 2u);
    EXPECT_EQ(g_calls[1].message, static_cast<DWORD>(NIM_DELETE));
}

TEST_F(TrayIconTest, DestroyingAnAddedIconRemovesIt) {
    UINT id = 0;
    {
        TrayIcon tray;
        PrepareAdded(tray);
        id = tray.GetId();
    }
    ASSERT_EQ(g_calls.size(), 1u);
    EXPECT_EQ(g_calls[0].message, static_cast<DWORD>(NIM_DELETE));
    EXPECT_EQ(g_calls[0].id, id);
}

TEST_F(TrayIconTest, SelectIconWhileOutOfTheTray) {
    TrayIcon tray;
    tray.AddIcon(iconA_);
    tray.AddIcon(iconB_);
    EXPECT_EQ(tray.SelectIcon(2), 1);
    EXPECT_EQ(tray.SelectIcon(0), 0);
    EXPECT_EQ(tray.SelectIcon(1), 0);
    EXPECT_EQ(tray.GetCurrentIcon(), 1);
    EXPECT_EQ(tray.Record().hIcon, iconB_);
    EXPECT_TRUE(g_calls.empty());
}

TEST_F(TrayIconTest, SelectIconWhileAddedSendsOnlyTheIcon) {
    TrayIcon tray;
    PrepareAdded(tray);
    tray.AddIcon(iconB_);
    EXPECT_EQ(tray.SelectIcon(0), 0);  // already current: nothing to tell
    EXPECT_TRUE(g_calls.empty());
    EXPECT_EQ(tray.SelectIcon(1), 0);
    ASSERT_EQ(g_calls.size(), 1u);
    EXPECT_EQ(g_calls[0].message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(g_calls[0].flags, static_cast<UINT>(NIF_ICON));
    EXPECT_EQ(g_calls[0].icon, iconB_);
    EXPECT_EQ(tray.Record().uFlags, 7u);
}

TEST_F(TrayIconTest, RefusedIconChangeKeepsThePreviousIcon) {
    TrayIcon tray;
    PrepareAdded(tray);
    tray.AddIcon(iconB_);
    g_shellRefuses = true;
    EXPECT_EQ(tray.SelectIcon(1), 2);
    EXPECT_EQ(tray.GetCurrentIcon(), 0);
    EXPECT_EQ(tray.Record().hIcon, iconA_);
}

TEST_F(TrayIconTest, ReAddAfterTaskbarRestartAddsAgain) {
    TrayIcon tray;
    PrepareAdded(tray);
    // The recreated task bar no longer has the icon, so the delete fails.
    g_shellRefuses = true;
    EXPECT_EQ(tray.ReAddToTray(), 3);
    EXPECT_FALSE(tray.IsAdded());
    g_shellRefuses = false;
    g_calls.clear();
    EXPECT_EQ(tray.ReAddToTray(), 0);
    EXPECT_TRUE(tray.IsAdded());
    ASSERT_EQ(g_calls.size(), 1u);
    EXPECT_EQ(g_calls[0].message, static_cast<DWORD>(NIM_ADD));
    g_calls.clear();
    EXPECT_EQ(tray.ReAddToTray(), 0);
    ASSERT_EQ(g_calls.size(), 2u);
    EXPECT_EQ(g_calls[0].message, static_cast<DWORD>(NIM_DELETE));
    EXPECT_EQ(g_calls[1].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_TRUE(tray.IsAdded());
}

// The real shell: Wine's desktop process keeps a notification area.
TEST_F(TrayIconTest, RealShellAcceptsAddTipReAddAndRemove) {
    TrayIcon::SetNotifyFunction(nullptr);
    TrayIcon tray;
    Prepare(tray);
    ASSERT_EQ(tray.AddToTray(), 0);
    EXPECT_TRUE(tray.IsAdded());
    EXPECT_EQ(tray.SetTip("Tellaro Expolorer"), 0);
    EXPECT_EQ(tray.ReAddToTray(), 0);
    EXPECT_TRUE(tray.IsAdded());
    EXPECT_EQ(tray.RemoveFromTray(), 0);
    EXPECT_FALSE(tray.IsAdded());
    EXPECT_TRUE(g_calls.empty());
}

}  // namespace
}  // namespace tellaro
