// The tree-view control of a dialog. Operations that report success return
// 0, or -1 when the control answers with failure (or is missing); the
// others return what the control answers, as each comment says.
#pragma once

#include <windows.h>
// The common controls' declarations build on windows.h.
#include <commctrl.h>

#include <string>

#include "ui/controls/dialog_control.h"

namespace tellaro {

class TreeViewControl : public DialogControl {
public:
    using DialogControl::DialogControl;

    // TVM_SETITEMA with the caller's mask: 0 / -1.
    virtual int SetItem(TVITEMA& item);
    // The node's label: 0 / -1.
    virtual int SetItemText(HTREEITEM node, const char* text);
    // TVSIL_NORMAL or TVSIL_STATE; the list that was set before.
    virtual HIMAGELIST SetImageList(HIMAGELIST list, int kind);
    // The number of nodes.
    virtual UINT GetCount() const;
    // Navigation: the node asked for, or null when there is none.
    virtual HTREEITEM GetRoot() const;
    virtual HTREEITEM GetNextSibling(HTREEITEM node) const;
    virtual HTREEITEM GetPrevSibling(HTREEITEM node) const;
    virtual HTREEITEM GetParentItem(HTREEITEM node) const;
    virtual HTREEITEM GetChild(HTREEITEM node) const;
    virtual HTREEITEM GetSelection() const;
    virtual HTREEITEM GetDropHilight() const;
    // TVM_GETITEMA with the caller's mask: 0 / -1.
    virtual int GetItem(TVITEMA& item) const;
    // A copy of the node's label, however long; empty when the node does
    // not exist or memory runs out.
    virtual std::string GetItemText(HTREEITEM node) const;
    // The node's cChildren; 0 when the node cannot be read.
    virtual int GetItemChildren(HTREEITEM node) const;
    // TVM_HITTEST with the caller's record: the node hit, or null.
    virtual HTREEITEM HitTestInfo(TVHITTESTINFO& info) const;
    // The node at a client point, or null; its TVHT_ flags to *flags when
    // `flags` is not null.
    virtual HTREEITEM HitTest(POINT point, UINT* flags) const;
    // The node's parameter (lParam); -1 when the node cannot be read.
    virtual LPARAM GetItemData(HTREEITEM node) const;
    // The node's rectangle in client coordinates, of its label alone when
    // `textOnly`: 0 / -1 (also when the node is scrolled out of view).
    virtual int GetItemRect(HTREEITEM node, RECT* rect, bool textOnly) const;
    // The node's image and selected image: 0, or -1 with both set to -1.
    virtual int GetItemImages(HTREEITEM node, int* image, int* selectedImage) const;
    // Insertions return the new node, or null on failure. `after` is a node,
    // TVI_FIRST, TVI_LAST or TVI_SORT.
    virtual HTREEITEM InsertItemImages(const char* text, int image, int selectedImage,
                                       HTREEITEM parent, HTREEITEM after);
    virtual HTREEITEM InsertItemText(const char* text, HTREEITEM parent, HTREEITEM after);
    virtual HTREEITEM InsertItemFull(UINT mask, const char* text, int image, int selectedImage,
                                     UINT state, UINT stateMask, LPARAM param, HTREEITEM parent,
                                     HTREEITEM after);
    virtual HTREEITEM InsertItemStruct(TVINSERTSTRUCTA& insert);
    // 0 / -1 each.
    virtual int DeleteAllItems();
    virtual int DeleteItem(HTREEITEM node);
    // Deletes every child of the node; -1 at the first that resists.
    virtual int DeleteChildren(HTREEITEM node);
    // Orders the direct children by label (not recursive).
    virtual int SortChildren(HTREEITEM node);
    // TVE_EXPAND, TVE_COLLAPSE or TVE_TOGGLE.
    virtual int Expand(HTREEITEM node, UINT action);
    virtual int SelectItem(HTREEITEM node);
    // 0 when an edit control was opened on the label.
    virtual int EditLabel(HTREEITEM node);
    virtual int EndEditLabelNow(bool cancel);
    // The drag image of the node as a new image list the caller owns, or null.
    virtual HIMAGELIST CreateDragImage(HTREEITEM node);
    // Highlights the node as drop target; null clears the highlight.
    virtual int SelectDropTarget(HTREEITEM node);

private:
    HTREEITEM Next(UINT relation, HTREEITEM node) const;
    int Succeeded(LRESULT result) const { return result != 0 ? 0 : -1; }
};

}  // namespace tellaro
