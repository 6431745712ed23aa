#include "shell/shell_launcher.h"

#include <shlwapi.h>

#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "base/module_instance.h"
#include "base/runtime_api.h"
#include "base/system_code_page.h"
#include "config/registry_key.h"
#include "shell/launch_thread.h"

namespace tellaro {
namespace shell {

static_assert(kShellAttributeBrowsable == SFGAO_BROWSABLE && kShellAttributeFolder == SFGAO_FOLDER,
              "the portable attribute bits must match the shell's");

namespace {

BOOL RealExecuteEx(SHELLEXECUTEINFOA* info) {
    return ShellExecuteExA(info);
}

HINSTANCE RealExecute(HWND owner, const char* verb, const char* file, const char* parameters,
                      const char* directory, int show) {
    return ShellExecuteA(owner, verb, file, parameters, directory, show);
}

bool IsDown(int virtualKey) {
    return (GetKeyState(virtualKey) & 0x80) != 0;
}

ModifierKeys RealModifiers() {
    ModifierKeys keys;
    keys.shift = IsDown(VK_SHIFT);
    keys.rightButton = IsDown(VK_RBUTTON);
    return keys;
}

ShellVersion RealShellVersion() {
    // Looked up at run time: shell32 of the oldest systems has no DllGetVersion,
    // and such a shell counts as 0.0.
    const ModuleVersion found = runtime_api::ProbeDllVersion("shell32.dll", 0);
    ShellVersion version;
    version.major = found.major;
    version.minor = found.minor;
    return version;
}

ShellCalls g_calls = {&RealExecuteEx, &RealExecute, &RealModifiers, &RealShellVersion};

// Run on a launch thread: the shell shows no message of its own there (the
// user-interface thread tells the user), and returns only once the
// launch is done, before that thread ends.
SHELLEXECUTEINFOA NewExecuteInfo(const char* verb) {
    SHELLEXECUTEINFOA info;
    std::memset(&info, 0, sizeof(info));
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.lpVerb = verb;
    info.nShow = SW_SHOWNORMAL;
    return info;
}

DWORD ExecuteEx(SHELLEXECUTEINFOA& info) {
    if (g_calls.executeEx(&info)) return 0;
    const DWORD error = GetLastError();
    return error != 0 ? error : ERROR_FILE_NOT_FOUND;
}

// What an item identifier list stands for, for a message about it.
std::string DisplayName(LPCITEMIDLIST idList) {
    SHFILEINFOA info;
    std::memset(&info, 0, sizeof(info));
    if (!SHGetFileInfoA(reinterpret_cast<LPCSTR>(idList), 0, &info, sizeof(info),
                        SHGFI_PIDL | SHGFI_DISPLAYNAME))
        return std::string();
    return info.szDisplayName;
}

// The default value of one key below HKEY_CLASSES_ROOT. False when the key
// cannot be opened; a key without a default value gives an empty text.
bool ReadClassesDefault(const std::string& name, std::string& value) {
    RegistryKey key;
    key.SetRoot(HKEY_CLASSES_ROOT);
    if (key.Open(name.c_str(), 0) != 0) return false;
    const char* text = key.ReadString("");
    value = text != nullptr ? text : "";
    key.Close();
    return true;
}

// The program registered to open .htm files, as the default browser.
bool FindBrowserProgram(std::string& program) {
    std::string className;
    if (!ReadClassesDefault(".htm", className)) return false;
    std::string command;
    if (!ReadClassesDefault(OpenCommandKey(className), command)) return false;
    program = ExtractBrowserProgram(command);
    return !program.empty();
}

bool ExecuteSucceeded(HINSTANCE result) {
    return reinterpret_cast<INT_PTR>(result) > 32;
}

bool IsFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The full path of this program; the buffer grows until the path fits.
std::string ModulePath() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(ModuleInstance(), &path[0], static_cast<DWORD>(path.size()));
        if (length == 0) return std::string();
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.assign(path.size() * 2, '\0');
    }
}

// Expands the %VARIABLE%s of a registry command; the text grows until it fits.
std::string ExpandVariables(const std::string& text) {
    std::string expanded(text.size() + 1, '\0');
    for (;;) {
        const DWORD needed = ExpandEnvironmentStringsA(text.c_str(), &expanded[0],
                                                       static_cast<DWORD>(expanded.size()));
        if (needed == 0) return text;
        if (needed <= expanded.size()) {
            expanded.resize(std::strlen(expanded.c_str()));
            return expanded;
        }
        expanded.assign(needed, '\0');
    }
}

// The shell drops a URL's fragment on the way to the browser: the .html
// handler's own command is started with the guide's file: URL instead.
bool OpenGuideAt(const std::string& guidePage, const char* topic) {
    // Asked without a buffer, Windows answers S_FALSE with the size, Wine S_OK.
    DWORD size = 0;
    if (FAILED(AssocQueryStringA(ASSOCF_NOTRUNCATE, ASSOCSTR_COMMAND, ".html", "open", nullptr,
                                 &size)) ||
        size == 0)
        return false;
    std::string command(size, '\0');
    if (FAILED(AssocQueryStringA(ASSOCF_NOTRUNCATE, ASSOCSTR_COMMAND, ".html", "open", &command[0],
                                 &size)))
        return false;
    command.resize(std::strlen(command.c_str()));
    const std::string url = FileUrl(ToUtf8(WidenFromSystem(guidePage)), topic);
    std::string line = CommandWithArgument(ExpandVariables(command), url);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

}  // namespace

ShellCalls DefaultShellCalls() {
    return {&RealExecuteEx, &RealExecute, &RealModifiers, &RealShellVersion};
}

ShellCalls InstallShellCalls(const ShellCalls& calls) {
    const ShellCalls previous = g_calls;
    const ShellCalls defaults = DefaultShellCalls();
    g_calls.executeEx = calls.executeEx != nullptr ? calls.executeEx : defaults.executeEx;
    g_calls.execute = calls.execute != nullptr ? calls.execute : defaults.execute;
    g_calls.modifiers = calls.modifiers != nullptr ? calls.modifiers : defaults.modifiers;
    g_calls.shellVersion =
        calls.shellVersion != nullptr ? calls.shellVersion : defaults.shellVersion;
    return previous;
}

ModifierKeys ModifierState() {
    return g_calls.modifiers();
}

void OpenPath(const char* path, const char* verb) {
    std::string file = path != nullptr ? path : "";
    std::string target = file;
    Launch(
        [file = std::move(file), verb](std::string&) {
            SHELLEXECUTEINFOA info = NewExecuteInfo(verb);
            info.lpFile = file.c_str();
            return ExecuteEx(info);
        },
        std::move(target));
}

void OpenIdList(LPCITEMIDLIST idList, const char* verb) {
    // The caller frees its list when this returns; the launch keeps a copy.
    std::shared_ptr<ITEMIDLIST> copy(ILClone(idList), [](ITEMIDLIST* l) { CoTaskMemFree(l); });
    if (!copy) return;
    Launch(
        [copy, verb](std::string& target) {
            SHELLEXECUTEINFOA info = NewExecuteInfo(verb);
            info.fMask |= SEE_MASK_IDLIST;
            info.lpIDList = copy.get();
            const DWORD error = ExecuteEx(info);
            // Named for the message only when there is one to give.
            if (error != 0) target = DisplayName(copy.get());
            return error;
        },
        std::string());
}

void OpenUserFolder(const char* path) {
    OpenPath(path, FolderVerb(ModifierState()));
}

int OpenSpecialFolder(int csidl) {
    if (csidl == CSIDL_INTERNET) return OpenInBrowser(nullptr);
    LPITEMIDLIST idList = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &idList)) || idList == nullptr) return -1;
    OpenIdList(idList, FolderVerb(ModifierState()));
    CoTaskMemFree(idList);
    return 0;
}

