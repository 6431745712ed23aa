// Launches off the user-interface thread. Handing a folder to the shell can
// block for tens of seconds (a network share that does not answer); run on
// the thread that owns the tray icon, the hotkey and the menus, that would
// freeze all of them. Each launch runs on a thread of its own, with COM set
// up there as the shell needs it. A failure is kept in a queue of the
// program's and the user-interface thread is told, with a message that
// carries no data: any program can post that message, so it must not be
// able to pass anything in it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace tellaro {
namespace shell {

// The work of one launch: 0, or the error it failed with. A job that can
// name what failed better than its caller could sets `target`; it does that
// on the launch's thread and only after a failure.
using LaunchJob = std::function<DWORD(std::string& target)>;
// Runs `job`; `target` names what was opened, for the failure message.
using LaunchRunner = void (*)(LaunchJob job, std::string target);

// Installs `runner` (null: the default, a thread per launch) and returns the
// one that was in force. Tests run launches at once, or slowly.
LaunchRunner InstallLaunchRunner(LaunchRunner runner);

// Starts `job` with the runner in force. A launch whose `key` (what it opens
// and how; empty: no key) is still running is not started again: a share
// that does not answer would otherwise gather a thread, and later a failure,
// per click. False when nothing was started; a launch dropped for want of
// memory is reported as a failure. Never throws.
bool Launch(LaunchJob job, std::string target, const std::string& key);

// A launch that failed, as the queue keeps it.
struct LaunchFailure {
    std::string target;
    DWORD error = 0;
};
// `window` (null: nobody) gets MSG_LAUNCH_FAILED, wParam and lParam 0,
// whenever a failure joins the queue, which starts empty.
void ReportLaunchFailuresTo(HWND window);
// Queues a failure (null `target`: none named); one of the same target and
// error already waiting is not queued again, so a run of them is reported
// once. Never throws: without memory for the target, an out-of-memory
// failure without one is kept.
void ReportLaunchFailure(const char* target, DWORD error);
// The oldest failure waiting, left in the queue: while its message is on
// screen, the same failure again joins it. False when none waits. Throws
// only std::bad_alloc.
bool FirstLaunchFailure(LaunchFailure& out);
// Removes the oldest failure, once the user has seen it.
void DropFirstLaunchFailure();

// Runs `job` here and now, and reports its failure: what every runner does
// in the end, and the runner of tests that look at each launch at once.
void RunLaunchNow(LaunchJob job, std::string target);

// Until no launch runs or `milliseconds` have passed; true when none runs.
bool WaitForLaunches(DWORD milliseconds);

}  // namespace shell
}  // namespace tellaro
