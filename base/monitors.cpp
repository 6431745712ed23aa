#include "base/monitors.h"

namespace tellaro {

namespace {

// Without monitor information (it cannot fail on the systems the program
// runs on, but a rectangle is always owed) the primary screen serves.
MONITORINFO MonitorInfo(HMONITOR monitor) {
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (monitor == nullptr || !GetMonitorInfoA(monitor, &info)) {
        info.rcMonitor = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &info.rcWork, 0))
            info.rcWork = info.rcMonitor;
    }
    return info;
}

MONITORINFO MonitorAt(ScreenPoint point) {
    return MonitorInfo(MonitorFromPoint(POINT{point.x, point.y}, MONITOR_DEFAULTTONEAREST));
}

}  // namespace

ScreenPoint PointerPosition() {
    POINT p = {};
    GetCursorPos(&p);
    return ScreenPoint{p.x, p.y};
}

ScreenRect MonitorRectAt(ScreenPoint point) {
    return ToScreenRect(MonitorAt(point).rcMonitor);
}

ScreenRect WorkAreaAt(ScreenPoint point) {
    return ToScreenRect(MonitorAt(point).rcWork);
}

MonitorAreas MonitorForOwner(HWND owner) {
    const MONITORINFO info = owner == nullptr || !IsWindowVisible(owner) || IsIconic(owner)
                                 ? MonitorAt(PointerPosition())
                                 : MonitorInfo(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST));
    return MonitorAreas{ToScreenRect(info.rcMonitor), ToScreenRect(info.rcWork)};
}

}  // namespace tellaro
