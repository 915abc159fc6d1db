#include "util/ErrorText.h"

#include <gtest/gtest.h>

TEST(ShownText, OneSafeLineOfBoundedLength) {
  EXPECT_EQ(ShownText("plain ä€ name"), "plain ä€ name");
  EXPECT_EQ(ShownText("a\nb\x1b[2Jc\x7f"), "a\\x0ab\\x1b[2Jc\\x7f");
  // Bytes that are not UTF-8, overlong forms, surrogates, C1 controls.
  EXPECT_EQ(ShownText("x\xff\xc3"), "x\\xff\\xc3");
  EXPECT_EQ(ShownText("\xc0\xaf\xed\xa0\x80"), "\\xc0\\xaf\\xed\\xa0\\x80");
  EXPECT_EQ(ShownText("\xc2\x9b"), "\\xc2\\x9b");
  // Cut after 200 characters, counting each shown character once.
  EXPECT_EQ(ShownText(std::string(200, 'a')), std::string(200, 'a'));
  EXPECT_EQ(ShownText(std::string(201, 'a')), std::string(200, 'a') + "...");
  std::string euros;
  for (int i = 0; i < 300; ++i) euros += "€";
  EXPECT_EQ(ShownText(euros), euros.substr(0, 600) + "...");
  EXPECT_EQ(ShownPath(std::filesystem::path("dir/\t.htm")), "dir/\\x09.htm");
}
