// The command line and --batch input: any arguments and lines give an exit
// status of 0..2 and, with --json, one valid JSON value per line.
#include <algorithm>
#include <cctype>
#include <sstream>
#include <vector>

#include "cli/cli.h"
#include "fuzz/fuzz_support.h"

namespace {

// A strict JSON reader, enough to tell whether a line is one valid value.
class JsonCheck {
 public:
  explicit JsonCheck(std::string_view s) : s_(s) {}
  bool Valid() {
    Space();
    if (!Value(0)) return false;
    Space();
    return p_ == s_.size();
  }

 private:
  bool Value(int depth) {
    if (depth > 64 || p_ >= s_.size()) return false;
    const char c = s_[p_];
    if (c == '{') return Container('}', depth, true);
    if (c == '[') return Container(']', depth, false);
    if (c == '"') return String();
    if (c == '-' || (c >= '0' && c <= '9')) return Number();
    for (std::string_view word : {"true", "false", "null"}) {
      if (s_.substr(p_, word.size()) == word) {
        p_ += word.size();
        return true;
      }
    }
    return false;
  }
  bool Container(char close, int depth, bool object) {
    ++p_;
    Space();
    if (p_ < s_.size() && s_[p_] == close) return ++p_, true;
    for (;;) {
      if (object) {
        if (p_ >= s_.size() || s_[p_] != '"' || !String()) return false;
        Space();
        if (p_ >= s_.size() || s_[p_++] != ':') return false;
        Space();
      }
      if (!Value(depth + 1)) return false;
      Space();
      if (p_ >= s_.size()) return false;
      const char c = s_[p_++];
      if (c == close) return true;
      if (c != ',') return false;
      Space();
    }
  }
  bool String() {
    ++p_;
    while (p_ < s_.size()) {
      const auto c = static_cast<unsigned char>(s_[p_]);
      if (c == '"') return ++p_, true;
      if (c < 0x20) return false;
      if (c == '\\') {
        if (++p_ >= s_.size()) return false;
        const char e = s_[p_++];
        if (e == 'u') {
          for (int i = 0; i < 4; ++i, ++p_) {
            if (p_ >= s_.size() || !std::isxdigit(static_cast<unsigned char>(s_[p_]))) return false;
          }
        } else if (std::string_view("\"\\/bfnrt").find(e) == std::string_view::npos) {
          return false;
        }
        continue;
      }
      if (c < 0x80) {
        ++p_;
        continue;
      }
      // UTF-8: a lead byte and its continuation bytes.
      const int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC2 ? 1 : -1;
      if (extra < 0 || c > 0xF4) return false;
      ++p_;
      for (int i = 0; i < extra; ++i, ++p_) {
        if (p_ >= s_.size() || (static_cast<unsigned char>(s_[p_]) & 0xC0) != 0x80) return false;
      }
    }
    return false;
  }
  bool Number() {
    const size_t start = p_;
    if (s_[p_] == '-') ++p_;
    size_t digits = 0;
    while (p_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[p_]))) ++p_, ++digits;
    if (digits == 0) return false;
    if (p_ < s_.size() && s_[p_] == '.') {
      ++p_;
      size_t fraction = 0;
      while (p_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[p_]))) ++p_, ++fraction;
      if (fraction == 0) return false;
    }
    return p_ > start;
  }
  void Space() {
    while (p_ < s_.size() && (s_[p_] == ' ' || s_[p_] == '\t' || s_[p_] == '\r' || s_[p_] == '\n')) ++p_;
  }
  std::string_view s_;
  size_t p_ = 0;
};

// Output that fails after a given number of bytes, as a full disk does.
class FailingOutput : public std::streambuf {
 public:
  explicit FailingOutput(size_t room) : room_(room) {}

 protected:
  int_type overflow(int_type c) override {
    if (room_ == 0) return traits_type::eof();
    --room_;
    return traits_type::not_eof(c);
  }

 private:
  size_t room_;
};

