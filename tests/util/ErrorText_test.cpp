#include "util/ErrorText.h"

#include <gtest/gtest.h>

#include <cerrno>

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

TEST(SystemReason, InTheReasonLanguage) {
  const std::string english = SystemReason(ENOENT, 0);
  EXPECT_EQ(SystemReason(ENOENT), english);
  EXPECT_EQ(SystemReason(ENOENT, 1), "Datei oder Verzeichnis nicht gefunden");
  EXPECT_EQ(SystemReason(ENOSPC, 1), "Kein Platz mehr auf dem Ger\u00e4t");
  // Values without a German text keep the system's.
  EXPECT_EQ(SystemReason(EDOM, 1), SystemReason(EDOM, 0));
  SetReasonLanguage(1);
  EXPECT_EQ(SystemReason(EACCES), "Keine Berechtigung");
  SetReasonLanguage(0);
  EXPECT_EQ(SystemReason(ENOENT), english);
}
