#include "config/system_info.h"

#include <optional>
#include <string>

#include "config/system_text.h"

namespace tellaro {

namespace {

// The four forms each directory is offered in, in cache order.
enum Form { kPlain, kSlash, kDrive, kRoot, kFormCount };
enum Directory { kCurrentDir, kWindowsDir, kSystemDir, kDirectoryCount };
constexpr int kUserText = kDirectoryCount * kFormCount;
constexpr int kUserSlashText = kUserText + 1;
constexpr int kTextCount = kUserSlashText + 1;

struct CachedText {
    bool settled = false;  // formed, or found impossible to form
    bool valid = false;
    std::string text;

    const char* Get() const { return valid ? text.c_str() : nullptr; }
    void Set(std::string value) {
        settled = valid = true;
        text = std::move(value);
    }
    void SetMissing() {
        settled = true;
        valid = false;
    }
    void Set(std::optional<std::string> value) {
        if (value)
            Set(std::move(*value));
        else
            SetMissing();
    }
};

struct SharedState {
    int instances = 0;
    bool versionFilled = false;
    OSVERSIONINFOA version = {};
    CachedText texts[kTextCount];
};

SharedState& Shared() {
    static SharedState state;
    return state;
}

// Asks for the size first so that any length fits; nothing when the
// platform call fails or the directory changed in between.
template <typename Query>
bool QueryDirectory(Query query, std::string& out) {
    const unsigned needed = query(nullptr, 0);
    if (needed == 0) return false;
    std::string buffer(needed, '\0');
    const unsigned length = query(&buffer[0], needed);
    if (length == 0 || length >= needed) return false;
    buffer.resize(length);
    out = std::move(buffer);
    return true;
}

bool ReadDirectory(int which, std::string& out) {
    switch (which) {
        case kCurrentDir:
            return QueryDirectory([](char* b, unsigned n) { return GetCurrentDirectoryA(n, b); },
                                  out);
        case kWindowsDir:
            return QueryDirectory([](char* b, unsigned n) { return GetWindowsDirectoryA(b, n); },
                                  out);
        default:
            return QueryDirectory([](char* b, unsigned n) { return GetSystemDirectoryA(b, n); },
                                  out);
    }
}

const char* DirectoryText(int which, Form form) {
    CachedText* texts = Shared().texts + which * kFormCount;
    if (!texts[kPlain].settled) {
        try {
            std::string dir;
            if (ReadDirectory(which, dir)) {
                texts[kSlash].Set(system_text::WithBackslash(dir));
                texts[kDrive].Set(system_text::DriveOf(dir));
                texts[kRoot].Set(system_text::RootOf(dir));
                texts[kPlain].Set(std::move(dir));
            } else {
                for (int f = 0; f < kFormCount; ++f) texts[f].SetMissing();
            }
        } catch (...) {  // out of memory: the text simply can't be had
            for (int f = 0; f < kFormCount; ++f) texts[f].SetMissing();
        }
    }
    return texts[form].Get();
}

std::optional<std::string> LogonName() {
    char name[256];
    DWORD size = sizeof name;
    if (!GetUserNameA(name, &size)) return std::nullopt;
    return std::string(name);
}

void ReleaseTexts() {
    for (CachedText& text : Shared().texts) text = CachedText();
}

// The shell's desktop icon view sits at a fixed place below the desktop
// window: its first child's last sibling, then two levels of first children.
HWND DesktopViewWindow() {
    HWND window = GetWindow(GetDesktopWindow(), GW_CHILD);
    if (window) window = GetWindow(window, GW_HWNDLAST);
    if (window) window = GetWindow(window, GW_CHILD);
    if (window) window = GetWindow(window, GW_CHILD);
    return window;
}

int WindowRect(HWND window, RECT* rect) {
    return window && rect && GetWindowRect(window, rect) ? 0 : 1;
}

}  // namespace

SystemInfo::SystemInfo() {
    SharedState& state = Shared();
    ++state.instances;
    if (!state.versionFilled) {
        state.versionFilled = true;
        state.version.dwOSVersionInfoSize = sizeof state.version;
        if (!GetVersionExA(&state.version)) {
            state.version = OSVERSIONINFOA{};
            state.version.dwOSVersionInfoSize = sizeof state.version;
        }
    }
}

SystemInfo::~SystemInfo() {
    if (--Shared().instances == 0) ReleaseTexts();
}

int SystemInfo::InstanceCount() {
    return Shared().instances;
}

bool SystemInfo::IsNT() const {
    return PlatformId() == VER_PLATFORM_WIN32_NT;
}
bool SystemInfo::Is9x() const {
    return PlatformId() == VER_PLATFORM_WIN32_WINDOWS;
}
DWORD SystemInfo::MajorVersion() const {
    return Shared().version.dwMajorVersion;
}
DWORD SystemInfo::MinorVersion() const {
    return Shared().version.dwMinorVersion;
}
DWORD SystemInfo::PlatformId() const {
    return Shared().version.dwPlatformId;
}
const char* SystemInfo::ServicePack() const {
    return Shared().version.szCSDVersion;
}

DWORD SystemInfo::BuildNumber() const {
    // The 9x family packs the version into the high word of the build number.
    const DWORD build = Shared().version.dwBuildNumber;
    return Is9x() ? (build & 0xFFFFu) : build;
}

const char* SystemInfo::CurrentDirectory() {
    return DirectoryText(kCurrentDir, kPlain);
}
const char* SystemInfo::CurrentDirectorySlash() {
    return DirectoryText(kCurrentDir, kSlash);
}
const char* SystemInfo::CurrentDrive() {
    return DirectoryText(kCurrentDir, kDrive);
}
const char* SystemInfo::CurrentRoot() {
    return DirectoryText(kCurrentDir, kRoot);
}
const char* SystemInfo::WindowsDirectory() {
    return DirectoryText(kWindowsDir, kPlain);
}
const char* SystemInfo::WindowsDirectorySlash() {
    return DirectoryText(kWindowsDir, kSlash);
}
const char* SystemInfo::WindowsDrive() {
    return DirectoryText(kWindowsDir, kDrive);
}
const char* SystemInfo::WindowsRoot() {
    return DirectoryText(kWindowsDir, kRoot);
}
const char* SystemInfo::SystemDirectory() {
    return DirectoryText(kSystemDir, kPlain);
}
const char* SystemInfo::SystemDirectorySlash() {
    return DirectoryText(kSystemDir, kSlash);
}
const char* SystemInfo::SystemDrive() {
    return DirectoryText(kSystemDir, kDrive);
}
const char* SystemInfo::SystemRoot() {
    return DirectoryText(kSystemDir, kRoot);
}

const char* SystemInfo::UserDirectory() {
    CachedText& text = Shared().texts[kUserText];
    if (!text.settled) {
        try {
            std::optional<std::string> name = LogonName();
            const char* current = CurrentDirectorySlash();
            text.Set(name && current ? system_text::UserFolder(current, *name) : std::nullopt);
        } catch (...) {
            text.SetMissing();
        }
    }
    return text.Get();
}

const char* SystemInfo::UserDirectorySlash() {
    CachedText& text = Shared().texts[kUserSlashText];
    if (!text.settled) {
        try {
            const char* user = UserDirectory();
            text.Set(user ? system_text::UserFolderSlash(user) : std::nullopt);
        } catch (...) {
            text.SetMissing();
        }
    }
    return text.Get();
}

int SystemInfo::DesktopRect(RECT* rect) {
    return WindowRect(GetDesktopWindow(), rect);
}

int SystemInfo::DesktopViewRect(RECT* rect) {
    return WindowRect(DesktopViewWindow(), rect);
}

}  // namespace tellaro
