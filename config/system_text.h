// How the system information texts are formed from what the platform
// reports. Portable: no Windows headers.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace tellaro {
namespace system_text {

// A user folder text longer than this can't be used as a path.
constexpr std::size_t kMaxUserFolderLength = 260;

// The three derived forms of a directory: with one trailing backslash (a root
// such as C:\ then carries two), its drive letter, and its root (the first
// three characters, such as C:\).
std::string WithBackslash(const std::string& directory);
std::string DriveOf(const std::string& directory);
std::string RootOf(const std::string& directory);

// The current directory (already with its backslash) followed by the logon
// name; nothing when that would be longer than kMaxUserFolderLength.
std::optional<std::string> UserFolder(const std::string& currentDirectorySlash,
                                      const std::string& userName);
// A user folder with a trailing backslash, within the same limit.
std::optional<std::string> UserFolderSlash(const std::string& userFolder);

}  // namespace system_text
}  // namespace tellaro
