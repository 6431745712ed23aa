// Launches off the user-interface thread. Handing a folder to the shell can
// block for tens of seconds (a network share that does not answer); run on
// the thread that owns the tray icon, the hotkey and the menus, that would
// freeze all of them. Each launch runs on a thread of its own, never waited
// for, with COM set up there as the shell needs it; a failure comes back to
// the user-interface thread as a message.
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

// Starts `job` with the runner in force.
void Launch(LaunchJob job, std::string target);

// A launch that failed: posted as MSG_LAUNCH_FAILED with a LaunchFailure*
// in lParam to the window given here, whose handler owns and deletes it.
struct LaunchFailure {
    std::string target;
    DWORD error = 0;
};
void ReportLaunchFailuresTo(HWND window);

// Runs `job` here and now, and reports its failure: what every runner does
// in the end, and the runner of tests that look at each launch at once.
void RunLaunchNow(LaunchJob job, std::string target);

// Until no launch runs or `milliseconds` have passed; true when none runs.
bool WaitForLaunches(DWORD milliseconds);

}  // namespace shell
}  // namespace tellaro
