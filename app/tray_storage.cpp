// The controller's side of the settings file: it owns the settings, the
// store reads and writes them.
#include "app/tray_app.h"
#include "config/settings_store.h"
#include "base/system_code_page.h"
#include "config/special_folders_win.h"
#include "shell/launch_thread.h"
#include "shell/shell_launcher.h"

namespace tellaro {

int TrayApp::ItemFilePath(std::wstring& path) {
    return store_ ? store_->ItemFilePath(path) : -1;
}

std::wstring TrayApp::SettingsFolder() {
    std::wstring path;
    if (ItemFilePath(path) != 0) return std::wstring();
    const std::size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

// By its item identifier list: the folder may be named outside the code
// page, and its ANSI name would be another folder's, or none.
void TrayApp::OpenSettingsFolder() {
    const std::wstring folder = SettingsFolder();
    if (folder.empty()) return;
    LPITEMIDLIST list = ILCreateFromPathW(folder.c_str());
    if (list == nullptr) {
        shell::ReportLaunchFailure(NarrowToSystem(folder).text.c_str(), ERROR_PATH_NOT_FOUND);
        return;
    }
    shell::OpenIdList(list, kVerbOpen);
    ILFree(list);
}

int TrayApp::CreateDirectoryTree(const std::wstring& path) {
    return SettingsStore::CreateDirectoryTree(path);
}

int TrayApp::ImportLegacyIni() {
    return store_ ? store_->ImportLegacyIni(options_, folderSettings_) : -1;
}

int TrayApp::LoadItemFile() {
    if (!store_) return -1;
    // Which special folders the system knows takes a shell look-up each; a
    // settings file replaces that order, so it is asked only without one.
    const int loaded =
        store_->LoadItemFile(options_, folderSettings_, FillInitialSpecialFolderOrder);
    // The menus and the settings window show such a file with its deepest
    // groups dissolved, and the next OK saves it so: the user must know why
    // the groups changed before that.
    if (IsFlattenedWhenShown(folderSettings_.items)) {
        StorageNotifier* notifier = config_.notifier ? config_.notifier : defaultNotifier_.get();
        if (notifier) notifier->ShowError(IDS_LOAD_TOO_DEEP, IDS_PROGRAM_ERROR_CAPTION);
    }
    return loaded;
}

int TrayApp::SaveItemFile() {
    return store_ ? store_->SaveItemFile(options_, folderSettings_) : -1;
}

}  // namespace tellaro
