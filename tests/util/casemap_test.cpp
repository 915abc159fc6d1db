#include <gtest/gtest.h>

#include <map>

#include "util/Varpre.h"
#include "util/repl.h"

namespace {

// Upper-case letters of Windows-1252 and their lower-case images.
std::map<int, int> ExpectedPairs() {
  std::map<int, int> pairs;
  for (int c = 'A'; c <= 'Z'; ++c) pairs[c] = c + 32;
  for (int c = 0xC0; c <= 0xDE; ++c) {
    if (c != 0xD7) pairs[c] = c + 32;
  }
  pairs[0x8A] = 0x9A;  // Š š
  pairs[0x8C] = 0x9C;  // Œ œ
  pairs[0x8E] = 0x9E;  // Ž ž
  pairs[0x9F] = 0xFF;  // Ÿ ÿ
  return pairs;
}

TEST(CaseMaps, AllCodesOfTheCodePage) {
  const CharClassesT& cc = CharClasses();
  const std::map<int, int> pairs = ExpectedPairs();
  std::map<int, int> lowerToUpper;
  for (auto [up, low] : pairs) lowerToUpper[low] = up;

  for (int c = 0; c < 256; ++c) {
    SCOPED_TRACE(c);
    const bool isUpper = pairs.count(c) > 0;
    const bool isLower = lowerToUpper.count(c) > 0;
    const bool isDigit = c >= '0' && c <= '9';
    EXPECT_EQ(cc.upper.test(c), isUpper);
    EXPECT_EQ(cc.lower.test(c), isLower);
    EXPECT_EQ(cc.letters.test(c), isUpper || isLower);
    EXPECT_EQ(cc.digits.test(c), isDigit);
    EXPECT_EQ(cc.delimiters.test(c), !isUpper && !isLower && !isDigit);

    const int expectLow = isUpper ? pairs.at(c) : c;
    const int expectUp = isLower ? lowerToUpper.at(c) : c;
    EXPECT_EQ(static_cast<unsigned char>(LowCaseChar(static_cast<char>(c))), expectLow);
    EXPECT_EQ(static_cast<unsigned char>(UpCaseChar(static_cast<char>(c))), expectUp);
  }
}

TEST(CaseMaps, SharpSAndMicroAreDelimiters) {
  const CharClassesT& cc = CharClasses();
  EXPECT_TRUE(cc.delimiters.test(0xDF));
  EXPECT_TRUE(cc.delimiters.test(0xB5));
  EXPECT_TRUE(cc.delimiters.test(0x83));  // ƒ has no capital in the code page
  EXPECT_EQ(UpCaseChar('\xDF'), '\xDF');
}

TEST(CaseMaps, TextTransformsKeepLengthAndNonLetters) {
  EXPECT_EQ(LowerCaseText("\xC4pfel-\x8A\x9F 12!"), "\xE4pfel-\x9A\xFF 12!");
  EXPECT_EQ(UpperCaseText("stra\xDF" "e \xFF\x9C"), "STRA\xDF" "E \x9F\x8C");
  std::string withNul("a\0B", 3);
  EXPECT_EQ(LowerCaseText(withNul), std::string("a\0b", 3));
  EXPECT_EQ(UpperCaseText(""), "");
}

TEST(CharScans, AllCharsInAndFirstCharIn) {
  const CharSetT& digits = CharClasses().digits;
  EXPECT_TRUE(AllCharsIn(digits, "0123"));
  EXPECT_FALSE(AllCharsIn(digits, ""));
  EXPECT_FALSE(AllCharsIn(digits, "12a"));
  EXPECT_EQ(FirstCharIn(digits, "ab3c4"), 3);
  EXPECT_EQ(FirstCharIn(digits, "abc"), 0);
}

}  // namespace
