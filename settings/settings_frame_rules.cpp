#include "settings/settings_frame_rules.h"

#include "res/resource.h"

namespace tellaro {

FrameLayout MeasureFrameLayout(int w, int h, const FrameControls& c) {
    FrameLayout l;
    l.labelLeft = c.label.left;
    l.labelTop = c.label.top;
    l.labelHeight = RectHeight(c.label);
    l.labelGap = w - RectWidth(c.label);
    l.treeLeft = c.tree.left;
    l.treeTop = c.tree.top;
    l.treeGapX = w - RectWidth(c.tree);
    l.treeGapY = h - RectHeight(c.tree);
    l.buttons = MeasureButtonRow(w, h, ButtonRow{c.ok, c.cancel, c.help});
    l.minWidth = l.buttons.minWidth;
    return l;
}

FrameControls PlaceFrameControls(const FrameLayout& l, int w, int h) {
    FrameControls c;
    c.label = RectAt(l.labelLeft, l.labelTop, w - l.labelGap, l.labelHeight);
    c.tree = RectAt(l.treeLeft, l.treeTop, w - l.treeGapX, h - l.treeGapY);
    const ButtonRow row = PlaceButtonRow(l.buttons, w, h);
    c.ok = row.ok;
    c.cancel = row.cancel;
    c.help = row.help;
    return c;
}

void ClampSizingRect(ScreenRect& r, int edge, int minWidth) {
    if (RectHeight(r) < kMinWindowHeight) SetHeightFromDraggedEdge(r, edge, kMinWindowHeight);
    if (RectWidth(r) < minWidth) SetWidthFromDraggedEdge(r, edge, minWidth);
}

ContextMenuPlan PlanContextMenu(NodeKind kind, bool hasChildren) {
    const unsigned ifChildren = hasChildren ? kItemEnabled : kItemGrayed;
    switch (kind) {
        case NodeKind::MenuRoot:
            return {IDM_ROOT_CONTEXT, {}};
        case NodeKind::SpecialRoot:
            // Sort, and delete all children.
            return {IDM_SPECIAL_ROOT_CONTEXT, {{0, ifChildren}, {2, ifChildren}}};
        case NodeKind::UserGroup:
            return {IDM_GROUP_CONTEXT, {{0, ifChildren}, {3, ifChildren}}};
        // Explorer and properties.
        case NodeKind::SpecialFolder:
            return {IDM_FOLDER_CONTEXT, {{0, kItemDefault}, {4, kItemGrayed}}};
        case NodeKind::UserFolder:
            return {IDM_FOLDER_CONTEXT, {{0, kItemDefault}, {4, kItemEnabled}}};
        case NodeKind::UserSeparator:
            return {IDM_FOLDER_CONTEXT, {{0, kItemGrayed}, {4, kItemGrayed}}};
        case NodeKind::None:
            break;
    }
    return {};
}

WindowMenuPlan PlanWindowMenu(NodeKind selected, bool canUndo, bool canRedo) {
    WindowMenuPlan plan;
    plan.undo = canUndo ? kItemEnabled : kItemGrayed;
    plan.redo = canRedo ? kItemEnabled : kItemGrayed;
    const bool none = selected == NodeKind::None;
    const bool special = selected == NodeKind::SpecialFolder;
    const bool fixed = selected == NodeKind::MenuRoot || selected == NodeKind::SpecialRoot;
    plan.create = none || special ? kItemGrayed : kItemEnabled;
    plan.remove = none || fixed ? kItemGrayed : kItemEnabled;
    plan.properties = none || special || fixed ? kItemGrayed : kItemEnabled;
    if (none || special) return plan;
    plan.setCreateItems = true;
    const bool holdsChildren = selected == NodeKind::MenuRoot || selected == NodeKind::UserGroup;
    plan.createInside = holdsChildren ? kItemEnabled : kItemGrayed;
    plan.createBelow = selected == NodeKind::MenuRoot ? kItemGrayed : kItemEnabled;
    return plan;
}

bool OpensFromTree(NodeKind kind) {
    return kind == NodeKind::SpecialFolder || kind == NodeKind::UserFolder;
}

SettingsCommandRoute RouteSettingsCommand(unsigned notifyCode, unsigned id) {
    using C = SettingsCommand;
    struct Row {
        unsigned id;
        SettingsCommand command;
        bool inGroup;
    };
    static const Row kRows[] = {
        {ID_NEW_FOLDER_IN_GROUP, C::NewFolder, true},
        {ID_NEW_FOLDER_BELOW, C::NewFolder, false},
        {ID_NEW_GROUP_IN_GROUP, C::NewGroup, true},
        {ID_NEW_GROUP_BELOW, C::NewGroup, false},
        {ID_NEW_SEPARATOR_IN_GROUP, C::NewSeparator, true},
        {ID_NEW_SEPARATOR_BELOW, C::NewSeparator, false},
        {ID_DELETE_ITEM, C::DeleteSelected, false},
        {ID_PROPERTIES, C::EditProperties, false},
        {ID_SORT_CHILDREN, C::SortChildren, false},
        {ID_DELETE_ALL_CHILDREN, C::DeleteAllChildren, false},
        {ID_RESTORE_INITIAL_STATE, C::RestoreInitialState, false},
        {ID_RESTORE_CHILDREN, C::RestoreChildren, false},
        {ID_EXPLORE, C::OpenSelected, false},
        {ID_DROP_COPY_INTO_GROUP, C::CopyIntoGroup, false},
        {ID_DROP_MOVE_INTO_GROUP, C::MoveIntoGroup, false},
        {ID_DROP_COPY_BELOW, C::CopyBelowTarget, false},
        {ID_DROP_MOVE_BELOW, C::MoveBelowTarget, false},
        {ID_DROP_CANCEL, C::CancelDrop, false},
        {ID_UNDO, C::Undo, false},
        {ID_REDO, C::Redo, false},
    };
    if (notifyCode != 0) return {};
    for (const Row& row : kRows)
        if (row.id == id) return {row.command, row.inGroup};
    return {};
}

}  // namespace tellaro
