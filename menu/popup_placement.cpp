#include "menu/popup_placement.h"

namespace tellaro {

namespace {

MenuPoint BesideTray(const MenuRect& r) {
    if (r.top < kTaskBarEdgeDistance) return MenuPoint{r.left, r.bottom + kTrayGap};
    const int x = r.left < kTaskBarEdgeDistance ? r.right + kTrayGap : r.left - kTrayGap;
    return MenuPoint{x, r.top - kTrayGap};
}

}  // namespace

MenuPoint PopupAnchor(bool nearTray, const std::optional<MenuRect>& notifyRect, MenuPoint cursor) {
    return nearTray && notifyRect ? BesideTray(*notifyRect) : cursor;
}

PopupPlacement PlacePopup(bool nearTray, const std::optional<MenuRect>& notifyRect,
                          MenuPoint cursor, const MenuRect& monitor) {
    PopupPlacement p;
    p.anchor = PopupAnchor(nearTray, notifyRect, cursor);
    // Strict comparisons: a point exactly on the centre line unfolds right
    // and down. The centre is the monitor's own, wherever it lies on the
    // virtual screen; for the primary monitor that is right / 2.
    p.flags = (p.anchor.x > (monitor.left + monitor.right) / 2 ? kAlignRight : kAlignLeft) |
              (p.anchor.y > (monitor.top + monitor.bottom) / 2 ? kAlignBottom : kAlignTop);
    return p;
}

}  // namespace tellaro
