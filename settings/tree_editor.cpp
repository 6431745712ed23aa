#include "settings/tree_editor.h"

#include <utility>
#include <vector>

#include "settings/item_names.h"
#include "ui/dialogs/folder_properties_rules.h"

namespace tellaro {

namespace nn = node_number;
namespace ni = node_image;

namespace {

// The numbers, root and table part of one special-folder list.
struct SpecialList {
    std::int32_t root;
    std::int32_t otherRoot;
    // The numbers of this list's nodes and of the other list's.
    std::int32_t first, end;
    std::int32_t otherFirst, otherEnd;
    std::size_t count;        // entries of this part of the table
    std::size_t tableOffset;  // where the part starts in the whole table
};

const SpecialList kList1{
    nn::kSpecialRoot1, nn::kSpecialRoot2, nn::kSpecial1Base,    nn::kSpecial2Base,
    nn::kSpecial2Base, nn::kUserBase,     kSpecialFolderCount1, 0};
const SpecialList kList2{nn::kSpecialRoot2,    nn::kSpecialRoot1,   nn::kSpecial2Base,
                         nn::kUserBase,        nn::kSpecial1Base,   nn::kSpecial2Base,
                         kSpecialFolderCount2, kSpecialFolderCount1};

// A user node's record as the working copy keeps it: a group's path is its
// name, a separator's is "-".
FolderItem UserRecord(int image, const std::string& folderPath, const std::string& name) {
    FolderItem record;
    switch (image) {
        case ni::kGroup:
            record.kind = static_cast<std::uint8_t>(FolderItemKind::Group);
            record.path = name;
            record.name = name;
            break;
        case ni::kSeparator:
            record.kind = static_cast<std::uint8_t>(FolderItemKind::Separator);
            record.path = "-";
            record.name = "-";
            break;
        default:
            record.kind = static_cast<std::uint8_t>(FolderItemKind::Folder);
            record.path = folderPath;
            record.name = name;
            break;
    }
    return record;
}

bool IsUserImage(int image) {
    return image == ni::kGroup || image == ni::kFolder || image == ni::kSeparator;
}

}  // namespace

// ---- Structure

bool TreeEditor::IsAncestor(NodeHandle ancestor, NodeHandle node) const {
    if (ancestor == kNoNode) return false;
    for (NodeHandle n = tree_.Parent(node); n != kNoNode; n = tree_.Parent(n))
        if (n == ancestor) return true;
    return false;
}

int TreeEditor::ChildLevel(NodeHandle parent) const {
    int level = 0;
    const NodeHandle root = tree_.Root();
    for (NodeHandle n = parent; n != kNoNode && n != root; n = tree_.Parent(n)) ++level;
    return level;
}

int TreeEditor::LevelsBelow(NodeHandle node) const {
    // Iterative: a subtree's height is not bounded by the stack.
    int deepest = 0;
    std::vector<std::pair<NodeHandle, int>> pending{{node, 0}};
    while (!pending.empty()) {
        const auto [n, level] = pending.back();
        pending.pop_back();
        const int reach = tree_.Image(n) == ni::kGroup ? level + 1 : level;
        if (reach > deepest) deepest = reach;
        for (NodeHandle c = tree_.FirstChild(n); c != kNoNode; c = tree_.NextSibling(c))
            pending.emplace_back(c, level + 1);
    }
    return deepest;
}

bool TreeEditor::Fits(NodeHandle parent, int levelsBelow) {
    if (ChildLevel(parent) + levelsBelow <= kDeepestItemLevel) return true;
    host_.ReportTooDeep();
    return false;
}

bool TreeEditor::NewItemFits(FolderItemKind kind, bool inGroup) const {
    const Spot spot = NewItemSpot(inGroup);
    const int levelsBelow = kind == FolderItemKind::Group ? 1 : 0;
    return spot.parent != kNoNode && ChildLevel(spot.parent) + levelsBelow <= kDeepestItemLevel;
}

NodeHandle TreeEditor::LastSpecialRoot() const {
    const NodeHandle second = tree_.NextSibling(tree_.FirstChild(tree_.Root()));
    if (tree_.Number(second) == nn::kSpecialRoot2) return second;
    return logic_.SpecialRoot(nn::kSpecialRoot1);
}

// Names are told apart whole: two long names may show the same cut label.
std::string TreeEditor::FreeName(const std::string& base, NodeHandle parent) const {
    std::vector<std::string> names;
    for (NodeHandle c = tree_.FirstChild(parent); c != kNoNode; c = tree_.NextSibling(c)) {
        std::string name = logic_.FullName(c);
        names.push_back(name.empty() ? tree_.Label(c) : std::move(name));
    }
    return UniqueName(base, names);
}

NodeHandle TreeEditor::Insert(const Spot& spot, const NodeData& data) {
    if (spot.after != kNoNode) return tree_.InsertAfter(spot.parent, spot.after, data);
    if (spot.first) return tree_.InsertFirst(spot.parent, data);
    return tree_.InsertLast(spot.parent, data);
}

NodeHandle TreeEditor::InsertUser(const Spot& spot, const std::string& name, int image,
                                  const std::string& folderPath) {
    auto& items = logic_.Items();
    const NodeHandle node =
        Insert(spot, {logic_.LabelFor(image, name, folderPath), image, items.NextNumber()});
    if (node != kNoNode) items.Append(UserRecord(image, folderPath, name));
    return node;
}

// ---- Creating

TreeEditor::Spot TreeEditor::NewItemSpot(bool inGroup) const {
    const NodeHandle root = tree_.Root();
    const NodeHandle s = tree_.Selection();
    const NodeKind kind = ClassifyNode(tree_, s);
    if (kind == NodeKind::UserGroup && inGroup) return {s, kNoNode, false};
    if (kind == NodeKind::UserGroup || kind == NodeKind::UserFolder ||
        kind == NodeKind::UserSeparator)
        return {tree_.Parent(s), s, false};
    if (kind == NodeKind::SpecialRoot || kind == NodeKind::SpecialFolder) {
        // In front of the first user node that follows, if one does.
        if (tree_.Number(tree_.NextSibling(s)) >= nn::kUserBase) return {tree_.Parent(s), s, false};
    }
    return {root, kNoNode, false};
}

NodeHandle TreeEditor::InsertNewItem(const std::string& path, const std::string& name,
                                     FolderItemKind kind, bool inGroup) {
    const Spot spot = NewItemSpot(inGroup);
    if (spot.parent == kNoNode) return kNoNode;
    NodeHandle node = kNoNode;
    switch (kind) {
        case FolderItemKind::Folder:
            if (!Fits(spot.parent, 0)) return kNoNode;
            node = InsertUser(spot, name.empty() ? NameFromPath(path, isLeadByte_) : name,
                              ni::kFolder, path);
            break;
        case FolderItemKind::Group:
            if (!Fits(spot.parent, 1)) return kNoNode;
            node = InsertUser(spot, name, ni::kGroup, std::string());
            break;
        case FolderItemKind::Separator:
            if (!Fits(spot.parent, 0)) return kNoNode;
            node = InsertUser(spot, "-", ni::kSeparator, std::string());
            break;
        case FolderItemKind::Placeholder:
            break;
    }
    if (node != kNoNode) tree_.Select(node);
    return node;
}

// ---- Deleting, sorting, restoring

bool TreeEditor::CanDelete(NodeHandle node) const {
    return tree_.Number(node) >= nn::kSpecial1Base;
}

int TreeEditor::DeleteNode(NodeHandle node) {
    if (!CanDelete(node)) return -1;
    return tree_.Delete(node);
}

bool TreeEditor::CanDeleteAllChildren(NodeHandle node) const {
    return tree_.Number(node) > nn::kMenuRoot && tree_.HasChildren(node);
}

int TreeEditor::DeleteAllChildren(NodeHandle node) {
    if (!CanDeleteAllChildren(node)) return -1;
    for (NodeHandle c = tree_.FirstChild(node); c != kNoNode; c = tree_.FirstChild(node))
        if (tree_.Delete(c) != 0) return -1;
    return 0;
}

int TreeEditor::SortChildren(NodeHandle node) {
    if (tree_.Number(node) <= nn::kMenuRoot) return -1;
    return tree_.SortChildren(node);
}

void TreeEditor::DefaultOrder(std::uint8_t* order, std::size_t count,
                              std::size_t tableOffset) const {
    for (std::size_t k = 0; k < count; ++k)
        order[k] = logic_.IsSpecialFolderAvailable(tableOffset + k) ? static_cast<std::uint8_t>(k)
                                                                    : kNotShown;
}

int TreeEditor::RestoreChildren(NodeHandle node) {
    // Otherwise the folders left out would come on top of the new ones.
    logic_.FillDeferredSpecialFolders();
    std::uint8_t order[kSpecialFolderCount1];
    switch (tree_.Number(node)) {
        case nn::kSpecialRoot1:
            while (tree_.HasChildren(node))
                if (tree_.Delete(tree_.FirstChild(node)) != 0) return -1;
            DefaultOrder(order, kSpecialFolderCount1, 0);
            return logic_.FillSpecialFolders1(order);
        case nn::kSpecialRoot2:
            while (tree_.HasChildren(node))
                if (tree_.Delete(tree_.FirstChild(node)) != 0) return -1;
            DefaultOrder(order, kSpecialFolderCount2, kSpecialFolderCount1);
            return logic_.FillSpecialFolders2(order);
        default:
            return -1;
    }
}

int TreeEditor::RestoreInitialState() {
    FolderSettings initial;
    DefaultOrder(initial.specialFolderOrder1, kSpecialFolderCount1, 0);
    DefaultOrder(initial.specialFolderOrder2, kSpecialFolderCount2, kSpecialFolderCount1);
    return logic_.LoadTree(initial, false);
}

// ---- Properties

PropertiesRequest TreeEditor::PlanProperties(NodeHandle node) const {
    PropertiesRequest request;
    NodeData data;
    if (!tree_.Read(node, data) || data.number < nn::kUserBase) return request;
    if (data.image == ni::kFolder) {
        request = {true, properties_mode::kFolder, logic_.Items().PathOf(data.number),
                   logic_.FullName(data)};
    } else if (data.image == ni::kGroup) {
        request = {true, properties_mode::kGroup, std::string(), logic_.FullName(data)};
    }
    return request;
}

int TreeEditor::ApplyProperties(NodeHandle node, const std::string& path, const std::string& name) {
    NodeData data;
    if (!tree_.Read(node, data) || (data.image != ni::kFolder && data.image != ni::kGroup))
        return -1;
    const std::string& newPath = data.image == ni::kFolder ? path : name;
    if (logic_.Items().SetPath(data.number, newPath) != 0 ||
        logic_.Items().SetName(data.number, name) != 0)
        return -1;
    return tree_.SetLabel(node, logic_.LabelFor(data.image, name, newPath));
}

// ---- Transfers

TreeEditor::Spot TreeEditor::SpotAt(NodeHandle target, bool below) const {
    if (!below && tree_.Image(target) == ni::kGroup) return {target, kNoNode, true};
    return {tree_.Parent(target), target, false};
}

int TreeEditor::TransferItem(NodeHandle source, NodeHandle target, bool below, bool copy) {
    if (source == kNoNode || target == kNoNode || source == target) return -1;
    const std::int32_t s = tree_.Number(source);
    if (s < 0 || tree_.Number(target) < 0) return -1;
    if (s < nn::kSpecial1Base) return TransferSpecialRoot(source, target, below);
    if (s < nn::kSpecial2Base) return TransferSpecialChild(source, target, below, false);
    if (s < nn::kUserBase) return TransferSpecialChild(source, target, below, true);
    return TransferUserItem(source, target, below, copy);
}

int TreeEditor::TransferSpecialRoot(NodeHandle source, NodeHandle target, bool below) {
    const std::int32_t s = tree_.Number(source);
    if (s != nn::kSpecialRoot1 && s != nn::kSpecialRoot2) return -1;
    const SpecialList& list = s == nn::kSpecialRoot1 ? kList1 : kList2;
    const std::int32_t t = tree_.Number(target);
    if (t >= nn::kSpecial1Base && t < nn::kUserBase) return -1;
    if (t < nn::kSpecial1Base) {
        target = LastSpecialRoot();
        below = true;
    }
    const Spot spot = SpotAt(target, below);
    if (spot.parent == kNoNode || !Fits(spot.parent, 1)) return -1;
    const NodeHandle group =
        InsertUser(spot, FreeName(tree_.Label(source), spot.parent), ni::kGroup, std::string());
    if (group == kNoNode) return -1;
    // Only folders with a directory come along, in the list's order.
    NodeHandle previous = kNoNode;
    for (NodeHandle c = tree_.FirstChild(source); c != kNoNode; c = tree_.NextSibling(c)) {
        NodeData child;
        if (!tree_.Read(c, child)) continue;
        const std::int64_t j = static_cast<std::int64_t>(child.number) - list.first;
        std::string directory;
        if (j < 0 || j >= static_cast<std::int64_t>(list.count) ||
            !host_.SpecialFolderDirectory(list.tableOffset + static_cast<std::size_t>(j),
                                          directory))
            continue;
        const NodeHandle added =
            InsertUser({group, previous, previous == kNoNode}, child.label, ni::kFolder, directory);
        if (added != kNoNode) previous = added;
    }
    return 0;
}

int TreeEditor::TransferSpecialChild(NodeHandle source, NodeHandle target, bool below,
                                     bool secondList) {
    const SpecialList& list = secondList ? kList2 : kList1;
    NodeData data;
    if (!tree_.Read(source, data)) return -1;
    const std::int64_t j = static_cast<std::int64_t>(data.number) - list.first;
    if (j < 0 || j >= static_cast<std::int64_t>(list.count)) return -1;
    const std::int32_t t = tree_.Number(target);
    bool reorder = false;
    if (t >= list.otherFirst && t < list.otherEnd) {
        return -1;
    } else if (t == list.root) {
        reorder = true;
        below = false;
    } else if (t >= list.first && t < list.end) {
        reorder = true;
    } else if (t == nn::kMenuRoot || t == list.otherRoot) {
        target = LastSpecialRoot();
        below = true;
    } else if (t < nn::kUserBase) {
        return -1;
    }
    const Spot spot = SpotAt(target, below);
    if (spot.parent == kNoNode) return -1;
    if (reorder) {
        // The node keeps its number, so the list's new order is what is
        // collected.
        if (Insert(spot, data) == kNoNode) return -1;
        return tree_.Delete(source);
    }
    std::string directory;
    if (!host_.SpecialFolderDirectory(list.tableOffset + static_cast<std::size_t>(j), directory))
        return -1;
    if (!Fits(spot.parent, 0)) return -1;
    return InsertUser(spot, FreeName(data.label, spot.parent), ni::kFolder, directory) != kNoNode
               ? 0
               : -1;
}

int TreeEditor::TransferUserItem(NodeHandle source, NodeHandle target, bool below, bool copy) {
    NodeData data;
    if (!tree_.Read(source, data) || data.number < nn::kUserBase || !IsUserImage(data.image))
        return -1;
    const std::int32_t t = tree_.Number(target);
    if (t < nn::kSpecial1Base) {
        target = LastSpecialRoot();
        below = true;
    } else if (t < nn::kUserBase) {
        return -1;
    } else if (tree_.Image(target) != ni::kGroup) {
        below = true;
    }
    if (IsAncestor(source, target)) {
        host_.ReportDropOnDescendant();
        return -1;
    }
    const Spot spot = SpotAt(target, below);
    if (spot.parent == kNoNode || !Fits(spot.parent, LevelsBelow(source))) return -1;
    // A move below a target keeps the name even beside an equal one; a
    // separator has no name to tell apart. A folder stored without a name
    // is named after its folder where it must differ from the others.
    const std::string path = logic_.Items().PathOf(data.number);
    std::string name = logic_.FullName(data);
    const bool intoOtherGroup = !below && target != tree_.Parent(source);
    if (data.image != ni::kSeparator && (copy || intoOtherGroup))
        name = FreeName(name.empty() ? NameFromPath(path, isLeadByte_) : name, spot.parent);
    const NodeHandle node = InsertUser(spot, name, data.image, path);
    if (node == kNoNode) return -1;
    if (data.image == ni::kGroup && CopyChildren(source, node) != 0) {
        // Half a copy would silently lose nodes at the move's delete.
        tree_.Delete(node);
        return -1;
    }
    if (!copy) tree_.Delete(source);
    return 0;
}

int TreeEditor::CopyChildren(NodeHandle source, NodeHandle newParent) {
    NodeHandle previous = kNoNode;
    for (NodeHandle c = tree_.FirstChild(source); c != kNoNode; c = tree_.NextSibling(c)) {
        NodeData child;
        if (!tree_.Read(c, child)) return -1;
        const NodeHandle copy =
            InsertUser({newParent, previous, previous == kNoNode}, logic_.FullName(child),
                       child.image, logic_.Items().PathOf(child.number));
        if (copy == kNoNode) return -1;
        previous = copy;
        // Recursion as deep as the subtree, which the depth limit bounds.
        if (child.image == ni::kGroup && CopyChildren(c, copy) != 0) return -1;
    }
    return 0;
}

}  // namespace tellaro
