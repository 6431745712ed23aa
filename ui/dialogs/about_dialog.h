// The modeless, always-on-top version box with its two link fields: blue,
// underlined, a hand cursor, and a click that asks the controller (through
// MSG_LINK_CLICKED) to open the home page or the mail program.
#pragma once

#include <memory>
#include <string>

#include "ui/controls/dialog_control.h"
#include "ui/framework/dialog.h"

namespace tellaro {

class AboutDialog : public Dialog {
public:
    explicit AboutDialog(HWND owner) : Dialog(owner) {}
    ~AboutDialog() override;

    // Opens centred on the monitor of the window it was last opened from
    // (SetOpener) while that is on screen, else on the pointer's.
    BOOL Show(int flag) override;
    void SetOpener(HWND window) { opener_ = window; }
    // Shows the folder the settings are kept in (UTF-16: a portable copy's
    // folder may be named outside the code page).
    void SetSettingsFolder(const std::wstring& folder);
    // Creates the hidden window; -1 when that fails. Links that cannot be
    // set up stay plain text.
    virtual int Create();
    // Undoes the links, then destroys the window.
    virtual int Close();
    virtual int OnMessage(DialogMessage& record);
    // 0, also when the links are set up already; -1 when the link fields
    // cannot be wrapped.
    virtual int InitLinks();

private:
    std::unique_ptr<DialogControl> homePage_;
    std::unique_ptr<DialogControl> mail_;
    HFONT linkFont_ = nullptr;
    bool linksInstalled_ = false;
    HWND opener_ = nullptr;
};

}  // namespace tellaro
