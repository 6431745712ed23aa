#include "ui/dialogs/dialog_rules.h"

namespace tellaro {

namespace {

constexpr int kEdgeMargin = 30;

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
    return ScreenPoint{area.left + (area.right - area.left - width) / 2,
                       area.top + (area.bottom - area.top - height) / 2};
}

std::uint16_t WaitTimeFromInput(int typed, std::uint16_t spinPosition) {
    if (typed >= 0 && typed <= kMaxWaitMs) return static_cast<std::uint16_t>(typed);
    return spinPosition <= kMaxWaitMs ? spinPosition : static_cast<std::uint16_t>(kMaxWaitMs);
}

}  // namespace tellaro
