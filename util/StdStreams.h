#pragma once
// Standard input and output through buffers that remember why a read or
// write failed, so that a lost output is never reported as success.
#include <istream>
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

// Writes to a file descriptor; after the first failure every write fails.
class FdOutBuf : public std::streambuf {
 public:
  explicit FdOutBuf(int fd);
  ~FdOutBuf() override;
  int error() const { return error_; }

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* s, std::streamsize n) override;
  int sync() override;

 private:
  bool WriteOut(const char* data, size_t size);
  int fd_;
  int error_ = 0;
  std::vector<char> buffer_;
};

// Reads from a file descriptor; a read error ends the input and is kept.
class FdInBuf : public std::streambuf {
 public:
  explicit FdInBuf(int fd);
  int error() const { return error_; }

 protected:
  int_type underflow() override;

 private:
  int fd_;
  int error_ = 0;
  std::vector<char> buffer_;
};

// errno of the stream's last failure, 0 when none; a failed stream that is
// not over a descriptor gives EIO.
int StreamError(const std::ios& stream);

enum class LineReadT { Line, TooLong, End };
// The next line without its line end (LF, CR LF or a CR alone), as text: a
// view into the stream's read-ahead or into line, valid until the next read.
// A line longer than limit bytes is read on to its end without being kept,
// and gives TooLong.
LineReadT ReadLimitedLine(std::istream& in, std::string& line, std::string_view& text, size_t limit);
