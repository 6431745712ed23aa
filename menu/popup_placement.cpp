#include "menu/popup_placement.h"

namespace tellaro {

namespace {

MenuPoint BesideTray(const MenuRect& r) {
    if (r.top < kTaskBarEdgeDistance) return MenuPoint{r.left, r.bottom + kTrayGap};
    const int x = r.left < kTaskBarEdgeDistance ? r.right + kTrayGap : r.left - kTrayGap;
    return MenuPoint{x, r.top - kTrayGap};
}

}  // namespace

PopupPlacement PlacePopup(bool nearTray, const std::optional<MenuRect>& notifyRect,
                          MenuPoint cursor, const MenuRect& screen) {
    PopupPlacement p;
    p.anchor = nearTray && notifyRect ? BesideTray(*notifyRect) : cursor;
    // Strict comparisons: a point exactly on the centre line unfolds right
    // and down.
    p.flags = (p.anchor.x > screen.right / 2 ? kAlignRight : kAlignLeft) |
              (p.anchor.y > screen.bottom / 2 ? kAlignBottom : kAlignTop);
    return p;
}

}  // namespace tellaro
