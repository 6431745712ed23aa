#include "shell/launch_thread.h"

#include <objbase.h>

#include <atomic>
#include <memory>
#include <new>

#include "res/resource.h"

namespace tellaro {
namespace shell {

namespace {

std::atomic<int> g_running{0};
std::atomic<HWND> g_report{nullptr};

struct PendingLaunch {
    LaunchJob job;
    std::string target;
};

DWORD WINAPI LaunchThread(void* parameter) {
    std::unique_ptr<PendingLaunch> launch(static_cast<PendingLaunch*>(parameter));
    // The shell's handlers expect a single-threaded apartment.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    RunLaunchNow(std::move(launch->job), std::move(launch->target));
    if (SUCCEEDED(com)) CoUninitialize();
    launch.reset();
    --g_running;
    return 0;
}

void RunOnThread(LaunchJob job, std::string target) {
    PendingLaunch* launch = new (std::nothrow) PendingLaunch{std::move(job), std::move(target)};
    if (launch == nullptr) return;
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

void Launch(LaunchJob job, std::string target) {
    g_runner(std::move(job), std::move(target));
}

void ReportLaunchFailuresTo(HWND window) {
    g_report = window;
}

void RunLaunchNow(LaunchJob job, std::string target) {
    DWORD error = ERROR_NOT_ENOUGH_MEMORY;
    try {
        error = job(target);
    } catch (...) {
    }
    // A launch the user cancelled (a prompt of the shell's) needs no word.
    const HWND report = g_report;
    if (error == 0 || error == ERROR_CANCELLED || report == nullptr) return;
    auto* failure = new (std::nothrow) LaunchFailure{std::move(target), error};
    if (failure != nullptr &&
        !PostMessageA(report, MSG_LAUNCH_FAILED, 0, reinterpret_cast<LPARAM>(failure)))
        delete failure;
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
