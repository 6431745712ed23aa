// The monitor the user is working on. Windows open where the pointer is,
// on whichever monitor that is, not on the primary one.
#pragma once

#include <windows.h>

#include "base/screen_geometry.h"

namespace tellaro {

inline ScreenRect ToScreenRect(const RECT& r) {
    return ScreenRect{r.left, r.top, r.right, r.bottom};
}

// The mouse pointer's position on the virtual screen.
ScreenPoint PointerPosition();

// The monitor at `point`, or the nearest one: its whole rectangle, and its
// work area (without the task bar and docked bars).
ScreenRect MonitorRectAt(ScreenPoint point);
ScreenRect WorkAreaAt(ScreenPoint point);

// The monitor a window opened from `owner` belongs on: the owner's while
// the owner is on screen (shown and not minimised), else the pointer's,
// which is where the user's attention is.
MonitorAreas MonitorForOwner(HWND owner);
inline ScreenRect WorkAreaForOwner(HWND owner) {
    return MonitorForOwner(owner).work;
}

}  // namespace tellaro
