#include "config/system_text.h"

namespace tellaro {
namespace system_text {

std::string WithBackslash(const std::string& directory) {
    return directory + '\\';
}

std::string DriveOf(const std::string& directory) {
    return directory.substr(0, 1);
}

std::string RootOf(const std::string& directory) {
    return directory.substr(0, 3);
}

namespace {
std::optional<std::string> WithinLimit(std::string text) {
    if (text.size() > kMaxUserFolderLength) return std::nullopt;
    return text;
}
}  // namespace

std::optional<std::string> UserFolder(const std::string& currentDirectorySlash,
                                      const std::string& userName) {
    return WithinLimit(currentDirectorySlash + userName);
}

std::optional<std::string> UserFolderSlash(const std::string& userFolder) {
    return WithinLimit(userFolder + '\\');
}

}  // namespace system_text
}  // namespace tellaro
