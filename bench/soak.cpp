// Weeks of use in minutes: drives the real Tellaro.exe (1000 items, a few
// dozen desktop entries) through thousands of cycles of what a user does and
// prints its memory and GDI and USER object counts after a warm-up, along
// the way and at the end. Growth beyond noise is a leak. Prints figures only.
// usage: tellaro_soak [POPUP_CYCLES [SETTINGS_CYCLES]]   (0 skips a kind;
//        Tellaro.exe is taken from this program's folder; no other instance
//        may run)
// clang-format off
#include <windows.h>
#include <shlobj.h>
// clang-format on

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/process_bench.h"
#include "bench/sample_settings.h"
#include "res/resource.h"

namespace tellaro {
namespace {

constexpr char kCaption[] = "Tellaro Explorer";
constexpr DWORD kStepTimeoutMs = 10000;
constexpr int kDesktopFiles = 30;
constexpr int kReportsPerKind = 10;
constexpr DWORD kSettleMs = 200;

struct Target {
    HWND window = nullptr;
    HANDLE process = nullptr;
};

template <typename Pred>
bool WaitFor(Pred pred) {
    const double deadline = bench::NowMs() + kStepTimeoutMs;
    while (!pred()) {
        if (bench::NowMs() > deadline) return false;
        Sleep(1);
    }
    return true;
}

bool MenuOpen() {
    HWND menu = FindWindowA("#32768", nullptr);
    return menu != nullptr && IsWindowVisible(menu);
}

bool Answers(HWND window) {
    DWORD_PTR answer = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kStepTimeoutMs, &answer) != 0;
}

// The shell's click message, the menu open with its desktop refill, then
// dismissed as a click elsewhere would. Left and right clicks alternate, so
// both folder menus are shown.
bool PopupCycle(Target& target, int i) {
    const LPARAM click = i % 2 ? WM_RBUTTONUP : WM_LBUTTONUP;
    if (!PostMessageA(target.window, MSG_TRAY_NOTIFY, 1, click) || !WaitFor(MenuOpen)) return false;
    PostMessageA(target.window, WM_CANCELMODE, 0, 0);
    return WaitFor([] { return !MenuOpen(); }) && Answers(target.window);
}

// The settings window opened from the popup menu's command and closed with
// OK: the whole tree collected and rebuilt, the item file saved and the
// popup menus built again each time.
bool SettingsCycle(Target& target, int) {
    HWND window = target.window;
    if (!PostMessageA(window, WM_COMMAND, CMD_FOLDER_SETTINGS, 0) ||
        !WaitFor([window] { return IsWindowVisible(window) != FALSE; }) || !Answers(window))
        return false;
    // No user presses OK within milliseconds of the window appearing; under
    // Wine a hide that close behind the show can hang in ShowWindow.
    Sleep(kSettleMs);
    PostMessageA(window, WM_COMMAND, IDC_SETTINGS_OK, 0);
    if (!WaitFor([window] { return IsWindowVisible(window) == FALSE; })) return false;
    // The window counts as hidden before Wine has finished hiding it; a
    // message sent in that moment can hang both processes.
    Sleep(kSettleMs);
    return Answers(window);
}

// Each kind of cycle runs after the previous one, with its own warm-up.
struct CycleKind {
    const char* name;
    int count;
    bool (*run)(Target&, int);
};

void PrintFigures(const char* when, int done, const bench::ProcessFigures& f,
                  const bench::ProcessFigures* base) {
    std::printf("  %-9s %6d  working set %8.0f KB  private %8.0f KB  GDI %5s  USER %5s", when, done,
                f.workingSet / 1024.0, f.privateBytes / 1024.0,
                bench::CountText(f.gdiObjects).c_str(), bench::CountText(f.userObjects).c_str());
    if (base && base->privateBytes > 0) {
        std::printf(
            "  (private %+.2f%%, working set %+.2f%%)",
            100.0 * (static_cast<double>(f.privateBytes) - base->privateBytes) / base->privateBytes,
            100.0 * (static_cast<double>(f.workingSet) - base->workingSet) / base->workingSet);
    }
    std::printf("\n");
}

bool Soak(Target& target, const CycleKind& kind) {
    const int warmUp = std::max(1, kind.count / 20);
    std::printf("%s: %d cycles after %d warm-up cycles\n", kind.name, kind.count, warmUp);
    for (int i = 0; i < warmUp; ++i) {
        if (!kind.run(target, i)) return false;
    }
    const bench::ProcessFigures base = bench::ReadFigures(target.process);
    PrintFigures("warm", 0, base, nullptr);
    const int step = std::max(1, kind.count / kReportsPerKind);
    const double start = bench::NowMs();
    for (int i = 1; i <= kind.count; ++i) {
        if (!kind.run(target, i)) {
            std::fprintf(stderr, "%s cycle %d did not complete\n", kind.name, i);
            return false;
        }
        if (i % step == 0 || i == kind.count) {
            const bench::ProcessFigures now = bench::ReadFigures(target.process);
            PrintFigures(i == kind.count ? "end" : "", i, now, &base);
        }
    }
    std::printf("  %.1f ms per cycle\n", (bench::NowMs() - start) / kind.count);
    return true;
}

// Files on the user's desktop, so that every refill has paths to list.
class DesktopFiles {
public:
    DesktopFiles() {
        char desktop[MAX_PATH] = {};
        if (FAILED(SHGetFolderPathA(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, desktop))) return;
        for (int i = 0; i < kDesktopFiles; ++i) {
            const std::string path = std::string(desktop) + "\\Soak entry " + std::to_string(i) +
                                     (i % 3 ? ".txt" : ".lnk");
            HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
            if (file == INVALID_HANDLE_VALUE) continue;
            CloseHandle(file);
            made_.push_back(path);
        }
    }
    ~DesktopFiles() {
        for (const std::string& path : made_) DeleteFileA(path.c_str());
    }

private:
    std::vector<std::string> made_;
};

std::string BesideThisProgram(const char* name) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path = self;
    return path.substr(0, path.find_last_of("\\/") + 1) + name;
}

}  // namespace
}  // namespace tellaro

int main(int argc, char** argv) {
    using namespace tellaro;
    // Figures as they come: a soak that stops half-way still tells how far
    // it got.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const CycleKind kinds[] = {
        {"Popup menu", argc > 1 ? std::max(0, std::atoi(argv[1])) : 10000, PopupCycle},
        {"Settings window open and OK", argc > 2 ? std::max(0, std::atoi(argv[2])) : 500,
         SettingsCycle},
    };
    if (FindWindowA(nullptr, kCaption)) {
        std::fprintf(stderr, "Tellaro Explorer is running; end it first\n");
        return 1;
    }
    bench::SettingsFileSwap settings(ThousandItems());
    DesktopFiles desktop;
    bench::ChildProcess child;
    if (!settings.Written() || !child.Start(BesideThisProgram("Tellaro.exe")) ||
        !child.WaitUntilIdle(kCaption, 60000)) {
        std::fprintf(stderr, "Tellaro.exe did not start\n");
        return 1;
    }
    Target target{child.Window(kCaption), child.Handle()};
    if (!target.window) return 1;
    // Reading the GDI handle table from outside brings its 384 KB into the
    // target's memory once; that must not count as growth.
    bench::ReadFigures(target.process);
    for (const CycleKind& kind : kinds) {
        if (kind.count > 0 && !Soak(target, kind)) return 1;
    }
    return child.Close(kCaption, kStepTimeoutMs) ? 0 : 1;
}
