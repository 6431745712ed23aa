// The settings window's file commands: its tree saved to a settings file the
// user names, and opened again from one. The standard file dialogs run with
// the wide functions, so that a Documents folder named outside the code
// page works.
#include <windows.h>
// The common dialogs and the shell build on windows.h.
#include <commdlg.h>
#include <shlobj.h>

#include <optional>
#include <string>
#include <vector>

#include "app/tray_app.h"
#include "base/modal_loop.h"
#include "base/resource_text.h"
#include "base/runtime_api.h"
#include "base/system_code_page.h"
#include "config/settings_store.h"
#include "config/special_folders_win.h"
#include "res/resource.h"
#include "settings/settings_window.h"

namespace tellaro {

namespace {

constexpr DWORD kPathRoom = 32768;

// The string table cannot hold the filter's NULs; it separates with '|'.
std::wstring FileFilter() {
    std::wstring filter = WidenFromSystem(LoadResourceString(IDS_FILE_FILTER));
    for (wchar_t& c : filter)
        if (c == L'|') c = L'\0';
    return filter;
}

// The file the user names in the standard dialog, or nothing after Cancel
// or an exit from outside.
std::wstring AskForFile(HWND owner, bool save) {
    if (ModalLoop::Exiting()) return std::wstring();
    const std::wstring filter = FileFilter();
    const std::optional<std::wstring> documents = SpecialFolderPathWide(CSIDL_PERSONAL);
    std::vector<wchar_t> file(kPathRoom, L'\0');
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = kPathRoom;
    dialog.lpstrInitialDir = documents ? documents->c_str() : nullptr;
    dialog.lpstrDefExt = L"tlr";
    dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                   (save ? OFN_OVERWRITEPROMPT | OFN_NOREADONLYRETURN : OFN_FILEMUSTEXIST);
    // Loaded when first asked for: imported, the library would cost every
    // start, and few sessions use it.
    HMODULE library = runtime_api::LoadSystemLibrary("comdlg32.dll");
    auto run = reinterpret_cast<runtime_api::FileDialogFn>(reinterpret_cast<void*>(
        GetProcAddress(library, save ? "GetSaveFileNameW" : "GetOpenFileNameW")));
    BOOL chosen = FALSE;
    if (run != nullptr) {
        ModalLoop loop;
        chosen = run(&dialog);
    }
    if (!chosen || ModalLoop::Exiting()) return std::wstring();
    return file.data();
}

}  // namespace

void TrayApp::SaveTreeToFile() {
    if (!settingsWindow_ || !settingsWindow_->IsEditing()) return;
    const std::wstring path = AskForFile(MainWindow(), true);
    if (!path.empty()) SaveTreeTo(path);
}

void TrayApp::OpenTreeFromFile() {
    if (!settingsWindow_ || !settingsWindow_->IsEditing()) return;
    const std::wstring path = AskForFile(MainWindow(), false);
    if (!path.empty()) OpenTreeFrom(path);
}

int TrayApp::SaveTreeTo(const std::wstring& path) {
    if (!settingsWindow_) return -1;
    bool saved = false;
    try {
        FolderSettings tree;
        settingsWindow_->PeekSettings(tree);
        saved = SettingsStore::WriteSettingsFile(path, options_, tree, false);
    } catch (const std::bad_alloc&) {
    }
    if (saved) return 0;
    ModalMessageBoxWide(MainWindow(), LoadResourceString(IDS_FILE_SAVE_FAILED), path,
                        LoadResourceString(IDS_SAVE_FAILED_CAPTION), MB_OK | MB_ICONERROR);
    return -1;
}

// As at start-up, a file cut to the limit is said so and loaded; one that
// does not read leaves the tree as it was.
int TrayApp::OpenTreeFrom(const std::wstring& path) {
    if (!settingsWindow_) return -1;
    int result = -1;
    bool truncated = false;
    try {
        OptionsRecord unused;
        FolderSettings tree;
        if (SettingsStore::ReadSettingsFile(path, unused, tree, truncated) == 0)
            result = settingsWindow_->ReloadTree(tree);
    } catch (const std::bad_alloc&) {
        result = -1;
    }
    const std::string caption = LoadResourceString(IDS_LOAD_CORRUPT_CAPTION);
    if (result != 0)
        ModalMessageBoxWide(MainWindow(), LoadResourceString(IDS_FILE_OPEN_FAILED), path, caption,
                            MB_OK | MB_ICONERROR);
    else if (truncated)
        ModalMessageBox(MainWindow(), LoadResourceString(IDS_LOAD_TOO_MANY), caption,
                        MB_OK | MB_ICONWARNING);
    return result;
}

}  // namespace tellaro
