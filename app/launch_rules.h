// The controller's decisions about its triggers: the hotkey the options
// hold, which command a node of the settings tree or a link of the about
// dialog stands for, and which section of the guide a Help button opens.
// Portable: no Windows headers.
#pragma once

#include <cstdint>

#include "menu/menu_layout.h"

namespace tellaro {

// RegisterHotKey arguments for the hot-key control's value (low byte virtual
// key, high byte HOTKEYF_ flags). A value of 0 means no hotkey.
struct HotKeyRegistration {
    bool wanted = false;
    std::uint32_t modifiers = 0;  // MOD_ flags
    std::uint32_t virtualKey = 0;
};

std::uint32_t HotKeyModifiers(std::uint8_t hotkeyFlags);
HotKeyRegistration HotKeyFromControlValue(std::uint16_t value);

// The settings window asks for a special folder to be opened by posting the
// folder's tree node number (10 + k or 50 + k); this gives the popup command
// that opens the same entry, or 0 for any other node.
std::uint16_t SpecialFolderCommandForNode(std::intptr_t node);

// What a link of the about dialog stands for, from the link message's wParam.
enum class LinkTarget { None, Mail, HomePage };
LinkTarget LinkTargetFromParam(std::uintptr_t param);

// Help contexts of the dialogs with a help button, and the anchor of each
// one's section in the user guide ("" for the guide's top).
inline constexpr std::uint32_t kHelpContextSettings = 1;
inline constexpr std::uint32_t kHelpContextOptions = 2;
inline constexpr std::uint32_t kHelpContextProperties = 3;
const char* GuideTopic(std::uint32_t helpContext);

}  // namespace tellaro
