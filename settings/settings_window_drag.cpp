// Dragging nodes inside the settings window: the drag image with its
// allowed / not-allowed sign, the left-button move, the right-button drop
// menu and its commands. Which transfer a drop makes is TreeEditor's.
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "base/modal_loop.h"
#include "base/resource_language.h"
#include "res/resource.h"
#include "settings/drag_rules.h"
#include "settings/item_names.h"
#include "settings/settings_window.h"

namespace tellaro {

namespace {

// The system cursor's display count brought to exactly `count`: over a
// node the drag image carries the cursor, elsewhere the system one shows.
void SetCursorCount(int count) {
    int now = ShowCursor(FALSE);
    while (now < count) now = ShowCursor(TRUE);
    while (now > count) now = ShowCursor(FALSE);
}

UINT MenuState(DropItemState state) {
    switch (state) {
        case DropItemState::Grayed:
            return MFS_GRAYED;
        case DropItemState::Default:
            return MFS_DEFAULT;
        case DropItemState::Enabled:
            break;
    }
    return MFS_ENABLED;
}

}  // namespace

NodeHandle SettingsWindow::DropHighlight() const {
    return tree_ ? TreeViewNodeTree::ToNode(tree_->GetDropHilight()) : kNoNode;
}

bool SettingsWindow::MakeDragImage(HTREEITEM item, int image) {
    // A list left attached by a failed start would make every later
    // attach, and so every later drag, fail: none is kept past a failure.
    dragImage_->DestroyList();
    HIMAGELIST made = tree_->CreateDragImage(item);
    if (dragImage_->AttachHandle(made) == 0) return true;
    // Some versions of the control make the list too narrow for its own
    // bitmap, which leaves it without an image; the node's icon stands in.
    ImageList::DestroyUnheld(made);
    int cx = 0, cy = 0;
    HICON icon = treeImages_ && treeImages_->GetIconSize(&cx, &cy) == 0
                     ? treeImages_->GetIcon(image, ILD_NORMAL)
                     : nullptr;
    const bool madeFromIcon = icon != nullptr &&
                              dragImage_->Create(cx, cy, ILC_MASK | ILC_COLOR8, 1, 1) == 0 &&
                              dragImage_->AddIcon(icon) == 0;
    if (icon != nullptr) DestroyIcon(icon);
    if (!madeFromIcon) dragImage_->DestroyList();
    return madeFromIcon;
}

// Asked once a drag, for the dragged folder alone: the shell may not have
// answered for all of them yet.
bool SettingsWindow::SpecialFolderHasDirectory(std::int32_t number) {
    namespace nn = node_number;
    std::size_t i = 0;
    if (number >= nn::kSpecial1Base && number < nn::kSpecial1Base + kSpecialFolderCount1)
        i = static_cast<std::size_t>(number - nn::kSpecial1Base);
    else if (number >= nn::kSpecial2Base && number < nn::kSpecial2Base + kSpecialFolderCount2)
        i = kSpecialFolderCount1 + static_cast<std::size_t>(number - nn::kSpecial2Base);
    else
        return false;
    if (fetch_) return fetch_->HasDirectory(i);
    return ShellAsk()(i, special_facts::kDirectory).hasDirectory;
}

void SettingsWindow::OnBeginDrag(const NMTREEVIEWA& notification) {
    const NodeHandle node = TreeViewNodeTree::ToNode(notification.itemNew.hItem);
    const std::int32_t number = nodes_.Number(node);
    if (!IsEditing() || number < 0 || number == node_number::kMenuRoot) return;
    CancelDrag();
    if (!dragImage_) dragImage_.reset(new (std::nothrow) ImageList());
    if (!dragImage_ || CreateDragCursors() != 0) return;
    if (!MakeDragImage(notification.itemNew.hItem, nodes_.Image(node))) return;
    // The pointer holds the node by the middle of its icon, whatever the
    // icons' size.
    int cx = 16, cy = 16;
    if (treeImages_) treeImages_->GetIconSize(&cx, &cy);
    if (dragImage_->BeginDrag(0, cx / 2, cy / 2) != 0) {
        dragImage_->DestroyList();
        return;
    }
    const bool special = number >= node_number::kSpecial1Base && number < node_number::kUserBase;
    dragSourceHasDirectory_ = special && SpecialFolderHasDirectory(number);
    dragCursors_->SetDragCursorImage(special ? drag_cursor::kDenied : drag_cursor::kAllowed, cx / 2,
                                     cy / 2);
    HWND control = tree_->GetControlHandle();
    dragImage_->DragEnter(control, notification.ptDrag.x, notification.ptDrag.y);
    ShowCursor(FALSE);
    SetCapture(GetHandle());
    SetCursor(LoadCursorA(nullptr, IDC_NO));
    dragging_ = true;
    dragSource_ = node;
    dropTarget_ = kNoNode;
}

void SettingsWindow::OnMouseMove(DialogMessage& record) {
    if (!dragging_ || !tree_) return;
    HWND control = tree_->GetControlHandle();
    POINT point = {static_cast<short>(LOWORD(record.lParam)),
                   static_cast<short>(HIWORD(record.lParam))};
    MapWindowPoints(GetHandle(), control, &point, 1);
    const HTREEITEM hit = tree_->HitTest(point, nullptr);
    if (hit != nullptr && hit == tree_->GetDropHilight()) {
        dragImage_->DragMove(point.x, point.y);
        return;
    }
    dragImage_->DragLeave(control);
    if (hit != nullptr) {
        SetCursorCount(-1);
        const int sign =
            DragCursorImage(nodes_.Number(dragSource_),
                            nodes_.Number(TreeViewNodeTree::ToNode(hit)), dragSourceHasDirectory_);
        dragCursors_->SetDragCursorImage(sign, 0, 0);
        tree_->SelectDropTarget(hit);
    } else {
        SetCursorCount(0);
        tree_->SelectDropTarget(nullptr);
        dragCursors_->SetDragCursorImage(drag_cursor::kNoNode, 0, 0);
    }
    dragImage_->DragEnter(control, point.x, point.y);
}

void SettingsWindow::EndDrag(int cursorCount) {
    if (!dragging_) return;
    dragging_ = false;
    if (dragImage_) {
        dragImage_->EndDrag();
        // Destroyed and forgotten, so that nothing destroys it again.
        dragImage_->DestroyList();
    }
    ReleaseCapture();
    if (tree_) tree_->SelectDropTarget(nullptr);
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    SetCursorCount(cursorCount);
}

void SettingsWindow::CancelDrag() {
    EndDrag(0);
    dragSource_ = kNoNode;
    dropTarget_ = kNoNode;
}

void SettingsWindow::OnButtonDown() {
    CancelDrag();
}

void SettingsWindow::OnLButtonUp() {
    if (!dragging_) return;
    const NodeHandle target = DropHighlight();
    EndDrag(0);
    if (target != kNoNode && target != dragSource_) {
        MoveItem(dragSource_, target, false);
        Invalidate();
    }
    // Whatever happened, the nodes of this drag are done with.
    dragSource_ = kNoNode;
    dropTarget_ = kNoNode;
}

void SettingsWindow::OnRButtonUp() {
    // The menu opens once the button's own messages are through.
    if (dragging_) PostMessageA(GetHandle(), MSG_DROP_MENU, 0, 0);
}

void SettingsWindow::OnDropMenu() {
    if (!dragging_) return;
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    SetCursorCount(0);
    dropTarget_ = DropHighlight();
    if (dropTarget_ == kNoNode || dropTarget_ == dragSource_) {
        CancelDrag();
        return;
    }
    const std::int32_t target = nodes_.Number(dropTarget_);
    if (DropSkipsMenu(target)) {
        OnLButtonUp();
        return;
    }
    if (dropMenu_ == nullptr) dropMenu_ = LoadProgramMenu(IDM_DROP);
    HMENU menu = dropMenu_ != nullptr ? GetSubMenu(dropMenu_, 0) : nullptr;
    if (menu == nullptr) return;
    const DropMenuPlan plan =
        PlanDropMenu(nodes_.Number(dragSource_), target, nodes_.Image(dropTarget_));
    ApplyStates(menu, {{0, MenuState(plan.copyInto)},
                       {1, MenuState(plan.moveInto)},
                       {3, MenuState(plan.copyBelow)},
                       {4, MenuState(plan.moveBelow)}});
    POINT point = {};
    GetCursorPos(&point);
    dropMenuOpen_ = true;
    ModalTrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, point.x, point.y,
                        GetHandle());
    dropMenuOpen_ = false;
}

