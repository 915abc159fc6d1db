#include "util/repl.h"

#include <algorithm>
#include <cstdint>

void ReplaceInit(TReplace& rep) {
  SearchInit(rep.search);
  rep.limit = 0;
  rep.repeat = true;
  rep.trim = false;
}

char UpCaseChar(char c) {
  return static_cast<char>(CharClasses().upMap[static_cast<unsigned char>(c)]);
}

char LowCaseChar(char c) {
  return static_cast<char>(CharClasses().lowMap[static_cast<unsigned char>(c)]);
}

std::string UpperCaseText(std::string_view text) {
  const CharClassesT& cc = CharClasses();
  std::string out(text);
  for (char& c : out) {
    if (InSet(cc.lower, c)) c = static_cast<char>(cc.upMap[static_cast<unsigned char>(c)]);
  }
  return out;
}

std::string LowerCaseText(std::string_view text) {
  const CharClassesT& cc = CharClasses();
  std::string out(text);
  for (char& c : out) {
    if (InSet(cc.upper, c)) c = static_cast<char>(cc.lowMap[static_cast<unsigned char>(c)]);
  }
  return out;
}

std::string ReplaceChar(char a, char b, std::string_view text, int32_t limit) {
  std::string out(text);
  int64_t left = limit <= 0 ? -1 : limit;  // -1: no limit
  for (char& c : out) {
    if (left == 0) break;
    if (c == a) {
      c = b;
      if (left > 0) --left;
    }
  }
  return out;
}

namespace {

// Each repetition copies the whole text, so a rewrite that keeps bringing old
// back (e.g. "ab" -> "b" on "aaa...ab", or "ab" -> "bba" which also grows)
// costs quadratic time or more. The repetitions stop once they have copied
// four times the text plus this many characters; real uses (doubled
// separators, which halve the runs at each pass) copy less than twice the text.
constexpr size_t kRepeatWorkAllowance = size_t{1} << 14;

// One left-to-right pass without overlap; `hay` is where matches are looked
// for (a lower-cased copy for the case-insensitive variant, else the text).
std::string ReplacePass(std::string_view text, std::string_view hay, std::string_view oldText,
                        std::string_view newText) {
  std::string out;
  out.reserve(text.size());
  size_t from = 0;
  for (size_t p = hay.find(oldText); p != std::string_view::npos; p = hay.find(oldText, from)) {
    out.append(text.substr(from, p - from));
    out.append(newText);
    from = p + oldText.size();
  }
  out.append(text.substr(from));
  return out;
}

std::string ReplaceWith(std::string_view oldText, std::string_view newText, std::string_view text,
                        bool caseSensitive) {
  if (oldText.empty()) return std::string(text);
  const std::string oldKey = caseSensitive ? std::string(oldText) : LowerCaseText(oldText);
  auto hayOf = [&](std::string_view t) { return caseSensitive ? std::string(t) : LowerCaseText(t); };

  std::string hay = hayOf(text);
  if (hay.find(oldKey) == std::string::npos) return std::string(text);
  if (caseSensitive && oldText.size() == 1 && newText.size() == 1) {
    return ReplaceChar(oldText[0], newText[0], text, 0);
  }
  const bool once = hayOf(newText).find(oldKey) != std::string::npos;
  std::string out = ReplacePass(text, hay, oldKey, newText);
  if (once) return out;
  size_t workLeft = 4 * out.size() + kRepeatWorkAllowance;
  for (;;) {
    hay = hayOf(out);
    if (hay.find(oldKey) == std::string::npos) break;
    if (out.size() > workLeft) break;
    workLeft -= out.size();
    out = ReplacePass(out, hay, oldKey, newText);
  }
  return out;
}

}  // namespace

std::string ReplaceAll(std::string_view oldText, std::string_view newText, std::string_view text) {
  return ReplaceWith(oldText, newText, text, true);
}

std::string ReplaceAllNoCase(std::string_view oldText, std::string_view newText, std::string_view text) {
  return ReplaceWith(oldText, newText, text, false);
}

std::string ReverseText(std::string_view text) { return std::string(text.rbegin(), text.rend()); }

std::string SmallestChar(std::string_view text) {
  if (text.empty()) return {};
  const auto it = std::min_element(text.begin(), text.end(), [](char a, char b) {
    return static_cast<unsigned char>(a) < static_cast<unsigned char>(b);
  });
  return std::string(1, *it);
}
