// The modal dialog that asks for a folder's path and display name, or for a
// group's name, when an item is created or its properties are edited. A
// new object serves each use: construct, Open, read the results, delete.
#pragma once

#include <windows.h>
// The shell's item identifiers build on windows.h.
#include <shlobj.h>

#include <memory>
#include <string>

#include "config/folder_model.h"
#include "ui/controls/controls.h"
#include "ui/dialogs/folder_properties_rules.h"
#include "ui/framework/dialog.h"

namespace tellaro {

struct PathCheckState;

class FolderPropertiesDialog : public Dialog {
public:
    explicit FolderPropertiesDialog(HWND parent);
    ~FolderPropertiesDialog() override;

    // Runs the dialog in the mode of `modeRecord`'s kind, starting from its
    // path and name: 0 after OK, -1 after Cancel (or when the dialog ended
    // any other way). 0 at once when a window is already bound.
    virtual int Open(const FolderItem& modeRecord);
    virtual int DestroyControls();
    virtual int OnMessage(DialogMessage& record);
    // Exactly as typed or chosen; the name may be empty in the folder modes.
    virtual std::string GetPath() const { return path_; }
    virtual std::string GetName() const { return name_; }
    virtual void OnCommand(DialogMessage& record);
    virtual void OnOk();
    virtual void OnCancel();
    // The controller opens the guide at this dialog's section: the
    // command travels the dialog chain like every other.
    virtual void OnHelp() {}
    virtual void OnBrowse();
    virtual void OnSizing(DialogMessage& record);
    virtual void OnSize(DialogMessage& record);
    // Enter moves from the path to the name to OK, and on OK confirms.
    virtual void OnEnter();
    virtual void OnInitDialog(DialogMessage& record);
    virtual int CreateControls();

protected:
    // The message boxes go through here so that tests can answer them.
    virtual int ShowMessage(HWND owner, int textId, int captionId, UINT flags);
    // Whether `path` names a directory. It runs on a thread of its own and
    // may outlive the dialog, so it is a plain function that knows nothing
    // of it.
    using DirectoryCheck = bool (*)(const std::string& path);
    virtual DirectoryCheck GetDirectoryCheck() const;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static FolderPropertiesDialog* current_;

    void MeasureLayout();
    void StartPathCheck();
    void OnPathChecked();
    void OnPathCheckTimer();
    void EndPathCheck();
    // Ends the dialog, or says why not.
    void Conclude(bool pathIsDirectory);
    bool HasControls() const {
        return pathEdit_ && browseButton_ && nameEdit_ && okButton_ && cancelButton_ && helpButton_;
    }
    void TakeChosenFolder(LPCITEMIDLIST chosen);
    static HWND Control(const DialogControl* control) {
        return control != nullptr ? control->GetControlHandle() : nullptr;
    }

    std::unique_ptr<EditBox> pathEdit_;
    std::unique_ptr<DialogControl> browseButton_;
    std::unique_ptr<EditBox> nameEdit_;
    std::unique_ptr<DialogControl> okButton_;
    std::unique_ptr<DialogControl> cancelButton_;
    std::unique_ptr<DialogControl> helpButton_;
    std::string path_;
    std::string name_;
    std::uint8_t mode_ = properties_mode::kNewFolder;
    bool accepted_ = false;
    // The check of the path OK was pressed with, while it runs; OK waits.
    std::shared_ptr<PathCheckState> pathCheck_;
    bool askingAboutPath_ = false;
    PropertiesLayout layout_;
    bool haveLayout_ = false;
};

}  // namespace tellaro
