#include "shell/shell_launcher.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "shell/launch_thread.h"

namespace tellaro {
namespace {

// ShellExecuteExA as the launcher filled it, read while the call is made
// (item identifier lists are freed right after).
struct ExecuteExCall {
    DWORD size;
    ULONG mask;
    HWND owner;
    int show;
    std::string verb;
    std::string file;
    std::shared_ptr<ITEMIDLIST> idList;  // a copy: the launcher frees its own
    std::string idListPath;              // file-system path of the list, if it has one
};

// A launch from a thread of its own lets the shell ask the user and report
// its own failures (no SEE_MASK_FLAG_NO_UI), and waits for the shell before
// the thread ends.
constexpr ULONG kLaunchMask = SEE_MASK_NOASYNC;

struct ExecuteCall {
    HWND owner;
    std::string verb;
    std::string file;
    bool hasParameters;
    std::string parameters;
    bool hasDirectory;
    std::string directory;
    int show;
};

std::vector<ExecuteExCall> g_executeEx;
std::vector<ExecuteCall> g_execute;
ModifierKeys g_modifiers;
ShellVersion g_version;
// What ShellExecuteA answers when handed a URL directly (above 32 = started).
INT_PTR g_urlResult = 42;

std::string Text(const char* text) {
    return text != nullptr ? text : "";
}

BOOL RecordExecuteEx(SHELLEXECUTEINFOA* info) {
    ExecuteExCall call{info->cbSize,       info->fMask,        info->hwnd, info->nShow,
                       Text(info->lpVerb), Text(info->lpFile), nullptr,    ""};
    if (info->lpIDList != nullptr)
        call.idList.reset(ILClone(static_cast<LPCITEMIDLIST>(info->lpIDList)), ILFree);
    char path[MAX_PATH] = "";
    if (info->lpIDList != nullptr &&
        SHGetPathFromIDListA(static_cast<LPCITEMIDLIST>(info->lpIDList), path))
        call.idListPath = path;
    g_executeEx.push_back(call);
    return TRUE;
}

HINSTANCE RecordExecute(HWND owner, const char* verb, const char* file, const char* parameters,
                        const char* directory, int show) {
    g_execute.push_back({owner, Text(verb), Text(file), parameters != nullptr, Text(parameters),
                         directory != nullptr, Text(directory), show});
    const bool isUrl = Text(file).find("://") != std::string::npos;
    return reinterpret_cast<HINSTANCE>(isUrl ? g_urlResult : 42);
}

ModifierKeys FakeModifiers() {
    return g_modifiers;
}
ShellVersion FakeVersion() {
    return g_version;
}

std::string TempDirectory() {
    char path[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, path);
    return path;
}

class ShellLauncherTest : public testing::Test {
protected:
    void SetUp() override {
        g_executeEx.clear();
        g_execute.clear();
        g_modifiers = ModifierKeys{};
        g_version = ShellVersion{4, 72};
        g_urlResult = 42;
        previous_ = shell::InstallShellCalls(
            {&RecordExecuteEx, &RecordExecute, &FakeModifiers, &FakeVersion});
        // Every launch runs on a thread of its own; these tests look at each
        // call right after it is made.
        previousRunner_ = shell::InstallLaunchRunner(&shell::RunLaunchNow);
    }
    void TearDown() override {
        shell::InstallLaunchRunner(previousRunner_);
        shell::InstallShellCalls(previous_);
    }

    shell::ShellCalls previous_{};
    shell::LaunchRunner previousRunner_ = nullptr;
};

TEST_F(ShellLauncherTest, UserFolderIsExploredWithoutModifiers) {
    shell::OpenUserFolder("C:\\users");
    ASSERT_EQ(g_executeEx.size(), 1u);
    const ExecuteExCall& call = g_executeEx[0];
    EXPECT_EQ(call.size, sizeof(SHELLEXECUTEINFOA));
    EXPECT_EQ(call.mask, kLaunchMask);
    EXPECT_EQ(call.owner, nullptr);
    EXPECT_EQ(call.show, SW_SHOWNORMAL);
    EXPECT_EQ(call.verb, "explore");
    EXPECT_EQ(call.file, "C:\\users");
    EXPECT_EQ(call.idList, nullptr);
    EXPECT_TRUE(g_execute.empty());
}

TEST_F(ShellLauncherTest, UserFolderIsOpenedWithShiftOrRightButton) {
    g_modifiers.shift = true;
    shell::OpenUserFolder("C:\\users");
    g_modifiers = ModifierKeys{false, true};
    shell::OpenUserFolder(nullptr);
    ASSERT_EQ(g_executeEx.size(), 2u);
    EXPECT_EQ(g_executeEx[0].verb, "open");
    EXPECT_EQ(g_executeEx[1].verb, "open");
    EXPECT_EQ(g_executeEx[1].file, "");  // an item without a path
}

TEST_F(ShellLauncherTest, SpecialFolderIsOpenedThroughItsIdList) {
    char expected[MAX_PATH] = "";
    ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, expected, CSIDL_DESKTOPDIRECTORY, FALSE));
    EXPECT_EQ(shell::OpenSpecialFolder(CSIDL_DESKTOPDIRECTORY), 0);
    g_modifiers.shift = true;
    EXPECT_EQ(shell::OpenSpecialFolder(CSIDL_DESKTOPDIRECTORY), 0);
    ASSERT_EQ(g_executeEx.size(), 2u);
    EXPECT_EQ(g_executeEx[0].mask, kLaunchMask | SEE_MASK_IDLIST);
    EXPECT_NE(g_executeEx[0].idList, nullptr);
    EXPECT_EQ(g_executeEx[0].idListPath, expected);
    EXPECT_EQ(g_executeEx[0].file, "");
    EXPECT_EQ(g_executeEx[0].verb, "explore");
    EXPECT_EQ(g_executeEx[1].verb, "open");
}

