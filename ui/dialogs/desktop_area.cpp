#include "ui/dialogs/desktop_area.h"

#include <windows.h>

#include "config/system_info.h"

namespace tellaro {

ScreenRect DialogArea() {
    RECT r = {};
    bool found = SystemInfo().DesktopViewRect(&r) == 0 && r.right > r.left && r.bottom > r.top;
    if (!found) found = SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0) && r.right > r.left;
    if (!found) r = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return ScreenRect{r.left, r.top, r.right, r.bottom};
}

}  // namespace tellaro
