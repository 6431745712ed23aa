// The program's modal moments: a message box, the properties dialog, the
// folder picker, a context menu. Each runs a message loop of its own, and
// through it the tray icon, the hotkey, a second launch or another program's
// WM_CLOSE reach the main window while the code that opened it waits for
// its answer on the stack. The controller asks here whether one runs, and
// then only brings it forward.
//
// Two exits meet these loops. The user's own waits until the last loop has
// ended. One asked for from outside (an installer, an uninstaller, a
// log-off) cannot wait for a user who may not be there: the controller
// ends every loop, and from then on none may start, so that no box follows
// the one just closed and no answer cut short counts as given.
#pragma once

#include <windows.h>

#include <string>

namespace tellaro {

class ModalLoop {
public:
    ModalLoop();
    ~ModalLoop();
    ModalLoop(const ModalLoop&) = delete;
    ModalLoop& operator=(const ModalLoop&) = delete;

    static bool Running();
    // `message` is posted to `window` when the last modal loop has ended,
    // or now when none runs.
    static void PostWhenDone(HWND window, UINT message);
    // An exit from outside has begun: Exiting() holds from now on, and
    // WM_CLOSE is posted to `window` once the running loops have ended.
    static void BeginExit(HWND window);
    // True once BeginExit was called: no modal loop may start, and what a
    // loop that has just returned answered is no answer of the user's.
    static bool Exiting();
    // A new controller starts with no exit under way.
    static void ForgetExit();
};

// MessageBoxA inside a ModalLoop; 0 at once while exiting.
int ModalMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags);

// MessageBoxW inside a ModalLoop, for texts that name files by names the
// ANSI code page cannot hold: `text` and `caption` come from the string
// table (in the ANSI code page), `names` is put in for its "%s" as given.
// 0 at once while exiting.
int ModalMessageBoxWide(HWND owner, const std::string& text, const std::wstring& names,
                        const std::string& caption, UINT flags);

// TrackPopupMenu inside a ModalLoop, for a menu that posts its command;
// shows nothing while exiting.
void ModalTrackPopupMenu(HMENU menu, UINT flags, int x, int y, HWND owner);

}  // namespace tellaro
