// Hands what the user chose to the Windows shell: folders, special folders,
// desktop entries, web and mail links, and the help file. The shell asks the
// user what it needs and reports its own failures; what fails before the
// shell is asked (no browser, no memory) joins the program's queue of launch
// failures (shell/launch_thread.h).
#pragma once

#include <windows.h>
// The shell headers need the types above.
#include <shellapi.h>
#include <shlobj.h>

#include <string>

#include "shell/shell_rules.h"

namespace tellaro {
namespace shell {

// The calls that leave the process. Tests replace them to see what would be
// started, and to fake the keyboard and the shell's version.
using ExecuteExFn = BOOL (*)(SHELLEXECUTEINFOA* info);
using ExecuteFn = HINSTANCE (*)(HWND owner, const char* verb, const char* file,
                                const char* parameters, const char* directory, int show);
using ModifiersFn = ModifierKeys (*)();
using ShellVersionFn = ShellVersion (*)();

struct ShellCalls {
    ExecuteExFn executeEx;
    ExecuteFn execute;
    ModifiersFn modifiers;
    ShellVersionFn shellVersion;
};

ShellCalls DefaultShellCalls();
// Installs `calls` (members left null keep the default) and returns the set
// that was in force.
ShellCalls InstallShellCalls(const ShellCalls& calls);

// Shift and the right mouse button as the keyboard state has them now.
ModifierKeys ModifierState();

// ShellExecuteExA on a file-system path; a null path counts as empty. Not
// started again while the same path with the same verb still runs.
void OpenPath(const char* path, const char* verb);
// ShellExecuteExA on a shell item identifier list; the same list with the
// same verb runs once at a time.
void OpenIdList(LPCITEMIDLIST idList, const char* verb);

// A folder of the user's tree: explored, or opened while a modifier is held.
void OpenUserFolder(const char* path);
// A special folder by CSIDL, verb as for user folders. The Internet folder
// starts the web browser instead. -1 when the folder does not exist here or
// no browser is registered.
int OpenSpecialFolder(int csidl);
// A desktop entry that is not a file: the Internet object starts the browser,
// a folder is explored without modifiers, anything else opened.
void OpenDesktopShellItem(LPCITEMIDLIST idList);
// A desktop file or directory: only a directory without modifiers is
// explored; files, shortcuts included, are opened.
void OpenDesktopPath(const char* path);

// Starts the default web browser, on `url` or (null) on its home page.
// -1 when the registry names no browser.
int OpenInBrowser(const char* url);
// The mail program on a new message to `address`.
void OpenMailLink(const char* address);

// What became of a help request.
enum class HelpResult { Shown, Missing, NoViewer };

// The help beside the program: WinHelpA with `command` and `data` when the
// WinHelp file `helpFileName` lies there, else its HTML user guide of the
// same stem, at the section `topic` (its anchor; "" for the top) when the
// .html handler can be asked for it, else at the top through the shell.
// `guidePage` names the guide's path, for a message to the user when it is
// missing or nothing opens it.
HelpResult ShowHelp(HWND owner, const char* helpFileName, UINT command, ULONG_PTR data,
                    const char* topic, std::string& guidePage);

}  // namespace shell
}  // namespace tellaro
