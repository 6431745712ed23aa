// The kinds of dialog controls the dialogs drive. Each operation is one
// message; the comment on each says what its result means.
#pragma once

#include <windows.h>
// The common controls' declarations build on windows.h.
#include <commctrl.h>

#include <string>

#include "ui/controls/dialog_control.h"

namespace tellaro {

class CheckBox : public DialogControl {
public:
    using DialogControl::DialogControl;
    // CheckDlgButton: 0, or -1 on failure. States of 3 and more are refused
    // and leave the box as it is.
    virtual int SetCheck(UINT state);
    // IsDlgButtonChecked: BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
    virtual UINT GetCheck() const;
};

// Every operation answers CB_ERR (-1) when the control is missing, else the
// message's own result (CB_ERR or CB_ERRSPACE on failure).
class ComboBox : public DialogControl {
public:
    using DialogControl::DialogControl;
    // The new entry's index.
    virtual LRESULT AddString(const char* text);
    // The number of entries left.
    virtual LRESULT DeleteString(int index);
    virtual LRESULT ResetContent();
    // The index of the first entry that begins with `text`, from the top.
    virtual LRESULT FindString(const char* text);
    // The index selected; CB_ERR for -1 (no selection) or an index out of
    // range, which also clears the selection.
    virtual LRESULT SetCurSel(int index);
    // 0, or CB_ERR for a missing control.
    virtual LRESULT SetItemHeight(int index, int height);
    // The selected index, CB_ERR when nothing is selected.
    virtual LRESULT GetCurSel() const;
    virtual LRESULT GetCount() const;
    virtual LRESULT GetItemHeight(int index) const;
    // The entry's text; empty when there is no such entry.
    virtual std::string GetLBText(int index) const;
    // The entry's length without terminator, CB_ERR for a bad index.
    virtual LRESULT GetLBTextLen(int index) const;

private:
    LRESULT SendIfPresent(UINT message, WPARAM wParam, LPARAM lParam) const;
};

class EditBox : public DialogControl {
public:
    using DialogControl::DialogControl;
    // EM_LIMITTEXT: 0, or -1 when the control is missing.
    virtual int LimitText(int length);
};

// A hot-key value is a 16-bit word: the virtual key in the low byte, the
// HOTKEYF_ flags (SHIFT 1, CONTROL 2, ALT 4, EXT 8) in the high byte. Every
// operation returns 0, or -1 when the control is missing.
class HotKeyControl : public DialogControl {
public:
    using DialogControl::DialogControl;
    virtual int SetHotKey(BYTE virtualKey, BYTE modifiers);
    virtual int SetHotKeyWord(WORD value);
    // Combinations (HKCOMB_) the control refuses, and the HOTKEYF_ flags it
    // gives a refused key instead.
    virtual int SetRules(WORD invalidCombinations, WORD defaultModifiers);
    virtual int GetHotKey(WORD* virtualKey, WORD* modifiers) const;
    virtual int GetHotKeyWord(WORD* value) const;
};

// Results are the messages' own.
class UpDownControl : public DialogControl {
public:
    using DialogControl::DialogControl;
    // Non-zero on success.
    virtual LRESULT SetAccel(UINT count, const UDACCEL* steps);
    // The previous position.
    virtual LRESULT SetPos(short position);
    // Always 0.
    virtual int SetRange(short upper, short lower);
    // The number of steps the control has.
    virtual LRESULT GetAccel(UINT count, UDACCEL* steps) const;
    virtual HWND GetBuddy() const;
    // Low word the position, high word non-zero when the buddy's text is no
    // valid position.
    virtual LRESULT GetPos() const;
    // Always 0.
    virtual int GetRange(short* upper, short* lower) const;
};

}  // namespace tellaro
