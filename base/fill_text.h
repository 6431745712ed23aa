// Putting a value into a string-table text. Portable: no Windows headers.
#pragma once

#include <string>

namespace tellaro {

// `format` with its first "%s" replaced by `value` taken literally (a path
// holding '%' is not read as a format) and "%%" by "%", as the string-table
// texts are written; the result is as long as it needs to be. Narrow texts
// are in the ANSI code page, wide ones in UTF-16.
template <typename Char>
std::basic_string<Char> FillText(const std::basic_string<Char>& format,
                                 const std::basic_string<Char>& value) {
    std::basic_string<Char> out;
    out.reserve(format.size() + value.size());
    bool filled = false;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == Char('%') && i + 1 < format.size()) {
            if (format[i + 1] == Char('%')) {
                out += Char('%');
                ++i;
                continue;
            }
            if (format[i + 1] == Char('s') && !filled) {
                out += value;
                filled = true;
                ++i;
                continue;
            }
        }
        out += format[i];
    }
    return out;
}

inline std::string FillText(const std::string& format, const std::string& value) {
    return FillText<char>(format, value);
}

}  // namespace tellaro
