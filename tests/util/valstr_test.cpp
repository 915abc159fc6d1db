#include <gtest/gtest.h>

#include "util/valstr.h"

namespace {

TEST(Numbers, LenientRealReading) {
  EXPECT_EQ(TextToReal("12abc34"), 1234);
  EXPECT_EQ(TextToReal("--5"), -5);
  EXPECT_EQ(TextToReal("1-2"), 12);
  EXPECT_EQ(TextToReal("3,5"), 35);
  EXPECT_EQ(TextToReal(" -2.5 "), -2.5L);
  for (const char* zero : {"", "-", ".", "abc", "-."}) EXPECT_EQ(TextToReal(zero), 0) << zero;
  (void)TextToReal("1.2.3");  // any value, no error
}

TEST(Numbers, TrimmedTexts) {
  EXPECT_EQ(ShortRealText(2.5L), "2.5");
  EXPECT_EQ(ShortRealText(3), "3");
  EXPECT_EQ(ShortRealText(10), "10");
  EXPECT_EQ(ShortRealText(0.1L), "0.1");
  EXPECT_EQ(TrimmedRealText(3, 1.5L), "1.5");
  EXPECT_EQ(TrimmedRealText(3, 100), "100");
  EXPECT_EQ(TrimmedRealText(0, 100), "100");
  EXPECT_EQ(ShortRealText(-1e-12L), "0");  // rounded to zero: no sign
  EXPECT_EQ(TrimmedRealText(3, -0.0004L), "0");
  EXPECT_EQ(TrimmedRealText(0, -0.4L), "0");
  EXPECT_EQ(TrimmedRealText(3, -0.0005001L), "-0.001");
  EXPECT_EQ(Int64Text(INT64_MIN), "-9223372036854775808");
  EXPECT_EQ(Int64Text(42), "42");
}

TEST(DigitFlags, ReadingFlags) {
  EXPECT_EQ(DigitAt("0102", 2), 1);
  EXPECT_EQ(DigitAt("0102", 5), -1);
  EXPECT_EQ(DigitAt("0102", 0), -1);
  EXPECT_EQ(DigitAt("0102", INT32_MIN), -1);
  EXPECT_EQ(DigitAt(" ", 1), -1);
  EXPECT_EQ(DigitAt("A", 1), 17);
  EXPECT_EQ(DigitAt("\xFF", 1), 207);
  EXPECT_EQ(CharDigit(':'), 10);
  EXPECT_EQ(DigitChar(3), "3");
  EXPECT_EQ(DigitChar(17), "A");
  EXPECT_EQ(DigitChar(INT32_MAX).size(), 1u);
}

TEST(DigitFlags, NextDigitSkipsBlanksAndRewinds) {
  const std::string text = "1 2";
  int32_t pos = 1, value = -9;
  ASSERT_TRUE(NextDigit(text, pos, value));
  EXPECT_EQ(value, 1);
  ASSERT_TRUE(NextDigit(text, pos, value));
  EXPECT_EQ(value, 2);
  EXPECT_FALSE(NextDigit(text, pos, value));
  EXPECT_EQ(pos, 1);
  pos = INT32_MIN;
  ASSERT_TRUE(NextDigit(text, pos, value));
  EXPECT_EQ(value, 1);
}

TEST(DigitFlags, SplitByMask) {
  std::string kept, removed;
  SplitByMask("abc", kept, removed, 5);
  EXPECT_EQ(kept, "ac");
  EXPECT_EQ(removed, "b");
  SplitByMask("abc", kept, removed, 0);
  EXPECT_EQ(kept, "");
  EXPECT_EQ(removed, "cba");
  // Bits above 15 count as clear: the first two of 18 characters go.
  SplitByMask("xyabcdefghijklmnop", kept, removed, 0xFFFF);
  EXPECT_EQ(kept, "abcdefghijklmnop");
  EXPECT_EQ(removed, "yx");
}

TEST(SmallChoices, Basics) {
  EXPECT_EQ(PowerOfTwo(0), 1);
  EXPECT_EQ(PowerOfTwo(10), 1024);
  EXPECT_EQ(PowerOfTwo(62), int64_t{1} << 62);
  EXPECT_EQ(PowerOfTwo(200), INT64_MAX);
  EXPECT_TRUE(InRange(5, 5, 5));
  EXPECT_FALSE(InRange(6, 5, 5));
  EXPECT_FALSE(ComesBefore(true, 1, 1));
  EXPECT_FALSE(ComesBefore(false, 1, 1));
  EXPECT_TRUE(ComesBefore(false, 2, 1));
  EXPECT_EQ(MaxInt2(-3, 2), 2);
  EXPECT_EQ(MinReal2(-3, 2), -3);
  EXPECT_EQ(IfThenStr(false, "a", "b"), "b");
}

TEST(NaturalCompare, NumbersByValue) {
  EXPECT_EQ(NaturalCompare("a9", "a10"), 1);
  EXPECT_EQ(NaturalCompare("a10", "a9"), 2);
  EXPECT_EQ(NaturalCompare("a010", "a10"), 0);
  EXPECT_EQ(NaturalCompare("a000", "a0"), 0);
  EXPECT_EQ(NaturalCompare("B", "a"), 1);
  EXPECT_EQ(NaturalCompare("ab", "a"), 2);
  EXPECT_EQ(NaturalCompare("a", "ab"), 1);
  EXPECT_EQ(NaturalCompare("", ""), 0);
  EXPECT_EQ(NaturalCompare("x12y", "x12z"), 1);
  EXPECT_EQ(NaturalCompare("\xE9", "z"), 2);  // bytes compare unsigned
  EXPECT_EQ(NaturalCompare("99999999999999999999", "100000000000000000000"), 1);
}

TEST(Colours, HslRoundTripAndShades) {
  int32_t h, s, l;
  ColorToHSL(0x0000FF, h, s, l);  // pure red
  EXPECT_EQ(h, 0);
  EXPECT_EQ(s, 240);
  EXPECT_EQ(l, 120);
  ColorToHSL(0xFF0000, h, s, l);  // pure blue
  EXPECT_EQ(h, 159);
  EXPECT_EQ(HSLToColor(0, 240, 120), 0x0000FFu);
  EXPECT_EQ(HSLToColor(80, 240, 120), 0x02FF00u);  // hue 80 is just past pure green
  EXPECT_EQ(HSLToColor(0, 0, 240), 0xFFFFFFu);
  EXPECT_EQ(LighterColor(0xFFFFFF), 0xFFFFFFu);
  EXPECT_EQ(DarkerColor(0), 0u);
  EXPECT_EQ(ColorLightness(0x808080), 120);
  EXPECT_GT(ColorLightness(LighterColor(0x336699)), ColorLightness(0x336699));
  EXPECT_LT(ColorLightness(DarkerColor(0x336699)), ColorLightness(0x336699));
  // Out-of-range HSL input is clamped per channel, never wrapped.
  EXPECT_EQ(HSLToColor(0, 0, 1000), 0xFFFFFFu);
  EXPECT_EQ(HSLToColor(INT32_MIN, 240, -5) & 0xFF000000u, 0u);
}

TEST(Colours, ContrastThresholds) {
  EXPECT_EQ(ContrastTextColor(0xFFFFFF), 0u);
  EXPECT_EQ(ContrastTextColor(0), 0xFFFFFFu);
  const uint32_t grey130 = HSLToColor(0, 0, 130);
  ASSERT_EQ(ColorLightness(grey130), 130);
  EXPECT_EQ(ContrastTextColor(grey130), 0xFFFFFFu);
  const uint32_t tinted130 = HSLToColor(80, 40, 130);
  int32_t h, s, l;
  ColorToHSL(tinted130, h, s, l);
  ASSERT_EQ(l, 130);
  ASSERT_GE(s, 10);
  EXPECT_EQ(ContrastTextColor(tinted130), 0u);
  EXPECT_EQ(ContrastTextColor(HSLToColor(0, 0, 141)), 0u);
}

TEST(Colours, SystemColours) {
  EXPECT_EQ(ResolveColor(clBtnFace), 0xF0F0F0u);
  EXPECT_EQ(ResolveColor(clWindow), 0xFFFFFFu);
  EXPECT_EQ(ResolveColor(clWindowText), 0u);
  EXPECT_EQ(ResolveColor(0x80FFFFFFu), 0u);
  EXPECT_EQ(ResolveColor(0x00123456u), 0x123456u);
  SetSystemColorResolver([](uint32_t c) { return c == clBtnFace ? 0xFF202020u : 0u; });
  EXPECT_EQ(ResolveColor(clBtnFace), 0x202020u);
  EXPECT_EQ(ContrastTextColor(clBtnFace), 0xFFFFFFu);
  SetSystemColorResolver(nullptr);
  EXPECT_EQ(ContrastTextColor(clBtnFace), 0u);
}

TEST(Lists, CleanAndIndex) {
  EXPECT_EQ(CleanList(",3,,4,", ','), "3,4");
  EXPECT_EQ(CleanList("3,,,4", ','), "3,4");
  EXPECT_EQ(CleanList(",,,", ','), "");
  EXPECT_EQ(CleanList("", ','), "");
  EXPECT_EQ(CleanList("0.1||20|", '|'), "0.1|20");
  EXPECT_EQ(IndexList(1, 3), ",1,,2,,3,");
  EXPECT_EQ(IndexList(2, 1), "");
  EXPECT_EQ(IndexList(INT32_MAX, INT32_MAX), ",2147483647,");
}

TEST(DistributeSize, WeightsAndRemainder) {
  EXPECT_EQ(DistributeSize(100, "1,1,1"), "34,33,33");
  EXPECT_EQ(DistributeSize(100, ""), "100");
  EXPECT_EQ(DistributeSize(100, "0,abc"), "50,50");
  EXPECT_EQ(DistributeSize(100, "3,1"), "75,25");
  EXPECT_EQ(DistributeSize(-10, "1,1,1"), "-3,-3,-3");
  EXPECT_EQ(DistributeEvenly(10, 3), "4,3,3");
  EXPECT_EQ(DistributeEvenly(10, 0), "10");
}

TEST(DistributeSize, MinimaAndMaxima) {
  EXPECT_EQ(DistributeSize(100, "1|60,1"), "60,40");
  EXPECT_EQ(DistributeSize(100, "1||30,1"), "30,70");
  EXPECT_EQ(DistributeSize(100, "1|120,1"), "120,-1");
  // 1|40|30 counts as maximum 40: capped at 40, the rest goes to item 2.
  EXPECT_EQ(DistributeSize(100, "1|40|30,1"), "40,60");
  // Units removed one per item per pass, first items first.
  EXPECT_EQ(DistributeSize(90, "1|50,1,1"), "50,20,20");
  EXPECT_EQ(DistributeSize(100, "1|50,1,1"), "50,25,25");
  EXPECT_EQ(DistributeSize(99, "1|41,1,1"), "41,29,29");
  EXPECT_EQ(DistributeSize(100, "1|41,1,1"), "41,29,30");
  EXPECT_EQ(DistributeSize(100, "1||10,1||10,1"), "10,10,80");
  EXPECT_EQ(DistributeSize(100, "1||10,1||20"), "10,20");
  // Huge limits are settled in whole passes, not unit by unit.
  EXPECT_EQ(DistributeSize(2000000000, "1|2000000000,1,1"), "2000000000,0,0");
  EXPECT_EQ(DistributeSize(INT32_MAX, "1||1,1||1"), "1,1");
}

TEST(DistributeSize, Errors) {
  std::string rules = "1";
  for (int i = 1; i < 200; ++i) rules += ",1";
  EXPECT_NO_THROW(DistributeSize(1000, rules));
  EXPECT_THROW(DistributeSize(1000, rules + ",1"), RangeError);
  try {
    DistributeSize(100, "1|x");
    ADD_FAILURE();
  } catch (const ConvertError& e) {
    EXPECT_STREQ(e.what(), "'x' is not a valid integer value");
  }
  try {
    DistributeEvenly(100, 201);
    ADD_FAILURE();
  } catch (const RangeError& e) {
    EXPECT_STREQ(e.what(), "Range check error");
  }
  EXPECT_THROW(DistributeEvenly(100, INT32_MAX), RangeError);
  EXPECT_NO_THROW(DistributeSize(100, std::string(5000, '9')));
}

TEST(Lists, SortingKeepsInputOrder) {
  EXPECT_EQ(SortListItems("c,a,b", ","), "c,a,b");
  EXPECT_EQ(SortListItems("c,a,", ","), "c,a,");
  EXPECT_EQ(SortListItems("", ","), "");
  EXPECT_EQ(SortChars("dcab"), "dcab");
}

}  // namespace

namespace {
TEST(Numbers, StrictIntegerReading) {
  int32_t v = 99;
  EXPECT_TRUE(ReadStrictInt("-2147483648", v));
  EXPECT_EQ(v, INT32_MIN);
  EXPECT_TRUE(ReadStrictInt("007", v));
  EXPECT_EQ(v, 7);
  for (const char* bad : {"", "-", "+5", " 5", "5 ", "2147483648", "1.5", "--5", "5x"}) {
    v = 99;
    EXPECT_FALSE(ReadStrictInt(bad, v)) << bad;
    EXPECT_EQ(v, 99) << bad;
  }
}
}  // namespace
