// SystemInfo: version record, directory texts, the shared cache and the
// desktop rectangles.
#include "config/system_info.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "tests/win32/config_test_support.h"

namespace tellaro {
namespace {

using config_test::ScratchFolder;

std::string CurrentDirectoryNow() {
    char buffer[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, buffer);
    return buffer;
}

// Runs a test with a current directory of its own and restores the old one.
class SystemInfoTest : public testing::Test {
protected:
    ScratchFolder scratch_{"sysinfo"};
    std::string saved_ = CurrentDirectoryNow();

    void SetUp() override {
        // Texts are cached only while some instance lives; the tests need
        // to start from an empty cache.
        ASSERT_EQ(SystemInfo::InstanceCount(), 0);
        ASSERT_TRUE(SetCurrentDirectoryA(scratch_.Path().c_str()));
    }
    void TearDown() override { SetCurrentDirectoryA(saved_.c_str()); }
};

TEST_F(SystemInfoTest, CurrentDirectoryForms) {
    SystemInfo info;
    const std::string dir = CurrentDirectoryNow();
    ASSERT_GE(dir.size(), 3u);
    ASSERT_NE(info.CurrentDirectory(), nullptr);
    EXPECT_EQ(std::string(info.CurrentDirectory()), dir);
    EXPECT_EQ(std::string(info.CurrentDirectorySlash()), dir + "\\");
    EXPECT_EQ(std::string(info.CurrentDrive()), dir.substr(0, 1));
    EXPECT_EQ(std::string(info.CurrentRoot()), dir.substr(0, 2) + "\\");
}

TEST_F(SystemInfoTest, WindowsAndSystemDirectoriesAreNotMixedUp) {
    char windows[MAX_PATH] = {};
    char system[MAX_PATH] = {};
    ASSERT_GT(GetWindowsDirectoryA(windows, MAX_PATH), 0u);
    ASSERT_GT(GetSystemDirectoryA(system, MAX_PATH), 0u);
    SystemInfo info;
    EXPECT_STREQ(info.WindowsDirectory(), windows);
    EXPECT_EQ(std::string(info.WindowsDirectorySlash()), std::string(windows) + "\\");
    EXPECT_EQ(std::string(info.WindowsRoot()), std::string(windows, 3));
    EXPECT_STREQ(info.SystemDirectory(), system);
    EXPECT_EQ(std::string(info.SystemDirectorySlash()), std::string(system) + "\\");
    EXPECT_EQ(std::string(info.SystemDrive()), std::string(system, 1));
}

TEST_F(SystemInfoTest, UserDirectoryIsTheLogonNameBelowTheCurrentDirectory) {
    char user[256] = {};
    DWORD size = sizeof user;
    ASSERT_TRUE(GetUserNameA(user, &size));
    SystemInfo info;
    const std::string expected = CurrentDirectoryNow() + "\\" + user;
    ASSERT_NE(info.UserDirectory(), nullptr);
    EXPECT_EQ(std::string(info.UserDirectory()), expected);
    EXPECT_EQ(std::string(info.UserDirectorySlash()), expected + "\\");
}

TEST_F(SystemInfoTest, InstancesShareOneCacheUntilTheLastIsGone) {
    auto first = std::make_unique<SystemInfo>();
    const char* text = first->CurrentDirectory();
    ASSERT_NE(text, nullptr);
    const std::string original = text;

    // Formed once: a later change of directory is not seen while cached.
    ASSERT_TRUE(CreateDirectoryA((scratch_ / "moved").c_str(), nullptr));
    ASSERT_TRUE(SetCurrentDirectoryA((scratch_ / "moved").c_str()));
    auto second = std::make_unique<SystemInfo>();
    EXPECT_EQ(SystemInfo::InstanceCount(), 2);
    EXPECT_EQ(second->CurrentDirectory(), text);
    EXPECT_EQ(second->MajorVersion(), first->MajorVersion());
    EXPECT_EQ(second->BuildNumber(), first->BuildNumber());

    first.reset();
    EXPECT_EQ(std::string(text), original);  // still owned by the cache
    EXPECT_EQ(second->CurrentDirectory(), text);

    second.reset();
    EXPECT_EQ(SystemInfo::InstanceCount(), 0);
    SystemInfo fresh;
    EXPECT_EQ(std::string(fresh.CurrentDirectory()), scratch_ / "moved");
}

TEST(SystemInfoRectangles, DesktopRectCoversTheScreen) {
    SystemInfo info;
    RECT rect = {};
    ASSERT_EQ(info.DesktopRect(&rect), 0);
    EXPECT_EQ(rect.right - rect.left, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(rect.bottom - rect.top, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(info.DesktopRect(nullptr), 1);
    EXPECT_EQ(info.DesktopViewRect(nullptr), 1);
}

// Builds the shape the shell's desktop gives: the bottom-most top-level
// window, its child and that child's child, each with its own rectangle.
TEST(SystemInfoRectangles, DesktopViewRectFollowsTheShellWindowChain) {
    const char* kClass = "TellaroDesktopViewTest";
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kClass;
    RegisterClassA(&wc);
    HWND top = CreateWindowExA(WS_EX_TOOLWINDOW, kClass, "", WS_POPUP, 5, 6, 300, 200, nullptr,
                               nullptr, wc.hInstance, nullptr);
    HWND child = CreateWindowExA(0, kClass, "", WS_CHILD, 10, 10, 200, 150, top, nullptr,
                                 wc.hInstance, nullptr);
    HWND view = CreateWindowExA(0, kClass, "", WS_CHILD, 20, 30, 40, 50, child, nullptr,
                                wc.hInstance, nullptr);
    ASSERT_TRUE(top && child && view);
    SetWindowPos(top, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    HWND last = GetWindow(GetWindow(GetDesktopWindow(), GW_CHILD), GW_HWNDLAST);
    if (last == top) {
        SystemInfo info;
        RECT got = {};
        RECT expected = {};
        GetWindowRect(view, &expected);
        ASSERT_EQ(info.DesktopViewRect(&got), 0);
        EXPECT_TRUE(EqualRect(&got, &expected));
        EXPECT_EQ(got.right - got.left, 40);
        EXPECT_EQ(got.bottom - got.top, 50);
    } else {
        ADD_FAILURE() << "the test window is not the last top-level window";
    }
    DestroyWindow(top);
    UnregisterClassA(kClass, wc.hInstance);
}

}  // namespace
}  // namespace tellaro
