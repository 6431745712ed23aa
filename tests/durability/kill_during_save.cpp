// A save must survive the process being killed at any moment, as happens
// when Windows shuts down during one. A child process saves the item file in
// a loop, alternating two different valid contents; it is killed at random
// moments, and after every kill the file must hold exactly one of the two,
// and a later save must still succeed and leave no temporary file behind.
// usage: tellaro_kill_during_save [KILLS]          (default 100)
//        tellaro_kill_during_save --saver FOLDER EVENT
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "base/system_code_page.h"
#include "bench/sample_settings.h"
#include "config/item_codec.h"
#include "config/settings_store.h"
#include "config/system_info.h"

namespace tellaro {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr DWORD kTimeoutMs = 30000;
// Long enough to cover many saves, short enough to land inside the first.
constexpr int kMaxKillDelayMs = 40;

class SilentNotifier : public StorageNotifier {
public:
    void ShowError(int, int) override { ++errors; }
    int errors = 0;
};

// Two contents of very different size, so that a torn write of one cannot
// pass for the other.
struct Contents {
    OptionsRecord smallOptions, largeOptions;
    FolderSettings small, large = ThousandItems();
    Contents() {
        FolderItem item;
        item.path = "C:\\Data";
        item.name = "Data";
        small.items.Append(item);
        largeOptions.hotkey = 0x0641;
    }
    bool Save(SettingsStore& store, bool useLarge) const {
        return useLarge ? store.SaveItemFile(largeOptions, large) == 0
                        : store.SaveItemFile(smallOptions, small) == 0;
    }
    Bytes Image(bool useLarge) const {
        return useLarge ? EncodeItemFile(largeOptions, large) : EncodeItemFile(smallOptions, small);
    }
};

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

Bytes ReadAll(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int RunSaver(const std::string& folder, const char* eventName) {
    SystemInfo system;
    SilentNotifier notifier;
    SettingsStore store(system, notifier, WidenFromSystem(folder));
    const Contents contents;
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, eventName);
    if (!ready) return 1;
    for (bool useLarge = true;; useLarge = !useLarge) {
        if (!contents.Save(store, useLarge)) return 2;
        SetEvent(ready);
    }
}

bool StartSaver(const std::string& folder, const std::string& eventName,
                PROCESS_INFORMATION& info) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string commandLine =
        "\"" + std::string(self) + "\" --saver \"" + folder + "\" " + eventName;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    return CreateProcessA(self, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &info) != FALSE;
}

struct Tally {
    int small = 0, large = 0, interrupted = 0;
};

// One kill and what must hold after it; false on the first broken promise.
bool KillOnce(const std::string& folder, const Contents& contents, std::mt19937& random, int round,
              Tally& tally) {
    const std::string eventName = "TellaroKillSave" + std::to_string(GetCurrentProcessId());
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, eventName.c_str());
    PROCESS_INFORMATION info = {};
    if (!ready || !StartSaver(folder, eventName, info)) {
        std::printf("round %d: cannot start the saver\n", round);
        return false;
    }
    const bool saving = WaitForSingleObject(ready, kTimeoutMs) == WAIT_OBJECT_0;
    Sleep(std::uniform_int_distribution<int>(0, kMaxKillDelayMs)(random));
    TerminateProcess(info.hProcess, 9);
    WaitForSingleObject(info.hProcess, kTimeoutMs);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    CloseHandle(ready);
    if (!saving) {
        std::printf("round %d: the saver never completed a save\n", round);
        return false;
    }

    const std::wstring path = WidenFromSystem(folder) + L"\\" + SettingsStore::kItemFileName;
    const std::wstring temp = path + SettingsStore::kTempSuffix;
    const Bytes found = ReadAll(path);
    if (found == contents.Image(false)) {
        ++tally.small;
    } else if (found == contents.Image(true)) {
        ++tally.large;
    } else {
        std::printf("round %d: the item file holds neither content (%zu bytes)\n", round,
                    found.size());
        return false;
    }
    if (Exists(temp)) ++tally.interrupted;

    // The next save, as the restarted program would make it.
    SystemInfo system;
    SilentNotifier notifier;
    SettingsStore store(system, notifier, WidenFromSystem(folder));
    const bool useLarge = round % 2 != 0;
    if (!contents.Save(store, useLarge) || ReadAll(path) != contents.Image(useLarge) ||
        Exists(temp)) {
        std::printf("round %d: the save after the kill failed or left its temporary file\n", round);
        return false;
    }
    return true;
}

int RunDriver(int kills) {
    char tempRoot[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, tempRoot);
    const std::string folder =
        std::string(tempRoot) + "tellaro_kill_save_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    const Contents contents;
    const unsigned seed = GetTickCount();
    std::mt19937 random(seed);
    Tally tally;
    int passed = 0;
    for (int round = 1; round <= kills; ++round) {
        if (!KillOnce(folder, contents, random, round, tally)) break;
        ++passed;
    }
    const std::wstring path = WidenFromSystem(folder) + L"\\" + SettingsStore::kItemFileName;
    DeleteFileW(path.c_str());
    DeleteFileW((path + SettingsStore::kTempSuffix).c_str());
    RemoveDirectoryA(folder.c_str());
    std::printf(
        "seed %u: %d kills, file held the small content %d times and the large one %d times; "
        "%d kills interrupted a write\n",
        seed, passed, tally.small, tally.large, tally.interrupted);
    std::printf("%d passed, %d failed\n", passed, kills - passed);
    return passed == kills ? 0 : 1;
}

}  // namespace
}  // namespace tellaro

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--saver") return tellaro::RunSaver(argv[2], argv[3]);
    const int kills = argc > 1 ? std::atoi(argv[1]) : 100;
    return tellaro::RunDriver(kills > 0 ? kills : 100);
}
