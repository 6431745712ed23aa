#include "ui/framework/window.h"

namespace tellaro {

Window::Window(HWND parent) : parent_(parent) {}

Window::~Window() {
    // Virtual calls in a destructor reach this class only, which is what the
    // last owner of the handle needs: hide it and let it go.
    if (handle_ != nullptr) Window::Destroy();
}

int Window::GetHeight() const {
    RECT r;
    if (!IsLive() || !GetWindowRect(handle_, &r)) return -1;
    return r.bottom - r.top;
}

int Window::GetWidth() const {
    RECT r;
    if (!IsLive() || !GetWindowRect(handle_, &r)) return -1;
    return r.right - r.left;
}

int Window::GetClientHeight() const {
    RECT r;
    if (!IsLive() || !GetClientRect(handle_, &r)) return -1;
    return r.bottom;
}

int Window::GetClientWidth() const {
    RECT r;
    if (!IsLive() || !GetClientRect(handle_, &r)) return -1;
    return r.right;
}

HICON Window::GetClassIcon() const {
    return reinterpret_cast<HICON>(GetClassLongPtrA(handle_, GCLP_HICON));
}

HICON Window::GetClassSmallIcon() const {
    return reinterpret_cast<HICON>(GetClassLongPtrA(handle_, GCLP_HICONSM));
}

LRESULT Window::SetRedraw(BOOL redraw) {
    if (!IsLive()) return 0;
    return SendMessageA(handle_, WM_SETREDRAW, redraw, 0);
}

int Window::SetText(const char* text) {
    if (!IsLive()) return -1;
    return SetWindowTextA(handle_, text) ? 0 : -1;
}

int Window::SetStyle(LONG style) {
    if (!IsLive()) return -1;
    return SetWindowLongA(handle_, GWL_STYLE, style) != 0 ? 0 : -1;
}

int Window::SetExStyle(LONG exStyle) {
    if (!IsLive()) return -1;
    return SetWindowLongA(handle_, GWL_EXSTYLE, exStyle) != 0 ? 0 : -1;
}

void Window::MoveToStoredRect() {
    MoveWindow(handle_, left_, top_, width_, height_, TRUE);
    Invalidate();
}

void Window::MoveTo(int top, int left) {
    top_ = top;
    left_ = left;
    MoveToStoredRect();
}

void Window::SetTop(int top) {
    top_ = top;
    MoveToStoredRect();
}

void Window::SetLeft(int left) {
    left_ = left;
    MoveToStoredRect();
}

void Window::SetHeight(int height) {
    height_ = height;
    MoveToStoredRect();
}

void Window::SetWidth(int width) {
    width_ = width;
    MoveToStoredRect();
}

BOOL Window::SetClientSize(int clientHeight, int clientWidth) {
    RECT r = {0, 0, clientWidth, clientHeight};
    BOOL ok = AdjustWindowRectEx(&r, static_cast<DWORD>(style_), FALSE,
                                 static_cast<DWORD>(exStyle_));
    if (!ok) return 0;
    height_ = r.bottom - r.top;
    width_ = r.right - r.left;
    MoveWindow(handle_, left_, top_, width_, height_, TRUE);
    Invalidate();
    return ok;
}

BOOL Window::Show(int flag) {
    if (!IsLive()) return 0;
    BOOL result = ShowWindow(handle_, flag == 1 ? SW_SHOW : SW_HIDE);
    shown_ = flag;
    return result;
}

BOOL Window::Enable(int flag) {
    if (!IsLive()) return 0;
    if (flag == enabled_) return 0;
    BOOL result = EnableWindow(handle_, flag);
    enabled_ = flag;
    return result;
}

void Window::BringToForeground() {
    if (!IsLive()) return;
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
    const bool known = GetVersionExA(&version) != 0;
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
    // Windows 98 and Me refuse SetForegroundWindow from a background thread
    // unless its input is attached to the foreground thread.
    const bool win98OrMe = known && version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS &&
                           version.dwMajorVersion >= 4 && version.dwMinorVersion >= 10;
    if (!win98OrMe) {
        SetForegroundWindow(handle_);
        return;
    }
    DWORD foregroundThread = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
    DWORD ownThread = GetCurrentThreadId();
    AttachThreadInput(ownThread, foregroundThread, TRUE);
    SetForegroundWindow(handle_);
    AttachThreadInput(ownThread, foregroundThread, FALSE);
    BringWindowToTop(handle_);
}

int Window::SetClassIcon(HICON icon) {
    if (!IsLive()) return -1;
    SetClassLongPtrA(handle_, GCLP_HICON, reinterpret_cast<LONG_PTR>(icon));
    return 0;
}

int Window::SetClassSmallIcon(HICON icon) {
    if (!IsLive()) return -1;
    SetClassLongPtrA(handle_, GCLP_HICONSM, reinterpret_cast<LONG_PTR>(icon));
    return 0;
}

BOOL Window::Invalidate() {
    if (!IsLive()) return 0;
    return InvalidateRect(handle_, nullptr, TRUE);
}

BOOL Window::Update() {
    if (!IsLive()) return 0;
    return UpdateWindow(handle_);
}

int Window::Destroy() {
    if (IsLive()) {
        Show(0);
        if (!DestroyWindow(handle_)) return -1;
    }
    handle_ = nullptr;
    return 0;
}

int Window::Attach(HWND window) {
    if (IsLive() || !IsWindow(window)) return -1;
    handle_ = window;
    RECT client = {}, outer = {};
    GetClientRect(window, &client);
    clientWidth_ = client.right;
    clientHeight_ = client.bottom;
    GetWindowRect(window, &outer);
    left_ = outer.left;
    top_ = outer.top;
    width_ = outer.right - outer.left;
    height_ = outer.bottom - outer.top;
    const int length = GetWindowTextLengthA(window);
    text_.assign(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(window, &text_[0], length + 1);
    text_.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    hasText_ = true;
    style_ = GetWindowLongA(window, GWL_STYLE);
    exStyle_ = GetWindowLongA(window, GWL_EXSTYLE);
    parent_ = GetParent(window);
    shown_ = IsWindowVisible(window) == TRUE ? 1 : 0;
    enabled_ = IsWindowEnabled(window) == TRUE ? 1 : 0;
    return 0;
}

}  // namespace tellaro
