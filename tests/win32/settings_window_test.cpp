// The settings window over the real tree-view control: what it shows, what
// OK hands back, and opening a folder from the tree.
#include "settings/settings_window.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "../common/model_builders.h"
#include "base/resource_text.h"
#include "base/runtime_api.h"
#include "config/item_codec.h"
#include "config/special_folders_win.h"
#include "res/resource.h"
#include "shell/launch_thread.h"
#include "shell/shell_launcher.h"
#include "tests/win32/message_pump.h"
#include "ui/framework/application.h"

namespace tellaro {
namespace {

// Hands every dialog message to the window, as the controller does.
class ChainApplication : public Application {
public:
    SettingsWindow* window = nullptr;
    int OnDialogMessage(DialogMessage& record) override {
        if (window != nullptr) window->OnMessage(record);
        return 0;
    }
};

std::vector<std::string> g_opened;
BOOL RecordExecute(SHELLEXECUTEINFOA* info) {
    g_opened.push_back(std::string(info->lpVerb) + " " + info->lpFile);
    return TRUE;
}

SpecialFolderFacts AskWithALateDesktopIcon(std::size_t i, unsigned what);

class LateIconWindow : public SettingsWindow {
protected:
    SpecialFolderFetch::Ask ShellAsk() const override { return AskWithALateDesktopIcon; }
};

class SettingsWindowTest : public testing::Test {
protected:
    void SetUp() override {
        app_.window = &window_;
        ASSERT_EQ(window_.Open(), 0);
        ASSERT_EQ(window_.InitWindow(), 0);
        // A name longer than any fixed buffer, in double-byte characters.
        std::string longName;
        for (int i = 0; i < 150; ++i) longName += "\x83\x74";  // katakana "fu"
        settings_.items.Append(Item(FolderItemKind::Group, 0, "", "Group"));
        settings_.items.Append(Item(FolderItemKind::Folder, 1, "C:\\Inner", "Inner"));
        settings_.items.Append(Item(FolderItemKind::Separator, 1, "", ""));
        settings_.items.Append(Item(FolderItemKind::Group, 1, "", "Empty"));
        settings_.items.Append(Item(FolderItemKind::Placeholder, 2, "", ""));
        settings_.items.Append(Item(FolderItemKind::Folder, 1, "C:\\Last", "Last"));
        settings_.items.Append(Item(FolderItemKind::Folder, 0, "C:\\Windows", longName));
        // What the shell knows, at positions without gaps: such a file is
        // what every OK writes.
        FillInitialSpecialFolderOrder(settings_);
        std::uint8_t position = 0;
        for (std::uint8_t& b : settings_.specialFolderOrder1)
            if (b != kNotShown) b = position++;
        position = 0;
        for (std::uint8_t& b : settings_.specialFolderOrder2)
            if (b != kNotShown) b = position++;
    }

    // Label, image and number of a node, read through the control itself.
    std::string Describe(HTREEITEM item) const {
        int image = -1, selected = -1;
        tree()->GetItemImages(item, &image, &selected);
        return tree()->GetItemText(item) + "/" + std::to_string(image) + "/" +
               std::to_string(tree()->GetItemData(item));
    }
    TreeViewControl* tree() const { return window_.TreeControl(); }

