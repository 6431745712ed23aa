#include "settings/memory_node_tree.h"

#include <algorithm>

namespace tellaro {

namespace {

bool IsLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

unsigned char FoldAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

// Case-insensitive for the single-byte letters only: the second byte of a
// double-byte character can fall in the ASCII letter range, and folding it
// would make two different characters compare equal.
bool LabelLess(const std::string& a, const std::string& b) {
    std::size_t i = 0;
    bool trail = false;
    for (; i < a.size() && i < b.size(); ++i) {
        unsigned char ca = static_cast<unsigned char>(a[i]);
        unsigned char cb = static_cast<unsigned char>(b[i]);
        if (!trail) {
            ca = FoldAscii(ca);
            cb = FoldAscii(cb);
        }
        if (ca != cb) return ca < cb;
        trail = !trail && IsLeadByte(ca);
    }
    return a.size() - i < b.size() - i;
}

}  // namespace

NodeHandle MemoryNodeTree::Link(NodeHandle parent, NodeHandle after, const NodeData& data) {
    Node node;
    node.data = data;
    node.parent = parent;
    nodes_.push_back(std::move(node));
    const NodeHandle handle = nodes_.size();
    ++live_;
    Links& links = ChildLinks(parent);
    Node& added = At(handle);
    added.prev = after;
    added.next = after == kNoNode ? links.first : At(after).next;
    if (added.prev != kNoNode)
        At(added.prev).next = handle;
    else
        links.first = handle;
    if (added.next != kNoNode)
        At(added.next).prev = handle;
    else
        links.last = handle;
    return handle;
}

NodeHandle MemoryNodeTree::InsertFirst(NodeHandle parent, const NodeData& data) {
    if (!IsParentUsable(parent)) return kNoNode;
    return Link(parent, kNoNode, data);
}

NodeHandle MemoryNodeTree::InsertLast(NodeHandle parent, const NodeData& data) {
    if (!IsParentUsable(parent)) return kNoNode;
    return Link(parent, ChildLinks(parent).last, data);
}

NodeHandle MemoryNodeTree::InsertAfter(NodeHandle parent, NodeHandle sibling,
                                       const NodeData& data) {
    if (!IsParentUsable(parent) || !IsLive(sibling) || At(sibling).parent != parent) return kNoNode;
    return Link(parent, sibling, data);
}

NodeHandle MemoryNodeTree::FirstChild(NodeHandle node) const {
    return IsLive(node) ? At(node).children.first : kNoNode;
}

NodeHandle MemoryNodeTree::NextSibling(NodeHandle node) const {
    return IsLive(node) ? At(node).next : kNoNode;
}

NodeHandle MemoryNodeTree::PrevSibling(NodeHandle node) const {
    return IsLive(node) ? At(node).prev : kNoNode;
}

NodeHandle MemoryNodeTree::Parent(NodeHandle node) const {
    return IsLive(node) ? At(node).parent : kNoNode;
}

void MemoryNodeTree::Unlink(NodeHandle node) {
    Node& n = At(node);
    Links& links = ChildLinks(n.parent);
    if (n.prev != kNoNode)
        At(n.prev).next = n.next;
    else
        links.first = n.next;
    if (n.next != kNoNode)
        At(n.next).prev = n.prev;
    else
        links.last = n.prev;
    n.prev = n.next = kNoNode;
}

bool MemoryNodeTree::IsInSubtree(NodeHandle node, NodeHandle top) const {
    for (NodeHandle n = node; n != kNoNode; n = At(n).parent)
        if (n == top) return true;
    return false;
}

int MemoryNodeTree::Delete(NodeHandle node) {
    if (!IsLive(node)) return -1;
    if (selection_ != kNoNode && IsInSubtree(selection_, node)) {
        // Where the control puts the selection when the selected node goes.
        const Node& n = At(node);
        selection_ = n.next != kNoNode ? n.next : n.parent != kNoNode ? n.parent : n.prev;
    }
    Unlink(node);
    // Iterative, so that a tree nested thousands of levels deep (which the
    // editing fuzzer builds) cannot exhaust the stack.
    std::vector<NodeHandle> pending{node};
    while (!pending.empty()) {
        NodeHandle h = pending.back();
        pending.pop_back();
        for (NodeHandle c = At(h).children.first; c != kNoNode; c = At(c).next)
            pending.push_back(c);
        At(h).alive = false;
        At(h).data = NodeData();
        --live_;
    }
    return 0;
}

int MemoryNodeTree::DeleteAll() {
    while (top_.first != kNoNode) Delete(top_.first);
    return 0;
}

bool MemoryNodeTree::Read(NodeHandle node, NodeData& out) const {
    if (!IsLive(node)) return false;
    out = At(node).data;
    return true;
}

int MemoryNodeTree::Image(NodeHandle node) const {
    return IsLive(node) ? At(node).data.image : -1;
}

std::int32_t MemoryNodeTree::Number(NodeHandle node) const {
    return IsLive(node) ? At(node).data.number : -1;
}

int MemoryNodeTree::SetLabel(NodeHandle node, const std::string& label) {
    if (!IsLive(node)) return -1;
    At(node).data.label = label;
    return 0;
}

int MemoryNodeTree::SortChildren(NodeHandle node) {
    if (!IsLive(node)) return -1;
    std::vector<NodeHandle> children;
    for (NodeHandle c = At(node).children.first; c != kNoNode; c = At(c).next)
        children.push_back(c);
    std::stable_sort(children.begin(), children.end(), [this](NodeHandle a, NodeHandle b) {
        return LabelLess(At(a).data.label, At(b).data.label);
    });
    Links& links = At(node).children;
    NodeHandle prev = kNoNode;
    for (NodeHandle c : children) {
        At(c).prev = prev;
        if (prev != kNoNode)
            At(prev).next = c;
        else
            links.first = c;
        prev = c;
    }
    if (prev != kNoNode) At(prev).next = kNoNode;
    links.last = prev;
    return 0;
}

int MemoryNodeTree::Select(NodeHandle node) {
    if (node != kNoNode && !IsLive(node)) return -1;
    selection_ = node;
    return 0;
}

}  // namespace tellaro
