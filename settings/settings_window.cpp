#include "settings/settings_window.h"

#include "res/resource.h"

namespace tellaro {

SettingsWindow::~SettingsWindow() { Close(); }

int SettingsWindow::Open() {
    if (CreateModeless(ModuleInstance(), IDD_SETTINGS) != 0) return -1;
    SetClassIcon(LoadIconA(ModuleInstance(), MAKEINTRESOURCEA(IDI_PROGRAM)));
    SetClassSmallIcon(static_cast<HICON>(LoadImageA(
        ModuleInstance(), MAKEINTRESOURCEA(IDI_PROGRAM_SMALL), IMAGE_ICON, 16, 16, 0)));
    return 0;
}

int SettingsWindow::Close() {
    if (GetHandle() == nullptr) return 0;
    Show(0);
    return Destroy();
}

int SettingsWindow::OnMessage(DialogMessage& record) {
    switch (record.message) {
        case WM_CLOSE:
            // Whatever dialog it was sent to: closing any window of the
            // program closes the program.
            Destroy();
            break;
        case WM_COMMAND:
            if (IsEscape(record)) PostCommand(IDC_SETTINGS_CANCEL);
            break;
        case WM_SYSCOMMAND:
            // The close box only hides the window and drops the edit.
            if (IsCloseBox(record)) {
                Show(0);
                PostCommand(IDC_SETTINGS_CANCEL);
                record.result = 1;
            }
            break;
    }
    return 0;
}

// The tree view editor arrives with a later change; until then the window
// keeps the settings it was loaded with, so OK hands back exactly those.
int SettingsWindow::LoadTree(const FolderSettings& settings, bool discardItems) {
    (void)discardItems;
    shown_ = settings;
    return 0;
}

void SettingsWindow::ShowWithItems(bool show, const FolderItemList& items) {
    Show(show ? 1 : 0);
    shown_.items.Assign(items);
}

int SettingsWindow::CollectSettings(FolderSettings& out) {
    out = shown_;
    return 0;
}

int SettingsWindow::InitWindow() { return 0; }

}  // namespace tellaro
