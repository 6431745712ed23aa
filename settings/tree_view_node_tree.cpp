#include "settings/tree_view_node_tree.h"

#include <cstring>
#include <new>

namespace tellaro {

NodeHandle TreeViewNodeTree::Insert(NodeHandle parent, HTREEITEM after, const NodeData& data) {
    if (control_ == nullptr) return kNoNode;
    const HTREEITEM item = control_->InsertItemFull(
        TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM, data.label.c_str(), data.image,
        data.image, 0, 0, data.number, parent == kNoNode ? TVI_ROOT : ToItem(parent), after);
    return ToNode(item);
}

NodeHandle TreeViewNodeTree::InsertFirst(NodeHandle parent, const NodeData& data) {
    return Insert(parent, TVI_FIRST, data);
}

NodeHandle TreeViewNodeTree::InsertLast(NodeHandle parent, const NodeData& data) {
    return Insert(parent, TVI_LAST, data);
}

NodeHandle TreeViewNodeTree::InsertAfter(NodeHandle parent, NodeHandle sibling,
                                         const NodeData& data) {
    // The control would take a sibling from elsewhere as "last".
    if (sibling == kNoNode || Parent(sibling) != parent) return kNoNode;
    return Insert(parent, ToItem(sibling), data);
}

NodeHandle TreeViewNodeTree::Root() const {
    return control_ ? ToNode(control_->GetRoot()) : kNoNode;
}

NodeHandle TreeViewNodeTree::FirstChild(NodeHandle node) const {
    return control_ && node ? ToNode(control_->GetChild(ToItem(node))) : kNoNode;
}

NodeHandle TreeViewNodeTree::NextSibling(NodeHandle node) const {
    return control_ && node ? ToNode(control_->GetNextSibling(ToItem(node))) : kNoNode;
}

NodeHandle TreeViewNodeTree::PrevSibling(NodeHandle node) const {
    return control_ && node ? ToNode(control_->GetPrevSibling(ToItem(node))) : kNoNode;
}

NodeHandle TreeViewNodeTree::Parent(NodeHandle node) const {
    return control_ && node ? ToNode(control_->GetParentItem(ToItem(node))) : kNoNode;
}

int TreeViewNodeTree::Delete(NodeHandle node) {
    return control_ && node ? control_->DeleteItem(ToItem(node)) : -1;
}

int TreeViewNodeTree::DeleteAll() {
    return control_ ? control_->DeleteAllItems() : -1;
}

bool TreeViewNodeTree::Read(NodeHandle node, NodeData& out) const {
    if (control_ == nullptr || node == kNoNode) return false;
    try {
        // Label, image and number in one message; a label that fills the
        // buffer may have been cut, so the buffer grows and the read repeats.
        for (;;) {
            TVITEMA item = {};
            item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_PARAM;
            item.hItem = ToItem(node);
            item.pszText = &buffer_[0];
            item.cchTextMax = static_cast<int>(buffer_.size());
            if (control_->GetItem(item) != 0 || item.pszText == nullptr) return false;
            const std::size_t length = std::strlen(item.pszText);
            if (item.pszText == &buffer_[0] && length + 1 >= buffer_.size()) {
                buffer_.assign(buffer_.size() * 2, '\0');
                continue;
            }
            out.label.assign(item.pszText, length);
            out.image = item.iImage;
            out.number = static_cast<std::int32_t>(item.lParam);
            return true;
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
}

int TreeViewNodeTree::Image(NodeHandle node) const {
    int image = -1, selected = -1;
    if (control_ == nullptr || node == kNoNode) return -1;
    control_->GetItemImages(ToItem(node), &image, &selected);
    return image;
}

std::int32_t TreeViewNodeTree::Number(NodeHandle node) const {
    if (control_ == nullptr || node == kNoNode) return -1;
    return static_cast<std::int32_t>(control_->GetItemData(ToItem(node)));
}

int TreeViewNodeTree::SetLabel(NodeHandle node, const std::string& label) {
    return control_ && node ? control_->SetItemText(ToItem(node), label.c_str()) : -1;
}

int TreeViewNodeTree::SortChildren(NodeHandle node) {
    return control_ && node ? control_->SortChildren(ToItem(node)) : -1;
}

int TreeViewNodeTree::Expand(NodeHandle node) {
    return control_ && node ? control_->Expand(ToItem(node), TVE_EXPAND) : -1;
}

NodeHandle TreeViewNodeTree::Selection() const {
    return control_ ? ToNode(control_->GetSelection()) : kNoNode;
}

int TreeViewNodeTree::Select(NodeHandle node) {
    return control_ ? control_->SelectItem(ToItem(node)) : -1;
}

}  // namespace tellaro
