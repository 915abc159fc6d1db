#include "util/StdStreams.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <istream>
#include <streambuf>
#include <string>
#include <vector>

namespace {

// Gives its text a few bytes per refill, so that lines and line ends fall
// across the read-ahead's edges as they do on a pipe.
class ChunkedBuf : public std::streambuf {
 public:
  ChunkedBuf(std::string text, size_t chunk) : text_(std::move(text)), chunk_(chunk) {}

 protected:
  int_type underflow() override {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    if (at_ >= text_.size()) return traits_type::eof();
    // Each refill reuses one buffer, as a real one does: old views go stale.
    const size_t n = std::min(chunk_, text_.size() - at_);
    buffer_.assign(text_, at_, n);
    at_ += n;
    setg(buffer_.data(), buffer_.data(), buffer_.data() + n);
    return traits_type::to_int_type(*gptr());
  }

 private:
  std::string text_, buffer_;
  size_t chunk_, at_ = 0;
};

std::vector<std::string> Lines(const std::string& text, size_t chunk, size_t limit) {
  ChunkedBuf buf(text, chunk);
  std::istream in(&buf);
  std::vector<std::string> lines;
  std::string line;
  std::string_view view;
  for (LineReadT got; (got = ReadLimitedLine(in, line, view, limit)) != LineReadT::End;)
    lines.push_back(got == LineReadT::TooLong ? "<too long>" : std::string(view));
  return lines;
}

TEST(ReadLimitedLine, SameLinesWhereverTheReadAheadEnds) {
  const std::string text = "2000-01-01 2000-01-02\r\nab\rcd\n\n\r\r\n" + std::string(22, 'x') + "\nlast";
  const std::vector<std::string> expected = {"2000-01-01 2000-01-02", "ab", "cd", "", "", "", "<too long>", "last"};
  for (size_t chunk = 1; chunk <= text.size(); ++chunk) EXPECT_EQ(Lines(text, chunk, 21), expected) << chunk;
  // A CR that ends the input ends its line; nothing follows it.
  for (size_t chunk : {1u, 3u, 64u}) EXPECT_EQ(Lines("a\rb\r", chunk, 21), (std::vector<std::string>{"a", "b"}));
}

}  // namespace
