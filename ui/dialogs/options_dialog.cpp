#include "ui/dialogs/options_dialog.h"

#include <new>

#include "base/monitors.h"
#include "base/resource_text.h"
#include "res/resource.h"
#include "ui/controls/control_values.h"
#include "ui/dialogs/dialog_rules.h"

namespace tellaro {

namespace {

void AddTexts(ComboBox& combo, int firstId, int lastId) {
    for (int id = firstId; id <= lastId; ++id) combo.AddString(LoadResourceString(id).c_str());
}

void Select(ComboBox& combo, std::uint8_t code) {
    combo.SetCurSel(ComboIndexForCode(code, static_cast<long>(combo.GetCount())));
}

std::uint8_t Selected(const ComboBox& combo) {
    return CodeForComboIndex(static_cast<long>(combo.GetCurSel()));
}

std::uint8_t Checked(const CheckBox& box) {
    return box.GetCheck() == BST_CHECKED ? 1 : 0;
}

}  // namespace

OptionsDialog::OptionsDialog(HWND owner) : Dialog(owner) {}

OptionsDialog::~OptionsDialog() {
    Close();
}

BOOL OptionsDialog::Show(int flag) {
    if (flag != 0 && IsLive()) {
        const ScreenPoint at = PlaceAtPointerWithin(PointerPosition(), GetWidth(), GetHeight(),
                                                    MonitorForOwner(opener_));
        MoveTo(at.y, at.x);
    }
    const BOOL result = Dialog::Show(flag);
    // Enter then cancels rather than applying half-made edits.
    if (flag == 1 && IsLive()) {
        HWND cancel = GetDlgItem(GetHandle(), IDC_OPTIONS_CANCEL);
        SendMessageA(GetHandle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(cancel), TRUE);
    }
    return result;
}

int OptionsDialog::Create() {
    if (CreateModeless(ModuleInstance(), IDD_OPTIONS) != 0) return -1;
    SetProgramIcons();
    return CreateControls();
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

int OptionsDialog::CreateControls() {
    if (HasControls()) return 0;
    HWND d = GetHandle();
    const bool wrapped =
        WrapControl(leftDoubleClick_, d, IDC_OPTIONS_LEFT_DOUBLE_CLICK) &&
        WrapControl(rightDoubleClick_, d, IDC_OPTIONS_RIGHT_DOUBLE_CLICK) &&
        WrapControl(leftClick_, d, IDC_OPTIONS_LEFT_CLICK) &&
        WrapControl(rightClick_, d, IDC_OPTIONS_RIGHT_CLICK) &&
        WrapControl(hotkey_, d, IDC_OPTIONS_HOTKEY) &&
        WrapControl(hotkeyNearTray_, d, IDC_OPTIONS_HOTKEY_NEAR_TRAY) &&
        WrapControl(hotkeyMenu_, d, IDC_OPTIONS_HOTKEY_MENU) &&
        WrapControl(secondLaunchPopup_, d, IDC_OPTIONS_SECOND_LAUNCH_POPUP) &&
        WrapControl(secondLaunchNearTray_, d, IDC_OPTIONS_SECOND_LAUNCH_NEAR_TRAY) &&
        WrapControl(secondLaunchMenu_, d, IDC_OPTIONS_SECOND_LAUNCH_MENU) &&
        WrapControl(wait_, d, IDC_OPTIONS_WAIT) && WrapControl(waitSpin_, d, IDC_OPTIONS_WAIT_SPIN);
    if (!wrapped || GetDlgItem(d, IDC_OPTIONS_CANCEL) == nullptr) {
        waitSpin_.reset();  // HasControls stays false: nothing reads half a dialog
        return -1;
    }
    // A key typed alone or with a single modifier would take that key from
    // every other program; the control makes it Ctrl+Alt+key instead.
    hotkey_->SetRules(HKCOMB_NONE | HKCOMB_S | HKCOMB_C | HKCOMB_A, HOTKEYF_CONTROL | HOTKEYF_ALT);
    AddTexts(*leftDoubleClick_, IDS_ACTION_FIRST, IDS_ACTION_LAST);
    AddTexts(*rightDoubleClick_, IDS_ACTION_FIRST, IDS_ACTION_LAST);
    for (ComboBox* combo :
         {leftClick_.get(), rightClick_.get(), hotkeyMenu_.get(), secondLaunchMenu_.get()})
        AddTexts(*combo, IDS_POPUP_FIRST, IDS_POPUP_LAST);
    // Steps of 1, and of 10 once an arrow is held for two seconds.
    static const UDACCEL kSteps[] = {{0, 1}, {2, 10}};
    waitSpin_->SetAccel(2, kSteps);
    waitSpin_->SetRange(kMaxWaitMs, 0);
    return 0;
}

int OptionsDialog::SetValues(const OptionsRecord& values) {
    if (!HasControls()) return -1;
    Select(*leftDoubleClick_, values.leftDoubleClickAction);
    Select(*rightDoubleClick_, values.rightDoubleClickAction);
    Select(*leftClick_, values.leftClickMenu);
    Select(*rightClick_, values.rightClickMenu);
    hotkey_->SetHotKeyWord(values.hotkey);
    // A check box refuses states above 2, and would keep its old state.
    hotkeyNearTray_->SetCheck(values.hotkeyNearTray != 0);
    Select(*hotkeyMenu_, values.hotkeyMenu);
    secondLaunchPopup_->SetCheck(values.secondLaunchPopup != 0);
    secondLaunchNearTray_->SetCheck(values.secondLaunchNearTray != 0);
    Select(*secondLaunchMenu_, values.secondLaunchMenu);
    wait_->SetNumber(values.secondLaunchWaitMs);
    waitSpin_->SetPos(static_cast<short>(values.secondLaunchWaitMs));
    return 0;
}

int OptionsDialog::GetValues(OptionsRecord& values) {
    if (!HasControls()) return -1;
    values.leftDoubleClickAction = Selected(*leftDoubleClick_);
    values.rightDoubleClickAction = Selected(*rightDoubleClick_);
    values.leftClickMenu = Selected(*leftClick_);
    values.rightClickMenu = Selected(*rightClick_);
    WORD hotkey = 0;
    hotkey_->GetHotKeyWord(&hotkey);
    values.hotkey = hotkey;
    values.hotkeyNearTray = Checked(*hotkeyNearTray_);
    values.hotkeyMenu = Selected(*hotkeyMenu_);
    values.secondLaunchPopup = Checked(*secondLaunchPopup_);
    values.secondLaunchNearTray = Checked(*secondLaunchNearTray_);
    values.secondLaunchMenu = Selected(*secondLaunchMenu_);
    values.secondLaunchWaitMs = WaitTimeFromInput(wait_->GetNumber(), LOWORD(waitSpin_->GetPos()));
    return 0;
}

}  // namespace tellaro
