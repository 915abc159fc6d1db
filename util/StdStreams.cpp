#include "util/StdStreams.h"

#include <cerrno>
#include <string_view>

#ifdef _WIN32
#include <io.h>
#define ORVANE_WRITE _write
#define ORVANE_READ _read
#else
#include <unistd.h>
#define ORVANE_WRITE ::write
#define ORVANE_READ ::read
#endif

namespace {
constexpr size_t kBufferSize = 1 << 16;
}

FdOutBuf::FdOutBuf(int fd) : fd_(fd), buffer_(kBufferSize) { setp(buffer_.data(), buffer_.data() + buffer_.size()); }

FdOutBuf::~FdOutBuf() { sync(); }

bool FdOutBuf::WriteOut(const char* data, size_t size) {
  while (size > 0 && error_ == 0) {
    const unsigned chunk = static_cast<unsigned>(size < (1u << 30) ? size : (1u << 30));
    const auto n = ORVANE_WRITE(fd_, data, chunk);
    if (n < 0) {
      if (errno != EINTR) error_ = errno;
      continue;
    }
    data += n;
    size -= static_cast<size_t>(n);
  }
  return error_ == 0;
}

int FdOutBuf::sync() {
  const bool ok = WriteOut(pbase(), static_cast<size_t>(pptr() - pbase()));
  setp(buffer_.data(), buffer_.data() + buffer_.size());
  return ok ? 0 : -1;
}

FdOutBuf::int_type FdOutBuf::overflow(int_type c) {
  if (sync() != 0) return traits_type::eof();
  if (!traits_type::eq_int_type(c, traits_type::eof())) {
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
  }
  return traits_type::not_eof(c);
}

std::streamsize FdOutBuf::xsputn(const char* s, std::streamsize n) {
  if (error_ != 0) return 0;
  const auto room = epptr() - pptr();
  if (n <= room) {
    traits_type::copy(pptr(), s, static_cast<size_t>(n));
    pbump(static_cast<int>(n));
    return n;
  }
  // Large pieces go straight out after what is buffered.
  if (sync() != 0 || !WriteOut(s, static_cast<size_t>(n))) return 0;
  return n;
}

FdInBuf::FdInBuf(int fd) : fd_(fd), buffer_(kBufferSize) { setg(buffer_.data(), buffer_.data(), buffer_.data()); }

FdInBuf::int_type FdInBuf::underflow() {
  if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
  while (error_ == 0) {
    const auto n = ORVANE_READ(fd_, buffer_.data(), static_cast<unsigned>(buffer_.size()));
    if (n > 0) {
      setg(buffer_.data(), buffer_.data(), buffer_.data() + n);
      return traits_type::to_int_type(*gptr());
    }
    if (n == 0) break;
    if (errno != EINTR) error_ = errno;
  }
  return traits_type::eof();
}

int StreamError(const std::ios& stream) {
  if (const auto* out = dynamic_cast<const FdOutBuf*>(stream.rdbuf()); out != nullptr && out->error() != 0)
    return out->error();
  if (const auto* in = dynamic_cast<const FdInBuf*>(stream.rdbuf()); in != nullptr && in->error() != 0)
    return in->error();
  return stream.bad() ? EIO : 0;
}

namespace {

// A stream buffer's read-ahead bytes in whole runs rather than one call per
// character. A derived class may name std::streambuf's protected members as
// pointers to members, and these apply to any stream buffer.
struct GetAreaT : std::streambuf {
  // What is read ahead and not taken yet, refilled when none is left; empty
  // at the end. A buffer that keeps no read-ahead gives one character.
  static std::string_view Ahead(std::streambuf& buf, char& one) {
    const int next = buf.sgetc();
    if (next == EOF) return {};
    const char* from = (buf.*&GetAreaT::gptr)();
    const char* to = (buf.*&GetAreaT::egptr)();
    if (from != nullptr && from < to) return {from, static_cast<size_t>(to - from)};
    one = static_cast<char>(next);
    return {&one, 1};
  }
  static void Take(std::streambuf& buf, std::string_view ahead, size_t n) {
    if (n == 0) return;
    if (ahead.size() == 1 && n == 1) buf.sbumpc();
    else (buf.*&GetAreaT::gbump)(static_cast<int>(n));
  }
};

}  // namespace

LineReadT ReadLimitedLine(std::istream& in, std::string& line, std::string_view& text, size_t limit) {
  std::streambuf& buf = *in.rdbuf();
  line.clear();
  text = {};
  bool any = false, tooLong = false, kept = false;
  char one = 0;
  for (;;) {
    const std::string_view ahead = GetAreaT::Ahead(buf, one);
    if (ahead.empty()) {
      in.setstate(std::ios::eofbit);
      if (!any) return LineReadT::End;
      break;
    }
    any = true;
    // The first LF, then the first CR before it: both searches run at memchr's speed.
    size_t end = ahead.find('\n');
    if (const size_t cr = ahead.substr(0, end).find('\r'); cr != std::string_view::npos) end = cr;
    if (end == std::string_view::npos) end = ahead.size();
    // Past the limit the rest of the line is skipped unkept.
    if (!tooLong && end > limit - line.size()) tooLong = true;
    const bool whole = end < ahead.size() && !kept && ahead.data() != &one;
    // A line wholly in the read-ahead is shown where it is, unless a CR ends
    // the read-ahead: looking for its LF refills the buffer.
    if (!tooLong && whole && !(ahead[end] == '\r' && end + 1 == ahead.size())) {
      text = ahead.substr(0, end);
    } else if (!tooLong) {
      line.append(ahead.data(), end);
      kept = true;
    }
    if (end == ahead.size()) {
      GetAreaT::Take(buf, ahead, end);
      continue;
    }
    const char stop = ahead[end];
    GetAreaT::Take(buf, ahead, end + 1);
    // CR LF is one line end, a CR alone another.
    if (stop == '\r') {
      const std::string_view next = GetAreaT::Ahead(buf, one);
      if (!next.empty() && next[0] == '\n') GetAreaT::Take(buf, next, 1);
    }
    break;
  }
  if (tooLong) {
    line.clear();
    text = {};
    return LineReadT::TooLong;
  }
  if (kept) text = line;
  return LineReadT::Line;
}
