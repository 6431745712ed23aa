// The record in which every message of every dialog of the program travels
// through the dialog message chain.
#pragma once

#include <windows.h>

namespace tellaro {

struct DialogMessage {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    // What the dialog procedure returns: 0 lets the default processing run,
    // 1 marks the message handled, a brush answers a colour request.
    INT_PTR result;
};

}  // namespace tellaro
