#include "config/settings_place.h"

#include <cstring>

namespace tellaro {

SettingsPlace ChooseSettingsPlace(bool markerBesideProgram, bool /*itemFileBesideProgram*/,
                                  bool writable) {
    SettingsPlace place;
    place.besideProgram = markerBesideProgram;
    place.unwritable = markerBesideProgram && !writable;
    return place;
}

namespace {

// Where the code page line starts, or npos.
std::size_t CodePageLine(const std::string& text) {
    const std::size_t keyLength = std::strlen(portable_marker::kCodePageKey);
    for (std::size_t at = 0; at < text.size();) {
        if (text.compare(at, keyLength, portable_marker::kCodePageKey) == 0) return at;
        const std::size_t end = text.find('\n', at);
        if (end == std::string::npos) break;
        at = end + 1;
    }
    return std::string::npos;
}

}  // namespace

std::optional<unsigned> MarkerCodePage(const std::string& text) {
    const std::size_t at = CodePageLine(text);
    if (at == std::string::npos) return std::nullopt;
    unsigned value = 0;
    std::size_t i = at + std::strlen(portable_marker::kCodePageKey);
    const std::size_t first = i;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + static_cast<unsigned>(text[i] - '0');
        if (value > 65535) return std::nullopt;
    }
    if (i == first || value == 0) return std::nullopt;
    return value;
}

std::string WithMarkerCodePage(const std::string& text, unsigned codePage) {
    const std::string line = portable_marker::kCodePageKey + std::to_string(codePage);
    const std::size_t at = CodePageLine(text);
    if (at == std::string::npos) {
        std::string out = text;
        if (!out.empty() && out.back() != '\n') out += "\r\n";
        return out + line + "\r\n";
    }
    std::size_t end = text.find_first_of("\r\n", at);
    if (end == std::string::npos) end = text.size();
    return text.substr(0, at) + line + text.substr(end);
}

}  // namespace tellaro
