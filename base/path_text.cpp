#include "base/path_text.h"

namespace tellaro {

bool IsCp932LeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

namespace {

// Where the last backslash that is a character of its own starts in the
// first `length` bytes, or npos; `endsWithIt` tells whether it is the last
// character there.
std::size_t LastSeparator(const std::string& text, std::size_t length, LeadByteTest isLeadByte,
                          bool& endsWithIt) {
    std::size_t last = std::string::npos;
    endsWithIt = false;
    for (std::size_t i = 0; i < length;) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '\\') last = i;
        const std::size_t step = isLeadByte(c) && i + 1 < length ? 2 : 1;
        endsWithIt = c == '\\' && i + step == length;
        i += step;
    }
    return last;
}

}  // namespace

std::string NameFromPath(const std::string& path, LeadByteTest isLeadByte) {
    bool atEnd = false;
    std::size_t cut = LastSeparator(path, path.size(), isLeadByte, atEnd);
    if (cut == std::string::npos) return path;
    std::size_t length = path.size();
    if (atEnd) {
        // A trailing separator (a drive root, "C:\Data\") names nothing of
        // its own: the component before it does.
        length = cut;
        cut = LastSeparator(path, length, isLeadByte, atEnd);
        if (cut == std::string::npos) return path.substr(0, length);
    }
    return path.substr(cut + 1, length - cut - 1);
}

std::optional<std::string> ExactlyNarrowed(const std::wstring& wide, NarrowFn narrow,
                                           WidenFn widen) {
    Narrowed narrowed = narrow(wide);
    if (narrowed.usedDefaultChar || widen(narrowed.text) != wide) return std::nullopt;
    return std::move(narrowed.text);
}

}  // namespace tellaro
