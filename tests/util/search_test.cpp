#include <gtest/gtest.h>

#include "util/exposit.h"
#include "util/repl.h"

namespace {

PosInfoT Fresh() {
  PosInfoT info;
  SearchInit(info);
  return info;
}

TEST(SearchFind, WordRunsWithoutOverlap) {
  PosInfoT info = Fresh();
  info.patternMode = kPatternWord;
  info.wholeWordLeft = info.wholeWordRight = true;
  info.overlap = false;
  info.occurrence = 99999999;
  EXPECT_EQ(SearchFind(info, "", "one, two;three"), 0);
  ASSERT_EQ(info.count, 3);
  ASSERT_EQ(info.matches.size(), 4u);
  EXPECT_EQ(info.matches[1].pos, 1);
  EXPECT_EQ(info.matches[1].len, 3);
  EXPECT_EQ(info.matches[2].pos, 6);
  EXPECT_EQ(info.matches[2].len, 3);
  EXPECT_EQ(info.matches[3].pos, 10);
  EXPECT_EQ(info.matches[3].len, 5);
  EXPECT_EQ(info.matches[0].pos, 10);
}

TEST(SearchFind, WholeWordsBothSides) {
  PosInfoT info = Fresh();
  info.wholeWordLeft = info.wholeWordRight = true;
  EXPECT_EQ(SearchFind(info, "ab", "cab ab"), 5);
  EXPECT_EQ(info.matchLength, 2);
  EXPECT_EQ(SearchFind(info, "ab", "abc"), 0);
  info.wholeWordRight = false;
  EXPECT_EQ(SearchFind(info, "ab", "abc"), 1);
}

TEST(SearchFind, AnchorsRejectAndEmptyTheList) {
  PosInfoT info = Fresh();
  info.anchor = kAnchorEnd;
  EXPECT_EQ(SearchFind(info, ".txt", "a.txt.bak"), 0);
  EXPECT_EQ(info.count, 0);
  EXPECT_EQ(info.matches.size(), 1u);
  EXPECT_EQ(SearchFind(info, ".bak", "a.bak.bak"), 6);
  EXPECT_EQ(info.occurrence, 2);

  info = Fresh();
  info.anchor = kAnchorStart;
  info.occurrence = 3;  // forced back to the first match
  EXPECT_EQ(SearchFind(info, "ab", "abab"), 1);
  EXPECT_EQ(SearchFind(info, "b", "abab"), 0);
  EXPECT_EQ(info.count, 0);
}

TEST(SearchFind, OccurrencesAndLastMatch) {
  EXPECT_EQ(PosOfOccurrence("\\", "\\\\srv\\share\\x", 4), 12);
  EXPECT_EQ(PosOfOccurrence("\\", "\\\\srv\\share\\x", 5), 0);
  EXPECT_EQ(PosOfOccurrence("aa", "aaaa", 3), 3);  // overlap allowed
  EXPECT_EQ(PosOfOccurrence(",", "a,b,c", 0), 4);
  EXPECT_EQ(PosOfOccurrence("", "abc", 1), 0);
  EXPECT_EQ(PosOfOccurrence("x", "abc", 0), 0);

  PosInfoT info = Fresh();
  info.overlap = false;
  info.occurrence = 0;
  EXPECT_EQ(SearchFind(info, "aa", "aaaaa"), 3);
  EXPECT_EQ(info.occurrence, 2);
  EXPECT_EQ(SearchCount(info, "aa", "aaaaa"), 2);
  info.overlap = true;
  EXPECT_EQ(SearchCount(info, "a", "banana"), 3);
}

TEST(SearchFind, CaseAndQuotes) {
  PosInfoT info = Fresh();
  info.caseSensitive = false;
  EXPECT_EQ(SearchFind(info, "\xC4X", "abc \xE4x"), 5);
  // Quoted text is still searched unless skipping is asked for.
  EXPECT_EQ(SearchFind(info, "b", "o'Brien'"), 3);
  info.skipQuoted = true;
  EXPECT_EQ(SearchFind(info, "b", "o'Brien' b"), 10);
  info.caseSensitive = true;
  info.quoteChar = '"';
  EXPECT_EQ(SearchFind(info, "key", "\"key\" key"), 7);
}

TEST(SearchFind, PatternModes) {
  PosInfoT info = Fresh();
  info.patternMode = kPatternDigits;
  EXPECT_EQ(SearchFind(info, "", "ab 123 45"), 4);
  EXPECT_EQ(info.matchLength, 3);
  info.occurrence = 2;
  EXPECT_EQ(SearchFind(info, "", "ab 123 45"), 5);  // overlap: the run "23"
  info.overlap = false;
  EXPECT_EQ(SearchFind(info, "", "ab 123 45"), 8);

  info = Fresh();
  info.patternMode = kPatternRepeat;
  EXPECT_EQ(SearchFind(info, "", "a11bcccd"), 5);
  EXPECT_EQ(info.matchLength, 3);

  info = Fresh();
  info.patternMode = kPatternCustomSet;
  AddToSet(info.customSet, ';');
  EXPECT_EQ(SearchFind(info, "", "a,b;c"), 4);
  EXPECT_EQ(info.matchLength, 1);
  info.customSet.reset();
  EXPECT_EQ(SearchFind(info, "", "a,b;c"), 0);
}

TEST(Tokens, CutAndPeek) {
  std::string s = "a,,b";
  EXPECT_EQ(CutCommaToken(s), "a");
  EXPECT_EQ(CutCommaToken(s), "");
  EXPECT_EQ(CutCommaToken(s), "b");
  EXPECT_EQ(s, "");
  EXPECT_EQ(CutCommaToken(s), "");

  s = "a::b";
  EXPECT_EQ(CutToken(s, "::"), "a");
  EXPECT_EQ(s, ":b");  // one character skipped after the token
  EXPECT_EQ(FirstToken("x|y", "|"), "x");
  EXPECT_EQ(FirstToken("xy", ""), "xy");
}

TEST(Tokens, IntegerTokens) {
  std::string s = "|30";
  EXPECT_EQ(CutIntToken(s, "|"), -1);
  EXPECT_EQ(s, "30");
  EXPECT_EQ(CutIntToken(s, "|"), 30);
  EXPECT_EQ(s, "");
  s = "-7| 8|+9";
  EXPECT_EQ(CutIntToken(s, "|"), -7);
  EXPECT_EQ(CutIntToken(s, "|"), 8);
  EXPECT_EQ(CutIntToken(s, "|"), 9);

  for (const char* bad : {"12a", "x", "-", "2147483648", "1.5"}) {
    s = bad;
    try {
      CutIntToken(s, "|");
      ADD_FAILURE() << bad;
    } catch (const ConvertError& e) {
      EXPECT_EQ(std::string(e.what()), "'" + std::string(bad) + "' is not a valid integer value");
    }
  }
  s = "-2147483648";
  EXPECT_EQ(CutIntToken(s, "|"), INT32_MIN);

  s = ",,,42,7";
  EXPECT_EQ(CutNumberToken(s), 42);
  EXPECT_EQ(s, "7");
  s = ",,";
  EXPECT_EQ(CutNumberToken(s), 0);
}

TEST(Tokens, EdgesAndPositions) {
  EXPECT_EQ(DropRight("abc", 1), "ab");
  EXPECT_EQ(DropRight("abc", 5), "");
  EXPECT_EQ(DropRight("abc", -1), "abc");
  EXPECT_EQ(RightStr("abc", 2), "bc");
  EXPECT_EQ(RightStr("abc", 9), "abc");
  EXPECT_EQ(RightStr("abc", INT32_MIN), "");
  EXPECT_TRUE(StartsWith("ab", "abc"));
  EXPECT_FALSE(StartsWith("Ab", "abc"));
  EXPECT_TRUE(EndsWith("", "abc"));
  EXPECT_FALSE(EndsWith("abcd", "bcd"));
  EXPECT_EQ(PosFrom("b", "abab", 3), 4);
  EXPECT_EQ(PosFrom("b", "abab", 5), 0);
  EXPECT_EQ(PosFrom("b", "abab", INT32_MIN), 2);
  EXPECT_EQ(CountOccurrences("aa", "aaaa"), 3);
  EXPECT_EQ(CountOccurrences("", "aaaa"), 0);
}

}  // namespace
