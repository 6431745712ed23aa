// What the benchmarks that drive the real Tellaro.exe from outside share:
// a clock, the figures of another process, its settings file put in place
// for the run, and starting and stopping it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "bench/timing.h"
#include "config/folder_model.h"

namespace tellaro {
namespace bench {

// Memory in bytes. Under Wine the working set is the host process's resident
// size and `privateBytes` its anonymous resident memory; both are read from
// the host's /proc by the Wine server.
struct ProcessFigures {
    SIZE_T workingSet = 0;
    SIZE_T peakWorkingSet = 0;
    SIZE_T privateBytes = 0;
    // -1 where the platform does not report the count.
    long gdiObjects = -1;
    long userObjects = -1;
};

ProcessFigures ReadFigures(HANDLE process);
// "123" or "n/a".
std::string CountText(long count);

// Writes the item file the program reads at its next start and puts back
// whatever was there before when it goes out of scope.
class SettingsFileSwap {
public:
    explicit SettingsFileSwap(const FolderSettings& settings);
    ~SettingsFileSwap();
    SettingsFileSwap(const SettingsFileSwap&) = delete;
    SettingsFileSwap& operator=(const SettingsFileSwap&) = delete;
    bool Written() const { return written_; }

private:
    std::wstring path_;
    std::vector<char> previous_;
    bool hadPrevious_ = false;
    bool written_ = false;
};

// A process started by a benchmark: waits until its message loop runs and
// ends it the way the user would, through WM_CLOSE to its windows.
class ChildProcess {
public:
    ~ChildProcess();
    bool Start(const std::string& exe, const std::string& arguments = {});
    // false when the loop of the window with that caption does not run
    // within `timeoutMs`.
    bool WaitUntilIdle(const char* caption, DWORD timeoutMs);
    // Its top-level window with that caption, or NULL.
    HWND Window(const char* caption) const;
    // Closes its top-level window with that caption and waits for the
    // process to end; a process still running when this object goes away
    // is terminated.
    bool Close(const char* caption, DWORD timeoutMs);
    HANDLE Handle() const { return info_.hProcess; }

private:
    PROCESS_INFORMATION info_ = {};
};

}  // namespace bench
}  // namespace tellaro