TEST_F(ShellLauncherTest, SpecialFolderUnknownToTheSystemOpensNothing) {
    EXPECT_EQ(shell::OpenSpecialFolder(0x7F), -1);
    EXPECT_TRUE(g_executeEx.empty());
    EXPECT_TRUE(g_execute.empty());
}

TEST_F(ShellLauncherTest, DesktopDirectoryIsExploredAndShortcutOpened) {
    const std::string dir = TempDirectory() + "tellaro desktop dir";
    const std::string link = TempDirectory() + "tellaro shortcut.lnk";
    CreateDirectoryA(dir.c_str(), nullptr);
    HANDLE file = CreateFileA(link.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);

    shell::OpenDesktopPath(dir.c_str());
    shell::OpenDesktopPath(link.c_str());
    g_modifiers.rightButton = true;
    shell::OpenDesktopPath(dir.c_str());
    g_modifiers = ModifierKeys{};
    shell::OpenDesktopPath((dir + " that is gone").c_str());

    DeleteFileA(link.c_str());
    RemoveDirectoryA(dir.c_str());
    ASSERT_EQ(g_executeEx.size(), 4u);
    EXPECT_EQ(g_executeEx[0].verb, "explore");
    EXPECT_EQ(g_executeEx[0].file, dir);
    EXPECT_EQ(g_executeEx[0].mask, kLaunchMask);
    EXPECT_EQ(g_executeEx[1].verb, "open");
    EXPECT_EQ(g_executeEx[1].file, link);
    EXPECT_EQ(g_executeEx[2].verb, "open");
    EXPECT_EQ(g_executeEx[3].verb, "open");  // no attributes: not a directory
}

TEST_F(ShellLauncherTest, DesktopShellFolderIsExploredUnlessAModifierIsHeld) {
    LPITEMIDLIST drives = nullptr;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &drives), S_OK);
    shell::OpenDesktopShellItem(drives);
    g_modifiers.shift = true;
    shell::OpenDesktopShellItem(drives);
    ASSERT_EQ(g_executeEx.size(), 2u);
    EXPECT_EQ(g_executeEx[0].mask, kLaunchMask | SEE_MASK_IDLIST);
    EXPECT_TRUE(ILIsEqual(g_executeEx[0].idList.get(), drives));
    EXPECT_EQ(g_executeEx[0].verb, "explore");
    EXPECT_EQ(g_executeEx[1].verb, "open");
    CoTaskMemFree(drives);
}

TEST_F(ShellLauncherTest, DesktopShellItemThatIsNoFolderIsOpened) {
    const std::string path = TempDirectory() + "tellaro item.txt";
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    LPITEMIDLIST item = ILCreateFromPathA(path.c_str());
    ASSERT_NE(item, nullptr);
    shell::OpenDesktopShellItem(item);
    ILFree(item);
    DeleteFileA(path.c_str());
    ASSERT_EQ(g_executeEx.size(), 1u);
    EXPECT_EQ(g_executeEx[0].verb, "open");
    EXPECT_EQ(g_executeEx[0].idListPath, path);
}

TEST_F(ShellLauncherTest, MailLinkOpensMailto) {
    shell::OpenMailLink("someone@example.org");
    ASSERT_EQ(g_execute.size(), 1u);
    const ExecuteCall& call = g_execute[0];
    EXPECT_EQ(call.owner, nullptr);
    EXPECT_EQ(call.verb, "OPEN");
    EXPECT_EQ(call.file, "mailto:someone@example.org");
    EXPECT_TRUE(call.hasParameters);
    EXPECT_EQ(call.parameters, "");
    EXPECT_TRUE(call.hasDirectory);
    EXPECT_EQ(call.directory, "");
    EXPECT_EQ(call.show, SW_SHOW);
    EXPECT_TRUE(g_executeEx.empty());
}