void OpenDesktopShellItem(LPCITEMIDLIST idList) {
    SHFILEINFOA info;
    std::memset(&info, 0, sizeof(info));
    SHGetFileInfoA(reinterpret_cast<LPCSTR>(idList), 0, &info, sizeof(info),
                   SHGFI_PIDL | SHGFI_ATTRIBUTES);
    switch (DesktopShellItemAction(info.dwAttributes, ModifierState())) {
        case ShellItemAction::Browser:
            OpenInBrowser(nullptr);
            break;
        case ShellItemAction::Explore:
            OpenIdList(idList, kVerbExplore);
            break;
        case ShellItemAction::Open:
            OpenIdList(idList, kVerbOpen);
            break;
    }
}

void OpenDesktopPath(const char* path) {
    const DWORD attributes = GetFileAttributesA(path != nullptr ? path : "");
    // A path that vanished since the menu was built has no attributes; all
    // bits set would read as a directory.
    const bool isDirectory =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    OpenPath(path, DesktopVerb(isDirectory, ModifierState()));
}

int OpenInBrowser(const char* url) {
    try {
        const bool haveUrl = url != nullptr;
        const bool direct = ShellOpensUrlDirectly(g_calls.shellVersion(), haveUrl);
        // Without the direct way the registered browser is the only one, and
        // a system without one is known at once; with it, the registry is
        // read only when the direct way fails, on the launch's thread.
        std::string program;
        if (!direct && !FindBrowserProgram(program)) return -1;
        std::string address = haveUrl ? url : "";
        Launch(
            [=](std::string&) mutable -> DWORD {
                if (direct && ExecuteSucceeded(g_calls.execute(nullptr, "open", address.c_str(),
                                                               nullptr, nullptr, SW_SHOWNORMAL)))
                    return 0;
                if (!program.empty() || FindBrowserProgram(program))
                    g_calls.execute(nullptr, "open", program.c_str(),
                                    haveUrl ? address.c_str() : nullptr, nullptr, SW_SHOWNORMAL);
                // The browser reports its own troubles.
                return 0;
            },
            address);
        return 0;
    } catch (const std::bad_alloc&) {
        return -1;
    }
}

