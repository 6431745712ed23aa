// The modeless, always-on-top version box with its two link fields.
#pragma once

#include "ui/framework/dialog.h"

namespace tellaro {

class AboutDialog : public Dialog {
public:
    explicit AboutDialog(HWND owner) : Dialog(owner) {}
    ~AboutDialog() override;

    virtual int Create();
    virtual int Close();
    virtual int OnMessage(DialogMessage& record);
};

}  // namespace tellaro
