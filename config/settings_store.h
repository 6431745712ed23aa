// Where the settings live and how they get there: the item file in the
// per-user settings folder, and the one-time import of the older INI file.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "config/folder_model.h"
#include "config/options_record.h"

namespace tellaro {

class SystemInfo;

// Tells the user about a storage problem; texts are string-table ids.
class StorageNotifier {
public:
    virtual ~StorageNotifier() = default;
    virtual void ShowError(int textId, int captionId) = 0;
    // The same with `name` put in for the text's %s; UTF-16, as a folder
    // may be named outside the code page. Notifiers that only count the
    // messages need not take the name.
    virtual void ShowNamedError(int textId, int captionId, const std::wstring& name) {
        static_cast<void>(name);
        ShowError(textId, captionId);
    }
};

// A message box with the error icon and no owner window.
class MessageBoxNotifier : public StorageNotifier {
public:
    void ShowError(int textId, int captionId) override;
    void ShowNamedError(int textId, int captionId, const std::wstring& name) override;
};

class SettingsStore {
public:
    static constexpr const wchar_t* kItemFileName = L"Tellaro.tlr";
    static constexpr const wchar_t* kLegacyIniName = L"Tellaro.ini";
    // Suffixes of the files kept beside the item file: a copy of a file that
    // could not be read, and the file being written before it replaces the
    // old one.
    static constexpr const wchar_t* kBadCopySuffix = L".bad";
    static constexpr const wchar_t* kTempSuffix = L".tmp";

    // `settingsFolder` replaces the per-user settings folder when not empty;
    // the legacy INI is then looked for there too. Paths here are UTF-16:
    // the folder is the program's own, and only the file's contents keep
    // the code page.
    SettingsStore(SystemInfo& system, StorageNotifier& notifier, std::wstring settingsFolder = {});

    // The settings folder is a portable copy's own folder: a failed save
    // names it (a read-only stick, a copy under Program Files), and the
    // marker there records the code page the names are written in.
    void SetBesideProgram(bool besideProgram) { besideProgram_ = besideProgram; }

    // The full path of the item file, computed (and its folder created) on
    // the first call and remembered. Always 0.
    int ItemFilePath(std::wstring& path);
    // 0 when `path` exists afterwards (as a directory, or as a file), else -1.
    static int CreateDirectoryTree(const std::wstring& path);
    // Replaces the item file through a temporary file, so a failure at any
    // step leaves the previous file whole. 0, or -1 after telling the user.
    int SaveItemFile(const OptionsRecord& options, const FolderSettings& settings);
    // Completes the caller's defaults where that is costly (the special
    // folders the shell knows); run only when no settings file is read.
    using DefaultsFiller = std::function<void(FolderSettings&)>;

    // 0: settings read, or a damaged file reported and set aside (settings
    // unchanged), or the legacy INI imported. 1: first run, defaults saved
    // and nothing to import. -1: the file can't be opened or read, or the
    // settings folder can't be used (which is told).
    int LoadItemFile(OptionsRecord& options, FolderSettings& settings,
                     const DefaultsFiller& fillDefaults = nullptr);
    // What the settings file at `path` holds, reading nothing else and
    // telling no one: 0 read (`truncated` when a list had to be cut), 1
    // damaged, -1 unreadable. A kept save is read so, and left as it is.
    static int ReadSettingsFile(const std::wstring& path, OptionsRecord& options,
                                FolderSettings& settings, bool& truncated);
    // Writes a settings file through a temporary file beside it, so that a
    // failure at any step leaves what was there whole; with keepPrevious
    // the file it replaces is kept first. Tells no one.
    static bool WriteSettingsFile(const std::wstring& path, const OptionsRecord& options,
                                  const FolderSettings& settings, bool keepPrevious);
    // 0 when the INI was imported into `options` and `settings`; -1 when
    // there is none or it is too old, and then nothing changed.
    int ImportLegacyIni(OptionsRecord& options, FolderSettings& settings);

private:
    std::wstring DefaultSettingsFolder();
    std::wstring FallbackFolder();
    std::wstring LegacyIniPath();
    void ReportOtherCodePage();
    // 0 read, 1 damaged and reported, -1 unreadable.
    int ReadItemFile(const std::wstring& path, OptionsRecord& options, FolderSettings& settings);
    bool WriteItemFile(const std::wstring& path, const OptionsRecord& options,
                       const FolderSettings& settings);

    SystemInfo& system_;
    StorageNotifier& notifier_;
    std::wstring settingsFolder_;
    std::wstring itemFilePath_;
    bool besideProgram_ = false;
};

}  // namespace tellaro
