#include "settings/item_names.h"

#include <unordered_set>

namespace tellaro {

std::string UniqueName(const std::string& base, const std::vector<std::string>& siblingLabels) {
    const std::unordered_set<std::string> taken(siblingLabels.begin(), siblingLabels.end());
    std::string name = base;
    for (unsigned long counter = 1; taken.count(name) != 0; ++counter)
        name = base + " (" + std::to_string(counter) + ")";
    return name;
}

DropPlan PlanDroppedPaths(const std::vector<DroppedPath>& dropped, ExactAnsiFn toAnsi) {
    DropPlan plan;
    std::size_t refused = 0;
    for (const DroppedPath& d : dropped) {
        // A file would become an entry that only opens the shell's error.
        std::optional<std::string> ansi = d.directory ? toAnsi(d.path) : std::nullopt;
        if (ansi) {
            plan.folders.push_back(std::move(*ansi));
        } else if (refused++ < kMaxNamedRefusals) {
            if (!plan.refusedNames.empty()) plan.refusedNames += L'\n';
            plan.refusedNames += d.path;
        } else {
            ++plan.unnamedRefusals;
        }
    }
    return plan;
}

}  // namespace tellaro
