// The sign shown while a node is dragged and the entries the drop menu
// offers, decided from the node numbers alone. Portable: no Windows headers.
#pragma once

#include <cstdint>

namespace tellaro {

// Images of the drag cursor list.
namespace drag_cursor {
constexpr int kAllowed = 0;
constexpr int kDenied = 1;
constexpr int kNoNode = 2;
}  // namespace drag_cursor

// The sign for dragging node `source` over node `target`. It is advisory:
// the transfer decides by its own rules at the drop. `sourceHasDirectory`
// tells whether a special folder dragged has a file-system directory to
// copy into the user's tree.
int DragCursorImage(std::int32_t source, std::int32_t target, bool sourceHasDirectory);

// A special folder as drop target is reordered at once, without a menu.
bool DropSkipsMenu(std::int32_t target);

enum class DropItemState : std::uint8_t { Enabled, Grayed, Default };

// The states of the drop menu's four transfer entries.
struct DropMenuPlan {
    DropItemState copyInto = DropItemState::Grayed;   // position 0
    DropItemState moveInto = DropItemState::Grayed;   // position 1
    DropItemState copyBelow = DropItemState::Grayed;  // position 3
    DropItemState moveBelow = DropItemState::Grayed;  // position 4
};

DropMenuPlan PlanDropMenu(std::int32_t source, std::int32_t target, int targetImage);

}  // namespace tellaro
