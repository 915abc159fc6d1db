#include "util/cp1252.h"

#include <gtest/gtest.h>

namespace {

// "Grüße €" in both encodings.
const std::string kUtf8 = "Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC";
const std::string kAnsi = "Gr\xFC\xDF" "e \x80";

TEST(FileText, Utf8WhenValidElseWindows1252) {
  EXPECT_TRUE(IsUtf8(kUtf8));
  EXPECT_TRUE(IsUtf8(""));
  EXPECT_FALSE(IsUtf8(kAnsi));
  // Overlong forms, surrogates, cut sequences and stray continuations are no UTF-8.
  for (const char* bad : {"\xC0\xAF", "\xED\xA0\x80", "\xE2\x82", "\x80", "\xF4\x90\x80\x80"}) EXPECT_FALSE(IsUtf8(bad));

  EXPECT_EQ(FileTextToAnsi(kUtf8), kAnsi);
  EXPECT_EQ(FileTextToAnsi("\xEF\xBB\xBF" + kUtf8), kAnsi);  // an editor's byte-order mark
  EXPECT_EQ(FileTextToAnsi(kAnsi), kAnsi);
  EXPECT_EQ(FileTextToUtf8(kAnsi), kUtf8);
  EXPECT_EQ(FileTextToUtf8("\xEF\xBB\xBF" + kUtf8), kUtf8);
  EXPECT_EQ(FileTextToUtf8("plain\r\n"), "plain\r\n");
  // One byte that is not UTF-8 makes the whole file Windows-1252.
  EXPECT_EQ(FileTextToUtf8(kUtf8 + "\xE4"), AnsiToUtf8(kUtf8 + "\xE4"));
}

// The ASCII run is measured in rounds of up to 64 bytes: a byte above 0x7f is
// found at every place of every round, and the whole text when there is none.
TEST(AsciiPrefix, EndsAtTheFirstByteAboveAscii) {
  for (size_t size = 0; size <= 140; ++size) {
    std::string text(size, '\x7f');
    EXPECT_EQ(AsciiPrefixLength(text), size);
    for (size_t at = 0; at < size; ++at) {
      text[at] = static_cast<char>(at % 2 ? 0x80 : 0xff);
      ASSERT_EQ(AsciiPrefixLength(text), at) << size;
      text[at] = 'a';
    }
  }
}

}  // namespace
