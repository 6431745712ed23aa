#include "bench/process_bench.h"

// clang-format off
#include <windows.h>
#include <psapi.h>
#include <shlobj.h>
// clang-format on

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "config/item_codec.h"
#include "config/settings_store.h"

namespace tellaro {
namespace bench {

namespace {

bool UnderWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// Wine's GetGuiResources reports nothing, but its GDI handle table is where
// Windows keeps one, behind the PEB: 16384 entries of 24 bytes whose type
// byte is zero while the entry is free. Reading it from outside gives the
// live GDI object count of an x86-64 process.
long WineGdiObjectCount(HANDLE process) {
    using QueryFn = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    struct BasicInformation {
        void* reserved1;
        void* pebBaseAddress;
        void* reserved2[4];
    } basic = {};
    auto query = reinterpret_cast<QueryFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    if (sizeof(void*) != 8 || !query || query(process, 0, &basic, sizeof basic, nullptr) != 0)
        return -1;
    constexpr SIZE_T kTableFieldOffset = 0xF8;  // PEB64.GdiSharedHandleTable
    constexpr SIZE_T kEntries = 16384, kEntrySize = 24, kTypeOffset = 14;
    std::uint64_t table = 0;
    SIZE_T got = 0;
    if (!ReadProcessMemory(process, static_cast<char*>(basic.pebBaseAddress) + kTableFieldOffset,
                           &table, sizeof table, &got) ||
        table == 0)
        return -1;
    std::vector<unsigned char> entries(kEntries * kEntrySize);
    if (!ReadProcessMemory(process, reinterpret_cast<void*>(table), entries.data(), entries.size(),
                           &got))
        return -1;
    long live = 0;
    for (SIZE_T i = 0; i < kEntries; ++i) live += entries[i * kEntrySize + kTypeOffset] != 0;
    return live;
}

long GuiCount(HANDLE process, DWORD which) {
    SetLastError(0);
    const DWORD count = GetGuiResources(process, which);
    return count == 0 && GetLastError() == ERROR_CALL_NOT_IMPLEMENTED ? -1
                                                                      : static_cast<long>(count);
}

std::wstring ItemFileInSettingsFolder() {
    wchar_t base[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, base))) return {};
    const std::wstring folder = std::wstring(base) + L"\\Morvane\\Tellaro";
    if (SettingsStore::CreateDirectoryTree(folder) != 0) return {};
    return folder + L"\\" + SettingsStore::kItemFileName;
}

bool WriteWhole(const std::wstring& path, const std::vector<char>& bytes) {
    std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

struct WindowSearch {
    const char* caption;
    HWND found;
};

BOOL CALLBACK FindCaption(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    if (lstrcmpA(text, search->caption) != 0) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

ProcessFigures ReadFigures(HANDLE process) {
    ProcessFigures figures;
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(process, &counters, sizeof counters)) {
        figures.workingSet = counters.WorkingSetSize;
        figures.peakWorkingSet = counters.PeakWorkingSetSize;
        figures.privateBytes = counters.PagefileUsage;
    }
    figures.gdiObjects = GuiCount(process, GR_GDIOBJECTS);
    figures.userObjects = GuiCount(process, GR_USEROBJECTS);
    if (figures.gdiObjects < 0 && UnderWine()) figures.gdiObjects = WineGdiObjectCount(process);
    return figures;
}

std::string CountText(long count) {
    return count < 0 ? "n/a" : std::to_string(count);
}

SettingsFileSwap::SettingsFileSwap(const FolderSettings& settings)
    : path_(ItemFileInSettingsFolder()) {
    if (path_.empty()) return;
    std::ifstream in(std::filesystem::path(path_), std::ios::binary);
    if (in) {
        previous_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        hadPrevious_ = true;
    }
    const std::vector<std::uint8_t> image = EncodeItemFile(OptionsRecord(), settings);
    written_ = WriteWhole(path_, std::vector<char>(image.begin(), image.end()));
}

SettingsFileSwap::~SettingsFileSwap() {
    if (path_.empty()) return;
    if (hadPrevious_)
        WriteWhole(path_, previous_);
    else
        DeleteFileW(path_.c_str());
}

ChildProcess::~ChildProcess() {
    if (info_.hProcess) {
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(info_.hProcess, 1);
        CloseHandle(info_.hProcess);
        CloseHandle(info_.hThread);
    }
}

bool ChildProcess::Start(const std::string& exe, const std::string& arguments) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + exe + "\" " + arguments;
    return CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &info_) != FALSE;
}

// Wine may signal input-idle before the first window exists; the window
// answering a sent message as well means its thread is in its loop.
bool ChildProcess::WaitUntilIdle(const char* caption, DWORD timeoutMs) {
    const double deadline = NowMs() + timeoutMs;
    if (WaitForInputIdle(info_.hProcess, timeoutMs) != 0) return false;
    for (;;) {
        HWND window = Window(caption);
        DWORD_PTR answer = 0;
        if (window && SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &answer))
            return true;
        if (NowMs() > deadline || WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0)
            return false;
        Sleep(0);
    }
}

HWND ChildProcess::Window(const char* caption) const {
    WindowSearch search{caption, nullptr};
    EnumThreadWindows(info_.dwThreadId, FindCaption, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool ChildProcess::Close(const char* caption, DWORD timeoutMs) {
    if (HWND window = Window(caption)) PostMessageA(window, WM_CLOSE, 0, 0);
    return WaitForSingleObject(info_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

}  // namespace bench
}  // namespace tellaro
