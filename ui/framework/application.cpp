#include "ui/framework/application.h"

#include <algorithm>
#include <new>

#include "ui/framework/command_line.h"

namespace tellaro {

Application* Application::current_ = nullptr;

Application::Application() { current_ = this; }

Application::~Application() {
    Application::Release();
    if (current_ == this) current_ = nullptr;
}

int Application::Release() {
    arguments_.clear();
    modeless_.clear();
    return 0;
}

int Application::AddModeless(HWND window) {
    if (std::find(modeless_.begin(), modeless_.end(), window) != modeless_.end()) return 0;
    try {
        modeless_.push_back(window);
    } catch (const std::bad_alloc&) {
        return -1;
    }
    return 0;
}

int Application::RemoveModeless(HWND window) {
    auto it = std::find(modeless_.begin(), modeless_.end(), window);
    if (it == modeless_.end()) return -1;
    modeless_.erase(it);
    return 0;
}

int Application::PreTranslateMessage(MSG* msg) {
    // IsDialogMessage can destroy a dialog and so change the list: walk a copy.
    const std::vector<HWND> dialogs = modeless_;
    for (HWND dialog : dialogs) {
        if (dialog != nullptr && IsDialogMessageA(dialog, msg)) return 1;
    }
    return 0;
}

int Application::ParseCommandLine(const char* commandLine) {
    if (commandLine == nullptr || *commandLine == '\0' || !arguments_.empty()) return 0;
    try {
        arguments_ = SplitCommandLine(commandLine);
    } catch (const std::bad_alloc&) {
        arguments_.clear();
        return -1;
    }
    return 0;
}

int Application::OnDialogMessage(DialogMessage&) { return 0; }

int Application::RunMessageLoop() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (PreTranslateMessage(&msg) == 0) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return static_cast<int>(msg.wParam);
}

INT_PTR Application::DispatchToChain(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DialogMessage record{window, message, wParam, lParam, 0};
    // No exception may unwind through the window system's frames.
    try {
        if (current_ != nullptr) current_->OnDialogMessage(record);
    } catch (...) {
        return 0;
    }
    return record.result;
}

INT_PTR CALLBACK Application::StaticDialogProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    return DispatchToChain(window, message, wParam, lParam);
}

}  // namespace tellaro
