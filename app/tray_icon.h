// One icon in the task-bar notification area: the record the shell is given,
// the icons it can show in turn, and whether the shell currently has it.
#pragma once

#include <windows.h>
// The shell headers need the types above.
#include <shellapi.h>

#include <vector>

namespace tellaro {

// Callback message the shell sends to the owner window for mouse events.
constexpr UINT kTrayCallbackMessage = 1124;
// Longest tooltip the first-generation record holds, terminator included.
constexpr std::size_t kTrayTipSize = 64;

class TrayIcon {
public:
    // The shell entry point; replaceable so that tests can watch the calls
    // and make them fail.
    using NotifyFn = BOOL (*)(DWORD message, NOTIFYICONDATAA* record);
    static NotifyFn SetNotifyFunction(NotifyFn fn);  // null restores the shell's
    static NotifyFn DefaultNotifyFunction();

    TrayIcon();
    virtual ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // 1 if `window` is not a live window.
    virtual int Attach(HWND window);
    virtual int Release();
    // 1 for a null icon or when memory runs out. The first icon becomes the
    // one shown.
    virtual int AddIcon(HICON icon);
    // 1 if there is no such icon. Removing the last remaining icon leaves
    // nothing to show; otherwise the later icons move down one place and the
    // current index is left as it is.
    virtual int RemoveIconAt(unsigned int index);
    virtual int RemoveIcon(HICON icon);
    // Any combination of NIF_MESSAGE, NIF_ICON and NIF_TIP; 1 for other bits.
    virtual int SetFlags(UINT flags);
    // Null clears the tip; 64 characters or more are refused with 1. While
    // the icon is in the tray the shell is told at once: 1 if that fails.
    virtual int SetTip(const char* text);
    virtual UINT GetId() const;
    virtual UINT GetFlags() const;
    virtual unsigned int GetIconCount() const;
    virtual int GetCurrentIcon() const;
    virtual const char* GetTip() const;
    virtual bool IsAdded() const;
    // 0 when added or already there; 1 without a window, 2 without an icon,
    // 3 when the shell refuses.
    virtual int AddToTray();
    // 1 when the shell refuses to remove it; 0 otherwise.
    virtual int RemoveFromTray();
    // 1 if there is no such icon; 2 when the shell refuses the change, which
    // keeps the previous icon.
    virtual int SelectIcon(unsigned int index);
    // After the shell's task bar was recreated ("TaskbarCreated") the new one
    // knows nothing of the icon: add it again, whatever we believed. Same
    // results as AddToTray.
    virtual int ReAddToTray();

    HICON IconAt(unsigned int index) const;
    const NOTIFYICONDATAA& Record() const { return record_; }

private:
    BOOL Notify(DWORD message, UINT temporaryFlags);

    std::vector<HICON> icons_;
    int current_ = -1;
    UINT flags_ = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    bool added_ = false;
    NOTIFYICONDATAA record_;
};

}  // namespace tellaro
