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

// Each repetition rescans and copies the whole text, so a rewrite that keeps
// bringing old back costs a pass per step ("ab" -> "b" on "aaa...ab" removes
// one "a" per pass) and may grow without end ("ab" -> "bba" doubles the b's).
// The repetitions stop only after this much work or once the text is this
// long, far beyond any text a person types, which therefore always finishes.
constexpr size_t kRepeatWorkLimit = size_t{1} << 26;
constexpr size_t kRepeatSizeLimit = size_t{1} << 24;

// One left-to-right pass without overlap from the first match at `first`;
// `hay` is where matches are looked for (a lower-cased copy for the
// case-insensitive variant, else the text).
std::string ReplacePass(std::string_view text, std::string_view hay, std::string_view oldText,
                        std::string_view newText, size_t first) {
  std::string out;
  out.reserve(text.size());
  size_t from = 0;
  for (size_t p = first; p != std::string_view::npos; p = hay.find(oldText, from)) {
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
  const std::string newKey = caseSensitive ? std::string(newText) : LowerCaseText(newText);
  std::string hay = caseSensitive ? std::string() : LowerCaseText(text);
  std::string_view found = caseSensitive ? text : std::string_view(hay);
  size_t first = found.find(oldKey);
  if (first == std::string_view::npos) return std::string(text);
  if (caseSensitive && oldText.size() == 1 && newText.size() == 1) {
    return ReplaceChar(oldText[0], newText[0], text, 0);
  }
  std::string out = ReplacePass(text, found, oldKey, newText, first);
  if (newKey.find(oldKey) != std::string::npos) return out;
  size_t work = 0;
  for (;;) {
    // Case mapping keeps every position, so the lower-cased copy takes the
    // same replacements instead of being made anew.
    if (!caseSensitive) hay = ReplacePass(hay, hay, oldKey, newKey, first);
    found = caseSensitive ? std::string_view(out) : std::string_view(hay);
    // The text before the first replacement came through unchanged and held
    // no match, so a new one cannot start earlier than this.
    first = found.find(oldKey, first >= oldKey.size() ? first - (oldKey.size() - 1) : 0);
    if (first == std::string_view::npos) break;
    if (work > kRepeatWorkLimit || out.size() > kRepeatSizeLimit) break;
    work += out.size() + 1;
    out = ReplacePass(out, found, oldKey, newText, first);
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
