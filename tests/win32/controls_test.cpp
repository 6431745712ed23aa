// The control wrappers and image lists against the real common controls,
// on the controls of the program's own dialog templates.
#include "ui/controls/controls.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "base/module_instance.h"
#include "base/runtime_api.h"
#include "res/resource.h"
#include "ui/controls/image_list.h"
#include "ui/controls/tree_view_control.h"
#include "ui/framework/application.h"
#include "ui/framework/dialog.h"

namespace tellaro {
namespace {

class ControlsTest : public testing::Test {
protected:
    void Open(int templateId) {
        ASSERT_EQ(dialog_.CreateModeless(ModuleInstance(), templateId), 0);
        window_ = dialog_.GetHandle();
    }
    Application app_;
    Dialog dialog_{nullptr};
    HWND window_ = nullptr;
};

TEST_F(ControlsTest, CheckComboHotKeyAndUpDownRoundTrips) {
    Open(IDD_OPTIONS);
    CheckBox check(window_, IDC_OPTIONS_HOTKEY_NEAR_TRAY);
    EXPECT_EQ(check.SetCheck(BST_CHECKED), 0);
    EXPECT_EQ(check.SetCheck(3), -1);
    EXPECT_EQ(check.GetCheck(), static_cast<UINT>(BST_CHECKED))
        << "a refused state changes nothing";

    ComboBox combo(window_, IDC_OPTIONS_LEFT_CLICK);
    combo.AddString("one");
    combo.AddString(std::string(300, 'x').c_str());
    EXPECT_EQ(combo.GetCount(), 2);
    EXPECT_EQ(combo.GetLBText(1), std::string(300, 'x'));
    EXPECT_EQ(combo.SetCurSel(1), 1);
    EXPECT_EQ(combo.SetCurSel(-1), CB_ERR);
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    ComboBox missing(window_, 4242);
    EXPECT_EQ(missing.AddString("x"), CB_ERR);

    HotKeyControl hotkey(window_, IDC_OPTIONS_HOTKEY);
    hotkey.SetHotKey('A', HOTKEYF_CONTROL | HOTKEYF_ALT);
    WORD vk = 0, modifiers = 0;
    ASSERT_EQ(hotkey.GetHotKey(&vk, &modifiers), 0);
    EXPECT_EQ(vk, 0x41);
    EXPECT_EQ(modifiers, 6);

    UpDownControl spin(window_, IDC_OPTIONS_WAIT_SPIN);
    spin.SetRange(500, 0);
    short upper = 0, lower = -1;
    spin.GetRange(&upper, &lower);
    EXPECT_EQ(upper, 500);
    EXPECT_EQ(lower, 0);
    spin.SetPos(320);
    EXPECT_EQ(LOWORD(spin.GetPos()), 320);
    EXPECT_EQ(spin.GetBuddy(), GetDlgItem(window_, IDC_OPTIONS_WAIT));
}

TEST_F(ControlsTest, TextsOfAnyLengthAndNumbers) {
    Open(IDD_OPTIONS);
    EditBox edit(window_, IDC_OPTIONS_WAIT);
    for (std::size_t length : {254u, 255u, 511u, 2000u}) {
        const std::string text(length, '7');
        ASSERT_EQ(edit.SetControlText(text.c_str()), 0);
        EXPECT_EQ(edit.GetControlText(), text) << length;
    }
    // A double-byte character across the end of the first buffer: the
    // read stops two bytes short rather than split it, and must go on.
    const std::string straddling = std::string(254, '7') + "\x82\xA0" + "tail";
    edit.SetControlText(straddling.c_str());
    EXPECT_EQ(edit.GetControlText(), straddling);
    edit.SetControlText("12abc");
    EXPECT_EQ(edit.GetNumber(), 12);
    edit.SetControlText("");
    EXPECT_EQ(edit.GetNumber(), 0);
    EXPECT_EQ(edit.GetControlText(), "");
    EXPECT_EQ(edit.SetNumber(-45), 0);
    EXPECT_EQ(edit.GetControlText(), "-45");
    EXPECT_GE(edit.GetLibraryMajor(), 4u);
}

TEST_F(ControlsTest, TreeViewNavigationLabelsAndData) {
    Open(IDD_SETTINGS);
    TreeViewControl tree(window_, IDC_SETTINGS_TREE);
    HTREEITEM root =
        tree.InsertItemFull(TVIF_TEXT | TVIF_PARAM, "Menu", 0, 0, 0, 0, 0, TVI_ROOT, TVI_LAST);
    ASSERT_NE(root, nullptr);
    const std::string longName(700, 'n');
    HTREEITEM b =
        tree.InsertItemFull(TVIF_TEXT | TVIF_PARAM, "beta", 0, 0, 0, 0, 101, root, TVI_LAST);
    HTREEITEM a = tree.InsertItemFull(TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE, longName.c_str(), 2, 0,
                                      0, 0, 100, root, TVI_LAST);
    tree.InsertItemText("gamma", b, TVI_LAST);
    EXPECT_EQ(tree.GetCount(), 4u);
    EXPECT_EQ(tree.GetRoot(), root);
    EXPECT_EQ(tree.GetItemText(root), "Menu");
    EXPECT_EQ(tree.GetItemText(a), longName);
    EXPECT_EQ(tree.GetItemData(a), 100);
    EXPECT_EQ(tree.GetItemData(nullptr), -1);
    int image = 0, selected = 0;
    EXPECT_EQ(tree.GetItemImages(a, &image, &selected), 0);
    EXPECT_EQ(image, 2);

    EXPECT_EQ(tree.SortChildren(root), 0);
    EXPECT_EQ(tree.GetChild(root), b);
    EXPECT_EQ(tree.GetNextSibling(b), a);
    EXPECT_EQ(tree.GetPrevSibling(a), b);
    EXPECT_EQ(tree.GetParentItem(b), root);
    EXPECT_EQ(tree.SetItemText(b, "alpha"), 0);
    EXPECT_EQ(tree.GetItemText(b), "alpha");
    EXPECT_EQ(tree.SelectItem(a), 0);
    EXPECT_EQ(tree.GetSelection(), a);

    EXPECT_EQ(tree.DeleteChildren(root), 0);
    EXPECT_EQ(tree.GetCount(), 1u);
    EXPECT_EQ(tree.DeleteAllItems(), 0);
    EXPECT_EQ(tree.GetRoot(), nullptr);
}

TEST(ImageListTest, ListsWorkAgainAfterTheLastOneFreedTheLibrary) {
    for (int round = 0; round < 2; ++round) {
        ImageList first, second;
        ASSERT_EQ(first.Create(16, 16, ILC_MASK | ILC_COLOR8, 2, 1), 0) << round;
        EXPECT_EQ(first.Create(16, 16, ILC_MASK | ILC_COLOR8, 2, 1), -1) << "one list per object";
        EXPECT_EQ(first.AddIconResource(ModuleInstance(), IDI_FOLDER, 16, 16), 0);
        EXPECT_EQ(first.AddIcon(LoadCursorA(ModuleInstance(), MAKEINTRESOURCEA(IDCUR_DROP_DENIED))),
                  1);
        EXPECT_EQ(first.GetImageCount(), 2);
        EXPECT_EQ(second.AttachHandle(nullptr), -1);
        EXPECT_EQ(second.GetImageCount(), -1) << "no list yet";
        EXPECT_GE(first.GetLibraryMajor(), 4u);
    }
}

// Each image drawn on a background the masks let through, as the tree
// draws it.
std::vector<std::uint32_t> DrawnImages(HIMAGELIST list, int count, int size) {
    runtime_api::ImageListApi api;
    EXPECT_TRUE(runtime_api::LoadImageListApi(api));
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size * count, -size, 1, 32, BI_RGB};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP canvas = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = SelectObject(dc, canvas);
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size * size * count), 0);
    if (bits != nullptr) {
        std::fill_n(static_cast<std::uint32_t*>(bits), pixels.size(), 0x00FF00FFu);
        for (int i = 0; i < count; ++i) api.ImageList_Draw(list, i, dc, i * size, 0, ILD_NORMAL);
        GdiFlush();
        std::copy_n(static_cast<const std::uint32_t*>(bits), pixels.size(), pixels.begin());
    }
    SelectObject(dc, old);
    DeleteObject(canvas);
    DeleteDC(dc);
    runtime_api::FreeImageListApi(api);
    return pixels;
}

