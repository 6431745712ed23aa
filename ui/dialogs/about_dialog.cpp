#include "ui/dialogs/about_dialog.h"

#include "res/resource.h"

namespace tellaro {

AboutDialog::~AboutDialog() { Close(); }

int AboutDialog::Create() {
    if (GetHandle() != nullptr) return 0;
    if (CreateModeless(ModuleInstance(), IDD_ABOUT) != 0) return -1;
    SetClassIcon(LoadIconA(ModuleInstance(), MAKEINTRESOURCEA(IDI_PROGRAM)));
    SetClassSmallIcon(static_cast<HICON>(LoadImageA(
        ModuleInstance(), MAKEINTRESOURCEA(IDI_PROGRAM_SMALL), IMAGE_ICON, 16, 16, 0)));
    SetWindowPos(GetHandle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return 0;
}

int AboutDialog::Close() {
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
    }
    return 0;
}

}  // namespace tellaro
