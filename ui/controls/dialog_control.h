// A child control of a dialog, bound by its id. Each operation sends one
// message; the comment on each says what its result means.
#pragma once

#include <windows.h>

#include <memory>
#include <new>
#include <string>

#include "base/runtime_api.h"
#include "ui/framework/window.h"

namespace tellaro {

class DialogControl : public Window {
public:
    // Binds the control `id` of `dialog`. A missing control leaves the
    // wrapper unbound (GetControlHandle is null); its operations then fail.
    DialogControl(HWND dialog, int id);

    // SetDlgItemTextA: 0, or -1 on failure.
    virtual int SetControlText(const char* text);
    // SetDlgItemInt: 0, or -1 on failure.
    virtual int SetControlInt(UINT value, BOOL isSigned);
    // EnableWindow, ShowWindow (non-zero shows): always 0.
    virtual int EnableControl(BOOL enable);
    virtual int ShowControl(int show);
    // The number as decimal text: 0, or -1 on failure.
    virtual int SetNumber(int number);
    // SetFocus: 0 when the focus moved from some window, else -1.
    virtual int FocusControl();
    // The common controls library's version, probed once per process.
    virtual DWORD GetLibraryMajor() const;
    virtual DWORD GetLibraryMinor() const;
    virtual DWORD GetLibraryBuild() const;
    virtual DWORD GetLibraryPlatform() const;
    virtual HWND GetControlHandle() const { return control_; }
    // GetDlgItemInt as is: the value, with *translated false on failure.
    virtual UINT GetControlInt(BOOL* translated, BOOL isSigned) const;
    // The whole text, however long; empty when there is none or memory runs out.
    virtual std::string GetControlText() const;
    // GetDlgItemTextA into a caller's buffer: the number of bytes copied.
    virtual int GetControlTextInto(char* buffer, int size) const;
    // The leading decimal number of the text (as atoi reads it, but clamped
    // to int); 0 for an empty text.
    virtual int GetNumber() const;
    virtual HWND GetDialogHandle() const { return dialog_; }
    virtual int ProbeLibraryVersion();

protected:
    int GetId() const { return id_; }
    HINSTANCE GetInstance() const { return instance_; }
    // SendMessageA to the control.
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageA(control_, message, wParam, lParam);
    }

private:
    HWND dialog_;
    int id_;
    HWND control_;
    HINSTANCE instance_;
};

// Binds control `id` of `dialog` into `slot`: false when memory ran out or
// the template lacks the control, which is as good as having none.
template <typename T>
bool WrapControl(std::unique_ptr<T>& slot, HWND dialog, int id) {
    slot.reset(new (std::nothrow) T(dialog, id));
    if (slot && slot->GetControlHandle() == nullptr) slot.reset();
    return slot != nullptr;
}

}  // namespace tellaro
