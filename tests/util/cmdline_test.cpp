#include "util/cmdline.h"

#include <gtest/gtest.h>

namespace {
using Args = std::vector<std::string>;

TEST(UrlLauncherSplit, ProgramNameIsTakenPlainly) {
  EXPECT_EQ(SplitCommandLine("\"C:\\Program Files\\a.exe\" x"), (Args{"C:\\Program Files\\a.exe", "x"}));
  // No backslash escapes in the program name; it ends at the next quote.
  EXPECT_EQ(SplitCommandLine("\"C:\\dir\\\" x"), (Args{"C:\\dir\\", "x"}));
  EXPECT_EQ(SplitCommandLine("a\\\"b c"), (Args{"a\\\"b", "c"}));
  EXPECT_EQ(SplitCommandLine(" a b"), (Args{"", "a", "b"}));
  EXPECT_EQ(SplitCommandLine("prog"), (Args{"prog"}));
  EXPECT_EQ(SplitCommandLine("prog   "), (Args{"prog"}));
}

TEST(UrlLauncherSplit, QuotesAndBackslashesInArguments) {
  EXPECT_EQ(SplitCommandLine("p \"a b c\" d e"), (Args{"p", "a b c", "d", "e"}));
  EXPECT_EQ(SplitCommandLine("p \"ab\\\"c\" \"\\\\\" d"), (Args{"p", "ab\"c", "\\", "d"}));
  EXPECT_EQ(SplitCommandLine("p a\\\\\\b d\"e f\"g h"), (Args{"p", "a\\\\\\b", "de fg", "h"}));
  EXPECT_EQ(SplitCommandLine("p a\\\\\\\"b c d"), (Args{"p", "a\\\"b", "c", "d"}));
  EXPECT_EQ(SplitCommandLine("p a\\\\\\\\\"b c\" d e"), (Args{"p", "a\\\\b c", "d", "e"}));
  EXPECT_EQ(SplitCommandLine("p x\\ y\\\\"), (Args{"p", "x\\", "y\\\\"}));
  EXPECT_EQ(SplitCommandLine("p \"\" \"unterminated x"), (Args{"p", "", "unterminated x"}));
}

TEST(UrlLauncherSplit, RunsOfQuotes) {
  // A doubled quote inside quotes is a literal quote and closes them.
  EXPECT_EQ(SplitCommandLine("p \"a\"\"b c\""), (Args{"p", "a\"b", "c"}));
  EXPECT_EQ(SplitCommandLine("p \"\"\"a b\""), (Args{"p", "\"a", "b"}));
  EXPECT_EQ(SplitCommandLine("p \"\"\"\"\"\" x"), (Args{"p", "\"\"", "x"}));
}

TEST(UrlLauncherSplit, QuotingRoundTrips) {
  const Args args{"C:\\Program Files\\web.exe", "plain", "", "two words", "tab\there",
                  "q\"uote", "trail\\", "trail space\\", "\\\\server\\share\\", "\\\"", "\"\"\"",
                  "http://h/?a=1&b=$(x);`y`"};
  EXPECT_EQ(SplitCommandLine(JoinCommandLine(args)), args);
  EXPECT_EQ(QuoteArgument("plain"), "plain");
  EXPECT_EQ(QuoteArgument("a b\\"), "\"a b\\\\\"");
  EXPECT_EQ(QuoteProgram("a \"b"), "\"\"");
}

}  // namespace
