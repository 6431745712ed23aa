// Looks at the running program from outside, as another process of the same
// Wine session: finds windows by caption or class and posts messages to them.
// usage:
//   probe wait CAPTION SECONDS        0 once a window with that caption exists
//   probe gone CAPTION SECONDS        0 once no such window exists
//   probe count CAPTION               prints how many top-level windows have it
//   probe visible CAPTION             0 when the window is visible
//   probe inside CAPTION              0 when the window lies wholly on the screen
//   probe post CAPTION MSG WPARAM LPARAM
//   probe waitclass CLASS TITLE SECONDS   0 once a window of that class and title exists
//   probe closeclass CLASS            posts WM_CLOSE to every window of that class
//   probe idle CAPTION SECONDS        0 once that window's thread answers messages,
//                                     that is once the program has started up
//   probe settext CAPTION ID TEXT     sets the text of control ID of that window
//   probe treeitem CAPTION LABEL      prints the screen point "x y" at the middle
//                                     of the first tree node so labelled
//   probe waitmenu SECONDS            0 once a popup menu is open
//   probe nomenu SECONDS              0 once no popup menu is open
//   probe texts CAPTION               prints the texts of that window's controls
//   probe shown CAPTION SECONDS       0 once that window is visible
//   probe hidden CAPTION SECONDS      0 once it exists and is hidden
//   probe center CAPTION ID           prints the screen centre "x y" of its control ID
//   probe text CAPTION ID             prints the text of its control ID
#include <windows.h>
// The tree view's messages and records build on windows.h.
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct CountState {
    const char* caption;
    int count;
};

BOOL CALLBACK CountCaption(HWND window, LPARAM param) {
    auto* state = reinterpret_cast<CountState*>(param);
    char text[512];
    if (GetWindowTextA(window, text, sizeof(text)) > 0 && std::strcmp(text, state->caption) == 0)
        ++state->count;
    return TRUE;
}

BOOL CALLBACK CloseClass(HWND window, LPARAM param) {
    char name[256];
    if (GetClassNameA(window, name, sizeof(name)) > 0 &&
        std::strcmp(name, reinterpret_cast<const char*>(param)) == 0)
        PostMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
}

BOOL CALLBACK PrintText(HWND window, LPARAM) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    const int length = GetWindowTextA(window, &text[0], static_cast<int>(text.size()));
    if (length > 0) std::printf("%s\n", text.substr(0, static_cast<std::size_t>(length)).c_str());
    return TRUE;
}

template <typename Pred>
int WaitFor(Pred pred, double seconds) {
    const DWORD deadline = GetTickCount() + static_cast<DWORD>(seconds * 1000);
    for (;;) {
        if (pred()) return 0;
        if (static_cast<LONG>(GetTickCount() - deadline) > 0) return 1;
        Sleep(100);
    }
}

long Number(const char* text) { return std::strtol(text, nullptr, 0); }

// The tree view's messages carry pointers, which must point into the
// program's own memory: the records travel through a page allocated there.
int TreeItem(const char* caption, const char* label) {
    HWND window = FindWindowA(nullptr, caption);
    HWND tree = window ? FindWindowExA(window, nullptr, "SysTreeView32", nullptr) : nullptr;
    DWORD pid = 0;
    if (tree == nullptr || !GetWindowThreadProcessId(tree, &pid)) return 1;
    HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process == nullptr) return 1;
    auto* remote =
        static_cast<char*>(VirtualAllocEx(process, nullptr, 4096, MEM_COMMIT, PAGE_READWRITE));
    char* remoteText = remote + 1024;
    char* remoteRect = remote + 2048;
    int result = 1;
    std::vector<HTREEITEM> pending{
        reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0))};
    while (remote != nullptr && !pending.empty()) {
        HTREEITEM item = pending.back();
        pending.pop_back();
        if (item == nullptr) continue;
        TVITEMA query = {};
        query.mask = TVIF_TEXT;
        query.hItem = item;
        query.pszText = remoteText;
        query.cchTextMax = 512;
        char text[513] = {};
        WriteProcessMemory(process, remote, &query, sizeof(query), nullptr);
        SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote));
        ReadProcessMemory(process, remoteText, text, 512, nullptr);
        if (std::strcmp(text, label) == 0) {
            // TVM_GETITEMRECT takes the node in the rectangle it fills.
            WriteProcessMemory(process, remoteRect, &item, sizeof(item), nullptr);
            RECT r = {};
            if (SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(remoteRect)) &&
                ReadProcessMemory(process, remoteRect, &r, sizeof(r), nullptr)) {
                POINT p = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
                ClientToScreen(tree, &p);
                std::printf("%ld %ld\n", p.x, p.y);
                result = 0;
            }
            break;
        }
        // Depth first: the children before the next sibling.
        pending.push_back(reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item))));
        pending.push_back(reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item))));
    }
    if (remote != nullptr) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return result;
}

}  // namespace

