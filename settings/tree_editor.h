// The editing operations of the settings window, written once against
// NodeTree: creating folders, groups and separators, deleting, sorting,
// restoring, properties, and copying or moving nodes by dragging. The
// window runs them over its tree-view control after asking the user what
// they need; the tests and the fuzzer run them over a MemoryNodeTree.
// Portable: no Windows headers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "base/path_text.h"
#include "config/folder_model.h"
#include "settings/settings_tree.h"

namespace tellaro {

// What the editing operations need from the window beyond what the tree
// logic needs.
class TreeEditHost {
public:
    virtual ~TreeEditHost() = default;
    // The file-system directory of special folder `tableIndex` (0..44),
    // when it has one that exists now; false for a virtual folder.
    virtual bool SpecialFolderDirectory(std::size_t tableIndex, std::string& path) = 0;
    // A user node was dropped onto its own subtree; nothing changed.
    virtual void ReportDropOnDescendant() = 0;
    // The edit would have nested a node deeper than the popup menu can
    // show; nothing changed.
    virtual void ReportTooDeep() = 0;
};

// The deepest level a user node may stand on: a group there would need a
// submenu one deeper than the menus can nest. A group needs the level below
// it too, for its children or its placeholder.
constexpr int kDeepestItemLevel = static_cast<int>(kMaxNestedGroups);

// The properties dialog to open for a node, if any.
struct PropertiesRequest {
    bool open = false;
    std::uint8_t mode = 0;  // properties_mode
    std::string path;
    std::string name;
};

class TreeEditor {
public:
    // `isLeadByte` reads the code page of the paths a new folder is named
    // from.
    TreeEditor(SettingsTree& logic, TreeEditHost& host, LeadByteTest isLeadByte = IsCp932LeadByte)
        : logic_(logic), tree_(logic.Tree()), host_(host), isLeadByte_(isLeadByte) {}

    // A new user node placed by the selection; it becomes the selection.
    // A folder without a name is named after its path. kNoNode when nothing
    // was inserted.
    NodeHandle InsertNewItem(const std::string& path, const std::string& name, FolderItemKind kind,
                             bool inGroup);

    // Each returns 0, or -1 when it changed nothing. The menu root and the
    // special roots are never deleted, and the menu root's children are
    // never all deleted nor sorted: the special roots must stay in front.
    bool CanDelete(NodeHandle node) const;
    int DeleteNode(NodeHandle node);
    bool CanDeleteAllChildren(NodeHandle node) const;
    int DeleteAllChildren(NodeHandle node);
    int SortChildren(NodeHandle node);
    // A special root gets back every folder the shell knows, in table order.
    int RestoreChildren(NodeHandle node);
    // Both special lists in table order and no user nodes.
    int RestoreInitialState();

    PropertiesRequest PlanProperties(NodeHandle node) const;
    // The dialog's answer for `node`: a folder takes the path and the name,
    // a group the name (which is also its record's path). A node without a
    // record changes nothing.
    int ApplyProperties(NodeHandle node, const std::string& path, const std::string& name);

    // Copies or moves `source` into the group `target` (when !below and the
    // target is a group or special root) or right after it. Special nodes
    // are reordered within their list or copied as folders, never moved
    // out; user nodes honour `copy`.
    int TransferItem(NodeHandle source, NodeHandle target, bool below, bool copy);

    // Whether `ancestor` is `node`'s parent, grandparent or further up.
    bool IsAncestor(NodeHandle ancestor, NodeHandle node) const;
    // The level a child of `parent` stands on: 0 under the menu root.
    int ChildLevel(NodeHandle parent) const;
    // How many levels below its own `node`'s subtree reaches, counting the
    // level every group needs for its children.
    int LevelsBelow(NodeHandle node) const;
    // Whether a new node of `kind` placed by the selection (as InsertNewItem
    // would) stays within the depth limit; asked before the user types.
    bool NewItemFits(FolderItemKind kind, bool inGroup) const;

private:
    // Where a new node goes: the first or last child of `parent`, or the
    // sibling right after `after`.
    struct Spot {
        NodeHandle parent = kNoNode;
        NodeHandle after = kNoNode;
        bool first = false;
    };

    Spot NewItemSpot(bool inGroup) const;
    Spot SpotAt(NodeHandle target, bool below) const;
    NodeHandle LastSpecialRoot() const;
    bool Fits(NodeHandle parent, int levelsBelow);
    std::string FreeName(const std::string& base, NodeHandle parent) const;
    NodeHandle Insert(const Spot& spot, const NodeData& data);
    NodeHandle InsertUser(const Spot& spot, const std::string& label, int image,
                          const std::string& folderPath);
    int TransferSpecialRoot(NodeHandle source, NodeHandle target, bool below);
    int TransferSpecialChild(NodeHandle source, NodeHandle target, bool below, bool secondList);
    int TransferUserItem(NodeHandle source, NodeHandle target, bool below, bool copy);
    int CopyChildren(NodeHandle source, NodeHandle newParent);
    void DefaultOrder(std::uint8_t* order, std::size_t count, std::size_t tableOffset) const;

    SettingsTree& logic_;
    NodeTree& tree_;
    TreeEditHost& host_;
    LeadByteTest isLeadByte_;
};

}  // namespace tellaro
