// Undo and redo of the settings window's edits. A step keeps the whole
// editable state from before a change (every node below the menu root, the
// working copy and the selection), and going back rebuilds the tree from it:
// a whole state cannot drift from the tree the way a chain of inverse
// operations can when a later step edits what an earlier one made. Portable:
// no Windows headers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include "config/folder_model.h"
#include "settings/settings_tree.h"

namespace tellaro {

struct TreeSnapshot {
    struct Node {
        int depth = 0;  // 0 for the menu root's children
        NodeData data;
        bool operator==(const Node& o) const {
            return depth == o.depth && data.label == o.data.label && data.image == o.data.image &&
                   data.number == o.data.number;
        }
    };
    static constexpr std::size_t kNoSelection = static_cast<std::size_t>(-1);

    std::vector<Node> nodes;  // pre-order
    // Shared between snapshots while it stays the same: most steps leave
    // the paths alone, and a hundred copies of a long list add up.
    std::shared_ptr<const FolderItemList> items;
    // 0 for the menu root, k for nodes[k - 1], or kNoSelection.
    std::size_t selection = kNoSelection;

    // The same tree and working copy; where the selection is does not count.
    bool SameContent(const TreeSnapshot& o) const;
};

// `likely` may lend its working copy when the copy now is equal to it.
TreeSnapshot CaptureTree(const SettingsTree& logic, const TreeSnapshot* likely = nullptr);
// Rebuilds the tree, the working copy and the selection. 0, or -1 when the
// tree could not take every node (it then holds what was built).
int RestoreTree(SettingsTree& logic, const TreeSnapshot& snapshot);
// Where the tree's selection stands in `snapshot`, a state of the same tree,
// found from the selection's place among its siblings and ancestors rather
// than by walking the whole tree.
std::size_t SelectionIn(const SettingsTree& logic, const TreeSnapshot& snapshot);

// While an edit lasts, the tree must change only through Record's steps and
// Undo and Redo: the history keeps the state they left the tree in, so that
// going back or forth rebuilds the tree without reading it first.
class EditHistory {
public:
    static constexpr std::size_t kDefaultLimit = 100;
    explicit EditHistory(std::size_t limit = kDefaultLimit) : limit_(limit) {}

    // The state before a change, for Record after it.
    TreeSnapshot Begin(const SettingsTree& logic) const;
    // Makes the change since `before` a step, unless nothing changed; a new
    // step ends whatever could be redone. True when a step was recorded.
    bool Record(TreeSnapshot before, const SettingsTree& logic);

    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    std::size_t UndoCount() const { return undo_.size(); }
    std::size_t RedoCount() const { return redo_.size(); }
    // Each 0, or -1 when there is no such step or the tree could not be
    // rebuilt.
    int Undo(SettingsTree& logic);
    int Redo(SettingsTree& logic);
    void Clear();

private:
    int Step(SettingsTree& logic, std::deque<TreeSnapshot>& from, std::deque<TreeSnapshot>& to);
    void Trim(std::deque<TreeSnapshot>& steps) const;

    // The state now with the selection read afresh: the one kept, or else
    // the tree's, captured.
    TreeSnapshot Now(const SettingsTree& logic, const TreeSnapshot* likely) const;

    std::size_t limit_;
    std::deque<TreeSnapshot> undo_;
    std::deque<TreeSnapshot> redo_;
    std::optional<TreeSnapshot> now_;
};

}  // namespace tellaro
