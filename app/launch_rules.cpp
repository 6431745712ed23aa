#include "app/launch_rules.h"

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

}  // namespace tellaro
