#include "ui/dialogs/dialog_rules.h"

#include <gtest/gtest.h>

namespace tellaro {
namespace {

const ScreenRect kDesk{0, 0, 1024, 768};

TEST(DialogPlacement, OpensAtThePointerUnlessItWouldStickOut) {
    const ScreenPoint roomy = PlaceAtPointer({100, 50}, 300, 400, kDesk);
    EXPECT_EQ(roomy.x, 100);
    EXPECT_EQ(roomy.y, 50);
    // The pointer in the bottom-right corner: that corner of the dialog
    // ends 30 pixels inside.
    const ScreenPoint corner = PlaceAtPointer({1023, 767}, 300, 400, kDesk);
    EXPECT_EQ(corner.x + 300, 1024 - 30);
    EXPECT_EQ(corner.y + 400, 768 - 30);
    // Taller than the desktop: the top edge wins.
    EXPECT_EQ(PlaceAtPointer({10, 10}, 300, 900, kDesk).y, 30);
    // Left of an area that does not start at the origin.
    EXPECT_EQ(PlaceAtPointer({-40, 10}, 100, 100, ScreenRect{200, 0, 1224, 768}).x, 230);
}

TEST(DialogPlacement, CentresInTheAreaWhereverItLies) {
    const ScreenPoint centred = CentreIn(kDesk, 300, 201);
    EXPECT_EQ(centred.x, 362);
    EXPECT_EQ(centred.y, 283);
    EXPECT_EQ(CentreIn(ScreenRect{200, 0, 1224, 768}, 300, 200).x, 562);
}

// Opened from the keyboard, the pointer may be on another monitor than the
// window the dialog was opened from: the dialog stays on that window's.
TEST(DialogPlacement, StaysOnTheOpenersMonitorWhereverThePointerIs) {
    // A task bar 40 pixels high along the bottom of the second monitor.
    const MonitorAreas second{{1024, 0, 2048, 768}, {1024, 0, 2048, 728}};
    const ScreenPoint atPointer = PlaceAtPointerWithin({1100, 50}, 300, 400, second);
    EXPECT_EQ(atPointer.x, 1100);
    EXPECT_EQ(atPointer.y, 50);
    const ScreenPoint centred = PlaceAtPointerWithin({100, 50}, 300, 400, second);
    EXPECT_EQ(centred.x, 1024 + 362);
    EXPECT_EQ(centred.y, 164);
    // The pointer on the task bar is on the monitor: pulled into the work
    // area, as a window opened at the pointer always was.
    const ScreenPoint fromTaskBar = PlaceAtPointerWithin({2000, 750}, 300, 400, second);
    EXPECT_EQ(fromTaskBar.x, 2048 - 30 - 300);
    EXPECT_EQ(fromTaskBar.y, 728 - 30 - 400);
    // The monitor's right edge belongs to the next one.
    EXPECT_EQ(PlaceAtPointerWithin({2048, 50}, 300, 400, second).x, 1024 + 362);
}

TEST(WaitTime, OnlyZeroToFiveHundredAsTypedOtherwiseTheSpinPosition) {
    EXPECT_EQ(WaitTimeFromInput(0, 120), 0);
    EXPECT_EQ(WaitTimeFromInput(500, 120), 500);
    EXPECT_EQ(WaitTimeFromInput(501, 120), 120);
    EXPECT_EQ(WaitTimeFromInput(750, 120), 120);
    EXPECT_EQ(WaitTimeFromInput(-1, 120), 120);
    EXPECT_EQ(WaitTimeFromInput(65636, 120), 120) << "not cut to 16 bits (which gives 100)";
    EXPECT_EQ(WaitTimeFromInput(900, 600), 500) << "a position outside the range is capped";
}

}  // namespace
}  // namespace tellaro
