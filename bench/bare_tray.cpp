// The least a tray program does before its message loop runs: one hidden
// window and one notification icon. The start-up benchmark measures it as
// the floor beside Tellaro.exe. Two options add, one at a time, the start-up
// work that Tellaro.exe cannot leave out: --com initialises COM on the
// thread, as the shell calls want; --main-window also loads the common
// controls and makes the icon's window from Tellaro's own main-window
// template, whose tree view needs them.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <cstring>

#include "res/resource.h"

namespace {

constexpr char kCaption[] = "Tellaro Bare Tray";
constexpr UINT kTrayMessage = WM_APP + 100;

NOTIFYICONDATAA g_icon = {};

INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM, LPARAM) {
    if (message == WM_CLOSE) {
        Shell_NotifyIconA(NIM_DELETE, &g_icon);
        DestroyWindow(window);
        return TRUE;
    }
    if (message == WM_DESTROY) PostQuitMessage(0);
    return FALSE;
}

HWND CreateMainWindowFromTemplate(HINSTANCE instance) {
    HMODULE controls = LoadLibraryA("comctl32.dll");
    auto init = reinterpret_cast<void(WINAPI*)()>(
        reinterpret_cast<void*>(GetProcAddress(controls, "InitCommonControls")));
    if (!init) return nullptr;
    init();
    HWND window =
        CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_SETTINGS), nullptr, DialogProc, 0);
    if (window) SetWindowTextA(window, kCaption);
    return window;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:
            Shell_NotifyIconA(NIM_DELETE, &g_icon);
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    const bool mainWindow = std::strstr(commandLine, "--main-window") != nullptr;
    // Loaded only when asked for, so that the bare program does not carry
    // the COM libraries at all.
    if (mainWindow || std::strstr(commandLine, "--com")) {
        auto init = reinterpret_cast<HRESULT(WINAPI*)(void*)>(
            reinterpret_cast<void*>(GetProcAddress(LoadLibraryA("ole32.dll"), "CoInitialize")));
        if (!init || FAILED(init(nullptr))) return 1;
    }
    HWND window = nullptr;
    if (mainWindow) {
        window = CreateMainWindowFromTemplate(instance);
    } else {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = "TellaroBareTray";
        if (RegisterClassA(&windowClass))
            window = CreateWindowA(windowClass.lpszClassName, kCaption, WS_OVERLAPPEDWINDOW, 0, 0,
                                   100, 100, nullptr, nullptr, instance, nullptr);
    }
    if (!window) return 1;
    g_icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    g_icon.hWnd = window;
    g_icon.uID = 1;
    g_icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    g_icon.uCallbackMessage = kTrayMessage;
    g_icon.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    lstrcpyA(g_icon.szTip, kCaption);
    Shell_NotifyIconA(NIM_ADD, &g_icon);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageA(window, &msg)) DispatchMessageA(&msg);
    }
    return 0;
}
