#include "ui/dialogs/options_dialog.h"

#include "res/resource.h"

namespace tellaro {

OptionsDialog::~OptionsDialog() { Close(); }

int OptionsDialog::Create() {
    if (CreateModeless(ModuleInstance(), IDD_OPTIONS) != 0) return -1;
    SetClassIcon(LoadIconA(ModuleInstance(), MAKEINTRESOURCEA(IDI_PROGRAM)));
    SetClassSmallIcon(static_cast<HICON>(LoadImageA(
        ModuleInstance(), MAKEINTRESOURCEA(IDI_PROGRAM_SMALL), IMAGE_ICON, 16, 16, 0)));
    return 0;
}

int OptionsDialog::Close() {
    if (GetHandle() == nullptr) return 0;
    Show(0);
    return Destroy();
}

int OptionsDialog::OnMessage(DialogMessage& record) {
    if (record.message == WM_CLOSE) {
        Destroy();
    } else if (IsEscape(record)) {
        PostCommand(IDC_OPTIONS_CANCEL);
    } else if (IsCloseBox(record)) {
        Show(0);
        PostCommand(IDC_OPTIONS_CANCEL);
        record.result = 1;
    }
    return 0;
}

// The controls are filled and read by a later change; until then the dialog
// keeps the record it was given, so OK hands back exactly what it showed.
int OptionsDialog::SetValues(const OptionsRecord& values) {
    values_ = values;
    return 0;
}

int OptionsDialog::GetValues(OptionsRecord& values) {
    values = values_;
    return 0;
}

}  // namespace tellaro
