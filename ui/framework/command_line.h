// Splits the program's command line into arguments. Portable.
#pragma once

#include <string>
#include <vector>

namespace tellaro {

// Parser answers: 0 the text ended with this argument, 1 another argument
// follows, 2 the text at this position is not a quoted argument.
enum ArgumentParse { kArgumentEnd = 0, kArgumentMore = 1, kArgumentNotQuoted = 2 };

// At text[pos] == '"': reads up to the first quote that is followed by a space
// or the end. Advances pos past the argument and its trailing spaces.
int ParseQuotedArgument(const std::string& text, std::size_t& pos, std::string& out);
// Reads up to the next space or the end.
int ParsePlainArgument(const std::string& text, std::size_t& pos, std::string& out);
// An empty text gives no arguments; trailing spaces give one empty argument.
std::vector<std::string> SplitCommandLine(const std::string& text);

}  // namespace tellaro
