// The settings window's NodeTree over its tree-view control. Until the
// control exists (before InitWindow) every operation fails quietly.
#pragma once

#include <string>

#include "settings/node_tree.h"
#include "ui/controls/tree_view_control.h"

namespace tellaro {

class TreeViewNodeTree : public NodeTree {
public:
    void SetControl(TreeViewControl* control) { control_ = control; }

    NodeHandle InsertFirst(NodeHandle parent, const NodeData& data) override;
    NodeHandle InsertLast(NodeHandle parent, const NodeData& data) override;
    NodeHandle InsertAfter(NodeHandle parent, NodeHandle sibling, const NodeData& data) override;
    NodeHandle Root() const override;
    NodeHandle FirstChild(NodeHandle node) const override;
    NodeHandle NextSibling(NodeHandle node) const override;
    NodeHandle PrevSibling(NodeHandle node) const override;
    NodeHandle Parent(NodeHandle node) const override;
    int Delete(NodeHandle node) override;
    int DeleteAll() override;
    bool Read(NodeHandle node, NodeData& out) const override;
    int Image(NodeHandle node) const override;
    std::int32_t Number(NodeHandle node) const override;
    int SetLabel(NodeHandle node, const std::string& label) override;
    int SortChildren(NodeHandle node) override;
    int Expand(NodeHandle node) override;
    NodeHandle Selection() const override;
    int Select(NodeHandle node) override;

    static HTREEITEM ToItem(NodeHandle node) { return reinterpret_cast<HTREEITEM>(node); }
    static NodeHandle ToNode(HTREEITEM item) { return reinterpret_cast<NodeHandle>(item); }

private:
    NodeHandle Insert(NodeHandle parent, HTREEITEM after, const NodeData& data);

    TreeViewControl* control_ = nullptr;
    // Reused by every Read, so that walking the tree allocates only for
    // labels longer than any before.
    mutable std::string buffer_ = std::string(256, '\0');
};

}  // namespace tellaro