void OpenMailLink(const char* address) {
    try {
        std::string target = std::string("mailto:") + (address != nullptr ? address : "");
        Launch(
            [target](std::string&) -> DWORD {
                g_calls.execute(nullptr, "OPEN", target.c_str(), "", "", SW_SHOW);
                return 0;
            },
            target);
    } catch (const std::bad_alloc&) {
    }
}

HelpResult ShowHelp(HWND owner, const char* helpFileName, UINT command, ULONG_PTR data,
                    const char* topic, std::string& guidePage) {
    try {
        const HelpFiles files = HelpFilesBeside(
            ModulePath(), helpFileName != nullptr ? helpFileName : "", &IsSystemLeadByte);
        guidePage = files.guidePage;
        if (IsFile(files.winHelpFile)) {
            WinHelpA(owner, files.winHelpFile.c_str(), command, data);
            return HelpResult::Shown;
        }
        if (!IsFile(files.guidePage)) return HelpResult::Missing;
        if (topic != nullptr && *topic != '\0' && OpenGuideAt(files.guidePage, topic))
            return HelpResult::Shown;
        const HINSTANCE opened = g_calls.execute(owner, "open", files.guidePage.c_str(), nullptr,
                                                 nullptr, SW_SHOWNORMAL);
        return ExecuteSucceeded(opened) ? HelpResult::Shown : HelpResult::NoViewer;
    } catch (const std::bad_alloc&) {
        return HelpResult::NoViewer;
    }
}

}  // namespace shell
}  // namespace tellaro
