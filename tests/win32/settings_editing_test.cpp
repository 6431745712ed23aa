// The settings window's editing commands, dragging and dropped folders on
// the real tree-view control, each checked through what OK would collect.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "../common/model_builders.h"
#include "base/resource_text.h"
#include "config/special_folders_win.h"
#include "res/resource.h"
#include "settings/item_names.h"
#include "settings/settings_window.h"
#include "tests/win32/config_test_support.h"
#include "tests/win32/message_pump.h"
#include "ui/framework/application.h"

namespace tellaro {
namespace {

using K = FolderItemKind;

class AnsweringWindow : public SettingsWindow {
public:
    std::vector<std::string> asked;
    std::vector<std::wstring> named;
    int answer = IDYES;

protected:
    int ShowMessage(HWND, const std::string& text, int, UINT) override {
        asked.push_back(text);
        return answer;
    }
    int ShowNamesMessage(int, const std::wstring& names) override {
        named.push_back(names);
        return IDOK;
    }
};

// The chain as the controller runs it; a properties dialog the window opens
// gets `dialogScript` once it is set up.
class ChainApplication : public Application {
public:
    SettingsWindow* window = nullptr;
    std::function<void(HWND)> dialogScript;
    int OnDialogMessage(DialogMessage& record) override {
        window->OnMessage(record);
        const bool dialog = record.window != window->GetHandle();
        if (dialog && record.message == WM_INITDIALOG) PostMessageA(record.window, WM_APP, 0, 0);
        if (dialog && record.message == WM_APP && dialogScript) {
            auto script = std::move(dialogScript);
            dialogScript = nullptr;
            script(record.window);
        }
        return 0;
    }
};

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

class SettingsEditingTest : public testing::Test {
protected:
    void SetUp() override {
        app_.window = &window_;
        ASSERT_EQ(window_.Open(), 0);
        ASSERT_EQ(window_.InitWindow(), 0);
        for (const FolderItem& i :
             {Item(K::Group, 0, "", "G"), Item(K::Folder, 1, "C:\\B", "b"),
              Item(K::Folder, 1, "C:\\A", "a"), Item(K::Folder, 0, "C:\\Work", "Work"),
              Item(K::Separator, 0, "", ""), Item(K::Folder, 0, "C:\\X", "X")})
            settings_.items.Append(i);
        // Positions without gaps, as every OK writes them.
        FillInitialSpecialFolderOrder(settings_);
        std::uint8_t position = 0;
        for (std::uint8_t& b : settings_.specialFolderOrder1)
            if (b != kNotShown) b = position++;
        ASSERT_EQ(window_.LoadTree(settings_, true), 0);
        window_.ShowWithItems(true, settings_.items);
        // The special folders come once the shell has said which exist.
        ASSERT_TRUE(
            test::PumpUntil([&] { return !window_.Tree().SpecialFoldersDeferred(); }, 120000));
    }

