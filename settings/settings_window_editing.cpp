// The settings window's editing commands: new items through the properties
// dialog, deleting with confirmation, properties, sorting, restoring, and
// folders dropped from the shell. The decisions are TreeEditor's; this is
// the part that asks the user and the shell.
#include <shlobj.h>

#include <new>

#include "base/modal_loop.h"
#include "base/resource_text.h"
#include "config/special_folder_table.h"
#include "res/resource.h"
#include "settings/item_names.h"
#include "settings/settings_window.h"

namespace tellaro {

int SettingsWindow::ShowMessage(HWND owner, const std::string& text, int captionId, UINT flags) {
    return ModalMessageBox(owner, text, Text(captionId), flags);
}

bool SettingsWindow::ConfirmDelete(int textId, const std::string& label) {
    // Any answer but No deletes, as a closed box does.
    return ShowMessage(GetHandle(), FillText(Text(textId), label), IDS_CONFIRM_DELETE_CAPTION,
                       MB_YESNO | MB_ICONWARNING) != IDNO;
}

bool SettingsWindow::RunPropertiesDialog(const FolderItem& mode, std::string& path,
                                         std::string& name) {
    // Kept as a member while it runs, so that this window hands it the
    // dialog messages.
    propertiesDialog_.reset(new (std::nothrow) FolderPropertiesDialog(GetHandle()));
    if (!propertiesDialog_) return false;
    const bool accepted = propertiesDialog_->Open(mode) == 0;
    if (accepted) {
        path = propertiesDialog_->GetPath();
        name = propertiesDialog_->GetName();
    }
    BringToForeground();
    propertiesDialog_.reset();
    return accepted;
}

void SettingsWindow::NewFolder(bool inGroup) {
    FolderItem mode;
    mode.kind = properties_mode::kNewFolder;
    std::string path, name;
    if (RunPropertiesDialog(mode, path, name) &&
        editor_.InsertNewItem(path, name, FolderItemKind::Folder, inGroup) != kNoNode)
        Invalidate();
}

void SettingsWindow::NewGroup(bool inGroup) {
    FolderItem mode;
    mode.kind = properties_mode::kNewGroup;
    std::string path, name;
    if (RunPropertiesDialog(mode, path, name) &&
        editor_.InsertNewItem(std::string(), name, FolderItemKind::Group, inGroup) != kNoNode)
        Invalidate();
}

void SettingsWindow::NewSeparator(bool inGroup) {
    if (editor_.InsertNewItem(std::string(), "-", FolderItemKind::Separator, inGroup) != kNoNode)
        Invalidate();
}

void SettingsWindow::DeleteSelected() {
    const NodeHandle node = nodes_.Selection();
    if (!editor_.CanDelete(node)) return;
    NodeData data;
    if (!nodes_.Read(node, data)) return;
    const std::string& what =
        data.image == node_image::kSeparator ? Text(IDS_SEPARATOR) : data.label;
    if (!ConfirmDelete(IDS_CONFIRM_DELETE, what)) return;
    CancelDrag();
    editor_.DeleteNode(node);
}

void SettingsWindow::DeleteAllChildren() {
    const NodeHandle node = nodes_.Selection();
    if (!editor_.CanDeleteAllChildren(node)) return;
    if (!ConfirmDelete(IDS_CONFIRM_DELETE_CHILDREN, nodes_.Label(node))) return;
    CancelDrag();
    editor_.DeleteAllChildren(node);
}

void SettingsWindow::EditProperties() {
    const NodeHandle node = nodes_.Selection();
    const PropertiesRequest request = editor_.PlanProperties(node);
    if (!request.open) return;
    FolderItem mode;
    mode.kind = request.mode;
    mode.path = request.path;
    mode.name = request.name;
    std::string path, name;
    if (!RunPropertiesDialog(mode, path, name)) return;
    if (editor_.ApplyProperties(node, path, name) == 0 && pathLabel_)
        pathLabel_->SetControlText(logic_.PathLabelText(node).c_str());
}

void SettingsWindow::SortChildren() {
    editor_.SortChildren(nodes_.Selection());
}

void SettingsWindow::RestoreInitialState() {
    CancelDrag();
    if (tree_) tree_->SetRedraw(FALSE);
    editor_.RestoreInitialState();
    if (tree_) {
        tree_->SetRedraw(TRUE);
        tree_->Invalidate();
    }
}

void SettingsWindow::RestoreChildren() {
    CancelDrag();
    editor_.RestoreChildren(nodes_.Selection());
}

int SettingsWindow::OnDropFiles(HDROP drop) {
    if (drop == nullptr) return 0;
    int result = 0;
    if (IsEditing()) {
        const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i) {
            const UINT length = DragQueryFileA(drop, i, nullptr, 0);
            std::string path;
            try {
                path.assign(length + 1, '\0');
            } catch (const std::bad_alloc&) {
                result = -1;
                break;
            }
            path.resize(DragQueryFileA(drop, i, &path[0], length + 1));
            // Each becomes the selection, so the next one follows it.
            editor_.InsertNewItem(path, std::string(), FolderItemKind::Folder, true);
        }
        Invalidate();
    }
    DragFinish(drop);
    return result;
}

// ---- What the editing operations ask of the window

bool SettingsWindow::SpecialFolderDirectory(std::size_t tableIndex, std::string& path) {
    if (tableIndex >= SpecialFolderTable::EntryCount) return false;
    const std::uint8_t* hasDirectory =
        tableIndex < kSpecialFolderCount1 ? HasDirectory1() : HasDirectory2();
    const std::size_t j =
        tableIndex < kSpecialFolderCount1 ? tableIndex : tableIndex - kSpecialFolderCount1;
    if (hasDirectory[j] == 0) return false;
    LPITEMIDLIST list = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, SpecialFolderTable::Entry(tableIndex).csidl,
                                          &list)) ||
        list == nullptr)
        return false;
    char buffer[MAX_PATH] = {};
    const bool found = SHGetPathFromIDListA(list, buffer) != 0;
    CoTaskMemFree(list);
    // The directory may have gone since the window first asked.
    const DWORD attributes = found ? GetFileAttributesA(buffer) : INVALID_FILE_ATTRIBUTES;
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return false;
    path = buffer;
    return true;
}

void SettingsWindow::ReportDropOnDescendant() {
    ShowMessage(nullptr, Text(IDS_TRANSFER_INTO_CHILD), IDS_TRANSFER_ERROR_CAPTION, MB_ICONERROR);
}

void SettingsWindow::ReportTooDeep() {
    MessageBeep(MB_OK);
}

}  // namespace tellaro
