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
int SettingsWindow::CreateImageLists() {
    if (!tree_) return -1;
    HINSTANCE module = ModuleInstance();
    if (!dragCursors_) {
        dragCursors_.reset(new (std::nothrow) ImageList());
        if (!dragCursors_ ||
            dragCursors_->Create(GetSystemMetrics(SM_CXCURSOR), GetSystemMetrics(SM_CYCURSOR),
                                 kImageFlags, 3, 1) != 0)
            return -1;
        for (int id : {IDCUR_DROP_ALLOWED, IDCUR_DROP_DENIED, IDCUR_DROP_NONE})
            dragCursors_->AddIcon(LoadCursorA(module, MAKEINTRESOURCEA(id)));
    }
    if (!treeImages_) {
        const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
        treeImages_.reset(new (std::nothrow) ImageList());
        if (!treeImages_ || treeImages_->Create(cx, cy, kImageFlags, node_image::kCount, 1) != 0)
            return -1;
        for (int id : {IDI_MENU_ROOT, IDI_GROUP, IDI_FOLDER, IDI_SEPARATOR})
            treeImages_->AddIconResource(module, id, cx, cy);
    }
    // The special folders' icons follow at once.
    tree_->SetImageList(treeImages_->GetHandle(), TVSIL_NORMAL);
    return 0;
}

// The image lists with the shell's icon of every special folder, and whether
// each has a directory. Asking the shell 45 times costs a noticeable moment,
// and nobody sees the images of a hidden window, so all this waits until the
// window is first shown.
void SettingsWindow::LoadShellImages() {
    int cx = 0, cy = 0;
    if (shellImagesLoaded_ || CreateImageLists() != 0 || treeImages_->GetIconSize(&cx, &cy) != 0)
        return;
    shellImagesLoaded_ = true;
    for (std::size_t i = 0; i < SpecialFolderTable::EntryCount; ++i) {
        std::uint8_t& hasDirectory =
            i < kSpecialFolderCount1 ? hasDirectory1_[i] : hasDirectory2_[i - kSpecialFolderCount1];
        hasDirectory = 0;
        LPITEMIDLIST list = nullptr;
        HICON icon = nullptr;
        if (SUCCEEDED(
                SHGetSpecialFolderLocation(nullptr, SpecialFolderTable::Entry(i).csidl, &list))) {
            // Wide: a path the code page lacks is still a directory, which
            // a copy into the user list then refuses by name.
            wchar_t path[MAX_PATH] = {};
            if (SHGetPathFromIDListW(list, path)) {
                const DWORD attributes = GetFileAttributesW(path);
                hasDirectory = attributes != INVALID_FILE_ATTRIBUTES &&
                               (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            }
            // The shell's small icons are the system's small-icon size too.
            SHFILEINFOA info = {};
            if (SHGetFileInfoA(reinterpret_cast<LPCSTR>(list), 0, &info, sizeof(info),
                               SHGFI_PIDL | SHGFI_ICON | SHGFI_SMALLICON))
                icon = info.hIcon;
            CoTaskMemFree(list);
        }
        // The program's icon stands in, so that image 4 + j stays entry j's.
        if (icon == nullptr || treeImages_->AddIcon(icon) < 0)
            treeImages_->AddIconResource(ModuleInstance(), IDI_PROGRAM_SMALL, cx, cy);
        if (icon != nullptr) DestroyIcon(icon);
    }
    if (tree_) tree_->Invalidate();
}

const std::uint8_t* SettingsWindow::HasDirectory1() {
    LoadShellImages();
    return hasDirectory1_;
}

const std::uint8_t* SettingsWindow::HasDirectory2() {
    LoadShellImages();
    return hasDirectory2_;
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
        BuildPendingTree();
        LoadShellImages();
    }
    if (flag == 1 && IsLive()) {
        // Inside the work area of the monitor the user is working on.
        const ScreenPoint pointer = PointerPosition();
        const int width = GetWidth();
        const int height = GetHeight();
        const ScreenPoint at = PlaceAtPointer(pointer, width, height, WorkAreaAt(pointer));
        MoveWindow(GetHandle(), at.x, at.y, width, height, FALSE);
    }
    return Dialog::Show(flag);
}

}  // namespace tellaro
