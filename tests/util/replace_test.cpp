#include <gtest/gtest.h>

#include "util/repl.h"

namespace {

TEST(ReplaceAll, RepeatsUntilNoneLeft) {
  EXPECT_EQ(ReplaceAll(",,", ",", "a,,,,b"), "a,b");
  EXPECT_EQ(ReplaceAll("..", ".", "a.....b..c"), "a.b.c");
  EXPECT_EQ(ReplaceAll("xy", "z", "abc"), "abc");
  EXPECT_EQ(ReplaceAll("", "z", "abc"), "abc");
  EXPECT_EQ(ReplaceAll("aa", "", "aaa"), "a");
  EXPECT_EQ(ReplaceAll("ab", "ba", "aab"), "baa");
  // Rewrites that need a pass per character still run to the end.
  EXPECT_EQ(ReplaceAll("ab", "b", std::string(200, 'a') + "b"), "b");
  EXPECT_EQ(ReplaceAll("ba", "ab", std::string(100, 'b') + std::string(100, 'a')),
            std::string(100, 'a') + std::string(100, 'b'));
}

TEST(ReplaceAll, SinglePassWhenNewContainsOld) {
  EXPECT_EQ(ReplaceAll("ab", "abab", "xaby"), "xababy");
  EXPECT_EQ(ReplaceAll("a", "aa", "aba"), "aabaa");
  EXPECT_EQ(ReplaceAll("ab", "ab", "abab"), "abab");
}

TEST(ReplaceAll, GrowingRewriteIsBounded) {
  // "ab" -> "bba" doubles the b's for every a in front of them.
  const std::string text = std::string(40, 'a') + "b";
  const std::string out = ReplaceAll("ab", "bba", text);
  EXPECT_LE(out.size(), (size_t{1} << 24) * 3);
  EXPECT_EQ(ReplaceAll("ab", "bba", "aab"), "bbbbaa");
}

TEST(ReplaceAll, CaseInsensitive) {
  EXPECT_EQ(ReplaceAllNoCase("AB", "x", "aB-Ab-ab"), "x-x-x");
  EXPECT_EQ(ReplaceAllNoCase("\xC4", "-", "\xE4\xC4"), "--");
  EXPECT_EQ(ReplaceAllNoCase(",,", ",", "a,,,b"), "a,b");
  EXPECT_EQ(ReplaceAllNoCase("a", "A", "banana"), "bAnAnA");
  EXPECT_EQ(ReplaceAllNoCase("aB", "b", std::string(300, 'A') + "B"), "b");
}

TEST(ReplaceChar, Limit) {
  EXPECT_EQ(ReplaceChar('a', 'x', "banana", 2), "bxnxna");
  EXPECT_EQ(ReplaceChar('a', 'x', "banana", 0), "bxnxnx");
  EXPECT_EQ(ReplaceChar('q', 'x', "banana", 0), "banana");
}

TEST(TextTransforms, ReverseAndSmallest) {
  EXPECT_EQ(ReverseText("abc"), "cba");
  EXPECT_EQ(ReverseText(""), "");
  EXPECT_EQ(SmallestChar("dcab"), "a");
  EXPECT_EQ(SmallestChar("a\xFF"), "a");
  EXPECT_EQ(SmallestChar(""), "");
}

}  // namespace
