// How the settings window names and takes the items it creates: a copy's
// name beside siblings of the same name, and which of the paths dropped
// from the shell become folders. Portable: no Windows headers.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "base/fill_text.h"
#include "base/path_text.h"

namespace tellaro {

// `base` when no sibling carries that label, else the first of "base (1)",
// "base (2)", ... that none carries. Labels compare byte for byte.
std::string UniqueName(const std::string& base, const std::vector<std::string>& siblingLabels);

// A path dropped from the shell, as the shell gives it (UTF-16).
struct DroppedPath {
    std::wstring path;
    bool directory = false;
};

// What a drop adds: the folders whose paths the ANSI code page holds
// exactly, in drop order; and the others (files, and names it cannot hold),
// one per line for the message that tells the user, the first
// kMaxNamedRefusals of them by name and the rest only counted.
struct DropPlan {
    std::vector<std::string> folders;
    std::wstring refusedNames;
    std::size_t unnamedRefusals = 0;
};

constexpr std::size_t kMaxNamedRefusals = 10;

using ExactAnsiFn = std::optional<std::string> (*)(const std::wstring& wide);
DropPlan PlanDroppedPaths(const std::vector<DroppedPath>& dropped, ExactAnsiFn toAnsi);

}  // namespace tellaro
