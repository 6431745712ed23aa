// The decisions behind handing a chosen entry to the shell: which verb,
// which program the registry names as the web browser, whether the shell can
// open a URL by itself, and where the help lies and how a handler is asked
// for one of its sections. Portable: no Windows headers, so every rule is
// testable without a shell.
#pragma once

#include <cstdint>
#include <string>

#include "base/path_text.h"

namespace tellaro {

inline constexpr const char* kVerbExplore = "explore";
inline constexpr const char* kVerbOpen = "open";

// Shift or the right mouse button held while a command is handled turns the
// two-pane explorer into a plain folder window.
struct ModifierKeys {
    bool shift = false;
    bool rightButton = false;

    bool Any() const { return shift || rightButton; }
};

// Folders of the user's tree and special folders.
const char* FolderVerb(ModifierKeys modifiers);

// Desktop entries run by default; only a folder without modifiers is explored.
const char* DesktopVerb(bool isFolder, ModifierKeys modifiers);

// A desktop entry that is a shell object rather than a file, by its SFGAO_
// attributes: the Internet object is browsable and starts the web browser.
enum class ShellItemAction { Browser, Explore, Open };
inline constexpr std::uint32_t kShellAttributeBrowsable = 0x08000000;  // SFGAO_BROWSABLE
inline constexpr std::uint32_t kShellAttributeFolder = 0x20000000;     // SFGAO_FOLDER
ShellItemAction DesktopShellItemAction(std::uint32_t attributes, ModifierKeys modifiers);

// The program part of an "open" command text from the registry: a quoted
// program loses its quotes and whatever follows them; an unquoted text is
// taken whole, arguments included.
std::string ExtractBrowserProgram(const std::string& command);

// The registry key holding the open command of a file type's class.
std::string OpenCommandKey(const std::string& className);

struct ShellVersion {
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
};

// Whether a URL is first handed to the shell directly, which shells after
// 4.72 can do. The two parts are compared separately, so 3.80 counts as new
// enough too; no such shell exists, and the registry path remains the
// fallback whenever the direct call fails.
bool ShellOpensUrlDirectly(ShellVersion version, bool haveUrl);

// A file: URL for a local path given in UTF-8 ("C:\My Docs\a.html" gives
// "file:///C:/My%20Docs/a.html"), with "#fragment" when one is given.
std::string FileUrl(const std::string& utf8Path, const std::string& fragment);

// The command line a handler's command template ("prog.exe" "%1") makes
// for `argument`: every %1 or %L replaced, or the argument appended, quoted,
// when the template names none.
std::string CommandWithArgument(const std::string& commandTemplate, const std::string& argument);

// The help looked for beside the program: the WinHelp file by its name, and
// the HTML user guide of the same stem, which current systems can show.
// Paths are in the ANSI code page, where the second byte of a double-byte
// character may be a backslash: `isLeadByte` tells the first bytes.
struct HelpFiles {
    std::string winHelpFile;
    std::string guidePage;
};
HelpFiles HelpFilesBeside(const std::string& modulePath, const std::string& helpFileName,
                          LeadByteTest isLeadByte);

}  // namespace tellaro
