// The resource script's texts reach the program as code page 932 bytes, or
// in English where the code page cannot hold them, and its menus and dialogs
// load.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "base/resource_language.h"
#include "base/resource_text.h"
#include "res/resource.h"
#include "ui/framework/application.h"
#include "ui/framework/dialog.h"

namespace tellaro {
namespace {

TEST(Resources, StringsArriveAsCodePage932Bytes) {
    ASSERT_EQ(GetACP(), 932u) << "the test session runs Wine under a Japanese locale";
    // Full-width space (81 40) inside "マイ　ドキュメント".
    EXPECT_EQ(LoadResourceString(IDS_SF_PERSONAL),
              "\x83\x7D\x83\x43\x81\x40\x83\x68\x83\x4C\x83\x85\x83\x81\x83\x93\x83\x67");
    // Full-width x (82 98) in "ｘ86 システムフォルダ".
    EXPECT_EQ(LoadResourceString(IDS_SF_SYSTEMX86).substr(0, 5), "\x82\x98" "86 ");
    EXPECT_EQ(LoadResourceString(IDS_NONE), "\x82\xC8\x82\xB5");
    // The line break of the too-many-entries message is a real one.
    EXPECT_NE(LoadResourceString(IDS_LOAD_TOO_MANY).find('\n'), std::string::npos);
    EXPECT_EQ(LoadResourceString(IDS_TRAY_TIP), "Tellaro Expolorer");
    EXPECT_EQ(LoadResourceString(IDS_HELP_FILE), "Tellaro.hlp");
}

TEST(Resources, EveryQuotedStringIdHasAText) {
    const int ranges[][2] = {{6, 17}, {21, 91}, {200, 209}};
    for (const auto& range : ranges)
        for (int id = range[0]; id <= range[1]; ++id)
            EXPECT_FALSE(LoadResourceString(id).empty()) << "string " << id;
    EXPECT_TRUE(LoadResourceString(18).empty()) << "ids 18-20 are not used";
}

TEST(Resources, MenusAndDialogsLoad) {
    for (int id : {IDM_SETTINGS, IDM_SPECIAL_ROOT_CONTEXT, IDM_GROUP_CONTEXT, IDM_FOLDER_CONTEXT,
                   IDM_ROOT_CONTEXT, IDM_DROP}) {
        HMENU menu = LoadProgramMenu(id);
        EXPECT_NE(menu, nullptr) << "menu " << id;
        if (menu) DestroyMenu(menu);
    }
    HMENU drop = LoadProgramMenu(IDM_DROP);
    ASSERT_NE(drop, nullptr);
    HMENU items = GetSubMenu(drop, 0);
    ASSERT_EQ(GetMenuItemCount(items), 7);
    EXPECT_EQ(GetMenuItemID(items, 0), 40031u);
    EXPECT_EQ(GetMenuItemID(items, 6), 40034u);
    DestroyMenu(drop);

    Application app;
    for (int id : {IDD_SETTINGS, IDD_ABOUT, IDD_OPTIONS}) {
        Dialog dialog(nullptr);
        EXPECT_EQ(dialog.CreateModeless(ModuleInstance(), id), 0) << "dialog " << id;
        EXPECT_FALSE(IsWindowVisible(dialog.GetHandle())) << "dialog " << id;
    }
    Dialog settings(nullptr);
    ASSERT_EQ(settings.CreateModeless(ModuleInstance(), IDD_SETTINGS), 0);
    EXPECT_NE(GetDlgItem(settings.GetHandle(), IDC_SETTINGS_TREE), nullptr);
    EXPECT_TRUE(GetWindowLongA(settings.GetHandle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    EXPECT_NE(GetMenu(settings.GetHandle()), nullptr);
}

bool IsSevenBit(const std::string& text) {
    for (char c : text)
        if (c & 0x80) return false;
    return true;
}

std::string MenuText(HMENU menu, UINT position) {
    std::string text(256, '\0');
    text.resize(static_cast<std::size_t>(
        GetMenuStringA(menu, position, &text[0], static_cast<int>(text.size()), MF_BYPOSITION)));
    return text;
}

std::string WindowText(HWND window) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextA(window, &text[0], static_cast<int>(text.size()))));
    return text;
}

// This session's interface language is Japanese, so the resource loader
// alone would pick Japanese texts and menus for a system that chose English.
TEST(Resources, EnglishChoiceReachesStringsDialogsAndTheMenuBar) {
    struct Restore {
        ~Restore() { SetResourceLanguage(UiLanguage::kJapanese); }
    } restore;
    SetResourceLanguage(UiLanguage::kEnglish);
    Application app;
    Dialog settings(nullptr);
    ASSERT_EQ(settings.CreateModeless(ModuleInstance(), IDD_SETTINGS), 0);
    const std::string cancel = WindowText(GetDlgItem(settings.GetHandle(), IDC_SETTINGS_CANCEL));
    HMENU drop = LoadProgramMenu(IDM_DROP);
    ASSERT_NE(drop, nullptr);
    const std::string texts[] = {LoadResourceString(IDS_NONE), LoadResourceString(IDS_SF_SYSTEMX86),
                                 cancel, MenuText(GetMenu(settings.GetHandle()), 0),
                                 MenuText(GetSubMenu(drop, 0), 0)};
    DestroyMenu(drop);
    for (const std::string& text : texts) {
        EXPECT_FALSE(text.empty());
        EXPECT_TRUE(IsSevenBit(text)) << text;
    }
    EXPECT_EQ(LoadResourceString(IDS_MAIN_CAPTION), "Tellaro Explorer");
    // A second launch and the installer find the running program by it.
    EXPECT_EQ(WindowText(settings.GetHandle()), "Tellaro Explorer");
}

// The width of the image Windows picks from icon or cursor group `id` for
// `size` pixels, before any stretching; 0 when there is none.
int DrawnWidth(int id, bool icon, int size) {
    HMODULE module = ModuleInstance();
    HRSRC group =
        FindResourceA(module, MAKEINTRESOURCEA(id), icon ? RT_GROUP_ICON : RT_GROUP_CURSOR);
    auto* directory =
        group ? static_cast<BYTE*>(LockResource(LoadResource(module, group))) : nullptr;
    const int image = directory ? LookupIconIdFromDirectoryEx(directory, icon, size, size, 0) : 0;
    HRSRC found = image ? FindResourceA(module, MAKEINTRESOURCEA(image), icon ? RT_ICON : RT_CURSOR)
                        : nullptr;
    auto* bits = found ? static_cast<BYTE*>(LockResource(LoadResource(module, found))) : nullptr;
    // A cursor's image starts with its hot spot.
    return bits ? reinterpret_cast<const BITMAPINFOHEADER*>(bits + (icon ? 0 : 4))->biWidth : 0;
}

// Icons come at the small-icon sizes of 100 to 200 % (and the large icon's
// at 150 and 200 %), drag cursors at the cursor sizes, each drawn for its
// size: a stretched image looks blurred beside the scaled text.
TEST(Resources, IconsAndCursorsLoadAtEachDpisSize) {
    for (int id :
         {IDI_PROGRAM, IDI_PROGRAM_SMALL, IDI_MENU_ROOT, IDI_GROUP, IDI_FOLDER, IDI_SEPARATOR}) {
        HANDLE icon = LoadImageA(ModuleInstance(), MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, 0);
        EXPECT_NE(icon, nullptr) << "icon " << id;
        for (int size : {16, 20, 24, 32, 48})
            EXPECT_EQ(DrawnWidth(id, true, size), size) << "icon " << id;
    }
    EXPECT_EQ(DrawnWidth(IDI_PROGRAM, true, 64), 64);
    for (int id : {IDCUR_LINK, IDCUR_DROP_ALLOWED, IDCUR_DROP_DENIED, IDCUR_DROP_NONE})
        EXPECT_NE(LoadCursorA(ModuleInstance(), MAKEINTRESOURCEA(id)), nullptr) << "cursor " << id;
    for (int id : {IDCUR_DROP_ALLOWED, IDCUR_DROP_DENIED})
        for (int size : {32, 48, 64})
            EXPECT_EQ(DrawnWidth(id, false, size), size) << "cursor " << id;
}

}  // namespace
}  // namespace tellaro
