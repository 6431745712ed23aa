// The least a tray program does before its message loop runs: one hidden
// window and one notification icon. The start-up benchmark measures it as
// the floor beside Tellaro.exe.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

namespace {

constexpr char kCaption[] = "Tellaro Bare Tray";
constexpr UINT kTrayMessage = WM_APP + 100;

NOTIFYICONDATAA g_icon = {};

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

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "TellaroBareTray";
    if (!RegisterClassA(&windowClass)) return 1;
    HWND window = CreateWindowA(windowClass.lpszClassName, kCaption, WS_OVERLAPPEDWINDOW, 0, 0, 100,
                                100, nullptr, nullptr, instance, nullptr);
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
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
}
