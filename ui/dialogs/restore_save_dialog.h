// The small modal dialog that lists the kept saves and lets the user pick
// the one to go back to.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tellaro {

struct RestoreEntry {
    std::string text;  // in the ANSI code page, as the list shows it
    bool readable = true;
};

// The index of the entry chosen with OK (or a double-click), or -1 after
// Cancel, an exit from outside, or when the dialog cannot be shown. An
// entry that cannot be read is refused with a message, and the dialog
// stays for another choice.
int ChooseKeptSave(HWND owner, const std::vector<RestoreEntry>& entries);

}  // namespace tellaro
