// The settings window's editing commands: new items through the properties
// dialog, deleting with confirmation, properties, sorting, restoring, and
// folders dropped from the shell. The decisions are TreeEditor's; this is
// the part that asks the user and the shell. Each command is one step of
// the undo history with its dialogs: a cancelled one changes nothing and so
// adds no step.
#include <shlobj.h>

#include <new>
#include <string>
#include <vector>

#include "base/modal_loop.h"
#include "base/resource_text.h"
#include "base/system_code_page.h"
#include "config/special_folder_table.h"
#include "config/special_folders_win.h"
#include "res/resource.h"
#include "settings/item_names.h"
#include "settings/settings_window.h"

namespace tellaro {

int SettingsWindow::ShowMessage(HWND owner, const std::string& text, int captionId, UINT flags) {
    return ModalMessageBox(owner, text, Text(captionId), flags);
}

bool SettingsWindow::ConfirmDelete(int textId, const std::string& label) {
    // Any answer but No deletes, as a closed box does; a box ended by an
    // exit from outside had no answer at all.
    const int answer = ShowMessage(GetHandle(), FillText(Text(textId), label),
                                   IDS_CONFIRM_DELETE_CAPTION, MB_YESNO | MB_ICONWARNING);
    return answer != IDNO && !ModalLoop::Exiting();
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
    EditStep step(*this);
    if (!NewItemFits(FolderItemKind::Folder, inGroup)) return;
    FolderItem mode;
    mode.kind = properties_mode::kNewFolder;
    std::string path, name;
    if (RunPropertiesDialog(mode, path, name) &&
        editor_.InsertNewItem(path, name, FolderItemKind::Folder, inGroup) != kNoNode)
        Invalidate();
}

void SettingsWindow::NewGroup(bool inGroup) {
    EditStep step(*this);
    if (!NewItemFits(FolderItemKind::Group, inGroup)) return;
    FolderItem mode;
    mode.kind = properties_mode::kNewGroup;
    std::string path, name;
    if (RunPropertiesDialog(mode, path, name) &&
        editor_.InsertNewItem(std::string(), name, FolderItemKind::Group, inGroup) != kNoNode)
        Invalidate();
}

void SettingsWindow::NewSeparator(bool inGroup) {
    EditStep step(*this);
    if (editor_.InsertNewItem(std::string(), "-", FolderItemKind::Separator, inGroup) != kNoNode)
        Invalidate();
}

void SettingsWindow::DeleteSelected() {
    EditStep step(*this);
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
    EditStep step(*this);
    const NodeHandle node = nodes_.Selection();
    if (!editor_.CanDeleteAllChildren(node)) return;
    if (!ConfirmDelete(IDS_CONFIRM_DELETE_CHILDREN, nodes_.Label(node))) return;
    CancelDrag();
    editor_.DeleteAllChildren(node);
}

void SettingsWindow::EditProperties() {
    EditStep step(*this);
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
    EditStep step(*this);
    editor_.SortChildren(nodes_.Selection());
}

void SettingsWindow::RestoreInitialState() {
    EditStep step(*this);
    CancelDrag();
    if (tree_) tree_->SetRedraw(FALSE);
    editor_.RestoreInitialState();
    if (tree_) {
        tree_->SetRedraw(TRUE);
        tree_->Invalidate();
    }
}

void SettingsWindow::RestoreChildren() {
    EditStep step(*this);
    CancelDrag();
    editor_.RestoreChildren(nodes_.Selection());
}

namespace {

// The shell hands dropped paths over in UTF-16; the ANSI reading would
// turn a name the code page lacks into "?" or a look-alike.
std::vector<DroppedPath> ReadDrop(HDROP drop) {
    std::vector<DroppedPath> dropped;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring path(length + 1, L'\0');
        path.resize(DragQueryFileW(drop, i, &path[0], length + 1));
        const DWORD attributes = GetFileAttributesW(path.c_str());
        const bool directory =
            attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        dropped.push_back({std::move(path), directory});
    }
    return dropped;
}

// Any program can post WM_DROPFILES with any value in wParam, and the
// handle is freed after reading: only global memory of this process laid
// out as the shell lays out a drop, its list of names ending inside the
// block, is taken for one.
bool IsDropHandle(HDROP drop) {
    const HGLOBAL memory = reinterpret_cast<HGLOBAL>(drop);
    if (memory == nullptr || GlobalFlags(memory) == GMEM_INVALID_HANDLE) return false;
    const SIZE_T size = GlobalSize(memory);
    if (size < sizeof(DROPFILES)) return false;
    const auto* header = static_cast<const DROPFILES*>(GlobalLock(memory));
    if (header == nullptr) return false;
    bool ended = false;
    if (header->pFiles >= sizeof(DROPFILES) && header->pFiles < size) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(header);
        const SIZE_T unit = header->fWide ? 2 : 1;
        // Each name ends with a zero; an empty name ends the list.
        SIZE_T nameLength = 0;
        for (SIZE_T at = header->pFiles; at + unit <= size && !ended; at += unit) {
            const bool zero = bytes[at] == 0 && (unit == 1 || bytes[at + 1] == 0);
            ended = zero && nameLength == 0;
            nameLength = zero ? 0 : nameLength + 1;
        }
    }
    GlobalUnlock(memory);
    return ended;
}

}  // namespace

