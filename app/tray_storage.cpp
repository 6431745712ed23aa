// The controller's side of the settings file: it owns the settings, the
// store reads and writes them.
#include "app/tray_app.h"
#include "config/settings_store.h"

namespace tellaro {

int TrayApp::ItemFilePath(std::string& path) { return store_ ? store_->ItemFilePath(path) : -1; }

int TrayApp::CreateDirectoryTree(const std::string& path) {
    return SettingsStore::CreateDirectoryTree(path);
}

int TrayApp::ImportLegacyIni() {
    return store_ ? store_->ImportLegacyIni(options_, folderSettings_) : -1;
}

int TrayApp::LoadItemFile() {
    return store_ ? store_->LoadItemFile(options_, folderSettings_) : -1;
}

int TrayApp::SaveItemFile() {
    return store_ ? store_->SaveItemFile(options_, folderSettings_) : -1;
}

}  // namespace tellaro
