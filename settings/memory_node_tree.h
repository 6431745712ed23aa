// A NodeTree held in memory, for the tests and the fuzzer of the editing
// operations. It behaves like the tree-view control where the tree logic can
// tell: selection after deleting, sorting, stale handles. Portable.
#pragma once

#include <vector>

#include "settings/node_tree.h"

namespace tellaro {

class MemoryNodeTree : public NodeTree {
public:
    NodeHandle InsertFirst(NodeHandle parent, const NodeData& data) override;
    NodeHandle InsertLast(NodeHandle parent, const NodeData& data) override;
    NodeHandle InsertAfter(NodeHandle parent, NodeHandle sibling, const NodeData& data) override;
    NodeHandle Root() const override { return top_.first; }
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
    int Expand(NodeHandle node) override { return IsLive(node) ? 0 : -1; }
    NodeHandle Selection() const override { return selection_; }
    int Select(NodeHandle node) override;

    // Nodes alive now; handles of deleted nodes are never given out again.
    std::size_t LiveCount() const { return live_; }

private:
    struct Links {
        NodeHandle first = kNoNode;
        NodeHandle last = kNoNode;
    };
    struct Node {
        NodeData data;
        NodeHandle parent = kNoNode;
        NodeHandle prev = kNoNode;
        NodeHandle next = kNoNode;
        Links children;
        bool alive = true;
    };

    bool IsLive(NodeHandle node) const {
        return node != kNoNode && node <= nodes_.size() && nodes_[node - 1].alive;
    }
    Node& At(NodeHandle node) { return nodes_[node - 1]; }
    const Node& At(NodeHandle node) const { return nodes_[node - 1]; }
    Links& ChildLinks(NodeHandle parent) { return parent == kNoNode ? top_ : At(parent).children; }
    bool IsParentUsable(NodeHandle parent) const { return parent == kNoNode || IsLive(parent); }
    NodeHandle Link(NodeHandle parent, NodeHandle after, const NodeData& data);
    void Unlink(NodeHandle node);
    bool IsInSubtree(NodeHandle node, NodeHandle top) const;

    std::vector<Node> nodes_;
    Links top_;
    NodeHandle selection_ = kNoNode;
    std::size_t live_ = 0;
};

}  // namespace tellaro