// Registers a fake browser for .htm under HKEY_CLASSES_ROOT of the test
// session, and puts back whatever was there.
class FakeBrowserRegistration {
public:
    static constexpr const char* kClass = "tellarotest.htm";
    static constexpr const char* kProgram = "C:\\Program Files\\Browser\\browser.exe";
    static constexpr const char* kCommand =
        "\"C:\\Program Files\\Browser\\browser.exe\" -url \"%1\"";

    // A null command leaves the class without an open command key.
    explicit FakeBrowserRegistration(const char* command = kCommand) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, ".htm", 0, KEY_READ, &key) == ERROR_SUCCESS) {
            hadHtm_ = true;
            char value[MAX_PATH] = "";
            LONG size = sizeof(value);
            if (RegQueryValueA(key, nullptr, value, &size) == ERROR_SUCCESS) {
                hadDefault_ = true;
                oldDefault_ = value;
            }
            RegCloseKey(key);
        }
        ok_ = SetDefault(".htm", kClass);
        if (command != nullptr)
            ok_ = ok_ && SetDefault(std::string(kClass) + "\\shell\\open\\command", command);
    }
    ~FakeBrowserRegistration() {
        for (const char* sub : {"\\shell\\open\\command", "\\shell\\open", "\\shell", ""})
            RegDeleteKeyA(HKEY_CLASSES_ROOT, (std::string(kClass) + sub).c_str());
        if (hadDefault_)
            SetDefault(".htm", oldDefault_);
        else if (hadHtm_)
            DeleteDefault(".htm");
        else
            RegDeleteKeyA(HKEY_CLASSES_ROOT, ".htm");
    }
    bool ok() const { return ok_; }
    bool hadHtm() const { return hadHtm_; }

private:
    static bool SetDefault(const std::string& key, const std::string& value) {
        return RegSetValueA(HKEY_CLASSES_ROOT, key.c_str(), REG_SZ, value.c_str(),
                            static_cast<DWORD>(value.size())) == ERROR_SUCCESS;
    }

    static void DeleteDefault(const char* name) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, name, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
        RegDeleteValueA(key, nullptr);
        RegCloseKey(key);
    }

    bool hadHtm_ = false;
    bool hadDefault_ = false;
    std::string oldDefault_;
    bool ok_ = false;
};

TEST_F(ShellLauncherTest, OldShellFindsTheBrowserInTheRegistry) {
    FakeBrowserRegistration fake;
    ASSERT_TRUE(fake.ok());
    EXPECT_EQ(shell::OpenInBrowser("http://example.org/"), 0);
    ASSERT_EQ(g_execute.size(), 1u);
    EXPECT_EQ(g_execute[0].verb, "open");
    EXPECT_EQ(g_execute[0].file, FakeBrowserRegistration::kProgram);
    EXPECT_EQ(g_execute[0].parameters, "http://example.org/");
    EXPECT_FALSE(g_execute[0].hasDirectory);
    EXPECT_EQ(g_execute[0].show, SW_SHOWNORMAL);
}

TEST_F(ShellLauncherTest, NewerShellOpensTheUrlItself) {
    FakeBrowserRegistration fake;
    ASSERT_TRUE(fake.ok());
    g_version = ShellVersion{5, 0};
    EXPECT_EQ(shell::OpenInBrowser("http://example.org/"), 0);
    ASSERT_EQ(g_execute.size(), 1u);
    EXPECT_EQ(g_execute[0].verb, "open");
    EXPECT_EQ(g_execute[0].file, "http://example.org/");
    EXPECT_FALSE(g_execute[0].hasParameters);
    EXPECT_EQ(g_execute[0].show, SW_SHOWNORMAL);
}

TEST_F(ShellLauncherTest, FailedUrlFallsBackToTheRegisteredBrowser) {
    FakeBrowserRegistration fake;
    ASSERT_TRUE(fake.ok());
    g_version = ShellVersion{6, 0};
    g_urlResult = SE_ERR_NOASSOC;
    EXPECT_EQ(shell::OpenInBrowser("http://example.org/"), 0);
    ASSERT_EQ(g_execute.size(), 2u);
    EXPECT_EQ(g_execute[0].file, "http://example.org/");
    EXPECT_EQ(g_execute[1].file, FakeBrowserRegistration::kProgram);
    EXPECT_EQ(g_execute[1].parameters, "http://example.org/");
}

