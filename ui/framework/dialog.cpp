#include "ui/framework/dialog.h"

#include "base/modal_loop.h"
#include "res/resource.h"
#include "ui/framework/application.h"

namespace tellaro {

Dialog::~Dialog() {
    DestroyOnDelete();
}

int Dialog::Destroy() {
    HWND window = GetHandle();
    if (window == nullptr || !IsWindow(window)) return 0;
    if (modal_) {
        EndModal(0);
    } else if (Window::Destroy() != 0) {
        return -1;
    }
    if (Application::Current() != nullptr) Application::Current()->RemoveModeless(window);
    return 0;
}

void Dialog::SetProgramIcons() {
    SetClassIcon(LoadIconA(ModuleInstance(), MAKEINTRESOURCEA(IDI_PROGRAM)));
    SetClassSmallIcon(SmallProgramIcon(IDI_PROGRAM_SMALL));
}

int Dialog::CreateModeless(HINSTANCE instance, int templateId) {
    if (GetHandle() != nullptr) return 0;
    HWND window = CreateDialogParamA(instance, MAKEINTRESOURCEA(templateId), GetParentHandle(),
                                     &Application::StaticDialogProc, 0);
    if (window == nullptr) return -1;
    Application* app = Application::Current();
    if (app == nullptr || app->AddModeless(window) != 0) {
        DestroyWindow(window);
        return -1;
    }
    if (Attach(window) != 0) return -1;
    return 0;
}

INT_PTR Dialog::DoModal(HINSTANCE instance, int templateId, LPARAM initParam, DLGPROC dialogProc) {
    if (GetHandle() != nullptr || ModalLoop::Exiting()) return 0;
    modal_ = true;
    ModalLoop loop;
    INT_PTR result = DialogBoxParamA(instance, MAKEINTRESOURCEA(templateId), GetParentHandle(),
                                     dialogProc, initParam);
    modal_ = false;
    // An exit from outside ends the dialog with EndDialog, past EndModal:
    // the gone window must not stay listed, where its handle could come
    // back as another window's.
    if (HWND window = GetHandle(); window != nullptr && Application::Current() != nullptr)
        Application::Current()->RemoveModeless(window);
    return result;
}

int Dialog::EndModal(INT_PTR result) {
    HWND window = GetHandle();
    if (window == nullptr) return 0;
    EndDialog(window, result);
    modal_ = false;
    if (Application::Current() != nullptr) Application::Current()->RemoveModeless(window);
    return 0;
}

INT_PTR Dialog::RunModalProc(Dialog* current, HWND window, UINT message, WPARAM wParam,
                             LPARAM lParam) {
    if (message == WM_INITDIALOG && current != nullptr) {
        current->Attach(window);
        Application* app = Application::Current();
        if (app == nullptr || app->AddModeless(window) != 0) return -1;
    }
    return Application::DispatchToChain(window, message, wParam, lParam);
}

}  // namespace tellaro