int SettingsWindow::OnDropFiles(HDROP drop) {
    if (!IsDropHandle(drop)) return 0;
    EditStep step(*this);
    DropPlan plan;
    int result = 0;
    try {
        if (IsEditing()) plan = PlanDroppedPaths(ReadDrop(drop), ToSystemAnsi);
    } catch (const std::bad_alloc&) {
        result = -1;
    }
    DragFinish(drop);
    // Each becomes the selection, so the next one follows it.
    for (const std::string& folder : plan.folders)
        editor_.InsertNewItem(folder, std::string(), FolderItemKind::Folder, true);
    if (!plan.folders.empty()) Invalidate();
    ReportRefusals(plan);
    return result;
}

void SettingsWindow::ReportRefusals(const DropPlan& plan) {
    if (plan.refusedNames.empty()) return;
    std::wstring names = plan.refusedNames;
    if (plan.unnamedRefusals > 0)
        names += L"\n" + WidenFromSystem(FillText(Text(IDS_DROP_MORE_REFUSED),
                                                  std::to_string(plan.unnamedRefusals)));
    ShowNamesMessage(IDS_DROP_REFUSED, names);
}

int SettingsWindow::ShowNamesMessage(int textId, const std::wstring& names) {
    return ModalMessageBoxWide(GetHandle(), Text(textId), names, Text(IDS_PROGRAM_ERROR_CAPTION),
                               MB_OK | MB_ICONERROR);
}

// ---- What the editing operations ask of the window

bool SettingsWindow::SpecialFolderDirectory(std::size_t tableIndex, std::string& path) {
    if (tableIndex >= SpecialFolderTable::EntryCount) return false;
    const std::optional<std::wstring> wide =
        SpecialFolderPathWide(SpecialFolderTable::Entry(tableIndex).csidl);
    const DWORD attributes = wide ? GetFileAttributesW(wide->c_str()) : INVALID_FILE_ATTRIBUTES;
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return false;
    // The item file holds the code page's text: a path it cannot hold
    // exactly is refused as a dropped one is, never stored as a look-alike.
    std::optional<std::string> exact = ToSystemAnsi(*wide);
    if (!exact) {
        try {
            refusedSpecialFolders_.push_back({*wide, true});
        } catch (const std::bad_alloc&) {
        }
        return false;
    }
    path = std::move(*exact);
    return true;
}

void SettingsWindow::ReportDropOnDescendant() {
    ShowMessage(nullptr, Text(IDS_TRANSFER_INTO_CHILD), IDS_TRANSFER_ERROR_CAPTION, MB_ICONERROR);
}

void SettingsWindow::ReportTooDeep() {
    ShowMessage(GetHandle(), FillText(Text(IDS_TOO_DEEP), std::to_string(kDeepestItemLevel)),
                IDS_PROGRAM_ERROR_CAPTION, MB_OK | MB_ICONERROR);
}

bool SettingsWindow::NewItemFits(FolderItemKind kind, bool inGroup) {
    if (editor_.NewItemFits(kind, inGroup)) return true;
    // Said before the user types, not after.
    ReportTooDeep();
    return false;
}

}  // namespace tellaro
