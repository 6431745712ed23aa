// The program's modal moments: a message box, the properties dialog, the
// folder picker, a context menu. Each runs a message loop of its own, and
// through it the tray icon, the hotkey, a second launch or another program's
// WM_CLOSE reach the main window while the code that opened it waits for
// its answer on the stack. The controller asks here whether one runs, and
// then only brings it forward; an exit waits until the last one has ended.
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
    // WM_CLOSE is posted to `window` when the last modal loop has ended.
    static void CloseWhenDone(HWND window);
};

// MessageBoxA inside a ModalLoop.
int ModalMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags);

// MessageBoxW inside a ModalLoop, for texts that name files by names the
// ANSI code page cannot hold: `text` and `caption` come from the string
// table (in the ANSI code page), `names` is put in for its "%s" as given.
int ModalMessageBoxWide(HWND owner, const std::string& text, const std::wstring& names,
                        const std::string& caption, UINT flags);

}  // namespace tellaro
