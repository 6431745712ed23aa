// The settings window's controls, image lists and layout; sizing and
// placing the window.
#include <shlobj.h>

#include <new>

#include "base/monitors.h"
#include "config/special_folder_table.h"
#include "res/resource.h"
#include "settings/settings_window.h"

namespace tellaro {

namespace {

// A control's rectangle in the client coordinates of its dialog.
ScreenRect ClientRectOf(HWND dialog, const DialogControl& control) {
    RECT r = {};
    GetWindowRect(control.GetControlHandle(), &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return ToScreenRect(r);
}

void Place(const DialogControl& control, const ScreenRect& r) {
    // Without repainting: the window is invalidated once afterwards.
    MoveWindow(control.GetControlHandle(), r.left, r.top, r.right - r.left, r.bottom - r.top,
               FALSE);
}

constexpr UINT kImageFlags = ILC_MASK | ILC_COLOR8;

}  // namespace

int SettingsWindow::CreateControls() {
    HWND dialog = GetHandle();
    if (!WrapControl(pathLabel_, dialog, IDC_SETTINGS_PATH) ||
        !WrapControl(tree_, dialog, IDC_SETTINGS_TREE) ||
        !WrapControl(okButton_, dialog, IDC_SETTINGS_OK) ||
        !WrapControl(cancelButton_, dialog, IDC_SETTINGS_CANCEL) ||
        !WrapControl(helpButton_, dialog, IDC_SETTINGS_HELP))
        return -1;
    nodes_.SetControl(tree_.get());
    return MeasureLayout();
}

int SettingsWindow::MeasureLayout() {
    RECT client = {};
    if (!GetClientRect(GetHandle(), &client)) return -1;
    HWND dialog = GetHandle();
    const FrameControls made{ClientRectOf(dialog, *pathLabel_), ClientRectOf(dialog, *tree_),
                             ClientRectOf(dialog, *okButton_), ClientRectOf(dialog, *cancelButton_),
                             ClientRectOf(dialog, *helpButton_)};
    layout_ = MeasureFrameLayout(client.right, client.bottom, made);
    haveLayout_ = true;
    return 0;
}

// The images are as large as the system's small icons and its cursors, which
// grow with the screen's DPI: at 16 and 32 pixels they would look tiny
// beside the scaled text at 150 or 200 %. The resources hold each size, so
// nothing is stretched.
int SettingsWindow::CreateTreeImages() {
    if (!tree_) return -1;
    if (treeImages_) return 0;
    HINSTANCE module = ModuleInstance();
    const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
    treeImages_.reset(new (std::nothrow) ImageList());
    if (!treeImages_ || treeImages_->Create(cx, cy, kImageFlags, node_image::kCount, 1) != 0)
        return -1;
    // The program's icon stands in for each special folder's until the
    // shell's comes, and wherever the shell has none: image 4 + j is always
    // entry j's. Added once and copied, as adding an icon costs far more.
    static const int kIcons[] = {IDI_MENU_ROOT, IDI_GROUP, IDI_FOLDER, IDI_SEPARATOR,
                                 IDI_PROGRAM_SMALL};
    const int standIn = node_image::kSpecial1Base;
    if (treeImages_->AddIconResources(module, kIcons, 5, cx, cy) == 0 &&
        treeImages_->SetImageCount(static_cast<UINT>(node_image::kCount)) == 0)
        for (int i = standIn + 1; i < node_image::kCount; ++i) treeImages_->CopyImage(i, standIn);
    tree_->SetImageList(treeImages_->GetHandle(), TVSIL_NORMAL);
    return 0;
}

// Needed only once the user drags a node.
int SettingsWindow::CreateDragCursors() {
    if (dragCursors_) return 0;
    dragCursors_.reset(new (std::nothrow) ImageList());
    if (!dragCursors_ ||
        dragCursors_->Create(GetSystemMetrics(SM_CXCURSOR), GetSystemMetrics(SM_CYCURSOR),
                             kImageFlags, 3, 1) != 0) {
        dragCursors_.reset();
        return -1;
    }
    for (int id : {IDCUR_DROP_ALLOWED, IDCUR_DROP_DENIED, IDCUR_DROP_NONE})
        dragCursors_->AddIcon(LoadCursorA(ModuleInstance(), MAKEINTRESOURCEA(id)));
    return 0;
}

// Nobody sees the images of a hidden window, so the shell is first asked
// once the window has been shown, and the window never waits for its
// answers.
void SettingsWindow::StartShellFetch() {
    if (treeImages_ == nullptr || GetHandle() == nullptr) return;
    if (!fetch_) fetch_.reset(new (std::nothrow) SpecialFolderFetch());
    if (fetch_) fetch_->Start(GetHandle(), MSG_SPECIAL_FOLDER_FACTS, ShellAsk());
}

bool SettingsWindow::ShellAnswersTaken() const {
    return fetch_ && fetch_->Finished() && !fetch_->IconsWaiting() &&
           !logic_.SpecialFoldersDeferred();
}

// Anyone may post the notice: it only makes the window read what waits.
void SettingsWindow::OnSpecialFolderFacts() {
    if (!fetch_) return;
    SpecialFolderFetch::Icons icons = fetch_->TakeIcons();
    bool changed = false;
    for (std::size_t i = 0; i < icons.size(); ++i) {
        if (icons[i] == nullptr) continue;
        if (treeImages_ && treeImages_->ReplaceIcon(node_image::kSpecial1Base + static_cast<int>(i),
                                                    icons[i]) == 0)
            changed = true;
        DestroyIcon(icons[i]);
    }
    if (fetch_->AvailabilityKnown() && logic_.SpecialFoldersDeferred()) {
        logic_.FillDeferredSpecialFolders();
        changed = true;
    }
    if (changed && tree_) tree_->Invalidate();
}

void SettingsWindow::OnSize(DialogMessage& record) {
    // WM_SIZE arrives while the dialog is being created, before the controls
    // are wrapped and measured.
    if (!haveLayout_ || !pathLabel_ || !tree_ || !okButton_ || !cancelButton_ || !helpButton_)
        return;
    if (record.wParam != SIZE_RESTORED && record.wParam != SIZE_MAXIMIZED) return;
    const FrameControls at =
        PlaceFrameControls(layout_, LOWORD(record.lParam), HIWORD(record.lParam));
    Place(*pathLabel_, at.label);
    Place(*tree_, at.tree);
    Place(*okButton_, at.ok);
    Place(*cancelButton_, at.cancel);
    Place(*helpButton_, at.help);
    Invalidate();
}

void SettingsWindow::OnSizing(DialogMessage& record) {
    auto* rect = reinterpret_cast<RECT*>(record.lParam);
    if (rect == nullptr) return;
    ScreenRect r = ToScreenRect(*rect);
    ClampSizingRect(r, static_cast<int>(record.wParam), haveLayout_ ? layout_.minWidth : 0);
    *rect = RECT{r.left, r.top, r.right, r.bottom};
    record.result = TRUE;
}

BOOL SettingsWindow::Show(int flag) {
    // Built before the window appears, so that it never shows an empty tree.
    if (flag == 1) {
        CreateTreeImages();
        BuildPendingTree();
    }
    if (flag == 1 && IsLive()) {
        // Inside the work area of the monitor the user is working on.
        const ScreenPoint pointer = PointerPosition();
        const int width = GetWidth();
        const int height = GetHeight();
        const ScreenPoint at = PlaceAtPointer(pointer, width, height, WorkAreaAt(pointer));
        MoveWindow(GetHandle(), at.x, at.y, width, height, FALSE);
    }
    const BOOL shown = Dialog::Show(flag);
    if (flag == 1 && tree_) tree_->FocusControl();
    if (flag == 1 && !fetch_ && IsLive()) {
        // Painted before the shell is asked: its first calls load libraries
        // and would hold this thread's own work up.
        RedrawWindow(GetHandle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        StartShellFetch();
    }
    return shown;
}

}  // namespace tellaro
