#include "ui/framework/command_line.h"

#include <gtest/gtest.h>

namespace tellaro {
namespace {

using Args = std::vector<std::string>;

TEST(CommandLine, SplitsLikeTheProgramEntryExpects) {
    const struct {
        const char* text;
        Args expected;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a b", {"a", "b"}},
        {"\"a b\" c", {"a b", "c"}},
        // An empty quoted text is plain text, quotes included.
        {"\"\" x", {"\"\"", "x"}},
        // Trailing spaces add one empty final argument.
        {"a ", {"a", ""}},
        {"a   b", {"a", "b"}},
        // The closing quote is the first one followed by a space or the end.
        {"\"a\"b c\"", {"a\"b c"}},
        // No closing quote: the opening quote is part of a plain argument.
        {"\"abc d", {"\"abc", "d"}},
        {"\"x y\"", {"x y"}},
    };
    for (const auto& c : cases) EXPECT_EQ(SplitCommandLine(c.text), c.expected) << c.text;
}

TEST(CommandLine, ParserAnswers) {
    std::string out;
    std::size_t pos = 0;
    EXPECT_EQ(ParseQuotedArgument("\"\" x", pos, out), kArgumentNotQuoted);
    EXPECT_EQ(pos, 0u);
    pos = 0;
    EXPECT_EQ(ParseQuotedArgument("\"a\"  b", pos, out), kArgumentMore);
    EXPECT_EQ(out, "a");
    EXPECT_EQ(pos, 5u);
    pos = 0;
    EXPECT_EQ(ParsePlainArgument("end", pos, out), kArgumentEnd);
    EXPECT_EQ(out, "end");
}

}  // namespace
}  // namespace tellaro
