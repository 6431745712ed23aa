// The modeless options dialog: click menus, double-click actions, hotkey and
// second-launch behaviour. The controller owns the values; the dialog moves
// them between its controls and an OptionsRecord.
#pragma once

#include <memory>

#include "config/options_record.h"
#include "ui/controls/controls.h"
#include "ui/framework/dialog.h"

namespace tellaro {

class OptionsDialog : public Dialog {
public:
    explicit OptionsDialog(HWND owner);
    ~OptionsDialog() override;

    // Opens at the mouse pointer, on the monitor of the window it was last
    // opened from (SetOpener) while that is on screen, with the focus on
    // Cancel.
    BOOL Show(int flag) override;
    void SetOpener(HWND window) { opener_ = window; }
    // Creates the hidden window with its controls; -1 when either fails.
    virtual int Create();
    virtual int Close();
    virtual int OnMessage(DialogMessage& record);
    // 0, or -1 (and nothing shown or read) when the controls are missing.
    virtual int SetValues(const OptionsRecord& values);
    virtual int GetValues(OptionsRecord& values);
    // Wraps and fills the controls: 0, or -1 when one is missing.
    virtual int CreateControls();

private:
    bool HasControls() const { return waitSpin_ != nullptr; }

    HWND opener_ = nullptr;

    // Deleted in the reverse order of creation, last member first.
    std::unique_ptr<ComboBox> leftDoubleClick_;
    std::unique_ptr<ComboBox> rightDoubleClick_;
    std::unique_ptr<ComboBox> leftClick_;
    std::unique_ptr<ComboBox> rightClick_;
    std::unique_ptr<HotKeyControl> hotkey_;
    std::unique_ptr<CheckBox> hotkeyNearTray_;
    std::unique_ptr<ComboBox> hotkeyMenu_;
    std::unique_ptr<CheckBox> secondLaunchPopup_;
    std::unique_ptr<CheckBox> secondLaunchNearTray_;
    std::unique_ptr<ComboBox> secondLaunchMenu_;
    std::unique_ptr<EditBox> wait_;
    std::unique_ptr<UpDownControl> waitSpin_;
};

}  // namespace tellaro
