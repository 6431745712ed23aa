#include "ui/dialogs/folder_properties_dialog.h"

#include <shlobj.h>

#include <memory>
#include <new>
#include <optional>

#include "base/locked.h"
#include "base/modal_loop.h"
#include "base/monitors.h"
#include "base/path_text.h"
#include "base/resource_text.h"
#include "base/system_code_page.h"
#include "res/resource.h"

namespace tellaro {

namespace {

// The maximum display name, in characters.
constexpr int kNameLimit = 40;

ScreenRect ClientRectOf(HWND dialog, HWND control) {
    RECT r = {};
    GetWindowRect(control, &r);
    POINT topLeft = {r.left, r.top}, bottomRight = {r.right, r.bottom};
    ScreenToClient(dialog, &topLeft);
    ScreenToClient(dialog, &bottomRight);
    return ScreenRect{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

void PlaceControl(HWND control, const ScreenRect& r) {
    MoveWindow(control, r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
}

constexpr UINT_PTR kPathCheckTimer = 1;

bool IsDirectoryNow(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

// Shared by the dialog and the thread that checks: the thread may answer
// after the dialog has ended, and then tells no one.
struct PathCheckState {
    explicit PathCheckState(HWND dialog) : notify(dialog) { InitializeCriticalSection(&lock); }
    ~PathCheckState() { DeleteCriticalSection(&lock); }
    PathCheckState(const PathCheckState&) = delete;
    PathCheckState& operator=(const PathCheckState&) = delete;

    void Finish(bool directory) {
        Locked held(lock);
        answer = directory ? PathAnswer::Directory : PathAnswer::NotDirectory;
        if (notify != nullptr) PostMessageA(notify, MSG_PROPERTIES_PATH_CHECKED, 0, 0);
    }
    void Forget() {
        Locked held(lock);
        notify = nullptr;
    }
    PathAnswer Answer() {
        Locked held(lock);
        return answer;
    }

    CRITICAL_SECTION lock;
    HWND notify;
    PathAnswer answer = PathAnswer::None;
};

namespace {

struct PathCheckJob {
    std::shared_ptr<PathCheckState> state;
    bool (*check)(const std::string& path);
    std::string path;
};

DWORD WINAPI PathCheckThread(void* parameter) {
    std::unique_ptr<PathCheckJob> job(static_cast<PathCheckJob*>(parameter));
    job->state->Finish(job->check(job->path));
    return 0;
}

}  // namespace

FolderPropertiesDialog* FolderPropertiesDialog::current_ = nullptr;

FolderPropertiesDialog::FolderPropertiesDialog(HWND parent) : Dialog(parent) {
    current_ = this;
}

FolderPropertiesDialog::~FolderPropertiesDialog() {
    EndPathCheck();
    DestroyControls();
    if (current_ == this) current_ = nullptr;
}

INT_PTR CALLBACK FolderPropertiesDialog::DialogProc(HWND window, UINT message, WPARAM wParam,
                                                    LPARAM lParam) {
    return RunModalProc(current_, window, message, wParam, lParam);
}

int FolderPropertiesDialog::Open(const FolderItem& modeRecord) {
    if (GetHandle() != nullptr) return 0;
    mode_ = modeRecord.kind;
    path_ = modeRecord.path;
    name_ = modeRecord.name;
    accepted_ = false;
    current_ = this;
    DoModal(ModuleInstance(), IDD_FOLDER_PROPERTIES, 0, &FolderPropertiesDialog::DialogProc);
    EndPathCheck();
    // Only OK hands texts back: a dialog destroyed with its owner must not
    // read as confirmed.
    return accepted_ ? 0 : -1;
}

int FolderPropertiesDialog::DestroyControls() {
    helpButton_.reset();
    cancelButton_.reset();
    okButton_.reset();
    nameEdit_.reset();
    browseButton_.reset();
    pathEdit_.reset();
    return 0;
}

int FolderPropertiesDialog::CreateControls() {
    HWND d = GetHandle();
    const bool wrapped = WrapControl(pathEdit_, d, IDC_PROPERTIES_PATH) &&
                         WrapControl(browseButton_, d, IDC_PROPERTIES_BROWSE) &&
                         WrapControl(nameEdit_, d, IDC_PROPERTIES_NAME) &&
                         WrapControl(okButton_, d, IDC_PROPERTIES_OK) &&
                         WrapControl(cancelButton_, d, IDC_PROPERTIES_CANCEL) &&
                         WrapControl(helpButton_, d, IDC_PROPERTIES_HELP);
    if (!wrapped) {
        DestroyControls();  // nothing reads half a dialog
        return -1;
    }
    nameEdit_->LimitText(kNameLimit);
    return 0;
}

int FolderPropertiesDialog::OnMessage(DialogMessage& record) {
    if (!IsOwn(record)) return 0;
    switch (record.message) {
        case WM_INITDIALOG:
            OnInitDialog(record);
            break;
        case WM_SIZE:
            OnSize(record);
            break;
        case WM_COMMAND:
            OnCommand(record);
            break;
        case WM_SYSCOMMAND:
            if (IsCloseBox(record)) {
                PostCommand(IDC_PROPERTIES_CANCEL);
                record.result = 1;
            }
            break;
        case WM_SIZING:
            OnSizing(record);
            break;
        case MSG_PROPERTIES_ENTER:
            OnEnter();
            break;
        case MSG_PROPERTIES_PATH_CHECKED:
            OnPathChecked();
            break;
        case WM_TIMER:
            if (record.wParam == kPathCheckTimer) OnPathCheckTimer();
            break;
    }
    return 0;
}

void FolderPropertiesDialog::OnCommand(DialogMessage& record) {
    if (record.lParam == 0 && record.wParam == IDOK) {
        // Enter: handled once the key's own processing is over.
        PostMessageA(GetHandle(), MSG_PROPERTIES_ENTER, 0, 0);
        return;
    }
    if (IsEscape(record)) {
        PostCommand(IDC_PROPERTIES_CANCEL);
        return;
    }
    if (HIWORD(record.wParam) != 0) return;
    switch (LOWORD(record.wParam)) {
        case IDC_PROPERTIES_BROWSE:
            OnBrowse();
            break;
        case IDC_PROPERTIES_OK:
            OnOk();
            break;
        case IDC_PROPERTIES_CANCEL:
            OnCancel();
            break;
        case IDC_PROPERTIES_HELP:
            OnHelp();
            break;
    }
}

void FolderPropertiesDialog::OnEnter() {
    HWND focus = GetFocus();
    if (focus == nullptr || !HasControls()) return;
    if (focus == Control(pathEdit_.get())) {
        nameEdit_->FocusControl();
    } else if (focus == Control(nameEdit_.get())) {
        okButton_->FocusControl();
    } else if (focus == Control(okButton_.get())) {
        PostCommand(IDC_PROPERTIES_OK);
    }
}

FolderPropertiesDialog::DirectoryCheck FolderPropertiesDialog::GetDirectoryCheck() const {
    return &IsDirectoryNow;
}

int FolderPropertiesDialog::ShowMessage(HWND owner, int textId, int captionId, UINT flags) {
    return ModalMessageBox(owner, LoadResourceString(textId), LoadResourceString(captionId), flags);
}

void FolderPropertiesDialog::OnOk() {
    // A second OK while the path is checked would start a second check.
    if (!HasControls() || pathCheck_) return;
    path_ = pathEdit_->GetControlText();
    name_ = nameEdit_->GetControlText();
    if (DescribePropertiesMode(mode_).folder) {
        StartPathCheck();
        return;
    }
    Conclude(false);
}

void FolderPropertiesDialog::Conclude(bool pathIsDirectory) {
    const int refusal = CheckPropertiesInput(mode_, pathIsDirectory, name_);
    if (refusal != 0) {
        ShowMessage(GetHandle(), refusal, IDS_INPUT_CAPTION, MB_OK | MB_ICONINFORMATION);
        return;
    }
    accepted_ = true;
    EndModal(0);
}

void FolderPropertiesDialog::StartPathCheck() {
    const DirectoryCheck check = GetDirectoryCheck();
    try {
        auto state = std::make_shared<PathCheckState>(GetHandle());
        auto job = std::make_unique<PathCheckJob>(PathCheckJob{state, check, path_});
        HANDLE thread = CreateThread(nullptr, 0, PathCheckThread, job.get(), 0, nullptr);
        if (thread != nullptr) {
            job.release();  // the thread's now
            CloseHandle(thread);
            pathCheck_ = std::move(state);
            SetTimer(GetHandle(), kPathCheckTimer, kPathCheckPatienceMs, nullptr);
            return;
        }
    } catch (const std::bad_alloc&) {
    }
    // No thread to be had: checked here, as it always was.
    Conclude(check(path_));
}

void FolderPropertiesDialog::EndPathCheck() {
    if (!pathCheck_) return;
    if (GetHandle() != nullptr) KillTimer(GetHandle(), kPathCheckTimer);
    pathCheck_->Forget();
    pathCheck_.reset();
}

void FolderPropertiesDialog::OnPathChecked() {
    // Anyone may post the message: only a check of ours that has answered
    // counts, and not while the user is being asked about it.
    if (!pathCheck_ || askingAboutPath_) return;
    const PathAnswer answer = pathCheck_->Answer();
    if (answer == PathAnswer::None) return;
    EndPathCheck();
    Conclude(answer == PathAnswer::Directory);
}

void FolderPropertiesDialog::OnPathCheckTimer() {
    KillTimer(GetHandle(), kPathCheckTimer);
    if (!pathCheck_ || askingAboutPath_) return;
    askingAboutPath_ = true;
    const bool keep = ShowMessage(GetHandle(), IDS_PATH_NOT_ANSWERING, IDS_INPUT_CAPTION,
                                  MB_YESNO | MB_ICONQUESTION) == IDYES;
    askingAboutPath_ = false;
    // A question ended by an exit from outside was answered by no one.
    if (!pathCheck_ || ModalLoop::Exiting()) {
        EndPathCheck();
        return;
    }
    const PathAnswer answer = pathCheck_->Answer();
    EndPathCheck();
    const PathDecision decision = DecideAfterQuestion(answer, keep);
    if (decision != PathDecision::KeepEditing) Conclude(decision == PathDecision::Accept);
}

void FolderPropertiesDialog::OnCancel() {
    Show(0);
    EndModal(-1);
}

void FolderPropertiesDialog::OnBrowse() {
    HWND dialog = GetHandle();
    if (!HasControls() || ModalLoop::Exiting()) return;
    LPITEMIDLIST root = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(dialog, CSIDL_DESKTOP, &root)) || root == nullptr) return;
    const std::string title = LoadResourceString(IDS_BROWSE_TITLE);
    char buffer[MAX_PATH] = {};  // the picker's display name, then the path
    BROWSEINFOA info = {};
    info.hwndOwner = dialog;
    info.pidlRoot = root;
    info.pszDisplayName = buffer;
    info.lpszTitle = title.c_str();
    LPITEMIDLIST chosen = nullptr;
    {
        ModalLoop loop;
        chosen = SHBrowseForFolderA(&info);
    }
    if (chosen != nullptr) {
        // A picker ended by an exit has chosen nothing.
        if (!ModalLoop::Exiting()) TakeChosenFolder(chosen);
        CoTaskMemFree(chosen);
    }
    CoTaskMemFree(root);
}

void FolderPropertiesDialog::TakeChosenFolder(LPCITEMIDLIST chosen) {
    wchar_t wide[MAX_PATH] = {};  // the size the call is defined with
    if (!SHGetPathFromIDListW(chosen, wide)) {
        ShowMessage(nullptr, IDS_BROWSE_NO_PATH, IDS_ERROR_CAPTION, MB_OK | MB_ICONHAND);
        return;
    }
    // The ANSI form would hold "?" or a look-alike for what the code page
    // lacks, and name another folder, or none.
    const std::optional<std::string> path = ToSystemAnsi(wide);
    if (!path) {
        ModalMessageBoxWide(GetHandle(), LoadResourceString(IDS_FOLDER_NAME_NOT_KEPT), wide,
                            LoadResourceString(IDS_PROGRAM_ERROR_CAPTION), MB_OK | MB_ICONERROR);
        return;
    }
    path_ = *path;
    name_ = NameFromPath(path_, IsSystemLeadByte);
    pathEdit_->SetControlText(path_.c_str());
    nameEdit_->SetControlText(name_.c_str());
}

void FolderPropertiesDialog::MeasureLayout() {
    HWND dialog = GetHandle();
    PropertiesControls c;
    c.path = ClientRectOf(dialog, Control(pathEdit_.get()));
    c.browse = ClientRectOf(dialog, Control(browseButton_.get()));
    c.name = ClientRectOf(dialog, Control(nameEdit_.get()));
    c.ok = ClientRectOf(dialog, Control(okButton_.get()));
    c.cancel = ClientRectOf(dialog, Control(cancelButton_.get()));
    c.help = ClientRectOf(dialog, Control(helpButton_.get()));
    layout_ = MeasurePropertiesLayout(GetClientWidth(), GetClientHeight(), c, GetHeight());
    haveLayout_ = true;
}

void FolderPropertiesDialog::OnInitDialog(DialogMessage& record) {
    // A dialog without its controls cannot be used: it ends at once, as
    // cancelled.
    if (CreateControls() != 0) {
        EndModal(-1);
        return;
    }
    MeasureLayout();
    // Centred on the settings window's monitor, wherever the pointer is.
    const ScreenPoint at =
        CentreIn(WorkAreaForOwner(GetWindow(GetHandle(), GW_OWNER)), GetWidth(), GetHeight());
    SetWindowPos(GetHandle(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const PropertiesModeInfo info = DescribePropertiesMode(mode_);
    pathEdit_->EnableControl(info.folder);
    browseButton_->EnableControl(info.folder);
    if (!info.initialTexts) {
        path_.clear();
        name_.clear();
    }
    pathEdit_->SetControlText(info.folder ? path_.c_str() : "");
    nameEdit_->SetControlText(name_.c_str());
    SetText(LoadResourceString(info.titleId).c_str());
    // The first field the mode asks for takes the keyboard.
    (info.folder ? pathEdit_ : nameEdit_)->FocusControl();
    record.result = 0;
}

void FolderPropertiesDialog::OnSize(DialogMessage& record) {
    if (!haveLayout_ || (record.wParam != SIZE_RESTORED && record.wParam != SIZE_MAXIMIZED)) return;
    const PropertiesControls c =
        PlacePropertiesControls(layout_, LOWORD(record.lParam), HIWORD(record.lParam));
    PlaceControl(Control(pathEdit_.get()), c.path);
    PlaceControl(Control(browseButton_.get()), c.browse);
    PlaceControl(Control(nameEdit_.get()), c.name);
    PlaceControl(Control(okButton_.get()), c.ok);
    PlaceControl(Control(cancelButton_.get()), c.cancel);
    PlaceControl(Control(helpButton_.get()), c.help);
    Invalidate();
}

void FolderPropertiesDialog::OnSizing(DialogMessage& record) {
    if (!haveLayout_ || record.lParam == 0) return;
    RECT* proposed = reinterpret_cast<RECT*>(record.lParam);
    ScreenRect r{proposed->left, proposed->top, proposed->right, proposed->bottom};
    ClampPropertiesSizing(r, static_cast<int>(record.wParam), layout_);
    *proposed = RECT{r.left, r.top, r.right, r.bottom};
    record.result = 1;
}

}  // namespace tellaro
