#include "base/screen_geometry.h"

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

}  // namespace tellaro
