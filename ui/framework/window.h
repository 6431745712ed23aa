// An object bound to one window handle, with a snapshot of the window taken
// when it is attached and the common window calls as virtual operations.
#pragma once

#include <windows.h>

#include <string>

#include "base/base_object.h"

namespace tellaro {

class Window : public BaseObject {
public:
    explicit Window(HWND parent = nullptr);
    ~Window() override;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    virtual HWND GetHandle() const { return handle_; }
    virtual HWND GetParentHandle() const { return parent_; }
    virtual LONG GetStyle() const { return style_; }
    virtual LONG GetExStyle() const { return exStyle_; }
    // The text taken at Attach; null before.
    virtual const char* GetText() const { return hasText_ ? text_.c_str() : nullptr; }
    virtual int GetTop() const { return top_; }
    virtual int GetLeft() const { return left_; }
    // Live outer and client sizes; -1 when the window is not live.
    virtual int GetHeight() const;
    virtual int GetWidth() const;
    virtual int GetClientHeight() const;
    virtual int GetClientWidth() const;
    virtual void* GetUserData() const { return userData_; }
    virtual int IsShown() const { return shown_; }
    // Whether the bound window is on screen now (IsShown is the last request).
    bool IsVisibleNow() const { return handle_ != nullptr && IsWindowVisible(handle_) != 0; }
    virtual int IsEnabled() const { return enabled_; }
    virtual HWND GetFocusWindow() const { return GetFocus(); }
    virtual HICON GetClassIcon() const;
    virtual HICON GetClassSmallIcon() const;
    virtual LRESULT SetRedraw(BOOL redraw);
    virtual int SetText(const char* text);
    virtual int SetStyle(LONG style);
    virtual int SetExStyle(LONG exStyle);
    virtual void MoveTo(int top, int left);
    virtual void SetTop(int top);
    virtual void SetLeft(int left);
    virtual void SetHeight(int height);
    virtual void SetWidth(int width);
    virtual BOOL SetClientSize(int clientHeight, int clientWidth);
    virtual BOOL SetClientHeight(int height) { return SetClientSize(height, clientWidth_); }
    virtual BOOL SetClientWidth(int width) { return SetClientSize(clientHeight_, width); }
    virtual void SetUserData(void* data) { userData_ = data; }
    // Only exactly 1 shows; every other value hides (and is stored as given).
    virtual BOOL Show(int flag);
    virtual BOOL Enable(int flag);
    virtual void BringToForeground();
    virtual HWND Focus() { return SetFocus(handle_); }
    virtual int SetClassIcon(HICON icon);
    virtual int SetClassSmallIcon(HICON icon);
    virtual BOOL Invalidate();
    virtual BOOL Update();
    // 0 when the window is gone (or never was), -1 when DestroyWindow fails.
    virtual int Destroy();
    // -1 when a live window is already bound or `window` is not a window.
    virtual int Attach(HWND window);

protected:
    bool IsLive() const { return handle_ != nullptr && IsWindow(handle_); }
    void MoveToStoredRect();
    void ClearHandle() { handle_ = nullptr; }

private:
    HWND handle_ = nullptr;
    HWND parent_ = nullptr;
    LONG style_ = 0;
    LONG exStyle_ = 0;
    std::string text_;
    bool hasText_ = false;
    int top_ = 0;
    int left_ = 0;
    int height_ = 0;
    int width_ = 0;
    int clientHeight_ = 0;
    int clientWidth_ = 0;
    void* userData_ = nullptr;
    int shown_ = 0;
    int enabled_ = 1;
};

}  // namespace tellaro
