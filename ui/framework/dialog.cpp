#include "ui/framework/dialog.h"

#include "base/modal_loop.h"
#include "base/resource_language.h"
#include "res/resource.h"
#include "ui/framework/application.h"

namespace tellaro {

namespace {

// The menu a dialog template names by number, 0 for none or a name.
int TemplateMenuId(const void* dialogTemplate, DWORD size) {
    const auto* words = static_cast<const WORD*>(dialogTemplate);
    // An extended template starts with version 1 and 0xFFFF; its menu
    // follows 26 bytes of header, a classic one's 18.
    const bool extended = size >= 4 && words[0] == 1 && words[1] == 0xFFFF;
    const DWORD at = extended ? 26 : 18;
    if (size < at + 4 || words[at / 2] != 0xFFFF) return 0;
    return words[at / 2 + 1];
}

// The dialog manager loads a template's menu in the loader's language,
// whatever language the template came in: the chosen one replaces it.
void UseChosenMenu(HINSTANCE instance, HWND window, int menuId) {
    HMENU loaded = GetMenu(window);
    if (menuId == 0 || loaded == nullptr) return;
    HMENU chosen = LoadProgramMenu(instance, menuId);
    if (chosen == nullptr) return;
    if (SetMenu(window, chosen))
        DestroyMenu(loaded);
    else
        DestroyMenu(chosen);
}

}  // namespace

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
    DWORD size = 0;
    const void* dialogTemplate = FindProgramResource(instance, RT_DIALOG, templateId, &size);
    if (dialogTemplate == nullptr) return -1;
    HWND window =
        CreateDialogIndirectParamA(instance, static_cast<const DLGTEMPLATE*>(dialogTemplate),
                                   GetParentHandle(), &Application::StaticDialogProc, 0);
    if (window == nullptr) return -1;
    UseChosenMenu(instance, window, TemplateMenuId(dialogTemplate, size));
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
    // Modal templates name no menu.
    const void* dialogTemplate = FindProgramResource(instance, RT_DIALOG, templateId, nullptr);
    if (dialogTemplate == nullptr) return -1;
    modal_ = true;
    ModalLoop loop;
    INT_PTR result =
        DialogBoxIndirectParamA(instance, static_cast<const DLGTEMPLATE*>(dialogTemplate),
                                GetParentHandle(), dialogProc, initParam);
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
