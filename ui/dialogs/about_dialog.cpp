#include "ui/dialogs/about_dialog.h"

#include <new>

#include "base/monitors.h"
#include "base/resource_text.h"
#include "res/resource.h"
#include "ui/dialogs/dialog_rules.h"

namespace tellaro {

namespace {

// One set for the process: only one version box with links exists at a
// time, and both link fields are edits sharing one class procedure.
struct LinkState {
    WNDPROC previous = nullptr;
    HWND target = nullptr;
    HCURSOR cursor = nullptr;
};
LinkState g_link;

LRESULT CALLBACK LinkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETCURSOR && g_link.cursor != nullptr) {
        SetCursor(g_link.cursor);
        return TRUE;
    }
    // The edit still gets the press, so the caret moves into the link.
    if (message == WM_LBUTTONDOWN)
        PostMessageA(g_link.target, MSG_LINK_CLICKED,
                     GetDlgCtrlID(window) == IDC_ABOUT_MAIL ? 1 : 2, 0);
    if (g_link.previous == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    return CallWindowProcA(g_link.previous, window, message, wParam, lParam);
}

LONG_PTR LinkProcValue() {
    return reinterpret_cast<LONG_PTR>(&LinkProc);
}

void InstallLinkProc(HWND control) {
    if (control == nullptr || GetWindowLongPtrA(control, GWLP_WNDPROC) == LinkProcValue()) return;
    const LONG_PTR previous = SetWindowLongPtrA(control, GWLP_WNDPROC, LinkProcValue());
    if (g_link.previous == nullptr) g_link.previous = reinterpret_cast<WNDPROC>(previous);
}

// Only a procedure that is ours goes back: restoring on a control that was
// never subclassed would install whatever the state holds, null included.
void RemoveLinkProc(const std::unique_ptr<DialogControl>& link) {
    HWND control = link ? link->GetControlHandle() : nullptr;
    if (control == nullptr || !IsWindow(control) || g_link.previous == nullptr ||
        GetWindowLongPtrA(control, GWLP_WNDPROC) != LinkProcValue())
        return;
    SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_link.previous));
}

bool IsLinkControl(LPARAM control) {
    const int id = GetDlgCtrlID(reinterpret_cast<HWND>(control));
    return id == IDC_ABOUT_HOMEPAGE || id == IDC_ABOUT_MAIL;
}

}  // namespace

AboutDialog::~AboutDialog() {
    Close();
}

BOOL AboutDialog::Show(int flag) {
    if (flag != 0 && IsLive()) {
        const ScreenPoint at = CentreIn(WorkAreaForOwner(opener_), GetWidth(), GetHeight());
        MoveTo(at.y, at.x);
    }
    return Dialog::Show(flag);
}

void AboutDialog::SetSettingsFolder(const std::wstring& folder) {
    if (IsLive()) SetDlgItemTextW(GetHandle(), IDC_ABOUT_SETTINGS_FOLDER, folder.c_str());
}

int AboutDialog::Create() {
    if (GetHandle() != nullptr) return 0;
    if (CreateModeless(ModuleInstance(), IDD_ABOUT) != 0) return -1;
    SetProgramIcons();
    InitLinks();
    SetWindowPos(GetHandle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return 0;
}

int AboutDialog::InitLinks() {
    // A second run would record the link procedure as the edits' own and
    // then call itself for ever.
    if (linksInstalled_) return 0;
    HWND dialog = GetHandle();
    homePage_.reset(new (std::nothrow) DialogControl(dialog, IDC_ABOUT_HOMEPAGE));
    mail_.reset(new (std::nothrow) DialogControl(dialog, IDC_ABOUT_MAIL));
    if (!homePage_ || !mail_) {
        homePage_.reset();
        mail_.reset();
        return -1;
    }
    homePage_->SetControlText(LoadResourceString(IDS_HOMEPAGE_URL).c_str());
    mail_->SetControlText(LoadResourceString(IDS_MAIL_ADDRESS).c_str());

    LOGFONTA font = {};
    HGDIOBJ dialogFont = reinterpret_cast<HGDIOBJ>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    if (dialogFont != nullptr && GetObjectA(dialogFont, sizeof(font), &font) == sizeof(font)) {
        font.lfUnderline = TRUE;
        linkFont_ = CreateFontIndirectA(&font);
    }
    for (const auto* link : {homePage_.get(), mail_.get()}) {
        if (linkFont_ != nullptr)
            SendMessageA(link->GetControlHandle(), WM_SETFONT, reinterpret_cast<WPARAM>(linkFont_),
                         FALSE);
    }
    g_link.cursor = LoadCursorA(ModuleInstance(), MAKEINTRESOURCEA(IDCUR_LINK));
    g_link.target = dialog;
    InstallLinkProc(homePage_->GetControlHandle());
    InstallLinkProc(mail_->GetControlHandle());
    linksInstalled_ = true;
    return 0;
}

int AboutDialog::Close() {
    if (linksInstalled_) {
        RemoveLinkProc(homePage_);
        RemoveLinkProc(mail_);
        g_link = LinkState();
        linksInstalled_ = false;
    }
    // Deleting the wrappers destroys the link fields; the font they use
    // may go only after them.
    mail_.reset();
    homePage_.reset();
    if (linkFont_ != nullptr) {
        DeleteObject(linkFont_);
        linkFont_ = nullptr;
    }
    if (GetHandle() == nullptr) return 0;
    Show(0);
    return Destroy();
}

int AboutDialog::OnMessage(DialogMessage& record) {
    switch (record.message) {
        case WM_CLOSE:
            Destroy();
            break;
        case WM_COMMAND:
            if (IsEscape(record)) PostCommand(IDC_ABOUT_OK);
            if (LOWORD(record.wParam) == IDC_ABOUT_OK && HIWORD(record.wParam) == 0) Show(0);
            break;
        case WM_SYSCOMMAND:
            if (IsCloseBox(record)) {
                Show(0);
                record.result = 1;
            }
            break;
        case WM_CTLCOLORSTATIC:
            // Read-only edits ask with this message: links are blue on the
            // dialog's face.
            if (IsOwn(record) && IsLinkControl(record.lParam)) {
                HDC dc = reinterpret_cast<HDC>(record.wParam);
                SetTextColor(dc, RGB(0, 0, 255));
                SetBkMode(dc, TRANSPARENT);
                record.result = reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_3DFACE));
            }
            break;
    }
    return 0;
}

}  // namespace tellaro
