#include "app/tray_icon.h"

#include <cstring>
#include <new>

namespace tellaro {

namespace {

// Shells before version 5 accept only the first-generation record; the icon
// needs nothing the later fields add.
static_assert(sizeof(void*) != 4 || NOTIFYICONDATAA_V1_SIZE == 88,
              "the 32-bit record must be the 88-byte first-generation one");

// Icons of all TrayIcon objects of the process must differ in uID for the
// shell to tell them apart.
UINT g_lastTrayId = 0;

BOOL CallShellNotify(DWORD message, NOTIFYICONDATAA* record) {
    return Shell_NotifyIconA(message, record);
}

TrayIcon::NotifyFn g_notify = &CallShellNotify;

}  // namespace

TrayIcon::NotifyFn TrayIcon::SetNotifyFunction(NotifyFn fn) {
    NotifyFn previous = g_notify;
    g_notify = fn != nullptr ? fn : &CallShellNotify;
    return previous;
}

TrayIcon::NotifyFn TrayIcon::DefaultNotifyFunction() {
    return &CallShellNotify;
}

TrayIcon::TrayIcon() {
    std::memset(&record_, 0, sizeof(record_));
    record_.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record_.uID = ++g_lastTrayId;
    record_.uFlags = flags_;
    record_.uCallbackMessage = kTrayCallbackMessage;
}

TrayIcon::~TrayIcon() {
    TrayIcon::Release();
}

int TrayIcon::Attach(HWND window) {
    if (!IsWindow(window)) return 1;
    record_.hWnd = window;
    return 0;
}

int TrayIcon::Release() {
    RemoveFromTray();
    return 0;
}

int TrayIcon::AddIcon(HICON icon) {
    if (icon == nullptr) return 1;
    try {
        icons_.push_back(icon);
    } catch (const std::bad_alloc&) {
        return 1;
    }
    if (icons_.size() == 1) {
        current_ = 0;
        record_.hIcon = icon;
    }
    return 0;
}

int TrayIcon::RemoveIconAt(unsigned int index) {
    if (index >= icons_.size()) return 1;
    if (icons_.size() == 1) {
        icons_.clear();
        record_.hIcon = nullptr;
        current_ = -1;
        return 0;
    }
    icons_.erase(icons_.begin() + index);
    return 0;
}

int TrayIcon::RemoveIcon(HICON icon) {
    for (unsigned int i = 0; i < icons_.size(); ++i)
        if (icons_[i] == icon) return RemoveIconAt(i);
    return 1;
}

int TrayIcon::SetFlags(UINT flags) {
    if (flags & ~static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP)) return 1;
    flags_ = flags;
    record_.uFlags = flags;
    return 0;
}

int TrayIcon::SetTip(const char* text) {
    if (text == nullptr) text = "";
    const std::size_t length = std::strlen(text);
    if (length >= kTrayTipSize) return 1;
    std::memcpy(record_.szTip, text, length + 1);
    if (added_ && !Notify(NIM_MODIFY, NIF_TIP)) return 1;
    return 0;
}

UINT TrayIcon::GetId() const {
    return record_.uID;
}

UINT TrayIcon::GetFlags() const {
    return flags_;
}

unsigned int TrayIcon::GetIconCount() const {
    return static_cast<unsigned int>(icons_.size());
}

int TrayIcon::GetCurrentIcon() const {
    return current_;
}

const char* TrayIcon::GetTip() const {
    return record_.szTip;
}

bool TrayIcon::IsAdded() const {
    return added_;
}

int TrayIcon::AddToTray() {
    if (added_) return 0;
    if (record_.hWnd == nullptr) return 1;
    if (record_.hIcon == nullptr) return 2;
    if (!Notify(NIM_ADD, flags_)) return 3;
    added_ = true;
    return 0;
}

int TrayIcon::RemoveFromTray() {
    if (!added_) return 0;
    if (!Notify(NIM_DELETE, flags_)) return 1;
    added_ = false;
    return 0;
}

int TrayIcon::SelectIcon(unsigned int index) {
    if (index >= icons_.size()) return 1;
    if (static_cast<int>(index) == current_) return 0;
    HICON previous = record_.hIcon;
    record_.hIcon = icons_[index];
    if (added_ && !Notify(NIM_MODIFY, NIF_ICON)) {
        record_.hIcon = previous;
        return 2;
    }
    current_ = static_cast<int>(index);
    return 0;
}

int TrayIcon::ReAddToTray() {
    // A shell that still has the icon would refuse a second NIM_ADD for the
    // same id; after a real task-bar restart this delete simply fails.
    if (added_ && record_.hWnd != nullptr) g_notify(NIM_DELETE, &record_);
    added_ = false;
    return AddToTray();
}

HICON TrayIcon::IconAt(unsigned int index) const {
    return index < icons_.size() ? icons_[index] : nullptr;
}

BOOL TrayIcon::Notify(DWORD message, UINT temporaryFlags) {
    // Telling the shell only what changed keeps it from re-reading fields
    // that are stale or unset.
    record_.uFlags = temporaryFlags;
    const BOOL ok = g_notify(message, &record_);
    record_.uFlags = flags_;
    return ok;
}

}  // namespace tellaro
