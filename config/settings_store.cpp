#include "config/settings_store.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "base/modal_loop.h"
#include "base/resource_text.h"
#include "base/system_code_page.h"
#include "config/item_codec.h"
#include "config/kept_saves.h"
#include "config/legacy_import.h"
#include "config/portable_copy.h"
#include "config/special_folder_table.h"
#include "config/special_folders_win.h"
#include "config/system_info.h"
#include "res/resource.h"

namespace tellaro {

namespace {

constexpr const wchar_t* kVendorSubfolder = L"\\Morvane\\Tellaro";
constexpr int kCsidlAppData = 26;       // roaming: all the NT 4 shell offers
constexpr int kCsidlLocalAppData = 28;  // from NT 5 on

// The settings folder is the program's own and never stored, so it is used
// as UTF-16: below a profile named "José" on a Japanese system the code
// page would give "Jose", a folder that is not there.
bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsDirectory(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring FolderOf(const std::wstring& path) {
    return path.substr(0, path.find_last_of(L'\\'));
}

// Missing, as opposed to present but out of reach (access denied and the like).
bool IsMissing(const std::wstring& path) {
    if (Exists(path)) return false;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    bool Close() {
        if (!Valid()) return true;
        const bool closed = CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

bool ReadExactly(HANDLE file, void* buffer, DWORD size, DWORD& got) {
    got = 0;
    return ReadFile(file, buffer, size, &got, nullptr) != 0;
}

// The older program wrote its INI in the code page, and the import takes
// the code page's text; only the file's path needs UTF-16. A value the code
// page cannot hold exactly (a hand-edited Unicode file) counts as missing.
class WideIniReader : public LegacyIniReader {
public:
    explicit WideIniReader(std::wstring path) : path_(std::move(path)) {}
    int ReadInt(const char* section, const char* key, int defaultValue) override {
        return static_cast<int>(GetPrivateProfileIntW(WidenFromSystem(section).c_str(),
                                                      WidenFromSystem(key).c_str(), defaultValue,
                                                      path_.c_str()));
    }
    std::string ReadString(const char* section, const char* key,
                           const char* defaultValue) override {
        const std::string fallback = defaultValue != nullptr ? defaultValue : "";
        const std::wstring wideSection = WidenFromSystem(section), wideKey = WidenFromSystem(key),
                           wideDefault = WidenFromSystem(fallback);
        // The platform cuts a value that does not fit and says so only by
        // filling the buffer; grow until the value comes back shorter.
        for (DWORD size = 1024; size <= 0x10000000u; size *= 2) {
            std::wstring work(size, L'\0');
            const DWORD length =
                GetPrivateProfileStringW(wideSection.c_str(), wideKey.c_str(), wideDefault.c_str(),
                                         &work[0], size, path_.c_str());
            if (length + 1 == size || length + 2 == size) continue;
            work.resize(length);
            std::optional<std::string> text = ToSystemAnsi(work);
            return text ? *text : fallback;
        }
        return fallback;
    }

private:
    std::wstring path_;
};

class ShellResolver : public LegacyImportResolver {
public:
    std::optional<std::string> SpecialFolderPath(std::size_t entryIndex) override {
        return tellaro::SpecialFolderPath(SpecialFolderTable::Entry(entryIndex).csidl);
    }
    bool DirectoryExists(const std::string& path) override {
        return IsDirectory(WidenFromSystem(path));
    }
    std::string DisplayName(int stringId) override { return LoadResourceString(stringId); }
};

}  // namespace

void MessageBoxNotifier::ShowError(int textId, int captionId) {
    ModalMessageBox(nullptr, LoadResourceString(textId), LoadResourceString(captionId),
                    MB_OK | MB_ICONERROR);
}

void MessageBoxNotifier::ShowNamedError(int textId, int captionId, const std::wstring& name) {
    ModalMessageBoxWide(nullptr, LoadResourceString(textId), name, LoadResourceString(captionId),
                        MB_OK | MB_ICONERROR);
}

SettingsStore::SettingsStore(SystemInfo& system, StorageNotifier& notifier,
                             std::wstring settingsFolder)
    : system_(system), notifier_(notifier), settingsFolder_(std::move(settingsFolder)) {}

// Below the current directory: the user's own folder when the logon name can
// be had, else one shared folder.
std::wstring SettingsStore::FallbackFolder() {
    if (const char* user = system_.UserDirectory()) return WidenFromSystem(user);
    const char* current = system_.CurrentDirectory();
    return WidenFromSystem(current ? current : "") + L"\\Tellaro";
}

std::wstring SettingsStore::DefaultSettingsFolder() {
    if (system_.IsNT()) {
        const int csidl = system_.MajorVersion() < 5 ? kCsidlAppData : kCsidlLocalAppData;
        if (std::optional<std::wstring> base = SpecialFolderPathWide(csidl))
            return *base + kVendorSubfolder;
    }
    return FallbackFolder();
}

int SettingsStore::ItemFilePath(std::wstring& path) {
    if (itemFilePath_.empty()) {
        const std::wstring folder =
            settingsFolder_.empty() ? DefaultSettingsFolder() : settingsFolder_;
        // A folder that can't be made is told of when the settings are loaded.
        if (!Exists(folder)) CreateDirectoryTree(folder);
        itemFilePath_ = folder + L"\\" + kItemFileName;
    }
    path = itemFilePath_;
    return 0;
}

int SettingsStore::CreateDirectoryTree(const std::wstring& path) {
    if (path.empty()) return -1;
    if (IsDirectory(path)) return 0;
    const std::size_t slash = path.find_last_of(L'\\');
    if (slash == std::wstring::npos) return -1;
    if (CreateDirectoryTree(path.substr(0, slash)) != 0) return -1;
    if (Exists(path)) return 0;
    return CreateDirectoryW(path.c_str(), nullptr) ? 0 : -1;
}

bool SettingsStore::WriteItemFile(const std::wstring& path, const OptionsRecord& options,
                                  const FolderSettings& settings) {
    return WriteSettingsFile(path, options, settings, true);
}

bool SettingsStore::WriteSettingsFile(const std::wstring& path, const OptionsRecord& options,
                                      const FolderSettings& settings, bool keepPrevious) {
    const std::vector<std::uint8_t> image = EncodeItemFile(options, settings);
    const std::wstring temp = path + kTempSuffix;
    FileHandle file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return false;
    DWORD written = 0;
    const DWORD size = static_cast<DWORD>(image.size());
    const bool complete = WriteFile(file.Get(), image.data(), size, &written, nullptr) &&
                          written == size && FlushFileBuffers(file.Get());
    // Only a file that is whole on disk may take the old one's place; the
    // one it replaces is kept first, as the user's way back.
    if (!file.Close() || !complete) {
        DeleteFileW(temp.c_str());
        return false;
    }
    if (keepPrevious) KeepPreviousSave(path);
    if (MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileW(temp.c_str());
    return false;
}

int SettingsStore::SaveItemFile(const OptionsRecord& options, const FolderSettings& settings) {
    bool saved = false;
    bool hadFile = false;
    try {
        std::wstring path;
        ItemFilePath(path);
        hadFile = IsFile(path);
        saved = WriteItemFile(path, options, settings);
    } catch (...) {  // out of memory: the same as any other failed save
        saved = false;
    }
    if (saved) {
        if (besideProgram_) RecordCodePage(settingsFolder_, GetACP());
        return 0;
    }
    // Settings beside the program stay in memory; nothing is written
    // anywhere else behind the user's back, so the folder is named.
    if (besideProgram_) {
        notifier_.ShowNamedError(IDS_SAVE_FAILED_FOLDER, IDS_SAVE_FAILED_CAPTION, settingsFolder_);
        return -1;
    }
    // Only where there was a file can it be said to be left as it was.
    notifier_.ShowError(hadFile ? IDS_SAVE_FAILED : IDS_SAVE_FAILED_NO_FILE,
                        IDS_SAVE_FAILED_CAPTION);
    return -1;
}

int SettingsStore::ReadSettingsFile(const std::wstring& path, OptionsRecord& options,
                                    FolderSettings& settings, bool& truncated) {
    truncated = false;
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return -1;
    std::uint8_t head[4] = {};
    DWORD got = 0;
    LARGE_INTEGER fileSize = {};
    if (!ReadExactly(file.Get(), head, sizeof head, got) || !GetFileSizeEx(file.Get(), &fileSize))
        return -1;

    // The size word says how much belongs to the file; never ask for more
    // than is there, and let the decoder refuse a size word that overshoots.
    std::vector<std::uint8_t> image;
    if (got == sizeof head) {
        const std::uint64_t sizeWord =
            head[0] | head[1] << 8 | head[2] << 16 | static_cast<std::uint64_t>(head[3]) << 24;
        const std::uint64_t wanted = std::min<std::uint64_t>(sizeWord, fileSize.QuadPart);
        image.resize(static_cast<std::size_t>(wanted));
        if (SetFilePointer(file.Get(), 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER ||
            !ReadExactly(file.Get(), image.data(), static_cast<DWORD>(image.size()), got))
            return -1;
        image.resize(got);
    }
    file.Close();

    const DecodeResult result = DecodeItemFile(image.data(), image.size(), options, settings);
    if (result.status == DecodeStatus::Corrupt) return 1;
    truncated = result.truncated;
    return 0;
}

int SettingsStore::ReadItemFile(const std::wstring& path, OptionsRecord& options,
                                FolderSettings& settings) {
    bool truncated = false;
    const int result = ReadSettingsFile(path, options, settings, truncated);
    if (result == 1) {
        // Keep the damaged file for a closer look: the next save replaces it.
        CopyFileW(path.c_str(), (path + kBadCopySuffix).c_str(), FALSE);
        notifier_.ShowError(IDS_LOAD_CORRUPT, IDS_LOAD_CORRUPT_CAPTION);
    } else if (truncated) {
        notifier_.ShowError(IDS_LOAD_TOO_MANY, IDS_TOO_MANY_CAPTION);
    }
    return result;
}

int SettingsStore::LoadItemFile(OptionsRecord& options, FolderSettings& settings,
                                const DefaultsFiller& fillDefaults) {
    int result = -1;
    try {
        std::wstring path;
        ItemFilePath(path);
        const std::wstring folder = FolderOf(path);
        // Without its folder the file can't be opened, let alone written:
        // the defaults stay for this run, and the user is told why now
        // rather than at the first OK.
        if (!IsDirectory(folder)) {
            notifier_.ShowNamedError(IDS_SETTINGS_FOLDER_UNUSABLE, IDS_LOAD_CORRUPT_CAPTION,
                                     folder);
            result = -1;
        } else if (IsMissing(path)) {
            // The new file is written from the defaults: complete them first.
            if (fillDefaults) fillDefaults(settings);
            SaveItemFile(options, settings);
            return ImportLegacyIni(options, settings) == 0 ? 0 : 1;
        } else {
            result = ReadItemFile(path, options, settings);
            if (result == 0) {
                ReportOtherCodePage();
                return 0;
            }
        }
    } catch (...) {  // out of memory before anything was replaced
        result = -1;
    }
    if (fillDefaults) fillDefaults(settings);
    return result == 1 ? 0 : -1;
}

// A portable copy carried from a system of another code page reads names
// written in that one: said once, rather than guessed at.
void SettingsStore::ReportOtherCodePage() {
    if (!besideProgram_) return;
    const std::optional<unsigned> recorded = RecordedCodePage(settingsFolder_);
    if (recorded && *recorded != GetACP())
        notifier_.ShowNamedError(IDS_OTHER_CODE_PAGE, IDS_LOAD_CORRUPT_CAPTION,
                                 std::to_wstring(*recorded));
}

std::wstring SettingsStore::LegacyIniPath() {
    std::wstring folder = settingsFolder_;
    if (folder.empty() && system_.IsNT() && system_.MajorVersion() >= 5) {
        if (std::optional<std::wstring> base = SpecialFolderPathWide(kCsidlLocalAppData))
            folder = *base + kVendorSubfolder;
    }
    if (folder.empty()) folder = FallbackFolder();
    return folder + L"\\" + kLegacyIniName;
}

int SettingsStore::ImportLegacyIni(OptionsRecord& options, FolderSettings& settings) {
    try {
        std::wstring path = LegacyIniPath();
        if (!IsFile(path)) return -1;
        WideIniReader reader(std::move(path));
        ShellResolver resolver;
        // Into copies, so that running out of memory halfway changes nothing.
        OptionsRecord newOptions = options;
        FolderSettings newSettings = settings;
        if (ImportLegacySettings(reader, resolver, newOptions, newSettings) != 0) return -1;
        options = newOptions;
        settings = std::move(newSettings);
        return 0;
    } catch (...) {
        return -1;
    }
}

}  // namespace tellaro