TEST_F(ShellLauncherTest, WithoutUrlTheBrowserStartsOnItsOwn) {
    FakeBrowserRegistration fake;
    ASSERT_TRUE(fake.ok());
    g_version = ShellVersion{6, 0};
    EXPECT_EQ(shell::OpenInBrowser(nullptr), 0);
    // The Internet special folder takes the same way.
    EXPECT_EQ(shell::OpenSpecialFolder(CSIDL_INTERNET), 0);
    ASSERT_EQ(g_execute.size(), 2u);
    for (const ExecuteCall& call : g_execute) {
        EXPECT_EQ(call.file, FakeBrowserRegistration::kProgram);
        EXPECT_FALSE(call.hasParameters);
    }
    EXPECT_TRUE(g_executeEx.empty());
}

TEST_F(ShellLauncherTest, BrowserClassWithoutOpenCommandFindsNothing) {
    FakeBrowserRegistration fake(nullptr);
    ASSERT_TRUE(fake.ok());
    EXPECT_EQ(shell::OpenInBrowser("http://example.org/"), -1);
    EXPECT_TRUE(g_execute.empty());
}

TEST_F(ShellLauncherTest, EmptyOpenCommandFindsNothing) {
    FakeBrowserRegistration fake("");
    ASSERT_TRUE(fake.ok());
    EXPECT_EQ(shell::OpenInBrowser(nullptr), -1);
    EXPECT_TRUE(g_execute.empty());
}

TEST_F(ShellLauncherTest, NoHtmRegistrationFindsNothing) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, ".htm", 0, KEY_READ, &key) == ERROR_SUCCESS) {
        RegCloseKey(key);
        GTEST_SKIP() << "this system registers .htm";
    }
    EXPECT_EQ(shell::OpenInBrowser(nullptr), -1);
    EXPECT_EQ(shell::OpenSpecialFolder(CSIDL_INTERNET), -1);
    EXPECT_TRUE(g_execute.empty());
    EXPECT_TRUE(g_executeEx.empty());
}

// Without the test hooks: the real shell opens an explorer window.
HWND FindExplorerWindow(const std::string& title) {
    HWND found = nullptr;
    for (int i = 0; i < 100 && found == nullptr; ++i) {
        found = FindWindowA("ExplorerWClass", title.c_str());
        if (found == nullptr) found = FindWindowA("ExplorerWClass", nullptr);
        if (found == nullptr) Sleep(100);
    }
    return found;
}

// A visible top-level window of this process that `before` does not hold.
HWND FindNewWindow(const std::vector<HWND>& before) {
    struct Search {
        const std::vector<HWND>* before;
        HWND found;
    } search{&before, nullptr};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process != GetCurrentProcessId() || !IsWindowVisible(window)) return TRUE;
            for (HWND old : *s->before)
                if (old == window) return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> WindowsOfThisProcess() {
    std::vector<HWND> windows;
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process == GetCurrentProcessId())
                reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// A file type nobody registered: the shell offers its chooser (Wine its own
// message), and the program adds no message of its own to it.
TEST(ShellLauncherEndToEnd, AnUnknownFileTypeIsLeftToTheShell) {
    shell::LaunchFailure failure;
    while (shell::FirstLaunchFailure(failure)) shell::DropFirstLaunchFailure();
    const std::string file = TempDirectory() + "tellaro unknown.tellaro-unregistered";
    HANDLE handle = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    CloseHandle(handle);
    const std::vector<HWND> before = WindowsOfThisProcess();
    shell::OpenPath(file.c_str(), "open");
    HWND asked = nullptr;
    for (int i = 0; i < 200 && asked == nullptr; ++i) {
        asked = FindNewWindow(before);
        if (asked == nullptr) Sleep(50);
    }
    EXPECT_NE(asked, nullptr) << "the shell asked nothing";
    if (asked != nullptr) {
        PostMessageA(asked, WM_CLOSE, 0, 0);
        for (int i = 0; i < 50 && IsWindow(asked); ++i) Sleep(100);
        if (IsWindow(asked)) PostMessageA(asked, WM_COMMAND, IDCANCEL, 0);
    }
    EXPECT_TRUE(shell::WaitForLaunches(10000));
    EXPECT_FALSE(shell::FirstLaunchFailure(failure)) << "a second message: " << failure.target;
    DeleteFileA(file.c_str());
}

TEST(ShellLauncherEndToEnd, ExploreOpensAnExplorerWindow) {
    const std::string dir = TempDirectory() + "tellaro explore";
    CreateDirectoryA(dir.c_str(), nullptr);
    ASSERT_EQ(FindWindowA("ExplorerWClass", nullptr), nullptr) << "an explorer is already open";
    shell::OpenPath(dir.c_str(), "explore");
    HWND window = FindExplorerWindow("tellaro explore");
    ASSERT_NE(window, nullptr);
    PostMessageA(window, WM_CLOSE, 0, 0);
    for (int i = 0; i < 100 && IsWindow(window); ++i) Sleep(100);
    EXPECT_FALSE(IsWindow(window));
    RemoveDirectoryA(dir.c_str());
}

}  // namespace
}  // namespace tellaro
