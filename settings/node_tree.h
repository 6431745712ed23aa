// The tree of the settings window as the tree logic sees it: nodes with a
// label, an image and a number, linked as parent, children and siblings.
// The window implements it over its tree-view control; the tests and the
// fuzzer use the in-memory one. Portable: no Windows headers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tellaro {

// A node of a NodeTree; kNoNode is "none" (and, as a parent, the top level).
using NodeHandle = std::uintptr_t;
constexpr NodeHandle kNoNode = 0;

struct NodeData {
    std::string label;
    // Also the selected image: a node looks the same when it is selected.
    int image = 0;
    std::int32_t number = 0;
};

class NodeTree {
public:
    virtual ~NodeTree() = default;

    // Each inserts under `parent` (kNoNode for the top level) and returns the
    // new node, or kNoNode on failure. InsertAfter fails unless `sibling` is
    // a child of `parent`.
    virtual NodeHandle InsertFirst(NodeHandle parent, const NodeData& data) = 0;
    virtual NodeHandle InsertLast(NodeHandle parent, const NodeData& data) = 0;
    virtual NodeHandle InsertAfter(NodeHandle parent, NodeHandle sibling, const NodeData& data) = 0;

    // Navigation; kNoNode when there is no such node or `node` is not one.
    virtual NodeHandle Root() const = 0;  // the first top-level node
    virtual NodeHandle FirstChild(NodeHandle node) const = 0;
    virtual NodeHandle NextSibling(NodeHandle node) const = 0;
    virtual NodeHandle PrevSibling(NodeHandle node) const = 0;
    virtual NodeHandle Parent(NodeHandle node) const = 0;

    // Deletes the node with its whole subtree; 0 or -1.
    virtual int Delete(NodeHandle node) = 0;
    virtual int DeleteAll() = 0;

    // Everything about one node in one read; false when it can't be read.
    virtual bool Read(NodeHandle node, NodeData& out) const = 0;
    // -1 when the node can't be read, which every decision by number or
    // image treats as "nothing to do".
    virtual int Image(NodeHandle node) const = 0;
    virtual std::int32_t Number(NodeHandle node) const = 0;
    virtual int SetLabel(NodeHandle node, const std::string& label) = 0;

    // Orders the direct children by label, case-insensitively; deeper levels
    // keep their order. 0 or -1.
    virtual int SortChildren(NodeHandle node) = 0;
    virtual int Expand(NodeHandle node) = 0;

    // The node the editing commands act on.
    virtual NodeHandle Selection() const = 0;
    virtual int Select(NodeHandle node) = 0;

    std::string Label(NodeHandle node) const {
        NodeData data;
        return Read(node, data) ? data.label : std::string();
    }
    bool HasChildren(NodeHandle node) const { return FirstChild(node) != kNoNode; }
    std::size_t ChildCount(NodeHandle node) const {
        std::size_t n = 0;
        for (NodeHandle c = FirstChild(node); c != kNoNode; c = NextSibling(c)) ++n;
        return n;
    }
};

}  // namespace tellaro