// The settings window adds its icons as one strip and copies the stand-in:
// what the tree draws must not change for it, at any DPI's icon size.
TEST(ImageListTest, IconsAddedAsOneStripDrawAsAddedOneByOne) {
    const int ids[] = {IDI_MENU_ROOT, IDI_GROUP, IDI_FOLDER, IDI_SEPARATOR, IDI_PROGRAM_SMALL};
    for (int size : {16, 24, 32}) {
        ImageList strip, single;
        ASSERT_EQ(strip.Create(size, size, ILC_MASK | ILC_COLOR8, 6, 1), 0);
        ASSERT_EQ(single.Create(size, size, ILC_MASK | ILC_COLOR8, 6, 1), 0);
        ASSERT_EQ(strip.AddIconResources(ModuleInstance(), ids, 5, size, size), 0) << size;
        ASSERT_EQ(strip.SetImageCount(6), 0);
        EXPECT_EQ(strip.CopyImage(5, 4), 0);
        for (int id : ids) single.AddIconResource(ModuleInstance(), id, size, size);
        single.AddIconResource(ModuleInstance(), IDI_PROGRAM_SMALL, size, size);
        const std::vector<std::uint32_t> drawn = DrawnImages(strip.GetHandle(), 6, size);
        EXPECT_EQ(drawn, DrawnImages(single.GetHandle(), 6, size)) << size;
        EXPECT_NE(std::count(drawn.begin(), drawn.end(), 0x00FF00FFu), 0) << "masks kept";
    }
}

// The runner limits the search as the program does. The common controls
// must still be the manifest's version 6 from the side-by-side store, not
// System32's version 5, and full System32 paths, where the search flags
// are missing, must find the same libraries as the flags.
TEST(SystemLibraryTest, ManifestControlsAndSameLibrariesWithTheSearchLimited) {
    char system[MAX_PATH];
    const UINT systemLength = GetSystemDirectoryA(system, MAX_PATH);
    ASSERT_GT(systemLength, 0u);
    for (const char* name : {"comctl32.dll", "shell32.dll"}) {
        HMODULE bySearch = runtime_api::LoadSystemLibrary(name);
        HMODULE byPath = runtime_api::LoadSystemLibraryByPath(name);
        ASSERT_NE(bySearch, nullptr) << name;
        EXPECT_EQ(byPath, bySearch) << name;
        char path[MAX_PATH] = "";
        GetModuleFileNameA(bySearch, path, MAX_PATH);
        const bool inSystem = CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, path, systemLength,
                                             system, systemLength) == CSTR_EQUAL;
        EXPECT_EQ(inSystem, std::string(name) == "shell32.dll") << path;
        FreeLibrary(byPath);
        FreeLibrary(bySearch);
    }
}

}  // namespace
}  // namespace tellaro