// One line, no control characters: what an error message must be.
bool OneSafeLine(const std::string& message) {
  for (const char c : message) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
  }
  return !message.empty() && message.size() < 2000;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  RunTimed([&] {
    FuzzedDataProvider in(data, size);
    std::vector<std::string> args;
    const int32_t count = in.ConsumeIntegralInRange<int32_t>(0, 8);
    for (int32_t i = 0; i < count; ++i) args.push_back(in.ConsumeRandomLengthString(40));
    // The options with structured values, which random bytes rarely spell.
    if (in.ConsumeBool()) args.insert(args.begin(), "--iso");
    if (in.ConsumeBool()) {
      std::string list;
      for (int32_t k = in.ConsumeIntegralInRange<int32_t>(0, 3); k >= 0; --k) {
        list += std::string(kResultKeys[in.ConsumeIntegralInRange<int32_t>(0, kResultPartCount - 1)]) + ",";
      }
      list.pop_back();
      if (in.ConsumeBool()) list += in.ConsumeRandomLengthString(8);
      args.insert(args.begin(), {"--fields", list});
    }
    // Batch input stays small enough for the time limit under the sanitizers;
    // sometimes one line is made too long to be read.
    std::string batch = in.ConsumeRandomLengthString(600);
    if (in.ConsumeBool()) batch.insert(batch.size() / 2, 66000, '9');
    const size_t outputRoom = in.ConsumeIntegralInRange<size_t>(0, 4096);

    CliOptionsT options;
    std::string error;
    if (!ParseCommandLine(options, args, error)) {
      FUZZ_CHECK(OneSafeLine(error));
      return;
    }
    options.context = CurrentContext(options, DateTripleT{7, 12, 2026});  // as the entry gives the clock's day
    // A file output never goes with a text output, and never without a name.
    const bool text = options.json || options.print || options.batch;
    FUZZ_CHECK(!(text && (!options.htmlFile.empty() || !options.screenshotFile.empty())));
    FUZZ_CHECK(!options.batch || options.json || options.print);
    FUZZ_CHECK(!options.fieldsChosen || (options.json && !options.print && options.fields != 0));
    // No files: the outputs under test are the texts. A holiday list grows
    // with its years; a few of them show the same.
    options.htmlFile.clear();
    options.screenshotFile.clear();
    options.workdays.holidayFiles.clear();
    options.workdays.lastYear =
        static_cast<int32_t>(std::min<int64_t>(options.workdays.lastYear, int64_t{options.workdays.firstYear} + 20));
    const bool list = options.workdays.listRegions || options.workdays.listHolidays;
    std::istringstream input(batch);
    std::ostringstream out, err;
    const int status = RunTextCommand(options, input, out, err);
    FUZZ_CHECK(status >= 0 && status <= 2);  // 1: a batch line was unreadable
    if (options.json && !options.help && !options.version && !options.print) {
      std::istringstream lines(out.str());
      std::string line;
      // The first key is the first chosen one, or an error line's.
      size_t first = 0;
      while (!(options.fields & (1u << first))) ++first;
      const std::string start = "{\"" + std::string(kResultKeys[first]) + "\":";
      while (std::getline(lines, line)) {
        if (!JsonCheck(line).Valid()) {
          std::fprintf(stderr, "invalid JSON line: %s\n", line.c_str());
          std::abort();
        }
        FUZZ_CHECK(list ? line.rfind('[', 0) == 0 : line.rfind(start, 0) == 0 || line.rfind("{\"error\":", 0) == 0);
      }
    }
    // A failing output is always an error with one message line, never success.
    if (out.str().size() > outputRoom) {
      FailingOutput failing(outputRoom);
      std::ostream cut(&failing);
      std::istringstream again(batch);
      std::ostringstream message;
      FUZZ_CHECK(RunTextCommand(options, again, cut, message) == 1);
      const std::string m = message.str();
      FUZZ_CHECK(!m.empty() && m.back() == '\n' && OneSafeLine(m.substr(0, m.size() - 1)));
    }
  });
  return 0;
}
