#include "shell/launch_thread.h"

#include <objbase.h>

#include <atomic>
#include <deque>
#include <memory>
#include <new>
#include <set>

#include "res/resource.h"

namespace tellaro {
namespace shell {

namespace {

std::atomic<int> g_running{0};
std::atomic<HWND> g_report{nullptr};

// Guards everything below: launch threads queue failures and let go of
// their keys while the user-interface thread reads and starts.
SRWLOCK g_lock = SRWLOCK_INIT;
std::deque<LaunchFailure> g_failures;
// A failure that found no memory to be queued with its target.
bool g_outOfMemory = false;
std::set<std::string> g_runningKeys;

class Locked {
public:
    Locked() { AcquireSRWLockExclusive(&g_lock); }
    ~Locked() { ReleaseSRWLockExclusive(&g_lock); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;
};

// Held by a launch's job for as long as the job exists, so that the key is
// let go whether the job ran, failed or was dropped unrun.
class RunningKey {
public:
    explicit RunningKey(std::string key) : key_(std::move(key)) {}
    ~RunningKey() {
        if (!claimed_) return;
        Locked lock;
        g_runningKeys.erase(key_);
    }
    RunningKey(const RunningKey&) = delete;
    RunningKey& operator=(const RunningKey&) = delete;

    // False when a launch of the same key still runs.
    bool Claim() {
        Locked lock;
        claimed_ = g_runningKeys.insert(key_).second;
        return claimed_;
    }

private:
    std::string key_;
    bool claimed_ = false;
};

struct PendingLaunch {
    LaunchJob job;
    std::string target;
};

DWORD WINAPI LaunchThread(void* parameter) {
    std::unique_ptr<PendingLaunch> launch(static_cast<PendingLaunch*>(parameter));
    // The shell's handlers expect a single-threaded apartment.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    RunLaunchNow(std::move(launch->job), std::move(launch->target));
    launch.reset();
    if (SUCCEEDED(com)) CoUninitialize();
    --g_running;
    return 0;
}

void RunOnThread(LaunchJob job, std::string target) {
    PendingLaunch* launch = new (std::nothrow) PendingLaunch{std::move(job), std::move(target)};
    if (launch == nullptr) {
        // Unevaluated when the allocation fails: `target` is still ours.
        ReportLaunchFailure(target.c_str(), ERROR_NOT_ENOUGH_MEMORY);
        return;
    }
    ++g_running;
    HANDLE thread = CreateThread(nullptr, 0, LaunchThread, launch, 0, nullptr);
    if (thread != nullptr) {
        CloseHandle(thread);
        return;
    }
    // No thread to be had: the launch is not dropped, it runs here.
    --g_running;
    std::unique_ptr<PendingLaunch> owned(launch);
    RunLaunchNow(std::move(owned->job), std::move(owned->target));
}

LaunchRunner g_runner = &RunOnThread;

}  // namespace

LaunchRunner InstallLaunchRunner(LaunchRunner runner) {
    const LaunchRunner previous = g_runner;
    g_runner = runner != nullptr ? runner : &RunOnThread;
    return previous;
}

bool Launch(LaunchJob job, std::string target, const std::string& key) {
    try {
        std::shared_ptr<RunningKey> running;
        if (!key.empty()) {
            running = std::make_shared<RunningKey>(key);
            if (!running->Claim()) return false;
        }
        LaunchJob held = [job = std::move(job), running](std::string& named) { return job(named); };
        g_runner(std::move(held), std::move(target));
        return true;
    } catch (const std::bad_alloc&) {
        ReportLaunchFailure(target.c_str(), ERROR_NOT_ENOUGH_MEMORY);
        return false;
    }
}

void ReportLaunchFailuresTo(HWND window) {
    g_report = window;
    Locked lock;
    g_failures.clear();
    g_outOfMemory = false;
}

void ReportLaunchFailure(const char* target, DWORD error) {
    if (target == nullptr) target = "";
    {
        Locked lock;
        for (const LaunchFailure& waiting : g_failures)
            if (waiting.error == error && waiting.target == target) return;
        try {
            g_failures.push_back(LaunchFailure{target, error});
        } catch (const std::bad_alloc&) {
            if (g_outOfMemory) return;
            g_outOfMemory = true;
        }
    }
    const HWND report = g_report;
    if (report != nullptr) PostMessageA(report, MSG_LAUNCH_FAILED, 0, 0);
}

bool FirstLaunchFailure(LaunchFailure& out) {
    Locked lock;
    if (!g_failures.empty()) {
        out = g_failures.front();
        return true;
    }
    if (!g_outOfMemory) return false;
    out = LaunchFailure{std::string(), ERROR_NOT_ENOUGH_MEMORY};
    return true;
}

void DropFirstLaunchFailure() {
    Locked lock;
    if (!g_failures.empty())
        g_failures.pop_front();
    else
        g_outOfMemory = false;
}

void RunLaunchNow(LaunchJob job, std::string target) {
    DWORD error = ERROR_NOT_ENOUGH_MEMORY;
    try {
        error = job(target);
    } catch (...) {
    }
    // A launch the user cancelled (a prompt of the shell's) needs no word.
    if (error != 0 && error != ERROR_CANCELLED) ReportLaunchFailure(target.c_str(), error);
}

bool WaitForLaunches(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (g_running > 0) {
        if (GetTickCount() - start >= milliseconds) return false;
        Sleep(10);
    }
    return true;
}

}  // namespace shell
}  // namespace tellaro
