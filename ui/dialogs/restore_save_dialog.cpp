#include "ui/dialogs/restore_save_dialog.h"

#include "base/modal_loop.h"
#include "base/module_instance.h"
#include "base/resource_language.h"
#include "base/resource_text.h"
#include "res/resource.h"

namespace tellaro {

namespace {

struct RestoreState {
    const std::vector<RestoreEntry>* entries;
    int chosen;
};

void FillList(HWND dialog, const std::vector<RestoreEntry>& entries) {
    HWND list = GetDlgItem(dialog, IDC_RESTORE_LIST);
    for (const RestoreEntry& entry : entries)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.text.c_str()));
    SendMessageA(list, LB_SETCURSEL, 0, 0);
    SetFocus(list);
}

// Ends the dialog with the selected entry, unless that one cannot be read.
void Choose(HWND dialog, RestoreState& state) {
    const LRESULT index = SendDlgItemMessageA(dialog, IDC_RESTORE_LIST, LB_GETCURSEL, 0, 0);
    if (index < 0 || static_cast<std::size_t>(index) >= state.entries->size()) return;
    if (!(*state.entries)[static_cast<std::size_t>(index)].readable) {
        ModalMessageBox(dialog, LoadResourceString(IDS_RESTORE_UNREADABLE),
                        LoadResourceString(IDS_ERROR_CAPTION), MB_OK | MB_ICONWARNING);
        return;
    }
    state.chosen = static_cast<int>(index);
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK RestoreProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<RestoreState*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            FillList(dialog, *reinterpret_cast<RestoreState*>(lParam)->entries);
            return FALSE;
        case WM_COMMAND:
            if (state == nullptr) return FALSE;
            if (LOWORD(wParam) == IDOK ||
                (LOWORD(wParam) == IDC_RESTORE_LIST && HIWORD(wParam) == LBN_DBLCLK)) {
                Choose(dialog, *state);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            return FALSE;
    }
    return FALSE;
}

}  // namespace

int ChooseKeptSave(HWND owner, const std::vector<RestoreEntry>& entries) {
    if (entries.empty() || ModalLoop::Exiting()) return -1;
    const void* dialogTemplate =
        FindProgramResource(ModuleInstance(), RT_DIALOG, IDD_RESTORE_SAVE, nullptr);
    if (dialogTemplate == nullptr) return -1;
    RestoreState state = {&entries, -1};
    INT_PTR result;
    {
        ModalLoop loop;
        result = DialogBoxIndirectParamA(ModuleInstance(),
                                         static_cast<const DLGTEMPLATE*>(dialogTemplate), owner,
                                         RestoreProc, reinterpret_cast<LPARAM>(&state));
    }
    // A dialog ended by an exit from outside gave no answer.
    if (result != IDOK || ModalLoop::Exiting()) return -1;
    return state.chosen;
}

}  // namespace tellaro
