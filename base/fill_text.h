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

// A system error text read with its inserts left in (reading them would
// need one argument per insert, and a text with "%2" would read past an
// array of one): "%1" becomes `target`, any other "%n" (with its "!format!"
// if any) is dropped, "%%" becomes "%". Scanned byte by byte: neither '%',
// '!' nor a digit is ever the second byte of a double-byte character in
// the ANSI code pages the program runs on.
inline std::string FillSystemInserts(const std::string& text, const std::string& target) {
    std::string out;
    out.reserve(text.size() + target.size());
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char next = text[i + 1];
        if (next == '%') {
            out += '%';
            ++i;
        } else if (isDigit(next) && next != '0') {
            std::size_t end = i + 1;
            while (end < text.size() && end < i + 3 && isDigit(text[end])) ++end;
            if (end - i == 2 && next == '1') out += target;
            if (end < text.size() && text[end] == '!') {
                const std::size_t close = text.find('!', end + 1);
                if (close != std::string::npos) end = close + 1;
            }
            i = end - 1;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace tellaro
