#include "shell/shell_rules.h"

#include <cstring>

namespace tellaro {

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

HelpFiles HelpFilesBeside(const std::string& modulePath, const std::string& helpFileName,
                          LeadByteTest isLeadByte) {
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
