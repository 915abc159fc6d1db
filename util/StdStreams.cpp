#include "util/StdStreams.h"

#include <cerrno>
#include <limits>

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

LineReadT ReadLimitedLine(std::istream& in, std::string& line, size_t limit) {
  std::streambuf* buf = in.rdbuf();
  line.clear();
  bool any = false, tooLong = false;
  for (;;) {
    const int c = buf->sbumpc();
    if (c == EOF) {
      in.setstate(std::ios::eofbit);
      if (!any) return LineReadT::End;
      break;
    }
    any = true;
    if (c == '\n') break;
    if (c == '\r') {
      // CR LF is one line end, a CR alone another.
      if (buf->sgetc() == '\n') buf->sbumpc();
      break;
    }
    // Past the limit the rest of the line is skipped unkept.
    if (line.size() < limit) line += static_cast<char>(c);
    else tooLong = true;
  }
  if (tooLong) {
    line.clear();
    return LineReadT::TooLong;
  }
  return LineReadT::Line;
}
