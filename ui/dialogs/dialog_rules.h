// Where the small dialogs open and what the options dialog accepts.
// Portable: no Windows headers.
#pragma once

#include <cstdint>

namespace tellaro {

struct ScreenPoint {
    int x = 0;
    int y = 0;
};

struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Top-left corner of a dialog opened at the mouse pointer: where it would
// stick out of `area` it is pulled back to 30 pixels inside the edge.
ScreenPoint PlaceAtPointer(ScreenPoint pointer, int width, int height, const ScreenRect& area);

// Top-left corner of a dialog centred in `area`.
ScreenPoint CentreIn(const ScreenRect& area, int width, int height);

inline constexpr int kMaxWaitMs = 500;

// The second-launch wait as typed when it is 0 to 500 ms (an empty box
// reads as 0). Anything else, too large or negative, gives way to the
// up-down control's position, which the control keeps in that range.
std::uint16_t WaitTimeFromInput(int typed, std::uint16_t spinPosition);

}  // namespace tellaro