    TreeViewControl* tree() const { return window_.TreeControl(); }
    HTREEITEM Find(const std::string& label, HTREEITEM from = nullptr) const {
        for (HTREEITEM n = from ? from : tree()->GetRoot(); n; n = tree()->GetNextSibling(n)) {
            if (tree()->GetItemText(n) == label) return n;
            if (HTREEITEM c = tree()->GetChild(n); c && (c = Find(label, c))) return c;
        }
        return nullptr;
    }
    void Command(int id, HTREEITEM select) {
        tree()->SelectItem(select);
        SendMessageA(window_.GetHandle(), WM_COMMAND, id, 0);
    }
    void Notify(UINT code, HTREEITEM item, WORD key = 0) {
        NMTVKEYDOWN keyDown = {};
        NMTREEVIEWA nm = {};
        NMHDR& header = code == TVN_KEYDOWN ? keyDown.hdr : nm.hdr;
        header = {tree()->GetControlHandle(), IDC_SETTINGS_TREE, code};
        keyDown.wVKey = key;
        nm.itemNew.hItem = item;
        SendMessageA(window_.GetHandle(), WM_NOTIFY, IDC_SETTINGS_TREE,
                     code == TVN_KEYDOWN ? reinterpret_cast<LPARAM>(&keyDown)
                                         : reinterpret_cast<LPARAM>(&nm));
    }
    // The mouse over `item`, in the window's client coordinates.
    void MoveOver(HTREEITEM item) {
        RECT r = {};
        ASSERT_EQ(tree()->GetItemRect(item, &r, true), 0);
        POINT p = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        MapWindowPoints(tree()->GetControlHandle(), window_.GetHandle(), &p, 1);
        SendMessageA(window_.GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
    }
    // "kind depth name path" of each user record OK would save.
    std::string Collected(FolderSettings* out = nullptr) {
        FolderSettings settings;
        window_.CollectSettings(settings);
        std::string s;
        for (const FolderItem& i : settings.items)
            s += std::to_string(i.kind) + std::to_string(i.depth) + ":" + i.name + ":" + i.path +
                 " ";
        if (out != nullptr) *out = settings;
        return s;
    }

    ChainApplication app_;
    AnsweringWindow window_;
    FolderSettings settings_;
};

TEST_F(SettingsEditingTest, EveryCommandReachesWhatOkCollects) {
    Command(ID_NEW_SEPARATOR_BELOW, Find("b"));
    Command(ID_SORT_CHILDREN, Find("G"));
    window_.answer = IDNO;
    Command(ID_DELETE_ITEM, Find("X"));
    window_.answer = IDYES;
    Command(ID_DELETE_ITEM, Find("-", Find("Work")));
    EXPECT_EQ(window_.asked,
              (std::vector<std::string>{FillText(LoadResourceString(IDS_CONFIRM_DELETE), "X"),
                                        FillText(LoadResourceString(IDS_CONFIRM_DELETE),
                                                 LoadResourceString(IDS_SEPARATOR))}));
    const HTREEITEM special1 = tree()->GetChild(tree()->GetRoot());
    Command(ID_DELETE_ALL_CHILDREN, special1);
    EXPECT_EQ(tree()->GetChild(special1), nullptr);
    Command(ID_RESTORE_CHILDREN, special1);
    Command(ID_DELETE_ALL_CHILDREN, tree()->GetRoot());
    EXPECT_EQ(window_.asked.size(), 3u) << "the menu root's children are never deleted";

    app_.dialogScript = [](HWND d) {
        SetDlgItemTextA(d, IDC_PROPERTIES_NAME, "H");
        SendMessageA(d, WM_COMMAND, IDC_PROPERTIES_OK, 0);
    };
    Command(ID_NEW_GROUP_IN_GROUP, Find("G"));
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    app_.dialogScript = [&](HWND d) {
        SetDlgItemTextA(d, IDC_PROPERTIES_PATH, windows);
        SetDlgItemTextA(d, IDC_PROPERTIES_NAME, "Win");
        SendMessageA(d, WM_COMMAND, IDC_PROPERTIES_OK, 0);
    };
    Command(ID_PROPERTIES, Find("X"));

    FolderSettings out;
    EXPECT_EQ(Collected(&out), std::string("10:G: 21:: 01:a:C:\\A 01:b:C:\\B 11:H: 32:: ") +
                                   "00:Work:C:\\Work 00:Win:" + windows + " ");
    EXPECT_EQ(0, std::memcmp(out.specialFolderOrder1, settings_.specialFolderOrder1, 30))
        << "restored in table order";
}

TEST_F(SettingsEditingTest, LeftDragMovesAndKeysOrRefusalsLeaveTheTree) {
    const HWND window = window_.GetHandle();
    tree()->Expand(Find("G"), TVE_EXPAND);
    Notify(TVN_BEGINDRAGA, tree()->GetRoot());
    EXPECT_FALSE(window_.IsDragging()) << "the menu root stays where it is";
    // Twice: a drag that ended must leave nothing behind that stops the next.
    for (const char* label : {"Work", "X"}) {
        Notify(TVN_BEGINDRAGA, Find(label));
        ASSERT_TRUE(window_.IsDragging()) << label;
        EXPECT_EQ(GetCapture(), window);
        MoveOver(Find("G"));
        EXPECT_EQ(tree()->GetDropHilight(), Find("G"));
        SendMessageA(window, WM_LBUTTONUP, 0, 0);
        EXPECT_FALSE(window_.IsDragging());
        EXPECT_EQ(GetCapture(), nullptr);
    }
    // Onto its own child: refused with a message.
    Notify(TVN_BEGINDRAGA, Find("G"));
    MoveOver(Find("a"));
    SendMessageA(window, WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(window_.asked, std::vector<std::string>{LoadResourceString(IDS_TRANSFER_INTO_CHILD)});
    // Delete, F2 and Esc during a drag end the drag and nothing else: no
    // question, no menu, and above all no Cancel of the session's edits.
    tree()->SelectItem(Find("-"));
    for (WORD key : {VK_DELETE, VK_F2}) {
        Notify(TVN_BEGINDRAGA, Find("a"));
        Notify(TVN_KEYDOWN, nullptr, key);
        EXPECT_FALSE(window_.IsDragging());
    }
    Notify(TVN_BEGINDRAGA, Find("a"));
    SendMessageA(window, WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(window_.IsDragging());
    MSG queued;
    EXPECT_FALSE(PeekMessageA(&queued, window, WM_COMMAND, WM_COMMAND, PM_NOREMOVE))
        << "Esc cancelled the window too";
    EXPECT_EQ(window_.asked.size(), 1u);
    // The mouse taken away (Alt+Tab, the Windows key, another window's
    // capture) ends the drag too: capture, highlight and image let go.
    for (bool cancelMode : {true, false}) {
        Notify(TVN_BEGINDRAGA, Find("a"));
        MoveOver(Find("G"));
        if (cancelMode)
            SendMessageA(window, WM_CANCELMODE, 0, 0);
        else
            SetCapture(tree()->GetControlHandle());
        EXPECT_FALSE(window_.IsDragging()) << cancelMode;
        EXPECT_NE(GetCapture(), window);
        EXPECT_EQ(tree()->GetDropHilight(), nullptr);
        ReleaseCapture();
    }
    // Another program taking the foreground ends the drag as well, and the
    // button released over its window drops nothing here.
    for (UINT message : {WM_ACTIVATE, WM_ACTIVATEAPP}) {
        Notify(TVN_BEGINDRAGA, Find("a"));
        MoveOver(Find("Work"));
        SendMessageA(window, message, message == WM_ACTIVATE ? WA_INACTIVE : FALSE, 0);
        EXPECT_FALSE(window_.IsDragging()) << message;
        EXPECT_NE(GetCapture(), window);
        EXPECT_EQ(tree()->GetDropHilight(), nullptr);
        SendMessageA(window, WM_LBUTTONUP, 0, 0);
    }
    // Activation itself leaves a drag alone.
    Notify(TVN_BEGINDRAGA, Find("a"));
    SendMessageA(window, WM_ACTIVATE, WA_ACTIVE, 0);
    SendMessageA(window, WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_TRUE(window_.IsDragging());
    SendMessageA(window, WM_CANCELMODE, 0, 0);
    // Outside a drag Delete asks about the selection.
    window_.answer = IDNO;
    Notify(TVN_KEYDOWN, nullptr, VK_DELETE);
    EXPECT_EQ(window_.asked.back(),
              FillText(LoadResourceString(IDS_CONFIRM_DELETE), LoadResourceString(IDS_SEPARATOR)));
    Pump();
    // The separator left last on the top level stays, as the menu shows it.
    EXPECT_EQ(Collected(), "10:G: 01:X:C:\\X 01:Work:C:\\Work 01:b:C:\\B 01:a:C:\\A 20:: ");
}

// Ctrl (with Shift) held or not, as the thread's key state tells it.
void HoldKeys(bool control, bool shift) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = control ? 0x80 : 0;
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
}

TEST_F(SettingsEditingTest, EveryChangeIsOneStepTakenBackByKeyOrMenu) {
    const HWND window = window_.GetHandle();
    HMENU folderMenu = GetSubMenu(GetMenu(window), 0);
    auto menuGrayed = [&](int position) {
        SendMessageA(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(folderMenu), 0);
        return (GetMenuState(folderMenu, position, MF_BYPOSITION) & MF_GRAYED) != 0;
    };
    window_.answer = IDNO;
    Command(ID_DELETE_ITEM, Find("X"));
    EXPECT_FALSE(window_.CanUndo()) << "a cancelled delete changed nothing";
    window_.answer = IDYES;
    Command(ID_DELETE_ITEM, Find("X"));
    tree()->SelectItem(Find("b"));
    Notify(TVN_BEGINDRAGA, Find("Work"));
    MoveOver(Find("G"));
    SendMessageA(window, WM_LBUTTONUP, 0, 0);
    tree()->SelectItem(Find("a"));
    EXPECT_TRUE(!menuGrayed(5) && menuGrayed(6));
    // The separator last on the top level stays, as the menu shows it.
    const std::string edited = "10:G: 01:Work:C:\\Work 01:b:C:\\B 01:a:C:\\A 20:: ";

    HoldKeys(true, false);
    Notify(TVN_KEYDOWN, nullptr, 'Z');  // the drag
    EXPECT_EQ(tree()->GetItemText(tree()->GetSelection()), "b") << "the selection of then";
    SendMessageA(window, WM_COMMAND, ID_UNDO, 0);  // the delete
    EXPECT_EQ(tree()->GetItemText(tree()->GetSelection()), "X");
    EXPECT_TRUE(menuGrayed(5) && !menuGrayed(6));
    HoldKeys(true, true);
    Notify(TVN_KEYDOWN, nullptr, 'Z');
    EXPECT_EQ(Find("X"), nullptr);
    HoldKeys(false, false);
    Notify(TVN_KEYDOWN, nullptr, 'Y');
    EXPECT_TRUE(window_.CanRedo()) << "Y alone is no command";
    HoldKeys(true, false);
    Notify(TVN_KEYDOWN, nullptr, 'Y');
    HoldKeys(false, false);
    EXPECT_FALSE(window_.CanRedo());
    // Reloading throws the edit away as one more step.
    window_.ReloadTree(settings_);
    EXPECT_NE(Find("X"), nullptr);
    window_.Undo();
    EXPECT_EQ(Collected(), edited) << "the working copy came back with the nodes";
    EXPECT_FALSE(window_.CanUndo()) << "OK ends the edit";
}

// Inspects the drop menu while it is open, then closes it.
std::vector<UINT> g_menuStates;
void CALLBACK ReadDropMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND menuWindow = FindWindowA("#32768", nullptr);
    HMENU menu =
        menuWindow ? reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0)) : nullptr;
    if (menu == nullptr || !IsWindowVisible(menuWindow)) return;
    KillTimer(nullptr, timer);
    for (UINT position : {0u, 1u, 3u, 4u})
        g_menuStates.push_back(GetMenuState(menu, position, MF_BYPOSITION) & MF_GRAYED);
    g_menuStates.push_back(GetMenuDefaultItem(menu, TRUE, 0));
    EndMenu();
}

TEST_F(SettingsEditingTest, RightDropOfASpecialFolderOffersOnlyCopies) {
    const HWND window = window_.GetHandle();
    const std::string desktop = LoadResourceString(IDS_SF_DESKTOPDIRECTORY);
    Notify(TVN_BEGINDRAGA, Find(desktop));
    MoveOver(Find("G"));
    g_menuStates.clear();
    SetTimer(nullptr, 0, 50, ReadDropMenu);
    SendMessageA(window, WM_RBUTTONUP, 0, 0);
    Pump();  // the drop menu opens, is read and closed
    EXPECT_FALSE(window_.IsDragging());
    EXPECT_EQ(g_menuStates, (std::vector<UINT>{0, MF_GRAYED, 0, MF_GRAYED, 0}));
    SendMessageA(window, WM_COMMAND, ID_DROP_COPY_INTO_GROUP, 0);
    char path[MAX_PATH] = {};
    SHGetSpecialFolderPathA(nullptr, path, CSIDL_DESKTOPDIRECTORY, FALSE);
    EXPECT_EQ(Collected().substr(0, 11 + desktop.size() + std::strlen(path)),
              "10:G: 01:" + desktop + ":" + path + " ");
}

// A special folder whose path the code page 932 cannot hold ("Dokumenté")
// is refused by name as a dropped one is, never saved as the look-alike
// "Dokumente" that names the folder beside it.
TEST_F(SettingsEditingTest, SpecialFolderOutsideTheCodePageIsRefusedByName) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring base = std::wstring(temp) + L"tellaro-special";
    const std::wstring accented = base + L"\\Dokument\u00E9", plain = base + L"\\Dokumente";
    for (const std::wstring& d : {base, accented, plain}) CreateDirectoryW(d.c_str(), nullptr);
    {
        config_test::ShellFolderRedirect moved(L"Desktop", accented);
        ASSERT_TRUE(moved.Active());
        Notify(TVN_BEGINDRAGA, Find(LoadResourceString(IDS_SF_DESKTOPDIRECTORY)));
        MoveOver(Find("Work"));
        SendMessageA(window_.GetHandle(), WM_LBUTTONUP, 0, 0);
    }
    EXPECT_EQ(window_.named, std::vector<std::wstring>{accented});
    EXPECT_EQ(Collected(), "10:G: 01:b:C:\\B 01:a:C:\\A 00:Work:C:\\Work 20:: 00:X:C:\\X ");
    for (const std::wstring& d : {accented, plain, base}) RemoveDirectoryW(d.c_str());
}

// Dropped folders follow the selection in drop order, read as the shell
// sends them (UTF-16): a name the code page 932 cannot hold (Korean, é) or
// a file is refused and named in one message, never saved as "?" or as a
// look-alike of another folder.
TEST_F(SettingsEditingTest, DroppedFoldersFollowTheSelectionInDropOrder) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring base = std::wstring(temp) + L"tellaro-drop";
    const std::wstring korean = base + L"\\\uD55C\uAD6D\uC5B4", accented = base + L"\\Caf\u00E9",
                       japanese = base + L"\\\u65E5\u672C\u8A9E", file = base + L"\\a.txt";
    CreateDirectoryW(base.c_str(), nullptr);
    for (const std::wstring& d : {korean, accented, japanese}) CreateDirectoryW(d.c_str(), nullptr);
    CloseHandle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    std::wstring files;
    for (const std::wstring& f : {korean, accented, japanese, file, std::wstring(L"C:\\")})
        files += f + L'\0';
    files += L'\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + files.size() * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(drop + 1, files.data(), files.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    tree()->SelectItem(Find("Work"));
    // The window releases the drop handle.
    SendMessageA(window_.GetHandle(), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    char ansiBase[MAX_PATH] = {};
    WideCharToMultiByte(CP_ACP, 0, base.c_str(), -1, ansiBase, MAX_PATH, nullptr, nullptr);
    EXPECT_EQ(Collected(), std::string("10:G: 01:b:C:\\B 01:a:C:\\A 00:Work:C:\\Work ") +
                               "00:\x93\xFA\x96\x7B\x8C\xEA:" + ansiBase +
                               "\\\x93\xFA\x96\x7B\x8C\xEA 00:C::C:\\ 20:: 00:X:C:\\X ");
    EXPECT_EQ(window_.named, std::vector<std::wstring>{korean + L"\n" + accented + L"\n" + file});
    DeleteFileW(file.c_str());
    for (const std::wstring& d : {korean, accented, japanese, base}) RemoveDirectoryW(d.c_str());
}

}  // namespace
}  // namespace tellaro
