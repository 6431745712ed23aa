#include "app/launch_rules.h"

#include <cstring>

namespace tellaro {

namespace {

constexpr std::uint8_t kHotkeyShift = 0x01;    // HOTKEYF_SHIFT
constexpr std::uint8_t kHotkeyControl = 0x02;  // HOTKEYF_CONTROL
constexpr std::uint8_t kHotkeyAlt = 0x04;      // HOTKEYF_ALT

constexpr std::uint32_t kModAlt = 0x1;
constexpr std::uint32_t kModControl = 0x2;
constexpr std::uint32_t kModShift = 0x4;

constexpr std::intptr_t kFirstNode1 = 10;
constexpr std::intptr_t kEndNode1 = 40;
constexpr std::intptr_t kFirstNode2 = 50;
constexpr std::intptr_t kEndNode2 = 65;

}  // namespace

const char* FolderVerb(ModifierKeys modifiers) {
    return modifiers.Any() ? kVerbOpen : kVerbExplore;
}

const char* DesktopVerb(bool isFolder, ModifierKeys modifiers) {
    return isFolder && !modifiers.Any() ? kVerbExplore : kVerbOpen;
}

ShellItemAction DesktopShellItemAction(std::uint32_t attributes, ModifierKeys modifiers) {
    if (attributes & kShellAttributeBrowsable) return ShellItemAction::Browser;
    const bool isFolder = (attributes & kShellAttributeFolder) != 0;
    return DesktopVerb(isFolder, modifiers) == kVerbExplore ? ShellItemAction::Explore
                                                            : ShellItemAction::Open;
}

std::string ExtractBrowserProgram(const std::string& command) {
    std::string text = command;
    // A doubled opening quote is dropped as well, so ""prog"" still names prog.
    if (!text.empty() && text.front() == '"') {
        text.erase(0, 1);
        if (!text.empty() && text.front() == '"') text.erase(0, 1);
    }
    // From the second character on: the closing quote of the program, or the
    // first quote of an argument when the program itself was not quoted.
    const std::string::size_type quote = text.find('"', 1);
    if (quote != std::string::npos) text.erase(quote);
    if (!text.empty() && text.back() == '"') text.pop_back();
    return text;
}

std::string OpenCommandKey(const std::string& className) {
    return className + "\\shell\\open\\command";
}

bool ShellOpensUrlDirectly(ShellVersion version, bool haveUrl) {
    return haveUrl && (version.major > 4 || version.minor > 72);
}

// HOTKEYF_EXT (0x08) marks an extended key (the arrows, Insert, Delete,
// Home, End, Page Up/Down, the keypad's Enter and /), not a modifier the
// user typed: registered as the Windows key, Ctrl+Alt+Right would never fire.
std::uint32_t HotKeyModifiers(std::uint8_t hotkeyFlags) {
    std::uint32_t modifiers = 0;
    if (hotkeyFlags & kHotkeyAlt) modifiers |= kModAlt;
    if (hotkeyFlags & kHotkeyControl) modifiers |= kModControl;
    if (hotkeyFlags & kHotkeyShift) modifiers |= kModShift;
    return modifiers;
}

HotKeyRegistration HotKeyFromControlValue(std::uint16_t value) {
    HotKeyRegistration registration;
    if (value == 0) return registration;
    registration.wanted = true;
    registration.virtualKey = value & 0xFFu;
    registration.modifiers = HotKeyModifiers(static_cast<std::uint8_t>(value >> 8));
    return registration;
}

std::uint16_t SpecialFolderCommandForNode(std::intptr_t node) {
    if (node >= kFirstNode1 && node < kEndNode1)
        return static_cast<std::uint16_t>(CMD_SPECIAL1_BASE + (node - kFirstNode1));
    if (node >= kFirstNode2 && node < kEndNode2)
        return static_cast<std::uint16_t>(CMD_SPECIAL2_BASE + (node - kFirstNode2));
    return 0;
}

const char* GuideTopic(std::uint32_t helpContext) {
    switch (helpContext) {
        case kHelpContextSettings:
            return "settings";
        case kHelpContextOptions:
            return "options";
        case kHelpContextProperties:
            return "properties";
        default:
            return "";
    }
}

std::string FileUrl(const std::string& utf8Path, const std::string& fragment) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string url = "file:///";
    for (const char c : utf8Path) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
                           (byte >= '0' && byte <= '9') || std::strchr("-._~:/", c) != nullptr;
        if (c == '\\') {
            url += '/';
        } else if (plain && byte != 0) {
            url += c;
        } else {
            url += '%';
            url += kHex[byte >> 4];
            url += kHex[byte & 15];
        }
    }
    if (!fragment.empty()) url += "#" + fragment;
    return url;
}

std::string CommandWithArgument(const std::string& commandTemplate, const std::string& argument) {
    std::string command;
    bool placed = false;
    for (std::size_t i = 0; i < commandTemplate.size(); ++i) {
        const char next = i + 1 < commandTemplate.size() ? commandTemplate[i + 1] : '\0';
        if (commandTemplate[i] == '%' && (next == '1' || next == 'L' || next == 'l')) {
            command += argument;
            placed = true;
            ++i;
        } else {
            command += commandTemplate[i];
        }
    }
    if (!placed) command += " \"" + argument + "\"";
    return command;
}

LinkTarget LinkTargetFromParam(std::uintptr_t param) {
    switch (param) {
        case 1:
            return LinkTarget::Mail;
        case 2:
            return LinkTarget::HomePage;
        default:
            return LinkTarget::None;
    }
}

HelpFiles HelpFilesBeside(const std::string& modulePath, const std::string& helpFileName,
                          LeadBytePredicate isLeadByte) {
    std::size_t folderLength = 0;
    for (std::size_t i = 0; i < modulePath.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(modulePath[i]);
        if (isLeadByte(byte) && i + 1 < modulePath.size())
            ++i;
        else if (byte == '\\' || byte == '/')
            folderLength = i + 1;
    }
    const std::string folder = modulePath.substr(0, folderLength);
    const std::size_t dot = helpFileName.find_last_of('.');
    const std::string stem = dot == std::string::npos ? helpFileName : helpFileName.substr(0, dot);
    return {folder + helpFileName, folder + stem + ".html"};
}

}  // namespace tellaro
