// The controller's side of the settings file: it owns the settings, the
// store reads and writes them.
#include "app/tray_app.h"
#include "config/settings_store.h"
#include "config/special_folders_win.h"

namespace tellaro {

int TrayApp::ItemFilePath(std::wstring& path) {
    return store_ ? store_->ItemFilePath(path) : -1;
}

int TrayApp::CreateDirectoryTree(const std::wstring& path) {
    return SettingsStore::CreateDirectoryTree(path);
}

int TrayApp::ImportLegacyIni() {
    return store_ ? store_->ImportLegacyIni(options_, folderSettings_) : -1;
}

int TrayApp::LoadItemFile() {
    // Which special folders the system knows takes a shell look-up each; a
    // settings file replaces that order, so it is asked only without one.
    return store_ ? store_->LoadItemFile(options_, folderSettings_, FillInitialSpecialFolderOrder)
                  : -1;
}

int TrayApp::SaveItemFile() {
    return store_ ? store_->SaveItemFile(options_, folderSettings_) : -1;
}

}  // namespace tellaro
