// The settings window's frame decisions as plain data: where its controls go
// when it is resized, how far it may shrink, where it opens, which context
// menu a node gets with which item states, how the window menu is enabled
// and which operation a command id runs. Portable: no Windows headers.
#pragma once

#include <cstdint>
#include <vector>

#include "base/screen_geometry.h"
#include "settings/settings_tree.h"

namespace tellaro {

// ---- Layout and sizing

// Offsets measured once from the dialog template, so that resizing keeps
// the label and tree stretched and the buttons anchored bottom-right.
struct FrameLayout {
    int labelLeft = 0, labelTop = 0, labelHeight = 0, labelGap = 0;
    int treeLeft = 0, treeTop = 0, treeGapX = 0, treeGapY = 0;
    ButtonRowLayout buttons;
    int minWidth = 0;
};

struct FrameControls {
    ScreenRect label, tree, ok, cancel, help;
};

// From the client size and the controls' client rectangles as created.
FrameLayout MeasureFrameLayout(int clientWidth, int clientHeight, const FrameControls& controls);
FrameControls PlaceFrameControls(const FrameLayout& layout, int clientWidth, int clientHeight);

constexpr int kMinWindowHeight = 250;

// WM_SIZING: keeps the proposed outer rectangle at least kMinWindowHeight
// high and minWidth wide, moving the edge being dragged (WMSZ_ codes).
void ClampSizingRect(ScreenRect& rect, int edge, int minWidth);

// ---- Menus

// MENUITEMINFO state values.
constexpr unsigned kItemEnabled = 0x0000;
constexpr unsigned kItemGrayed = 0x0003;   // MFS_GRAYED
constexpr unsigned kItemDefault = 0x1000;  // MFS_DEFAULT

struct ItemState {
    int position;
    unsigned state;
    bool operator==(const ItemState& o) const { return position == o.position && state == o.state; }
};

struct ContextMenuPlan {
    int menuId = 0;  // 0: no menu for this node
    std::vector<ItemState> states;
};

// The context menu of a node and the states of its first submenu's items.
ContextMenuPlan PlanContextMenu(NodeKind kind, bool hasChildren);

// The window menu's "folder settings" submenu for the selected node
// (NodeKind::None when nothing is selected).
struct WindowMenuPlan {
    unsigned create = kItemEnabled;      // position 0
    unsigned remove = kItemEnabled;      // position 2
    unsigned properties = kItemEnabled;  // position 3
    unsigned undo = kItemGrayed;         // position 5
    unsigned redo = kItemGrayed;         // position 6
    // Whether the create-inside and create-below items of the three
    // "new" submenus are set; when not, they keep their states.
    bool setCreateItems = false;
    unsigned createInside = kItemEnabled;
    unsigned createBelow = kItemEnabled;
};

WindowMenuPlan PlanWindowMenu(NodeKind selected, bool canUndo, bool canRedo);

// Double-click and "Explorer" open only folders.
bool OpensFromTree(NodeKind kind);

// ---- Commands of the window

enum class SettingsCommand {
    None,  // not the window's: the controller's, or unknown
    NewFolder,
    NewGroup,
    NewSeparator,
    DeleteSelected,
    EditProperties,
    SortChildren,
    DeleteAllChildren,
    RestoreInitialState,
    RestoreChildren,
    OpenSelected,
    CopyIntoGroup,
    MoveIntoGroup,
    CopyBelowTarget,
    MoveBelowTarget,
    CancelDrop,
    Undo,
    Redo,
};

struct SettingsCommandRoute {
    SettingsCommand command = SettingsCommand::None;
    bool inGroup = false;  // for the three creating commands
};

// WM_COMMAND's notification code and id; notifications of controls are not
// commands.
SettingsCommandRoute RouteSettingsCommand(unsigned notifyCode, unsigned id);

}  // namespace tellaro