// Any visible popup menu: Wine keeps hidden menu windows of the same class
// around, and the first one found may be one of those.
bool MenuOpen() {
    for (HWND menu = FindWindowExA(nullptr, nullptr, "#32768", nullptr); menu != nullptr;
         menu = FindWindowExA(nullptr, menu, "#32768", nullptr))
        if (IsWindowVisible(menu)) return true;
    return false;
}

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    if (std::string(argv[1]) == "waitmenu") return WaitFor(MenuOpen, atof(argv[2]));
    if (std::string(argv[1]) == "nomenu") return WaitFor([] { return !MenuOpen(); }, atof(argv[2]));
    const std::string verb = argv[1];
    const char* caption = argv[2];
    if (verb == "wait" && argc == 4)
        return WaitFor([&] { return FindWindowA(nullptr, caption) != nullptr; }, atof(argv[3]));
    if (verb == "gone" && argc == 4)
        return WaitFor([&] { return FindWindowA(nullptr, caption) == nullptr; }, atof(argv[3]));
    if (verb == "idle" && argc == 4) {
        return WaitFor(
            [&] {
                HWND window = FindWindowA(nullptr, caption);
                DWORD_PTR answer = 0;
                return window != nullptr &&
                       SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &answer) != 0;
            },
            atof(argv[3]));
    }
    if (verb == "count") {
        CountState state{caption, 0};
        EnumWindows(CountCaption, reinterpret_cast<LPARAM>(&state));
        std::printf("%d\n", state.count);
        return 0;
    }
    if (verb == "texts") {
        HWND window = FindWindowA(nullptr, caption);
        if (window == nullptr) return 1;
        EnumChildWindows(window, PrintText, 0);
        return 0;
    }
    if ((verb == "shown" || verb == "hidden") && argc == 4) {
        const bool wanted = verb == "shown";
        return WaitFor(
            [&] {
                HWND window = FindWindowA(nullptr, caption);
                return window != nullptr && (IsWindowVisible(window) != 0) == wanted;
            },
            atof(argv[3]));
    }
    if ((verb == "center" || verb == "text") && argc == 4) {
        HWND control = GetDlgItem(FindWindowA(nullptr, caption), static_cast<int>(Number(argv[3])));
        if (control == nullptr) return 1;
        if (verb == "text") {
            std::string text(static_cast<std::size_t>(GetWindowTextLengthA(control)) + 1, '\0');
            GetWindowTextA(control, &text[0], static_cast<int>(text.size()));
            std::printf("%s\n", text.c_str());
            return 0;
        }
        RECT r;
        if (!GetWindowRect(control, &r)) return 1;
        std::printf("%ld %ld\n", (r.left + r.right) / 2, (r.top + r.bottom) / 2);
        return 0;
    }
    if (verb == "visible") {
        HWND window = FindWindowA(nullptr, caption);
        return window != nullptr && IsWindowVisible(window) ? 0 : 1;
    }
    if (verb == "inside") {
        HWND window = FindWindowA(nullptr, caption);
        RECT r;
        if (window == nullptr || !GetWindowRect(window, &r)) return 1;
        std::printf("%ld,%ld %ldx%ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
        return r.left >= 0 && r.top >= 0 && r.right <= GetSystemMetrics(SM_CXSCREEN) &&
                       r.bottom <= GetSystemMetrics(SM_CYSCREEN)
                   ? 0
                   : 1;
    }
    if (verb == "post" && argc == 6) {
        HWND window = FindWindowA(nullptr, caption);
        if (window == nullptr) return 1;
        return PostMessageA(window, static_cast<UINT>(Number(argv[3])),
                            static_cast<WPARAM>(Number(argv[4])),
                            static_cast<LPARAM>(Number(argv[5])))
                   ? 0
                   : 1;
    }
    if (verb == "settext" && argc == 5) {
        HWND window = FindWindowA(nullptr, caption);
        return window != nullptr &&
                       SetDlgItemTextA(window, static_cast<int>(Number(argv[3])), argv[4])
                   ? 0
                   : 1;
    }
    if (verb == "treeitem" && argc == 4) return TreeItem(caption, argv[3]);
    if (verb == "waitclass" && argc == 5) {
        const char* title = std::strcmp(argv[3], "-") == 0 ? nullptr : argv[3];
        return WaitFor([&] { return FindWindowA(caption, title) != nullptr; }, atof(argv[4]));
    }
    if (verb == "closeclass") {
        EnumWindows(CloseClass, reinterpret_cast<LPARAM>(caption));
        return 0;
    }
    return 2;
}
