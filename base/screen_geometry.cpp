#include "base/screen_geometry.h"

#include <algorithm>

namespace tellaro {

namespace {

constexpr int kEdgeMargin = 30;

// WMSZ_ codes of the edges and corners that move the left or top side.
constexpr int kEdgeLeft = 1;
constexpr int kEdgeTop = 3;
constexpr int kEdgeTopLeft = 4;
constexpr int kEdgeTopRight = 5;
constexpr int kEdgeBottomLeft = 7;

int PullInside(int position, int size, int low, int high) {
    if (high < position + size) position = high - size - kEdgeMargin;
    if (low > position) position = low + kEdgeMargin;
    return position;
}

}  // namespace

ScreenPoint PlaceAtPointer(ScreenPoint pointer, int width, int height, const ScreenRect& area) {
    return ScreenPoint{PullInside(pointer.x, width, area.left, area.right),
                       PullInside(pointer.y, height, area.top, area.bottom)};
}

ScreenPoint CentreIn(const ScreenRect& area, int width, int height) {
    return ScreenPoint{area.left + (RectWidth(area) - width) / 2,
                       area.top + (RectHeight(area) - height) / 2};
}

ScreenPoint PlaceAtPointerWithin(ScreenPoint pointer, int width, int height,
                                 const MonitorAreas& on) {
    const ScreenRect& m = on.monitor;
    const bool onIt =
        pointer.x >= m.left && pointer.x < m.right && pointer.y >= m.top && pointer.y < m.bottom;
    return onIt ? PlaceAtPointer(pointer, width, height, on.work)
                : CentreIn(on.work, width, height);
}

void SetHeightFromDraggedEdge(ScreenRect& r, int edge, int height) {
    if (edge == kEdgeTop || edge == kEdgeTopLeft || edge == kEdgeTopRight)
        r.top = r.bottom - height;
    else
        r.bottom = r.top + height;
}

void SetWidthFromDraggedEdge(ScreenRect& r, int edge, int width) {
    if (edge == kEdgeLeft || edge == kEdgeTopLeft || edge == kEdgeBottomLeft)
        r.left = r.right - width;
    else
        r.right = r.left + width;
}

ButtonRowLayout MeasureButtonRow(int w, int h, const ButtonRow& row) {
    ButtonRowLayout l;
    l.okGapX = w - row.ok.left;
    l.okGapY = h - row.ok.top;
    l.width = RectWidth(row.ok);
    l.height = RectHeight(row.ok);
    l.cancelOffset = row.cancel.left - row.ok.left;
    l.helpOffset = row.help.left - row.ok.left;
    l.minWidth = std::min(l.helpOffset + l.width + 20, w);
    return l;
}

ButtonRow PlaceButtonRow(const ButtonRowLayout& l, int w, int h) {
    const int x = w - l.okGapX;
    const int y = h - l.okGapY;
    return ButtonRow{RectAt(x, y, l.width, l.height),
                     RectAt(x + l.cancelOffset, y, l.width, l.height),
                     RectAt(x + l.helpOffset, y, l.width, l.height)};
}

}  // namespace tellaro
