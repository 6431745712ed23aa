#include "settings/settings_frame_rules.h"

#include <gtest/gtest.h>

#include "res/resource.h"

namespace tellaro {
namespace {

bool Same(const ScreenRect& a, const ScreenRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(SettingsFrame, ResizingStretchesTreeAndKeepsButtonsBottomRight) {
    const FrameControls made{{6, 6, 324, 18},
                             {6, 24, 324, 340},
                             {84, 348, 159, 369},
                             {165, 348, 240, 369},
                             {249, 348, 324, 369}};
    const FrameLayout l = MeasureFrameLayout(330, 375, made);
    const FrameControls same = PlaceFrameControls(l, 330, 375);
    EXPECT_TRUE(Same(same.tree, made.tree) && Same(same.help, made.help) &&
                Same(same.label, made.label));
    const FrameControls grown = PlaceFrameControls(l, 430, 475);
    EXPECT_TRUE(Same(grown.tree, {6, 24, 424, 440}));
    EXPECT_TRUE(Same(grown.cancel, {265, 448, 340, 469}));
    EXPECT_EQ(l.minWidth, 165 + 75 + 20);
}

TEST(SettingsFrame, SizingKeepsTheOppositeEdgeAndNeverGoesBelowTheMinimum) {
    ScreenRect r{100, 100, 150, 200};  // 50 x 100, both too small
    ClampSizingRect(r, 4 /*top-left*/, 260);
    EXPECT_TRUE(Same(r, {150 - 260, 200 - 250, 150, 200}));
    r = {100, 100, 150, 200};
    ClampSizingRect(r, 6 /*bottom*/, 260);
    EXPECT_TRUE(Same(r, {100, 100, 360, 350}));
}

TEST(SettingsFrame, ContextMenuAndItemStatesByNodeKind) {
    using V = std::vector<ItemState>;
    EXPECT_EQ(PlanContextMenu(NodeKind::UserGroup, false).menuId, IDM_GROUP_CONTEXT);
    EXPECT_EQ(PlanContextMenu(NodeKind::UserGroup, false).states,
              (V{{0, kItemGrayed}, {3, kItemGrayed}}));
    EXPECT_EQ(PlanContextMenu(NodeKind::SpecialRoot, true).states,
              (V{{0, kItemEnabled}, {2, kItemEnabled}}));
    EXPECT_EQ(PlanContextMenu(NodeKind::SpecialFolder, false).states,
              (V{{0, kItemDefault}, {4, kItemGrayed}}));
    EXPECT_EQ(PlanContextMenu(NodeKind::UserSeparator, false).menuId, IDM_FOLDER_CONTEXT);
    EXPECT_EQ(PlanContextMenu(NodeKind::None, true).menuId, 0);
}

TEST(SettingsFrame, WindowMenuFollowsTheSelectionAndTheHistory) {
    const WindowMenuPlan root = PlanWindowMenu(NodeKind::MenuRoot, false, true);
    EXPECT_EQ(root.create, kItemEnabled);
    EXPECT_EQ(root.remove, kItemGrayed);
    EXPECT_EQ(root.properties, kItemGrayed);
    EXPECT_TRUE(root.setCreateItems);
    EXPECT_EQ(root.createInside, kItemEnabled);
    EXPECT_EQ(root.createBelow, kItemGrayed);
    EXPECT_EQ(root.undo, kItemGrayed);
    EXPECT_EQ(root.redo, kItemEnabled);

    // Undo and redo do not depend on the selection, even where the plan
    // leaves the create items alone.
    const WindowMenuPlan special = PlanWindowMenu(NodeKind::SpecialFolder, true, false);
    EXPECT_EQ(special.create, kItemGrayed);
    EXPECT_EQ(special.remove, kItemEnabled);
    EXPECT_EQ(special.properties, kItemGrayed);
    EXPECT_FALSE(special.setCreateItems);
    EXPECT_EQ(special.undo, kItemEnabled);
    EXPECT_EQ(special.redo, kItemGrayed);

    const WindowMenuPlan folder = PlanWindowMenu(NodeKind::UserFolder, false, false);
    EXPECT_EQ(folder.properties, kItemEnabled);
    EXPECT_EQ(folder.createInside, kItemGrayed);
    EXPECT_EQ(folder.createBelow, kItemEnabled);
    EXPECT_EQ(PlanWindowMenu(NodeKind::None, false, false).remove, kItemGrayed);
    EXPECT_EQ(PlanWindowMenu(NodeKind::None, true, true).undo, kItemEnabled);
}

}  // namespace
}  // namespace tellaro
