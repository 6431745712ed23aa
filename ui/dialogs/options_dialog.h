// The modeless options dialog: click menus, double-click actions, hotkey and
// second-launch behaviour. The controller owns the values; the dialog moves
// them between its controls and an OptionsRecord.
#pragma once

#include "config/options_record.h"
#include "ui/framework/dialog.h"

namespace tellaro {

class OptionsDialog : public Dialog {
public:
    explicit OptionsDialog(HWND owner) : Dialog(owner) {}
    ~OptionsDialog() override;

    // Creates the hidden window; -1 when that fails.
    virtual int Create();
    virtual int Close();
    virtual int OnMessage(DialogMessage& record);
    virtual int SetValues(const OptionsRecord& values);
    virtual int GetValues(OptionsRecord& values);

private:
    OptionsRecord values_;
};

}  // namespace tellaro
