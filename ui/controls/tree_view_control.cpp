#include "ui/controls/tree_view_control.h"

#include <cstring>
#include <new>

namespace tellaro {

int TreeViewControl::SetItem(TVITEMA& item) {
    return Succeeded(Send(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

int TreeViewControl::SetItemText(HTREEITEM node, const char* text) {
    TVITEMA item = {};
    item.mask = TVIF_TEXT;
    item.hItem = node;
    item.pszText = const_cast<char*>(text);
    return SetItem(item);
}

HIMAGELIST TreeViewControl::SetImageList(HIMAGELIST list, int kind) {
    return reinterpret_cast<HIMAGELIST>(
        Send(TVM_SETIMAGELIST, kind, reinterpret_cast<LPARAM>(list)));
}

UINT TreeViewControl::GetCount() const {
    return static_cast<UINT>(Send(TVM_GETCOUNT));
}

HTREEITEM TreeViewControl::Next(UINT relation, HTREEITEM node) const {
    return reinterpret_cast<HTREEITEM>(
        Send(TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(node)));
}

HTREEITEM TreeViewControl::GetRoot() const {
    return Next(TVGN_ROOT, nullptr);
}
HTREEITEM TreeViewControl::GetNextSibling(HTREEITEM node) const {
    return Next(TVGN_NEXT, node);
}
HTREEITEM TreeViewControl::GetPrevSibling(HTREEITEM node) const {
    return Next(TVGN_PREVIOUS, node);
}
HTREEITEM TreeViewControl::GetParentItem(HTREEITEM node) const {
    return Next(TVGN_PARENT, node);
}
HTREEITEM TreeViewControl::GetChild(HTREEITEM node) const {
    return Next(TVGN_CHILD, node);
}
HTREEITEM TreeViewControl::GetSelection() const {
    return Next(TVGN_CARET, nullptr);
}
HTREEITEM TreeViewControl::GetDropHilight() const {
    return Next(TVGN_DROPHILITE, nullptr);
}

int TreeViewControl::GetItem(TVITEMA& item) const {
    return Succeeded(Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

std::string TreeViewControl::GetItemText(HTREEITEM node) const {
    try {
        // A label within two bytes of the buffer's end may have been cut (a
        // double-byte character that does not fit is left out whole): grow
        // and ask again.
        std::string buffer(256, '\0');
        for (;;) {
            TVITEMA item = {};
            item.mask = TVIF_TEXT;
            item.hItem = node;
            item.pszText = &buffer[0];
            item.cchTextMax = static_cast<int>(buffer.size());
            if (GetItem(item) != 0 || item.pszText == nullptr) return std::string();
            // The control may point at its own copy instead of filling ours.
            if (item.pszText != &buffer[0]) return std::string(item.pszText);
            const std::size_t length = std::strlen(buffer.c_str());
            if (length + 2 < buffer.size()) return buffer.substr(0, length);
            buffer.assign(buffer.size() * 2, '\0');
        }
    } catch (const std::bad_alloc&) {
        return std::string();
    }
}

int TreeViewControl::GetItemChildren(HTREEITEM node) const {
    TVITEMA item = {};
    item.mask = TVIF_CHILDREN;
    item.hItem = node;
    return GetItem(item) == 0 ? item.cChildren : 0;
}

HTREEITEM TreeViewControl::HitTestInfo(TVHITTESTINFO& info) const {
    return reinterpret_cast<HTREEITEM>(Send(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
}

HTREEITEM TreeViewControl::HitTest(POINT point, UINT* flags) const {
    TVHITTESTINFO info = {};
    info.pt = point;
    HTREEITEM node = HitTestInfo(info);
    if (flags != nullptr) *flags = info.flags;
    return node;
}

LPARAM TreeViewControl::GetItemData(HTREEITEM node) const {
    TVITEMA item = {};
    item.mask = TVIF_PARAM;
    item.hItem = node;
    return GetItem(item) == 0 ? item.lParam : -1;
}

int TreeViewControl::GetItemRect(HTREEITEM node, RECT* rect, bool textOnly) const {
    // The message takes the node in the rectangle it fills.
    std::memcpy(rect, &node, sizeof(node));
    return Succeeded(Send(TVM_GETITEMRECT, textOnly, reinterpret_cast<LPARAM>(rect)));
}

int TreeViewControl::GetItemImages(HTREEITEM node, int* image, int* selectedImage) const {
    TVITEMA item = {};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = node;
    const bool read = GetItem(item) == 0;
    *image = read ? item.iImage : -1;
    *selectedImage = read ? item.iSelectedImage : -1;
    return read ? 0 : -1;
}

HTREEITEM TreeViewControl::InsertItemImages(const char* text, int image, int selectedImage,
                                            HTREEITEM parent, HTREEITEM after) {
    return InsertItemFull(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, text, image, selectedImage,
                          0, 0, 0, parent, after);
}

HTREEITEM TreeViewControl::InsertItemText(const char* text, HTREEITEM parent, HTREEITEM after) {
    return InsertItemFull(TVIF_TEXT, text, 0, 0, 0, 0, 0, parent, after);
}

HTREEITEM TreeViewControl::InsertItemFull(UINT mask, const char* text, int image, int selectedImage,
                                          UINT state, UINT stateMask, LPARAM param,
                                          HTREEITEM parent, HTREEITEM after) {
    TVINSERTSTRUCTA insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = mask;
    insert.item.pszText = const_cast<char*>(text);
    insert.item.iImage = image;
    insert.item.iSelectedImage = selectedImage;
    insert.item.state = state;
    insert.item.stateMask = stateMask;
    insert.item.lParam = param;
    return InsertItemStruct(insert);
}

HTREEITEM TreeViewControl::InsertItemStruct(TVINSERTSTRUCTA& insert) {
    return reinterpret_cast<HTREEITEM>(Send(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

int TreeViewControl::DeleteAllItems() {
    return Succeeded(Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT)));
}

int TreeViewControl::DeleteItem(HTREEITEM node) {
    return Succeeded(Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(node)));
}

int TreeViewControl::DeleteChildren(HTREEITEM node) {
    for (HTREEITEM child = GetChild(node); child != nullptr; child = GetChild(node))
        if (DeleteItem(child) != 0) return -1;
    return 0;
}

int TreeViewControl::SortChildren(HTREEITEM node) {
    return Succeeded(Send(TVM_SORTCHILDREN, FALSE, reinterpret_cast<LPARAM>(node)));
}

int TreeViewControl::Expand(HTREEITEM node, UINT action) {
    return Succeeded(Send(TVM_EXPAND, action, reinterpret_cast<LPARAM>(node)));
}

int TreeViewControl::SelectItem(HTREEITEM node) {
    return Succeeded(Send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node)));
}

int TreeViewControl::EditLabel(HTREEITEM node) {
    return Succeeded(Send(TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(node)));
}

int TreeViewControl::EndEditLabelNow(bool cancel) {
    return Succeeded(Send(TVM_ENDEDITLABELNOW, cancel, 0));
}

HIMAGELIST TreeViewControl::CreateDragImage(HTREEITEM node) {
    return reinterpret_cast<HIMAGELIST>(
        Send(TVM_CREATEDRAGIMAGE, 0, reinterpret_cast<LPARAM>(node)));
}

int TreeViewControl::SelectDropTarget(HTREEITEM node) {
    return Succeeded(Send(TVM_SELECTITEM, TVGN_DROPHILITE, reinterpret_cast<LPARAM>(node)));
}

}  // namespace tellaro
