#include "settings/drag_rules.h"

#include "config/folder_model.h"
#include "settings/settings_tree.h"

namespace tellaro {

namespace nn = node_number;

namespace {

// Whether entry `source` of a special list may be copied into the user's
// tree; a number beyond the list's table has nothing to copy.
bool Copyable(std::int32_t source, std::int32_t first, std::size_t count, bool hasDirectory) {
    const std::int32_t j = source - first;
    return j >= 0 && static_cast<std::size_t>(j) < count && hasDirectory;
}

int Sign(bool allowed) {
    return allowed ? drag_cursor::kAllowed : drag_cursor::kDenied;
}

}  // namespace

int DragCursorImage(std::int32_t s, std::int32_t t, bool sourceHasDirectory) {
    const bool toList1 = t >= nn::kSpecial1Base && t < nn::kSpecial2Base;
    const bool toList2 = t >= nn::kSpecial2Base && t < nn::kUserBase;
    if (s >= nn::kSpecial1Base && s < nn::kSpecial2Base) {
        if (t == nn::kSpecialRoot1 || toList1) return drag_cursor::kAllowed;
        if (toList2) return drag_cursor::kDenied;
        return Sign(Copyable(s, nn::kSpecial1Base, kSpecialFolderCount1, sourceHasDirectory));
    }
    if (s >= nn::kSpecial2Base && s < nn::kUserBase) {
        if (t == nn::kSpecialRoot2 || toList2) return drag_cursor::kAllowed;
        if (toList1) return drag_cursor::kDenied;
        return Sign(Copyable(s, nn::kSpecial2Base, kSpecialFolderCount2, sourceHasDirectory));
    }
    return Sign(!toList1 && !toList2);
}

bool DropSkipsMenu(std::int32_t target) {
    return target >= nn::kSpecial1Base && target < nn::kUserBase;
}

DropMenuPlan PlanDropMenu(std::int32_t s, std::int32_t t, int targetImage) {
    using S = DropItemState;
    const bool special = s < nn::kUserBase;
    // A special node is copied by default, a user node moved.
    const S copyDefault = special ? S::Default : S::Enabled;
    const S moveDefault = special ? S::Enabled : S::Default;
    DropMenuPlan plan;
    if (t == nn::kMenuRoot) {
        plan = {copyDefault, moveDefault, S::Grayed, S::Grayed};
    } else if (t >= nn::kUserBase && targetImage == node_image::kGroup) {
        plan = {copyDefault, moveDefault, S::Enabled, S::Enabled};
    } else {
        // Special roots and every other node take the new one below.
        plan = {S::Grayed, S::Grayed, copyDefault, moveDefault};
    }
    if (special) {
        // Special nodes never leave their list.
        plan.moveInto = S::Grayed;
        plan.moveBelow = S::Grayed;
    }
    return plan;
}

}  // namespace tellaro
