#include "base/modal_loop.h"

#include <new>

#include "base/fill_text.h"
#include "base/system_code_page.h"

namespace tellaro {

namespace {

// One user-interface thread: plain counters serve.
int g_depth = 0;
HWND g_closeWhenDone = nullptr;

}  // namespace

ModalLoop::ModalLoop() {
    ++g_depth;
}

ModalLoop::~ModalLoop() {
    if (--g_depth > 0 || g_closeWhenDone == nullptr) return;
    HWND window = g_closeWhenDone;
    g_closeWhenDone = nullptr;
    PostMessageA(window, WM_CLOSE, 0, 0);
}

bool ModalLoop::Running() {
    return g_depth > 0;
}

void ModalLoop::CloseWhenDone(HWND window) {
    if (g_depth > 0)
        g_closeWhenDone = window;
    else
        PostMessageA(window, WM_CLOSE, 0, 0);
}

int ModalMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags) {
    ModalLoop loop;
    return MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

int ModalMessageBoxWide(HWND owner, const std::string& text, const std::wstring& names,
                        const std::string& caption, UINT flags) {
    try {
        const std::wstring filled = FillText<wchar_t>(WidenFromSystem(text), names);
        ModalLoop loop;
        return MessageBoxW(owner, filled.c_str(), WidenFromSystem(caption).c_str(), flags);
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

}  // namespace tellaro
