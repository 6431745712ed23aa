#include "ui/controls/controls.h"

#include <new>

namespace tellaro {

int CheckBox::SetCheck(UINT state) {
    if (state >= 3) return -1;
    return CheckDlgButton(GetDialogHandle(), GetId(), state) ? 0 : -1;
}

UINT CheckBox::GetCheck() const {
    return IsDlgButtonChecked(GetDialogHandle(), GetId());
}

LRESULT ComboBox::SendIfPresent(UINT message, WPARAM wParam, LPARAM lParam) const {
    return GetControlHandle() == nullptr ? CB_ERR : Send(message, wParam, lParam);
}

LRESULT ComboBox::AddString(const char* text) {
    return SendIfPresent(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

LRESULT ComboBox::DeleteString(int index) {
    return SendIfPresent(CB_DELETESTRING, index, 0);
}

LRESULT ComboBox::ResetContent() {
    return SendIfPresent(CB_RESETCONTENT, 0, 0);
}

LRESULT ComboBox::FindString(const char* text) {
    return SendIfPresent(CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
}

LRESULT ComboBox::SetCurSel(int index) {
    return SendIfPresent(CB_SETCURSEL, index, 0);
}

LRESULT ComboBox::SetItemHeight(int index, int height) {
    if (GetControlHandle() == nullptr) return CB_ERR;
    Send(CB_SETITEMHEIGHT, index, height);
    return 0;
}

LRESULT ComboBox::GetCurSel() const {
    return SendIfPresent(CB_GETCURSEL, 0, 0);
}

LRESULT ComboBox::GetCount() const {
    return SendIfPresent(CB_GETCOUNT, 0, 0);
}

LRESULT ComboBox::GetItemHeight(int index) const {
    return SendIfPresent(CB_GETITEMHEIGHT, index, 0);
}

std::string ComboBox::GetLBText(int index) const {
    const LRESULT length = GetLBTextLen(index);
    if (length < 0) return std::string();
    try {
        std::string text(static_cast<std::size_t>(length) + 1, '\0');
        const LRESULT copied = Send(CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(&text[0]));
        text.resize(copied > 0 && copied <= length ? static_cast<std::size_t>(copied) : 0);
        return text;
    } catch (const std::bad_alloc&) {
        return std::string();
    }
}

LRESULT ComboBox::GetLBTextLen(int index) const {
    return SendIfPresent(CB_GETLBTEXTLEN, index, 0);
}

int EditBox::LimitText(int length) {
    if (GetControlHandle() == nullptr) return -1;
    Send(EM_LIMITTEXT, length, 0);
    return 0;
}

int HotKeyControl::SetHotKey(BYTE virtualKey, BYTE modifiers) {
    return SetHotKeyWord(MAKEWORD(virtualKey, modifiers));
}

int HotKeyControl::SetHotKeyWord(WORD value) {
    if (GetControlHandle() == nullptr) return -1;
    Send(HKM_SETHOTKEY, value, 0);
    return 0;
}

int HotKeyControl::SetRules(WORD invalidCombinations, WORD defaultModifiers) {
    if (GetControlHandle() == nullptr) return -1;
    Send(HKM_SETRULES, invalidCombinations, MAKELPARAM(defaultModifiers, 0));
    return 0;
}

int HotKeyControl::GetHotKey(WORD* virtualKey, WORD* modifiers) const {
    WORD value = 0;
    if (GetHotKeyWord(&value) != 0) return -1;
    *virtualKey = LOBYTE(value);
    *modifiers = HIBYTE(value);
    return 0;
}

int HotKeyControl::GetHotKeyWord(WORD* value) const {
    if (GetControlHandle() == nullptr) return -1;
    *value = LOWORD(Send(HKM_GETHOTKEY, 0, 0));
    return 0;
}

LRESULT UpDownControl::SetAccel(UINT count, const UDACCEL* steps) {
    return Send(UDM_SETACCEL, count, reinterpret_cast<LPARAM>(steps));
}

LRESULT UpDownControl::SetPos(short position) {
    return Send(UDM_SETPOS, 0, MAKELPARAM(position, 0));
}

int UpDownControl::SetRange(short upper, short lower) {
    Send(UDM_SETRANGE, 0, MAKELPARAM(upper, lower));
    return 0;
}

LRESULT UpDownControl::GetAccel(UINT count, UDACCEL* steps) const {
    return Send(UDM_GETACCEL, count, reinterpret_cast<LPARAM>(steps));
}

HWND UpDownControl::GetBuddy() const {
    return reinterpret_cast<HWND>(Send(UDM_GETBUDDY));
}

LRESULT UpDownControl::GetPos() const {
    return Send(UDM_GETPOS);
}

int UpDownControl::GetRange(short* upper, short* lower) const {
    const LRESULT range = Send(UDM_GETRANGE);
    *upper = static_cast<short>(LOWORD(range));
    *lower = static_cast<short>(HIWORD(range));
    return 0;
}

}  // namespace tellaro
