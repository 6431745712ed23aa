#include "settings/edit_history.h"

#include <new>
#include <utility>

#include "res/resource.h"

namespace tellaro {

bool TreeSnapshot::SameContent(const TreeSnapshot& o) const {
    if (!(nodes == o.nodes)) return false;
    if (items == o.items) return true;
    return items && o.items && *items == *o.items;
}

TreeSnapshot CaptureTree(const SettingsTree& logic, const TreeSnapshot* likely) {
    const NodeTree& tree = logic.Tree();
    TreeSnapshot s;
    const NodeHandle root = tree.Root();
    const NodeHandle selected = tree.Selection();
    if (selected != kNoNode && selected == root) s.selection = 0;
    // Iterative: a tree nested thousands of levels deep (a file the window
    // did not write) must not exhaust the stack.
    int depth = 0;
    NodeHandle n = tree.FirstChild(root);
    while (n != kNoNode) {
        TreeSnapshot::Node node;
        node.depth = depth;
        // Only memory running out keeps a node's label from being read; a
        // step that would bring the node back without it must not be kept.
        if (!tree.Read(n, node.data)) throw std::bad_alloc();
        s.nodes.push_back(std::move(node));
        if (n == selected) s.selection = s.nodes.size();
        const NodeHandle child = tree.FirstChild(n);
        if (child != kNoNode) {
            n = child;
            ++depth;
            continue;
        }
        for (;;) {
            const NodeHandle sibling = tree.NextSibling(n);
            if (sibling != kNoNode) {
                n = sibling;
                break;
            }
            n = tree.Parent(n);
            --depth;
            if (n == root || n == kNoNode) {
                n = kNoNode;
                break;
            }
        }
    }
    const FolderItemList& items = logic.Items().List();
    if (likely != nullptr && likely->items && *likely->items == items)
        s.items = likely->items;
    else
        s.items = std::make_shared<const FolderItemList>(items);
    return s;
}

int RestoreTree(SettingsTree& logic, const TreeSnapshot& snapshot) {
    NodeTree& tree = logic.Tree();
    // The working copy before the selection: selecting a node shows its
    // record's path.
    if (snapshot.items)
        logic.Items().Assign(*snapshot.items);
    else
        logic.Items().Clear();
    tree.DeleteAll();
    const NodeHandle root = tree.InsertLast(
        kNoNode, {logic.FixedText(IDS_MENU_ROOT), node_image::kMenuRoot, node_number::kMenuRoot});
    if (root == kNoNode) return -1;
    NodeHandle selected = snapshot.selection == 0 ? root : kNoNode;
    // parents[d] is where the next node of depth d goes.
    std::vector<NodeHandle> parents{root};
    for (std::size_t i = 0; i < snapshot.nodes.size(); ++i) {
        const TreeSnapshot::Node& node = snapshot.nodes[i];
        if (node.depth < 0 || static_cast<std::size_t>(node.depth) >= parents.size()) return -1;
        parents.resize(static_cast<std::size_t>(node.depth) + 1);
        const NodeHandle made = tree.InsertLast(parents.back(), node.data);
        if (made == kNoNode) return -1;
        parents.push_back(made);
        if (i + 1 == snapshot.selection) selected = made;
    }
    // Expanded only now, as LoadTree does: the control inserts under a
    // collapsed node many times faster.
    tree.Expand(root);
    tree.Select(selected);
    return 0;
}

std::size_t SelectionIn(const SettingsTree& logic, const TreeSnapshot& snapshot) {
    const NodeTree& tree = logic.Tree();
    const NodeHandle root = tree.Root();
    NodeHandle n = tree.Selection();
    if (n == kNoNode) return TreeSnapshot::kNoSelection;
    if (n == root) return 0;
    // The selection's place in each level, deepest first.
    std::vector<std::size_t> place;
    for (; n != root; n = tree.Parent(n)) {
        if (n == kNoNode) return TreeSnapshot::kNoSelection;
        std::size_t before = 0;
        for (NodeHandle p = tree.PrevSibling(n); p != kNoNode; p = tree.PrevSibling(p)) ++before;
        place.push_back(before);
    }
    const std::size_t depth = place.size() - 1;
    // seen[d]: the nodes met so far on level d under the current parent.
    std::vector<std::size_t> seen;
    for (std::size_t i = 0; i < snapshot.nodes.size(); ++i) {
        const std::size_t d = static_cast<std::size_t>(snapshot.nodes[i].depth);
        seen.resize(d + 1);
        ++seen[d];
        if (d != depth) continue;
        bool same = true;
        for (std::size_t k = 0; k <= depth && same; ++k) same = seen[k] - 1 == place[depth - k];
        if (same) return i + 1;
    }
    return TreeSnapshot::kNoSelection;
}

TreeSnapshot EditHistory::Now(const SettingsTree& logic, const TreeSnapshot* likely) const {
    if (!now_) return CaptureTree(logic, likely);
    TreeSnapshot s = *now_;
    s.selection = SelectionIn(logic, s);
    return s;
}

TreeSnapshot EditHistory::Begin(const SettingsTree& logic) const {
    return Now(logic, undo_.empty() ? nullptr : &undo_.back());
}

bool EditHistory::Record(TreeSnapshot before, const SettingsTree& logic) {
    TreeSnapshot after = CaptureTree(logic, &before);
    const bool changed = !after.SameContent(before);
    if (changed) {
        undo_.push_back(std::move(before));
        Trim(undo_);
        redo_.clear();
    }
    now_ = std::move(after);
    return changed;
}

// Undo and redo together never hold more than the limit: a step only moves
// from one to the other, and a new one empties redo.
int EditHistory::Step(SettingsTree& logic, std::deque<TreeSnapshot>& from,
                      std::deque<TreeSnapshot>& to) {
    if (from.empty()) return -1;
    // Taken before anything changes, so that running out of memory here
    // leaves the tree and both lists as they were.
    to.push_back(Now(logic, &from.back()));
    now_ = std::move(from.back());
    from.pop_back();
    if (RestoreTree(logic, *now_) == 0) return 0;
    now_.reset();
    return -1;
}

int EditHistory::Undo(SettingsTree& logic) {
    return Step(logic, undo_, redo_);
}

int EditHistory::Redo(SettingsTree& logic) {
    return Step(logic, redo_, undo_);
}

void EditHistory::Clear() {
    undo_.clear();
    redo_.clear();
    now_.reset();
}

void EditHistory::Trim(std::deque<TreeSnapshot>& steps) const {
    while (steps.size() > limit_) steps.pop_front();
}

}  // namespace tellaro
