// A dialog template run modeless (through the application's dialog
// procedure) or modal (through the derived class's own procedure).
#pragma once

#include <windows.h>

#include "base/module_instance.h"
#include "ui/framework/dialog_message.h"
#include "ui/framework/window.h"

namespace tellaro {

class Dialog : public Window {
public:
    explicit Dialog(HWND parent = nullptr) : Window(parent) {}
    ~Dialog() override;

    // Ends a modal run, or destroys a modeless window; unregisters it.
    int Destroy() override;
    // 0 on success or when a window already exists; -1 on failure.
    virtual int CreateModeless(HINSTANCE instance, int templateId);
    virtual int DestroyOnDelete() {
        Destroy();
        return 0;
    }
    // DialogBoxIndirectParamA's result, or 0 at once when a window is recorded.
    virtual INT_PTR DoModal(HINSTANCE instance, int templateId, LPARAM initParam,
                            DLGPROC dialogProc);
    virtual int EndModal(INT_PTR result);

    bool IsModal() const { return modal_; }

    // The program's icons on the caption and in Alt+Tab. Every dialog shares
    // one window class, and with it these icons: each is loaded once and
    // shared, so that setting them again leaks nothing.
    void SetProgramIcons();

protected:
    // The modal procedure pattern: bind and register on WM_INITDIALOG, then
    // hand every message to the chain. Returns -1 for a failed registration.
    static INT_PTR RunModalProc(Dialog* current, HWND window, UINT message, WPARAM wParam,
                                LPARAM lParam);
    // Common handler rules: true when the record is for this dialog.
    bool IsOwn(const DialogMessage& record) const {
        return GetHandle() != nullptr && record.window == GetHandle();
    }
    // Escape arrives as WM_COMMAND IDCANCEL with no control handle.
    bool IsEscape(const DialogMessage& record) const {
        return record.message == WM_COMMAND && record.wParam == IDCANCEL && record.lParam == 0 &&
               IsOwn(record);
    }
    bool IsCloseBox(const DialogMessage& record) const {
        return record.message == WM_SYSCOMMAND && (record.wParam & 0xFFF0) == SC_CLOSE &&
               IsOwn(record);
    }
    void PostCommand(int id) const {
        PostMessageA(GetHandle(), WM_COMMAND, static_cast<WPARAM>(id), 0);
    }

private:
    bool modal_ = false;
};

}  // namespace tellaro