int SettingsWindow::TransferItem(NodeHandle source, NodeHandle target, bool below, bool copy) {
    EditStep step(*this);
    dropTarget_ = kNoNode;
    refusedSpecialFolders_.clear();
    const int result = editor_.TransferItem(source, target, below, copy);
    // One message for the whole transfer: a list copied as a group may
    // hold several folders the item file cannot name.
    std::vector<DroppedPath> refused;
    refused.swap(refusedSpecialFolders_);
    if (!refused.empty()) {
        try {
            ReportRefusals(PlanDroppedPaths(
                refused, [](const std::wstring&) -> std::optional<std::string> { return {}; }));
        } catch (const std::bad_alloc&) {
        }
    }
    return result;
}

int SettingsWindow::MoveItem(NodeHandle source, NodeHandle target, bool below) {
    const int result = TransferItem(source, target, below, false);
    if (result == 0) dragSource_ = kNoNode;
    return result;
}

// The nodes of a drop menu left without a choice stay behind, and any
// program can send the menu's commands later, when either node may have
// been deleted: a node is used only while the tree still holds it.
bool SettingsWindow::IsNodeOfTree(NodeHandle node) const {
    if (node == kNoNode) return false;
    // The first node of each level still to walk.
    std::vector<NodeHandle> levels{nodes_.Root()};
    while (!levels.empty()) {
        NodeHandle n = levels.back();
        levels.pop_back();
        for (; n != kNoNode; n = nodes_.NextSibling(n)) {
            if (n == node) return true;
            const NodeHandle child = nodes_.FirstChild(n);
            if (child != kNoNode) levels.push_back(child);
        }
    }
    return false;
}

void SettingsWindow::DropCommand(bool below, bool copy) {
    if (dropTarget_ != dragSource_ && IsNodeOfTree(dropTarget_) && IsNodeOfTree(dragSource_)) {
        if (copy)
            TransferItem(dragSource_, dropTarget_, below, true);
        else
            MoveItem(dragSource_, dropTarget_, below);
        Invalidate();
    }
    // A reorder deletes the source even on a copy: no node of this drop is
    // kept for later.
    dragSource_ = kNoNode;
    dropTarget_ = kNoNode;
}

void SettingsWindow::CopyIntoGroup() {
    DropCommand(false, true);
}

void SettingsWindow::MoveIntoGroup() {
    DropCommand(false, false);
}

void SettingsWindow::CopyBelowTarget() {
    DropCommand(true, true);
}

void SettingsWindow::MoveBelowTarget() {
    DropCommand(true, false);
}

void SettingsWindow::CancelDrop() {
    dragSource_ = kNoNode;
    dropTarget_ = kNoNode;
}

}  // namespace tellaro
