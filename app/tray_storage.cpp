// The controller's side of the settings file: it owns the settings, the
// store reads and writes them.
#include "app/tray_app.h"
#include "base/fill_text.h"
#include "base/modal_loop.h"
#include "base/resource_text.h"
#include "base/system_code_page.h"
#include "config/kept_saves.h"
#include "config/settings_store.h"
#include "config/special_folders_win.h"
#include "res/resource.h"
#include "settings/settings_window.h"
#include "shell/launch_thread.h"
#include "shell/shell_launcher.h"
#include "ui/dialogs/restore_save_dialog.h"

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

namespace {

template <typename Format>
std::string FormattedTime(Format format, DWORD flags, const SYSTEMTIME& time) {
    const int size = format(LOCALE_USER_DEFAULT, flags, &time, nullptr, nullptr, 0);
    if (size <= 0) return std::string();
    std::string text(static_cast<std::size_t>(size), '\0');
    const int written = format(LOCALE_USER_DEFAULT, flags, &time, nullptr, &text[0], size);
    text.resize(written > 0 ? static_cast<std::size_t>(written - 1) : 0);
    return text;
}

// When it was kept, in the user's own date and time formats and time zone.
std::string KeptTimeText(const BackupStamp& stamp) {
    SYSTEMTIME utc = {};
    utc.wYear = static_cast<WORD>(stamp.year);
    utc.wMonth = static_cast<WORD>(stamp.month);
    utc.wDay = static_cast<WORD>(stamp.day);
    utc.wHour = static_cast<WORD>(stamp.hour);
    utc.wMinute = static_cast<WORD>(stamp.minute);
    utc.wSecond = static_cast<WORD>(stamp.second);
    SYSTEMTIME local = utc;
    SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local);
    return FormattedTime(GetDateFormatA, DATE_SHORTDATE, local) + " " +
           FormattedTime(GetTimeFormatA, 0, local);
}

RestoreEntry DescribeKeptSave(const KeptSave& save, FolderSettings& settings) {
    RestoreEntry entry;
    OptionsRecord options;
    bool truncated = false;
    entry.readable = SettingsStore::ReadSettingsFile(save.path, options, settings, truncated) == 0;
    if (!entry.readable) {
        entry.text =
            FillText(LoadResourceString(IDS_RESTORE_UNREADABLE_ENTRY), KeptTimeText(save.stamp));
        return entry;
    }
    std::size_t folders = 0, groups = 0;
    for (const FolderItem& item : settings.items) {
        if (item.Kind() == FolderItemKind::Folder) ++folders;
        if (item.Kind() == FolderItemKind::Group) ++groups;
    }
    entry.text = FillText(LoadResourceString(IDS_RESTORE_ENTRY), KeptTimeText(save.stamp));
    entry.text = FillText(entry.text, std::to_string(folders));
    entry.text = FillText(entry.text, std::to_string(groups));
    return entry;
}

}  // namespace

// A kept save goes into the settings window as one step the user can undo;
// nothing is live until OK, and the options stay as they are.
void TrayApp::RestoreKeptSave() {
    if (!settingsWindow_ || !settingsWindow_->IsEditing()) return;
    std::wstring itemFile;
    if (ItemFilePath(itemFile) != 0) return;
    const std::vector<KeptSave> saves = ListKeptSaves(itemFile);
    if (saves.empty()) {
        ModalMessageBox(MainWindow(), LoadResourceString(IDS_RESTORE_NONE),
                        LoadResourceString(IDS_RESTORE_CAPTION), MB_OK | MB_ICONINFORMATION);
        return;
    }
    std::vector<RestoreEntry> entries;
    std::vector<FolderSettings> contents(saves.size());
    for (std::size_t i = 0; i < saves.size(); ++i)
        entries.push_back(DescribeKeptSave(saves[i], contents[i]));
    const int chosen = ChooseKeptSave(MainWindow(), entries);
    if (chosen >= 0 && settingsWindow_->IsEditing())
        settingsWindow_->ReloadTree(contents[static_cast<std::size_t>(chosen)]);
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
