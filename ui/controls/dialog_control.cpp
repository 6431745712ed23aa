#include "ui/controls/dialog_control.h"

#include <new>

#include "ui/controls/control_values.h"

namespace tellaro {

namespace {
// Probed by the first wrapper; a library that was missing is probed again
// by every later one.
ModuleVersion g_controlsVersion;
}  // namespace

DialogControl::DialogControl(HWND dialog, int id)
    : Window(nullptr),
      dialog_(dialog),
      id_(id),
      control_(GetDlgItem(dialog, id)),
      instance_(reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE))) {
    Attach(control_);
    if (g_controlsVersion.major == 0) ProbeLibraryVersion();
}

int DialogControl::SetControlText(const char* text) {
    return SetDlgItemTextA(dialog_, id_, text) ? 0 : -1;
}

int DialogControl::SetControlInt(UINT value, BOOL isSigned) {
    return SetDlgItemInt(dialog_, id_, value, isSigned) ? 0 : -1;
}

int DialogControl::EnableControl(BOOL enable) {
    EnableWindow(control_, enable);
    return 0;
}

int DialogControl::ShowControl(int show) {
    ShowWindow(control_, show ? SW_SHOW : SW_HIDE);
    return 0;
}

int DialogControl::SetNumber(int number) {
    char text[16];  // "-2147483648" and its terminator
    wsprintfA(text, "%d", number);
    return SetControlText(text);
}

int DialogControl::FocusControl() {
    return SetFocus(control_) != nullptr ? 0 : -1;
}

DWORD DialogControl::GetLibraryMajor() const {
    return g_controlsVersion.major;
}
DWORD DialogControl::GetLibraryMinor() const {
    return g_controlsVersion.minor;
}
DWORD DialogControl::GetLibraryBuild() const {
    return g_controlsVersion.build;
}
DWORD DialogControl::GetLibraryPlatform() const {
    return g_controlsVersion.platform;
}

UINT DialogControl::GetControlInt(BOOL* translated, BOOL isSigned) const {
    return GetDlgItemInt(dialog_, id_, translated, isSigned);
}

std::string DialogControl::GetControlText() const {
    try {
        // GetDlgItemTextA cuts what does not fit, and stops short of a
        // double-byte character it cannot copy whole: a text within two
        // bytes of the buffer's end may be longer, so try again with twice
        // the room.
        std::string text(256, '\0');
        for (;;) {
            const int length =
                GetDlgItemTextA(dialog_, id_, &text[0], static_cast<int>(text.size()));
            if (length < static_cast<int>(text.size()) - 2) {
                text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
                return text;
            }
            text.assign(text.size() * 2, '\0');
        }
    } catch (const std::bad_alloc&) {
        return std::string();
    }
}

int DialogControl::GetControlTextInto(char* buffer, int size) const {
    return static_cast<int>(GetDlgItemTextA(dialog_, id_, buffer, size));
}

int DialogControl::GetNumber() const {
    return LeadingNumber(GetControlText().c_str());
}

int DialogControl::ProbeLibraryVersion() {
    g_controlsVersion = runtime_api::ProbeDllVersion("comctl32.dll", 4);
    return 0;
}

}  // namespace tellaro
