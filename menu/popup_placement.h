// Where a popup menu opens and which way it unfolds. Portable: the caller
// gathers the rectangles from the window system and passes them in.
#pragma once

#include <optional>

#include "base/screen_geometry.h"

namespace tellaro {

using MenuPoint = ScreenPoint;
using MenuRect = ScreenRect;

// The TrackPopupMenu alignment flags this program uses.
constexpr unsigned kAlignLeft = 0x0000;    // TPM_LEFTALIGN
constexpr unsigned kAlignRight = 0x0008;   // TPM_RIGHTALIGN
constexpr unsigned kAlignTop = 0x0000;     // TPM_TOPALIGN
constexpr unsigned kAlignBottom = 0x0020;  // TPM_BOTTOMALIGN

struct PopupPlacement {
    MenuPoint anchor;
    unsigned flags = 0;
};

// An edge of the notification area closer than this to the screen's top or
// left edge means the task bar sits there.
constexpr int kTaskBarEdgeDistance = 50;
// Gap between the notification area and the menu.
constexpr int kTrayGap = 4;

// Where the menu opens: beside the notification area `notifyRect` when it
// was found and the menu is wanted near the tray, else at the cursor.
MenuPoint PopupAnchor(bool nearTray, const std::optional<MenuRect>& notifyRect, MenuPoint cursor);

// The menu at PopupAnchor, unfolding towards the centre of `monitor`, the
// rectangle of the monitor the anchor lies on.
PopupPlacement PlacePopup(bool nearTray, const std::optional<MenuRect>& notifyRect,
                          MenuPoint cursor, const MenuRect& monitor);

}  // namespace tellaro
