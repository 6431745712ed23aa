#include "ui/framework/command_line.h"

namespace tellaro {

namespace {

int SkipSpaces(const std::string& text, std::size_t& pos) {
    while (pos < text.size() && text[pos] == ' ') ++pos;
    return kArgumentMore;
}

}  // namespace

int ParseQuotedArgument(const std::string& text, std::size_t& pos, std::string& out) {
    const std::size_t start = pos + 1;
    for (std::size_t q = start; q < text.size(); ++q) {
        if (text[q] != '"') continue;
        const bool closes = q + 1 == text.size() || text[q + 1] == ' ';
        if (!closes) continue;
        if (q == start) return kArgumentNotQuoted;  // "" is taken as plain text
        out.assign(text, start, q - start);
        pos = q + 1;
        if (pos >= text.size()) return kArgumentEnd;
        return SkipSpaces(text, pos);
    }
    return kArgumentNotQuoted;
}

int ParsePlainArgument(const std::string& text, std::size_t& pos, std::string& out) {
    std::size_t end = text.find(' ', pos);
    if (end == std::string::npos) end = text.size();
    out.assign(text, pos, end - pos);
    pos = end;
    if (pos >= text.size()) return kArgumentEnd;
    return SkipSpaces(text, pos);
}

std::vector<std::string> SplitCommandLine(const std::string& text) {
    std::vector<std::string> args;
    if (text.empty()) return args;
    std::size_t pos = 0;
    for (;;) {
        std::string arg;
        int answer = kArgumentNotQuoted;
        if (pos < text.size() && text[pos] == '"') answer = ParseQuotedArgument(text, pos, arg);
        if (answer == kArgumentNotQuoted) answer = ParsePlainArgument(text, pos, arg);
        args.push_back(std::move(arg));
        if (answer == kArgumentEnd) return args;
    }
}

}  // namespace tellaro
