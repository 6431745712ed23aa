// The settings window's context menus, the enabling of its window menu, its
// keys, and opening a folder from the tree.
#include <cstdint>

#include "shell/shell_launcher.h"
#include "base/modal_loop.h"
#include "base/resource_language.h"
#include "res/resource.h"
#include "settings/settings_window.h"

namespace tellaro {

void SettingsWindow::OnTreeKeyDown(WORD virtualKey) {
    // Keys can reach the hidden window after a tray menu closes.
    if (!IsEditing()) return;
    // During a drag Delete and F2 only end it, as Esc does.
    if (dragging_) {
        if (virtualKey == VK_DELETE || virtualKey == VK_F2) CancelDrag();
        return;
    }
    // Alt with Ctrl is AltGr on some keyboards: a character, not a command.
    const bool control = GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0;
    if (control && (virtualKey == 'Z' || virtualKey == 'Y')) {
        if (virtualKey == 'Z' && GetKeyState(VK_SHIFT) >= 0)
            Undo();
        else
            Redo();
    } else if (virtualKey == VK_DELETE)
        DeleteSelected();
    else if (virtualKey == VK_F2)
        RequestContextMenu(true);
}

void SettingsWindow::RequestContextMenu(bool atItem) {
    if (!IsEditing()) return;
    // Shown when the posted message arrives, after the tree has finished
    // with the click or key.
    PostMessageA(GetHandle(), MSG_CONTEXT_MENU, atItem ? 1 : 0, 0);
}

bool SettingsWindow::ContextMenuPoint(bool atItem, NodeHandle& node, POINT& point) const {
    HWND control = tree_->GetControlHandle();
    if (atItem) {
        node = nodes_.Selection();
        RECT r = {};
        if (node == kNoNode || tree_->GetItemRect(TreeViewNodeTree::ToItem(node), &r, true) != 0)
            return false;
        point = POINT{r.right, r.top};
        return ClientToScreen(control, &point) != 0;
    }
    if (!GetCursorPos(&point)) return false;
    POINT local = point;
    ScreenToClient(control, &local);
    node = TreeViewNodeTree::ToNode(tree_->HitTest(local, nullptr));
    return node != kNoNode;
}

HMENU SettingsWindow::MenuFor(int menuId) const {
    switch (menuId) {
        case IDM_ROOT_CONTEXT:
            return rootMenu_;
        case IDM_SPECIAL_ROOT_CONTEXT:
            return specialRootMenu_;
        case IDM_GROUP_CONTEXT:
            return groupMenu_;
        case IDM_FOLDER_CONTEXT:
            return folderMenu_;
    }
    return nullptr;
}

void SettingsWindow::ApplyStates(HMENU menu, const std::vector<ItemState>& states) const {
    for (const ItemState& s : states) {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STATE;
        info.fState = s.state;
        SetMenuItemInfoA(menu, static_cast<UINT>(s.position), TRUE, &info);
    }
}

void SettingsWindow::ShowContextMenu(bool atItem) {
    if (!IsEditing() || !tree_) return;
    NodeHandle node = kNoNode;
    POINT point = {};
    if (!ContextMenuPoint(atItem, node, point)) return;
    nodes_.Select(node);
    if (folderMenu_ == nullptr) folderMenu_ = LoadProgramMenu(IDM_FOLDER_CONTEXT);
    if (folderMenu_ == nullptr) return;
    const ContextMenuPlan plan =
        PlanContextMenu(ClassifyNode(nodes_, node), nodes_.HasChildren(node));
    HMENU menu = GetSubMenu(MenuFor(plan.menuId), 0);
    if (menu == nullptr) return;
    ApplyStates(menu, plan.states);
    ModalTrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, point.x, point.y,
                        GetHandle());
}

void SettingsWindow::OnInitMenuPopup(DialogMessage& record) {
    HMENU popup = reinterpret_cast<HMENU>(record.wParam);
    HMENU folderSettings = GetSubMenu(GetMenu(GetHandle()), 0);
    if (popup == nullptr || popup != folderSettings) return;
    const WindowMenuPlan plan = PlanWindowMenu(ClassifyNode(nodes_, nodes_.Selection()),
                                               history_.CanUndo(), history_.CanRedo());
    ApplyStates(
        popup,
        {{0, plan.create}, {2, plan.remove}, {3, plan.properties}, {5, plan.undo}, {6, plan.redo}});
    if (!plan.setCreateItems) return;
    // Folder, group and separator, each with create-inside and create-below.
    HMENU create = GetSubMenu(popup, 0);
    for (int kind = 0; kind < 3; ++kind) {
        HMENU sub = GetSubMenu(create, kind);
        if (sub != nullptr) ApplyStates(sub, {{0, plan.createInside}, {1, plan.createBelow}});
    }
}

void SettingsWindow::OnExitMenuLoop() {
    // The drop menu closed: the drop command, if one was chosen, follows.
    if (dragging_) {
        dropTarget_ = DropHighlight();
        EndDrag(0);
    }
    // The menus loaded for one showing go when their loop ends.
    for (HMENU* menu : {&dropMenu_, &folderMenu_}) {
        if (*menu != nullptr) DestroyMenu(*menu);
        *menu = nullptr;
    }
}

void SettingsWindow::OpenSelected() {
    const NodeHandle node = nodes_.Selection();
    if (!OpensFromTree(ClassifyNode(nodes_, node))) return;
    // Special folders are opened by the controller, which sees this too.
    PostMessageA(GetHandle(), MSG_OPEN_NODE, 0, nodes_.Number(node));
}

void SettingsWindow::OnOpenNode(LPARAM number) {
    const std::int64_t wide = number;  // LPARAM is 32 bits wide on the shipping build
    if (wide < node_number::kUserBase || wide > INT32_MAX) return;
    // A number without a record (the window was hidden meanwhile) opens
    // nothing rather than whatever the shell makes of an empty path.
    const std::string& path = logic_.Items().PathOf(static_cast<std::int32_t>(number));
    if (!path.empty()) shell::OpenUserFolder(path.c_str());
}

}  // namespace tellaro
