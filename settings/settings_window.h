// The settings window: the program's main, normally hidden window. Its handle
// owns the tray icon, the hotkey and the popup menus, and a second instance
// finds the running one by its caption.
#pragma once

#include "config/folder_model.h"
#include "ui/framework/dialog.h"

namespace tellaro {

class SettingsWindow : public Dialog {
public:
    SettingsWindow() : Dialog(nullptr) {}
    ~SettingsWindow() override;

    // Creates the hidden modeless window; non-zero on failure.
    virtual int Open();
    virtual int Close();
    virtual int OnMessage(DialogMessage& record);
    // Rebuilds everything the window shows from `settings`.
    virtual int LoadTree(const FolderSettings& settings, bool discardItems);
    virtual void ShowWithItems(bool show, const FolderItemList& items);
    // Hands back the edited state as a complete new record.
    virtual int CollectSettings(FolderSettings& out);
    // Controls and context menus; non-zero on failure.
    virtual int InitWindow();

private:
    FolderSettings shown_;
};

}  // namespace tellaro