    ChainApplication app_;
    LateIconWindow window_;
    FolderSettings settings_;
};

TEST_F(SettingsWindowTest, TreeShowsRootSpecialRootsAndUserTree) {
    ASSERT_EQ(window_.LoadTree(settings_, true), 0);
    const HTREEITEM root = tree()->GetRoot();
    EXPECT_EQ(Describe(root), LoadResourceString(IDS_MENU_ROOT) + "/0/0");
    const HTREEITEM special1 = tree()->GetChild(root);
    EXPECT_EQ(Describe(special1), LoadResourceString(IDS_SPECIAL_FOLDERS1) + "/1/1");
    EXPECT_EQ(tree()->GetChild(special1), nullptr) << "the shell is first asked when shown";
    const HTREEITEM special2 = tree()->GetNextSibling(special1);
    EXPECT_EQ(Describe(special2), LoadResourceString(IDS_SPECIAL_FOLDERS2) + "/1/2");

    const HTREEITEM group = tree()->GetNextSibling(special2);
    EXPECT_EQ(Describe(group), "Group/1/100");
    std::vector<std::string> inside;
    for (HTREEITEM c = tree()->GetChild(group); c; c = tree()->GetNextSibling(c))
        inside.push_back(Describe(c));
    EXPECT_EQ(inside,
              (std::vector<std::string>{"Inner/2/101", "-/3/102", "Empty/1/103", "Last/2/105"}));
    // The long name shows cut after its 30th character (OK still saves it
    // whole, below).
    EXPECT_EQ(Describe(tree()->GetNextSibling(group)),
              settings_.items.At(6).name.substr(0, 60) + ".../2/106");

    // The images come when the window is shown, the special folders once
    // the shell has said which exist.
    EXPECT_EQ(window_.TreeImageCount(), -1);
    window_.ShowWithItems(true, settings_.items);
    EXPECT_EQ(window_.TreeImageCount(), 4 + 45);
    ASSERT_TRUE(test::PumpUntil([&] { return tree()->GetChild(special1) != nullptr; }, 120000));
    // The desktop is known everywhere and comes first in table order.
    EXPECT_EQ(Describe(tree()->GetChild(special1)), LoadResourceString(IDS_SF_DESKTOP) + "/4/10");
}

// The image's middle pixel as the tree draws it.
COLORREF MiddleOf(HIMAGELIST list, int image) {
    runtime_api::ImageListApi api;
    if (!runtime_api::LoadImageListApi(api)) return CLR_INVALID;
    int cx = 0, cy = 0;
    api.ImageList_GetIconSize(list, &cx, &cy);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, cx, cy);
    ReleaseDC(nullptr, screen);
    const HGDIOBJ old = SelectObject(dc, canvas);
    api.ImageList_Draw(list, image, dc, 0, 0, ILD_NORMAL);
    const COLORREF middle = GetPixel(dc, cx / 2, cy / 2);
    SelectObject(dc, old);
    DeleteObject(canvas);
    DeleteDC(dc);
    runtime_api::FreeImageListApi(api);
    return middle;
}

// The desktop's icon comes only when the test lets it; everything else the
// shell answers as it does.
HANDLE g_letIconGo = nullptr;
HICON g_lateIcon = nullptr;
SpecialFolderFacts AskWithALateDesktopIcon(std::size_t i, unsigned what) {
    if (g_letIconGo == nullptr || i != 0 || (what & special_facts::kIcon) == 0)
        return AskShellAbout(i, what);
    SpecialFolderFacts facts = AskShellAbout(i, what & ~special_facts::kIcon);
    // Bounded, so that a failing test does not leave the thread behind.
    WaitForSingleObject(g_letIconGo, 120000);
    facts.icon = CopyIcon(g_lateIcon);
    return facts;
}

HICON RedIcon(int cx, int cy) {
    HDC screen = GetDC(nullptr);
    HBITMAP colour = CreateCompatibleBitmap(screen, cx, cy);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    const HGDIOBJ old = SelectObject(dc, colour);
    const RECT all = {0, 0, cx, cy};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(dc, &all, red);
    DeleteObject(red);
    SelectObject(dc, old);
    DeleteDC(dc);
    HBITMAP mask = CreateBitmap(cx, cy, 1, 1, nullptr);  // all opaque
    ICONINFO info = {TRUE, 0, 0, mask, colour};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(colour);
    return icon;
}

TEST_F(SettingsWindowTest, ALateShellIconNeitherHoldsTheWindowNorIsLost) {
    g_lateIcon = RedIcon(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
    g_letIconGo = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    window_.LoadTreeWhenNeeded(&settings_);
    window_.ShowWithItems(true, settings_.items);
    // Had the window waited for the icon, the icon would be in by now.
    EXPECT_TRUE(IsWindowVisible(window_.GetHandle()));
    const int desktopImage = node_image::kSpecial1Base;
    EXPECT_NE(MiddleOf(window_.TreeImages(), desktopImage), RGB(255, 0, 0)) << "the stand-in";
    ASSERT_TRUE(test::PumpUntil([&] { return !window_.Tree().SpecialFoldersDeferred(); }, 120000));
    const HTREEITEM desktop = tree()->GetChild(tree()->GetChild(tree()->GetRoot()));
    EXPECT_EQ(Describe(desktop), LoadResourceString(IDS_SF_DESKTOP) + "/4/10");

    SetEvent(g_letIconGo);
    EXPECT_TRUE(test::PumpUntil([&] { return window_.ShellAnswersTaken(); }, 120000));
    EXPECT_EQ(MiddleOf(window_.TreeImages(), desktopImage), RGB(255, 0, 0));
    const OptionsRecord options;
    FolderSettings out;
    window_.CollectSettings(out);
    EXPECT_EQ(EncodeItemFile(options, out), EncodeItemFile(options, settings_));
    CloseHandle(g_letIconGo);
    g_letIconGo = nullptr;
    DestroyIcon(g_lateIcon);
}

// The tree's images are as large as the system's small icons, which grow
// with the DPI; the end-to-end check at 144 and 192 DPI names the size it
// expects there, so that this also fails if the DPI did not take.
TEST_F(SettingsWindowTest, ImagesAreTheSystemsSmallIcons) {
    ASSERT_EQ(window_.LoadTree(settings_, true), 0);
    window_.ShowWithItems(true, settings_.items);
    runtime_api::ImageListApi api;
    ASSERT_TRUE(runtime_api::LoadImageListApi(api));
    const auto list = reinterpret_cast<HIMAGELIST>(
        SendMessageA(tree()->GetControlHandle(), TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
    int cx = 0, cy = 0;
    EXPECT_TRUE(api.ImageList_GetIconSize(list, &cx, &cy));
    runtime_api::FreeImageListApi(api);
    const char* expected = std::getenv("TELLARO_SMALL_ICON");
    const int size = expected ? std::atoi(expected) : GetSystemMetrics(SM_CXSMICON);
    EXPECT_EQ(cx, size);
    EXPECT_EQ(cy, size);
    EXPECT_EQ(window_.TreeImageCount(), 4 + 45);
}

TEST_F(SettingsWindowTest, OkOnAnUnchangedTreeGivesBackTheSameBytes) {
    ASSERT_EQ(window_.LoadTree(settings_, true), 0);
    window_.ShowWithItems(true, settings_.items);
    const OptionsRecord options;
    for (int round = 0; round < 2; ++round) {
        FolderSettings out;
        ASSERT_EQ(window_.CollectSettings(out), 0);
        EXPECT_EQ(EncodeItemFile(options, out), EncodeItemFile(options, settings_)) << round;
        window_.ShowWithItems(true, out.items);
    }
}

TEST_F(SettingsWindowTest, OpensOnlyFoldersAndOnlyWhileShown) {
    ASSERT_EQ(window_.LoadTree(settings_, true), 0);
    window_.ShowWithItems(true, settings_.items);
    shell::ShellCalls calls = {};
    calls.executeEx = RecordExecute;
    calls.modifiers = [] { return ModifierKeys(); };
    const shell::ShellCalls saved = shell::InstallShellCalls(calls);
    const shell::LaunchRunner runner = shell::InstallLaunchRunner(&shell::RunLaunchNow);
    g_opened.clear();
    const HTREEITEM group =
        tree()->GetNextSibling(tree()->GetNextSibling(tree()->GetChild(tree()->GetRoot())));
    const HTREEITEM inner = tree()->GetChild(group);
    for (HTREEITEM item : {group, tree()->GetNextSibling(inner), inner}) {
        tree()->SelectItem(item);
        window_.OpenSelected();
    }
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    EXPECT_EQ(g_opened, (std::vector<std::string>{"explore C:\\Inner"}));

    // Hidden, the working copy is gone: a late request opens nothing.
    window_.Show(0);
    window_.LoadTree(settings_, true);
    window_.OnOpenNode(101);
    EXPECT_EQ(g_opened.size(), 1u);
    shell::InstallLaunchRunner(runner);
    shell::InstallShellCalls(saved);
}

}  // namespace
}  // namespace tellaro
