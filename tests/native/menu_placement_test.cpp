#include <gtest/gtest.h>

#include "menu/popup_placement.h"

namespace tellaro {
namespace {

const MenuRect kScreen{0, 0, 1024, 768};
const MenuPoint kCursor{10, 10};

TEST(MenuPlacement, BesideTheNotificationAreaOnEachTaskBarEdge) {
    struct Case {
        const char* edge;
        MenuRect tray;
        MenuPoint anchor;
        unsigned flags;
    };
    const Case cases[] = {
        {"bottom", {900, 740, 1020, 766}, {896, 736}, kAlignRight | kAlignBottom},
        {"top", {900, 2, 1020, 28}, {900, 32}, kAlignRight | kAlignTop},
        {"left", {2, 600, 60, 700}, {64, 596}, kAlignLeft | kAlignBottom},
        {"right", {990, 600, 1022, 760}, {986, 596}, kAlignRight | kAlignBottom},
        // Both edges near the corner: the top test wins.
        {"top-left", {2, 2, 40, 30}, {2, 34}, kAlignLeft | kAlignTop},
    };
    for (const Case& c : cases) {
        const PopupPlacement p = PlacePopup(true, c.tray, kCursor, kScreen);
        EXPECT_EQ(p.anchor.x, c.anchor.x) << c.edge;
        EXPECT_EQ(p.anchor.y, c.anchor.y) << c.edge;
        EXPECT_EQ(p.flags, c.flags) << c.edge;
    }
}

TEST(MenuPlacement, EdgeThresholdIsStrictlyBelowFifty) {
    // A tray 50 pixels down is not at the top; 50 from the left is not left.
    PopupPlacement p = PlacePopup(true, MenuRect{50, 50, 120, 80}, kCursor, kScreen);
    EXPECT_EQ(p.anchor.x, 46);
    EXPECT_EQ(p.anchor.y, 46);
    p = PlacePopup(true, MenuRect{49, 50, 120, 80}, kCursor, kScreen);
    EXPECT_EQ(p.anchor.x, 124);
    p = PlacePopup(true, MenuRect{50, 49, 120, 80}, kCursor, kScreen);
    EXPECT_EQ(p.anchor.x, 50);
    EXPECT_EQ(p.anchor.y, 84);
}

TEST(MenuPlacement, CursorWhenNotNearTrayOrTrayNotFound) {
    const MenuRect tray{900, 740, 1020, 766};
    const MenuPoint cursor{300, 500};
    for (bool nearTray : {false, true}) {
        const std::optional<MenuRect> found =
            nearTray ? std::nullopt : std::optional<MenuRect>(tray);
        const PopupPlacement p = PlacePopup(nearTray, found, cursor, kScreen);
        EXPECT_EQ(p.anchor.x, 300);
        EXPECT_EQ(p.anchor.y, 500);
        EXPECT_EQ(p.flags, kAlignLeft | kAlignBottom);
    }
}

TEST(MenuPlacement, CentreComparisonsAreStrict) {
    EXPECT_EQ(PlacePopup(false, std::nullopt, MenuPoint{512, 384}, kScreen).flags,
              kAlignLeft | kAlignTop);
    EXPECT_EQ(PlacePopup(false, std::nullopt, MenuPoint{513, 385}, kScreen).flags,
              kAlignRight | kAlignBottom);
    // Odd sizes halve by integer division: 1023 / 2 = 511.
    const MenuRect odd{0, 0, 1023, 767};
    EXPECT_EQ(PlacePopup(false, std::nullopt, MenuPoint{512, 383}, odd).flags,
              kAlignRight | kAlignTop);
    EXPECT_EQ(PlacePopup(false, std::nullopt, MenuPoint{511, 384}, odd).flags,
              kAlignLeft | kAlignBottom);
}

// Every rule holds within the monitor the user works on, wherever it lies
// on the virtual screen: a second monitor right of the primary one, and one
// left of and above it in negative coordinates.
TEST(MenuPlacement, RulesHoldOnEveryMonitor) {
    const MenuRect right{1024, 0, 2048, 768}, left{-1280, -200, 0, 824};
    struct Case {
        MenuRect monitor;
        MenuPoint pointer;
        unsigned flags;      // the popup menu's
        ScreenPoint window;  // a 300 x 400 window opened at the pointer
    };
    const Case cases[] = {
        {right, {1100, 100}, kAlignLeft | kAlignTop, {1100, 100}},
        {right, {2000, 700}, kAlignRight | kAlignBottom, {1718, 338}},
        {right, {1536, 384}, kAlignLeft | kAlignTop, {1536, 338}},
        {left, {-1200, -150}, kAlignLeft | kAlignTop, {-1200, -150}},
        {left, {-100, 800}, kAlignRight | kAlignBottom, {-330, 394}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PlacePopup(false, std::nullopt, c.pointer, c.monitor).flags, c.flags)
            << c.pointer.x << "," << c.pointer.y;
        const ScreenPoint at = PlaceAtPointer(c.pointer, 300, 400, c.monitor);
        EXPECT_EQ(at.x, c.window.x) << c.pointer.x;
        EXPECT_EQ(at.y, c.window.y) << c.pointer.y;
    }
    EXPECT_EQ(CentreIn(left, 300, 200).x, -790);
    EXPECT_EQ(CentreIn(left, 300, 200).y, 212);
}

}  // namespace
}  // namespace tellaro
