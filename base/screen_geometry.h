// Rectangles on the screen and the placement and sizing rules that every
// window of the program shares. Portable: no Windows headers.
#pragma once

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

inline int RectWidth(const ScreenRect& r) { return r.right - r.left; }
inline int RectHeight(const ScreenRect& r) { return r.bottom - r.top; }
inline ScreenRect RectAt(int left, int top, int width, int height) {
    return ScreenRect{left, top, left + width, top + height};
}

// Top-left corner of a window opened at the mouse pointer: where it would
// stick out of `area` it is pulled back to 30 pixels inside the edge.
ScreenPoint PlaceAtPointer(ScreenPoint pointer, int width, int height, const ScreenRect& area);

// Top-left corner of a window centred in `area`.
ScreenPoint CentreIn(const ScreenRect& area, int width, int height);

// A monitor's whole rectangle and its work area (without the task bar and
// docked bars).
struct MonitorAreas {
    ScreenRect monitor;
    ScreenRect work;
};

// Top-left corner of a window that opens at the pointer but belongs on
// `on`, the monitor of the window it was opened from: a command given from
// the keyboard leaves the pointer wherever it was, maybe on another
// monitor. At the pointer (kept in the work area) when the pointer is on
// that monitor, its task bar included; centred in its work area otherwise.
ScreenPoint PlaceAtPointerWithin(ScreenPoint pointer, int width, int height,
                                 const MonitorAreas& on);

// WM_SIZING helpers: give the proposed outer rectangle this height (or
// width) by moving the edge the user drags (a WMSZ_ code), so the opposite
// edge stays where it is.
void SetHeightFromDraggedEdge(ScreenRect& rect, int edge, int height);
void SetWidthFromDraggedEdge(ScreenRect& rect, int edge, int width);

// OK, Cancel and Help in one row anchored to the bottom-right corner of a
// resizable dialog, measured once from the template in client pixels.
struct ButtonRowLayout {
    int okGapX = 0, okGapY = 0;  // client width and height minus OK's left and top
    int width = 0, height = 0;   // of each button
    int cancelOffset = 0, helpOffset = 0;  // from OK's left
    // The narrowest width that keeps the row in view (at most the measured
    // client width).
    int minWidth = 0;
};

struct ButtonRow {
    ScreenRect ok, cancel, help;
};

ButtonRowLayout MeasureButtonRow(int clientWidth, int clientHeight, const ButtonRow& row);
ButtonRow PlaceButtonRow(const ButtonRowLayout& layout, int clientWidth, int clientHeight);

}  // namespace tellaro
