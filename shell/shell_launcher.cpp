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

// Run on a launch thread, where the shell may ask the user what it needs
// (a program for a file type it does not know, a password for a share) and
// says itself what went wrong; it returns only once the launch is done,
// before that thread ends.
SHELLEXECUTEINFOA NewExecuteInfo(const char* verb) {
    SHELLEXECUTEINFOA info;
    std::memset(&info, 0, sizeof(info));
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOASYNC;
    info.lpVerb = verb;
    info.nShow = SW_SHOWNORMAL;
    return info;
}

// Whatever the shell answers, it has told the user already (or the user
// cancelled its prompt): a message of ours would be a second box for one
// failure.
DWORD AskShell(SHELLEXECUTEINFOA& info) {
    g_calls.executeEx(&info);
    return 0;
}

// What keeps a second launch of the same thing from starting while the
// first still runs.
std::string LaunchKey(char kind, const char* verb, const void* bytes, std::size_t size) {
    std::string key(1, kind);
    key += verb != nullptr ? verb : "";
    key += '\0';
    key.append(static_cast<const char*>(bytes), size);
    return key;
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

// One text of the .html handler's registration; empty when there is none.
std::string HtmlAssociation(ASSOCSTR what) {
    // Asked without a buffer, Windows answers S_FALSE with the size, Wine S_OK.
    DWORD size = 0;
    if (FAILED(AssocQueryStringA(ASSOCF_NOTRUNCATE, what, ".html", "open", nullptr, &size)) ||
        size == 0)
        return std::string();
    std::string text(size, '\0');
    if (FAILED(AssocQueryStringA(ASSOCF_NOTRUNCATE, what, ".html", "open", &text[0], &size)))
        return std::string();
    text.resize(std::strlen(text.c_str()));
    return text;
}

// The shell drops a URL's fragment on the way to the browser: the .html
// handler's own command is started with the guide's file: URL instead.
bool OpenGuideAt(const std::string& guidePage, const char* topic) {
    const std::string command = HtmlAssociation(ASSOCSTR_COMMAND);
    // Named by its full path: left to CreateProcess, a bare program name
    // would be looked for in this program's folder first, where anyone who
    // can write there could plant one.
    const std::string program = ExpandVariables(HtmlAssociation(ASSOCSTR_EXECUTABLE));
    if (command.empty() || program.empty() || PathIsRelativeA(program.c_str()) || !IsFile(program))
        return false;
    const std::string url = FileUrl(ToUtf8(WidenFromSystem(guidePage)), topic);
    std::string line = CommandWithArgument(ExpandVariables(command), url);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(program.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
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
    const char* file = path != nullptr ? path : "";
    try {
        std::string key = LaunchKey('P', verb, file, std::strlen(file));
        auto copy = std::make_shared<const std::string>(file);
        Launch(
            [copy, verb](std::string&) {
                SHELLEXECUTEINFOA info = NewExecuteInfo(verb);
                info.lpFile = copy->c_str();
                return AskShell(info);
            },
            *copy, key);
    } catch (const std::bad_alloc&) {
        ReportLaunchFailure(file, ERROR_NOT_ENOUGH_MEMORY);
    }
}

void OpenIdList(LPCITEMIDLIST idList, const char* verb) {
    if (idList == nullptr) return;
    try {
        // The caller frees its list when this returns; the launch keeps a copy.
        std::shared_ptr<ITEMIDLIST> copy(ILClone(idList), [](ITEMIDLIST* l) { CoTaskMemFree(l); });
        if (!copy) throw std::bad_alloc();
        std::string key = LaunchKey('I', verb, copy.get(), ILGetSize(copy.get()));
        Launch(
            [copy, verb](std::string&) {
                SHELLEXECUTEINFOA info = NewExecuteInfo(verb);
                info.fMask |= SEE_MASK_IDLIST;
                info.lpIDList = copy.get();
                return AskShell(info);
            },
            std::string(), key);
    } catch (const std::bad_alloc&) {
        ReportLaunchFailure("", ERROR_NOT_ENOUGH_MEMORY);
    }
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
        std::string address = haveUrl ? url : "";
        // Nobody but us can say that there is no browser to ask.
        if (!direct && !FindBrowserProgram(program)) {
            ReportLaunchFailure(address.c_str(), ERROR_NO_ASSOCIATION);
            return -1;
        }
        Launch(
            [=](std::string&) mutable -> DWORD {
                if (direct && ExecuteSucceeded(g_calls.execute(nullptr, "open", address.c_str(),
                                                               nullptr, nullptr, SW_SHOWNORMAL)))
                    return 0;
                if (program.empty() && !FindBrowserProgram(program)) return ERROR_NO_ASSOCIATION;
                // Once started, the browser reports its own troubles.
                if (ExecuteSucceeded(g_calls.execute(nullptr, "open", program.c_str(),
                                                     haveUrl ? address.c_str() : nullptr, nullptr,
                                                     SW_SHOWNORMAL)))
                    return 0;
                const DWORD error = GetLastError();
                return error != 0 ? error : ERROR_FILE_NOT_FOUND;
            },
            address, std::string());
        return 0;
    } catch (const std::bad_alloc&) {
        ReportLaunchFailure(url, ERROR_NOT_ENOUGH_MEMORY);
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
            target, std::string());
    } catch (const std::bad_alloc&) {
        ReportLaunchFailure(address, ERROR_NOT_ENOUGH_MEMORY);
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
