// The settings window's lifetime, its exchange of settings with the
// controller, and the dispatch of messages, notifications and commands.
#include "settings/settings_window.h"

#include <new>

#include "base/modal_loop.h"
#include "base/resource_language.h"
#include "base/resource_text.h"
#include "base/system_code_page.h"
#include "config/special_folder_table.h"
#include "res/resource.h"

namespace tellaro {

namespace {

template <typename T, typename... Args>
std::unique_ptr<T> MakeNoThrow(Args&&... args) {
    return std::unique_ptr<T>(new (std::nothrow) T(std::forward<Args>(args)...));
}

}  // namespace

SettingsWindow::SettingsWindow()
    : Dialog(nullptr),
      logic_(nodes_, *this, IsSystemLeadByte),
      editor_(logic_, *this, IsSystemLeadByte) {}

SettingsWindow::~SettingsWindow() {
    Close();
}

int SettingsWindow::Open() {
    systemInfo_ = MakeNoThrow<SystemInfo>();
    if (!systemInfo_) return -1;
    if (CreateModeless(ModuleInstance(), IDD_SETTINGS) != 0) return -1;
    SetProgramIcons();
    return 0;
}

int SettingsWindow::Close() {
    nodes_.SetControl(nullptr);
    systemInfo_.reset();
    pathLabel_.reset();
    tree_.reset();
    okButton_.reset();
    cancelButton_.reset();
    helpButton_.reset();
    // Its thread may still be asking; it will tell no one.
    fetch_.reset();
    DestroyMenus();
    if (GetHandle() == nullptr) return 0;
    Show(0);
    return Destroy();
}

void SettingsWindow::DestroyMenus() {
    for (HMENU* menu : {&rootMenu_, &specialRootMenu_, &groupMenu_, &folderMenu_, &dropMenu_}) {
        if (*menu != nullptr) DestroyMenu(*menu);
        *menu = nullptr;
    }
}

int SettingsWindow::InitWindow() {
    if (CreateControls() != 0) return -1;
    struct {
        HMENU* menu;
        int id;
    } const menus[] = {{&rootMenu_, IDM_ROOT_CONTEXT},
                       {&specialRootMenu_, IDM_SPECIAL_ROOT_CONTEXT},
                       {&groupMenu_, IDM_GROUP_CONTEXT}};
    for (const auto& m : menus) {
        if (*m.menu == nullptr) *m.menu = LoadProgramMenu(m.id);
        if (*m.menu == nullptr) return -1;
    }
    return 0;
}

// ---- The exchange with the controller

int SettingsWindow::LoadTree(const FolderSettings& settings, bool discardItems) {
    pendingTree_ = nullptr;
    // Without the working copy the tree is the live settings again: the
    // edit is over (OK, Cancel) or not begun.
    if (discardItems) EndEdit();
    // Every node a drag holds is about to go.
    CancelDrag();
    // One repaint for the whole rebuild instead of one per node.
    if (tree_) tree_->SetRedraw(FALSE);
    const int result = logic_.LoadTree(settings, discardItems);
    if (tree_) {
        tree_->SetRedraw(TRUE);
        tree_->Invalidate();
        if (result == 0) {
            // The rebuilt tree has no selection, and the tree view takes no
            // arrow keys without one: the user starts at the menu root.
            if (nodes_.Selection() == kNoNode) nodes_.Select(logic_.MenuRoot());
            // A hidden window gets the focus when it is shown: asked now, it
            // would cost the window system a noticeable moment for nothing.
            if (IsVisibleNow()) tree_->FocusControl();
        }
    }
    return result;
}

void SettingsWindow::LoadTreeWhenNeeded(const FolderSettings* settings) {
    pendingTree_ = settings;
}

void SettingsWindow::BuildPendingTree() {
    if (pendingTree_ != nullptr) LoadTree(*pendingTree_, true);
}

void SettingsWindow::ShowWithItems(bool show, const FolderItemList& items) {
    Show(show ? 1 : 0);
    logic_.Items().Fill(items);
    if (show) EndEdit();
}

int SettingsWindow::CollectSettings(FolderSettings& out) {
    BuildPendingTree();
    logic_.Collect(out);
    LoadTree(out, true);
    return 0;
}

void SettingsWindow::PeekSettings(FolderSettings& out) {
    BuildPendingTree();
    logic_.Collect(out);
}

// ---- What the tree logic asks of the window

std::string SettingsWindow::Text(int stringId) {
    return LoadResourceString(stringId);
}

bool SettingsWindow::HasSecondSpecialRoot() {
    return systemInfo_ && systemInfo_->IsNT() && systemInfo_->MajorVersion() >= 5;
}

bool SettingsWindow::IsSpecialFolderAvailable(std::size_t tableIndex) {
    if (fetch_) return fetch_->Available(tableIndex);
    return ShellAsk()(tableIndex, special_facts::kAvailable).available;
}

bool SettingsWindow::SpecialFoldersKnown() {
    return fetch_ && fetch_->AvailabilityKnown();
}

// Told only once the collected list has been handed over: a message box
// lets tray clicks through, and they must find the window, the tree and
// the controller's settings in one state.
void SettingsWindow::ReportTooManyItems() {
    cutPending_ = true;
}

void SettingsWindow::ReportCollectedCut() {
    if (!cutPending_) return;
    cutPending_ = false;
    ModalMessageBox(nullptr, Text(IDS_COLLECT_TOO_MANY), Text(IDS_TOO_MANY_CAPTION), MB_ICONERROR);
}

// ---- Dispatch

int SettingsWindow::OnMessage(DialogMessage& record) {
    // The modal properties dialog gets its messages through this chain.
    if (propertiesDialog_) propertiesDialog_->OnMessage(record);
    const bool own = IsOwn(record);
    switch (record.message) {
        case WM_SIZE:
            if (own) OnSize(record);
            break;
        case WM_CLOSE:
            // Whatever dialog it was sent to: closing any window of the
            // program closes the program.
            Destroy();
            break;
        case WM_NOTIFY:
            if (IsOwnTreeNotify(record)) OnNotify(record);
            break;
        case WM_COMMAND:
            OnCommand(record);
            break;
        case WM_SYSCOMMAND:
            // The close box (in any of its variants) only hides the window
            // and drops the edit; letting it through would end the program.
            if (IsCloseBox(record)) {
                Show(0);
                PostCommand(IDC_SETTINGS_CANCEL);
                record.result = 1;
            }
            break;
        case WM_INITMENUPOPUP:
            if (own) OnInitMenuPopup(record);
            break;
        case WM_MOUSEMOVE:
            if (dragging_) OnMouseMove(record);
            break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            if (dragging_) OnButtonDown();
            break;
        case WM_LBUTTONUP:
            if (dragging_) OnLButtonUp();
            break;
        case WM_RBUTTONUP:
            if (dragging_) OnRButtonUp();
            break;
        case WM_CAPTURECHANGED:
        case WM_CANCELMODE:
            // Alt+Tab, the Windows key or another window took the mouse: the
            // drag is over, and only the drag. The drop menu takes the
            // capture on purpose.
            if (own && dragging_ && !dropMenuOpen_) CancelDrag();
            break;
        case WM_ACTIVATE:
        case WM_ACTIVATEAPP:
            // Another program came to the front: the button may be released
            // over its window, which must not drop into this tree.
            if (own && dragging_ && !dropMenuOpen_ && IsDeactivation(record)) CancelDrag();
            break;
        case WM_EXITMENULOOP:
            if (own) OnExitMenuLoop();
            break;
        case WM_SIZING:
            if (own) OnSizing(record);
            break;
        case WM_DROPFILES:
            if (own) OnDropFiles(reinterpret_cast<HDROP>(record.wParam));
            break;
        case MSG_OPEN_NODE:
            if (own) OnOpenNode(record.lParam);
            break;
        case MSG_DROP_MENU:
            if (own) OnDropMenu();
            break;
        case MSG_CONTEXT_MENU:
            if (own) ShowContextMenu(record.wParam != 0);
            break;
        case MSG_SPECIAL_FOLDER_FACTS:
            if (own) OnSpecialFolderFacts();
            break;
    }
    return 0;
}

bool SettingsWindow::IsDeactivation(const DialogMessage& record) {
    if (record.message == WM_ACTIVATEAPP) return record.wParam == FALSE;
    return LOWORD(record.wParam) == WA_INACTIVE;
}

bool SettingsWindow::IsOwnTreeNotify(const DialogMessage& record) const {
    const auto* header = reinterpret_cast<const NMHDR*>(record.lParam);
    return IsOwn(record) && tree_ && header != nullptr && header->idFrom == IDC_SETTINGS_TREE &&
           header->hwndFrom == tree_->GetControlHandle();
}

void SettingsWindow::OnNotify(DialogMessage& record) {
    const auto* header = reinterpret_cast<const NMHDR*>(record.lParam);
    // The tree of an ANSI dialog notifies in ANSI; the wide codes carry the
    // same layout where it matters here (the nodes), so both are taken.
    auto tree = [&record]() -> const NMTREEVIEWA& {
        return *reinterpret_cast<const NMTREEVIEWA*>(record.lParam);
    };
    switch (header->code) {
        case TVN_KEYDOWN:
            OnTreeKeyDown(reinterpret_cast<const NMTVKEYDOWN*>(record.lParam)->wVKey);
            break;
        case TVN_BEGINDRAGA:
        case TVN_BEGINDRAGW:
        case TVN_BEGINRDRAGA:
        case TVN_BEGINRDRAGW:
            OnBeginDrag(tree());
            break;
        case TVN_SELCHANGEDA:
        case TVN_SELCHANGEDW:
            OnSelChanged(tree());
            break;
        case NM_RCLICK:
            RequestContextMenu(false);
            break;
        case NM_DBLCLK:
            OpenSelected();
            break;
    }
}

void SettingsWindow::OnCommand(DialogMessage& record) {
    if (IsEscape(record)) {
        // As everywhere, Esc during a drag ends the drag and nothing else.
        if (dragging_)
            CancelDrag();
        else
            PostCommand(IDC_SETTINGS_CANCEL);
        return;
    }
    // The window's commands come from its own menus; a hidden window has no
    // working copy to edit, however a stray command got here.
    if (!IsOwn(record) || !IsEditing()) return;
    const SettingsCommandRoute route =
        RouteSettingsCommand(HIWORD(record.wParam), LOWORD(record.wParam));
    switch (route.command) {
        case SettingsCommand::None:
            break;
        case SettingsCommand::NewFolder:
            NewFolder(route.inGroup);
            break;
        case SettingsCommand::NewGroup:
            NewGroup(route.inGroup);
            break;
        case SettingsCommand::NewSeparator:
            NewSeparator(route.inGroup);
            break;
        case SettingsCommand::DeleteSelected:
            DeleteSelected();
            break;
        case SettingsCommand::EditProperties:
            EditProperties();
            break;
        case SettingsCommand::SortChildren:
            SortChildren();
            break;
        case SettingsCommand::DeleteAllChildren:
            DeleteAllChildren();
            break;
        case SettingsCommand::RestoreInitialState:
            RestoreInitialState();
            break;
        case SettingsCommand::RestoreChildren:
            RestoreChildren();
            break;
        case SettingsCommand::OpenSelected:
            OpenSelected();
            break;
        case SettingsCommand::CopyIntoGroup:
            CopyIntoGroup();
            break;
        case SettingsCommand::MoveIntoGroup:
            MoveIntoGroup();
            break;
        case SettingsCommand::CopyBelowTarget:
            CopyBelowTarget();
            break;
        case SettingsCommand::MoveBelowTarget:
            MoveBelowTarget();
            break;
        case SettingsCommand::CancelDrop:
            CancelDrop();
            break;
        case SettingsCommand::Undo:
            Undo();
            break;
        case SettingsCommand::Redo:
            Redo();
            break;
    }
}

void SettingsWindow::OnSelChanged(const NMTREEVIEWA& notification) {
    if (!pathLabel_) return;
    const NodeHandle node = TreeViewNodeTree::ToNode(notification.itemNew.hItem);
    pathLabel_->SetControlText(logic_.PathLabelText(node).c_str());
}

}  // namespace tellaro
