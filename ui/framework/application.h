// The process-wide application object: the modeless dialog list, the
// command-line arguments, the message loop and the entry of the dialog
// message chain.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "base/base_object.h"
#include "ui/framework/dialog_message.h"

namespace tellaro {

class Application : public BaseObject {
public:
    Application();
    ~Application() override;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    int Release() override;

    // 0, or -1 when memory runs out. A handle already listed stays once.
    virtual int AddModeless(HWND window);
    // 0, or -1 when the handle is not listed.
    virtual int RemoveModeless(HWND window);
    virtual int GetModelessCount() const { return static_cast<int>(modeless_.size()); }
    virtual HWND GetModeless(int i) const { return modeless_[static_cast<std::size_t>(i)]; }
    virtual int GetArgumentCount() const { return static_cast<int>(arguments_.size()); }
    virtual const char* GetArgument(int i) const {
        return arguments_[static_cast<std::size_t>(i)].c_str();
    }
    // 1 when a listed dialog took the message as a dialog message.
    virtual int PreTranslateMessage(MSG* msg);
    // An empty text, or arguments already parsed, leave the list as it is.
    // 0, or -1 when memory runs out.
    virtual int ParseCommandLine(const char* commandLine);
    // Every dialog message of the program arrives here; the result travels
    // in the record.
    virtual int OnDialogMessage(DialogMessage& record);

    // Runs until WM_QUIT; returns its exit code.
    int RunMessageLoop();

    static Application* Current() { return current_; }
    // The dialog procedure of every modeless dialog of the program.
    static INT_PTR CALLBACK StaticDialogProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam);
    // Packs a message into a record and hands it to the chain.
    static INT_PTR DispatchToChain(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    std::vector<std::string> arguments_;
    std::vector<HWND> modeless_;
    static Application* current_;
};

}  // namespace tellaro
