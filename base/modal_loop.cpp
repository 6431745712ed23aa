#include "base/modal_loop.h"

#include <new>

#include "base/fill_text.h"
#include "base/system_code_page.h"

namespace tellaro {

namespace {

// One user-interface thread: plain variables serve.
int g_depth = 0;
HWND g_postTo = nullptr;
UINT g_postMessage = 0;
bool g_exiting = false;

void PostNowOrWhenDone(HWND window, UINT message) {
    if (g_depth > 0) {
        g_postTo = window;
        g_postMessage = message;
    } else {
        PostMessageA(window, message, 0, 0);
    }
}

}  // namespace

ModalLoop::ModalLoop() {
    ++g_depth;
}

ModalLoop::~ModalLoop() {
    if (--g_depth > 0 || g_postTo == nullptr) return;
    HWND window = g_postTo;
    g_postTo = nullptr;
    PostMessageA(window, g_postMessage, 0, 0);
}

bool ModalLoop::Running() {
    return g_depth > 0;
}

void ModalLoop::PostWhenDone(HWND window, UINT message) {
    // An exit from outside already waits for the loops, with the stronger
    // message of the two.
    if (!g_exiting) PostNowOrWhenDone(window, message);
}

void ModalLoop::BeginExit(HWND window) {
    g_exiting = true;
    PostNowOrWhenDone(window, WM_CLOSE);
}

bool ModalLoop::Exiting() {
    return g_exiting;
}

void ModalLoop::ForgetExit() {
    g_exiting = false;
    g_postTo = nullptr;
}

int ModalMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags) {
    if (g_exiting) return 0;
    ModalLoop loop;
    return MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

int ModalMessageBoxWide(HWND owner, const std::string& text, const std::wstring& names,
                        const std::string& caption, UINT flags) {
    if (g_exiting) return 0;
    try {
        const std::wstring filled = FillText<wchar_t>(WidenFromSystem(text), names);
        ModalLoop loop;
        return MessageBoxW(owner, filled.c_str(), WidenFromSystem(caption).c_str(), flags);
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

void ModalTrackPopupMenu(HMENU menu, UINT flags, int x, int y, HWND owner) {
    if (g_exiting) return;
    ModalLoop loop;
    TrackPopupMenu(menu, flags, x, y, 0, owner, nullptr);
}

}  // namespace tellaro
