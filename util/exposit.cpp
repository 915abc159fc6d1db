#include "util/exposit.h"

#include <algorithm>
#include <limits>

#include "dates/dater.h"
#include "util/repl.h"
#include "util/valstr.h"

ConvertError::ConvertError(const std::string& token)
    : std::runtime_error("'" + token + "' is not a valid integer value") {}

namespace {

constexpr int32_t kMaxPos = std::numeric_limits<int32_t>::max();

// Texts longer than 2^31 - 1 bytes cannot be addressed by 32-bit positions;
// such positions saturate rather than wrap.
int32_t ToPos(size_t zeroBased) {
  return zeroBased >= static_cast<size_t>(kMaxPos) ? kMaxPos : static_cast<int32_t>(zeroBased + 1);
}

}  // namespace

// ---- tokens ----------------------------------------------------------------

void CutToken(std::string& s, std::string_view separator, std::string& token) {
  const size_t p = separator.empty() ? std::string::npos : s.find(separator);
  if (p == std::string::npos) {
    token = s;
    s.clear();
    return;
  }
  token = s.substr(0, p);
  // Only one character after the token is skipped, whatever the separator's length.
  s.erase(0, p + 1);
}

std::string CutToken(std::string& s, std::string_view separator) {
  std::string token;
  CutToken(s, separator, token);
  return token;
}

void CutCommaToken(std::string& s, std::string& token) { CutToken(s, ",", token); }

std::string CutCommaToken(std::string& s) { return CutToken(s, ","); }

void FirstToken(std::string_view s, std::string_view separator, std::string& token) {
  std::string copy(s);
  CutToken(copy, separator, token);
}

std::string FirstToken(std::string_view s, std::string_view separator) {
  std::string token;
  FirstToken(s, separator, token);
  return token;
}

namespace {

// As the standard conversion reads a token: leading blanks and a "+" are
// allowed before the strict number.
bool ReadInt32(std::string_view t, int32_t& value) {
  while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
  if (!t.empty() && t.front() == '+') {
    t.remove_prefix(1);
    if (!t.empty() && t.front() == '-') return false;
  }
  return ReadStrictInt(t, value);
}

}  // namespace

int32_t CutIntToken(std::string& s, std::string_view separator) {
  std::string token;
  CutToken(s, separator, token);
  if (token.empty()) return -1;
  int32_t value = 0;
  if (!ReadInt32(token, value)) throw ConvertError(token);
  return value;
}

int32_t CutNumberToken(std::string& s) {
  std::string token;
  do {
    CutToken(s, ",", token);
  } while (token.empty() && !s.empty());
  return TextToInt(token);
}

std::string DropRight(std::string_view s, int32_t n) {
  if (n <= 0) return std::string(s);
  if (static_cast<size_t>(n) >= s.size()) return {};
  return std::string(s.substr(0, s.size() - static_cast<size_t>(n)));
}

std::string RightStr(std::string_view s, int32_t n) {
  if (n <= 0) return {};
  if (static_cast<size_t>(n) >= s.size()) return std::string(s);
  return std::string(s.substr(s.size() - static_cast<size_t>(n)));
}

bool StartsWith(std::string_view prefix, std::string_view s) { return s.starts_with(prefix); }

bool EndsWith(std::string_view suffix, std::string_view s) { return s.ends_with(suffix); }

int32_t PosFrom(std::string_view sub, std::string_view s, int32_t from) {
  if (sub.empty()) return 0;
  const size_t start = from <= 1 ? 0 : static_cast<size_t>(from) - 1;
  if (start >= s.size()) return 0;
  const size_t p = s.find(sub, start);
  return p == std::string_view::npos ? 0 : ToPos(p);
}

int32_t CountOccurrences(std::string_view sub, std::string_view s) {
  if (sub.empty()) return 0;
  int32_t n = 0;
  size_t p = s.find(sub);
  while (p != std::string_view::npos && n < kMaxPos) {
    ++n;
    p = s.find(sub, p + 1);
  }
  return n;
}

// ---- character scans -------------------------------------------------------

bool AllCharsIn(const CharSetT& set, std::string_view text) {
  if (text.empty()) return false;
  return std::all_of(text.begin(), text.end(), [&](char c) { return InSet(set, c); });
}

int32_t FirstCharIn(const CharSetT& set, std::string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (InSet(set, text[i])) return ToPos(i);
  }
  return 0;
}

// ---- search engine ---------------------------------------------------------

void SearchInit(PosInfoT& info) {
  const CharClassesT& cc = CharClasses();
  info.caseSensitive = true;
  info.wholeWordRight = false;
  info.wholeWordLeft = false;
  info.anchor = kAnchorNone;
  info.occurrence = 1;
  info.skipQuoted = false;
  info.quoteChar = '\'';
  info.lastPos = 0;
  info.overlap = true;
  info.matches.assign(1, MatchT{});
  info.count = 0;
  info.matchLength = 0;
  info.delimiterSet = cc.delimiters;
  info.letterSet = cc.letters;
  info.wordSet = cc.letters | cc.digits;
  info.patternMode = kPatternText;
  info.spare.clear();
  info.lastOnly = false;
  info.customSet.reset();
}

namespace {

void ClearMatches(PosInfoT& info) {
  info.matches.assign(1, MatchT{});
  info.count = 0;
}

void AddMatch(PosInfoT& info, size_t pos0, size_t len) {
  const MatchT m{ToPos(pos0), len >= static_cast<size_t>(kMaxPos) ? kMaxPos : static_cast<int32_t>(len)};
  info.matches.push_back(m);
  info.matches[0] = m;
  if (info.count < kMaxPos) ++info.count;
}

// First candidate at or after `from` (0-based, in the whole text); returns
// false when there is none. len receives its length.
bool FindCandidate(const PosInfoT& info, std::string_view pattern, std::string_view text,
                   size_t from, size_t& pos, size_t& len) {
  const size_t n = text.size();
  auto runOf = [&](const CharSetT& set) {
    size_t i = from;
    while (i < n && !InSet(set, text[i])) ++i;
    if (i >= n) return false;
    size_t j = i;
    while (j < n && InSet(set, text[j])) ++j;
    pos = i;
    len = j - i;
    return true;
  };
  switch (info.patternMode) {
    case kPatternText: {
      if (pattern.empty() || from >= n) return false;
      const size_t p = text.find(pattern, from);
      if (p == std::string_view::npos) return false;
      pos = p;
      len = pattern.size();
      return true;
    }
    case kPatternCustomSet: {
      for (size_t i = from; i < n; ++i) {
        if (InSet(info.customSet, text[i])) {
          pos = i;
          len = 1;
          return true;
        }
      }
      return false;
    }
    case kPatternDigits:
      return runOf(CharClasses().digits);
    case kPatternWord:
      return runOf(info.wordSet);
    case kPatternRepeat: {
      for (size_t i = from; i + 1 < n; ++i) {
        if (InSet(info.letterSet, text[i]) && text[i + 1] == text[i]) {
          size_t j = i + 2;
          while (j < n && text[j] == text[i]) ++j;
          pos = i;
          len = j - i;
          return true;
        }
      }
      return false;
    }
    default:
      return false;
  }
}

// One search step in the part of the text that begins at partStart.
bool SearchStep(PosInfoT& info, std::string_view pattern, std::string_view text, size_t partStart) {
  size_t from = partStart;
  size_t pos = 0, len = 0;
  while (FindCandidate(info, pattern, text, from, pos, len)) {
    bool ok = true;
    if (info.wholeWordLeft && pos > partStart && !InSet(info.delimiterSet, text[pos - 1])) ok = false;
    if (ok && info.wholeWordRight && pos + len < text.size() &&
        !InSet(info.delimiterSet, text[pos + len])) {
      ok = false;
    }
    if (ok) {
      AddMatch(info, pos, len);
      return true;
    }
    from = pos + 1;
  }
  return false;
}

// Part start of the step after the last recorded match.
size_t NextPartStart(const PosInfoT& info) {
  const MatchT& last = info.matches[0];
  const size_t start0 = static_cast<size_t>(last.pos) - 1;
  return info.overlap ? start0 + 1 : start0 + static_cast<size_t>(last.len);
}

void Finish(PosInfoT& info, int32_t result) {
  info.lastPos = result;
  info.matchLength = result > 0 ? info.matches[0].len : 0;
}

int32_t Find(PosInfoT& info, std::string_view pattern, std::string_view text, bool allowLastShortcut) {
  ClearMatches(info);
  info.lastOnly = false;
  const bool wholeWord = info.wholeWordLeft || info.wholeWordRight;

  if (info.patternMode == kPatternText && !wholeWord && info.anchor == kAnchorNone &&
      info.occurrence == 1 && !info.skipQuoted && pattern.size() >= 2) {
    size_t p;
    if (info.caseSensitive) {
      p = text.find(pattern);
    } else {
      p = LowerCaseText(text).find(LowerCaseText(pattern));
    }
    int32_t result = 0;
    if (p != std::string_view::npos) {
      AddMatch(info, p, pattern.size());
      result = info.matches[0].pos;
    }
    Finish(info, result);
    return result;
  }

  std::string pat(pattern);
  if (info.patternMode == kPatternText && !info.caseSensitive) pat = LowerCaseText(pat);
  std::string work(text);
  if (info.skipQuoted) {
    bool inside = false;
    for (char& c : work) {
      if (c == info.quoteChar) {
        inside = !inside;
      } else if (inside) {
        c = '\0';
      }
    }
  }
  if (!info.caseSensitive) work = LowerCaseText(work);

  if (info.anchor == kAnchorStart) info.occurrence = 1;

  int32_t result = 0;
  if (info.occurrence != 0 && info.anchor != kAnchorEnd) {
    if (info.occurrence > 0) {
      bool found = SearchStep(info, pat, work, 0);
      while (found && info.count < info.occurrence) {
        found = SearchStep(info, pat, work, NextPartStart(info));
      }
      if (found) result = info.matches[0].pos;
    }
  } else {
    info.lastOnly = true;
    if (allowLastShortcut && info.patternMode == kPatternText && pat.size() == 1 && !wholeWord &&
        info.anchor == kAnchorNone && info.caseSensitive && !info.skipQuoted) {
      // Only the last occurrence is wanted: scan from the end.
      const size_t p = work.rfind(pat[0]);
      if (p != std::string::npos) AddMatch(info, p, 1);
    } else if (SearchStep(info, pat, work, 0)) {
      while (SearchStep(info, pat, work, NextPartStart(info))) {
      }
    }
    info.lastOnly = false;
    info.occurrence = info.count;
    if (info.count > 0) result = info.matches[0].pos;
  }

  if (result != 0) {
    const MatchT& m = info.matches[0];
    bool accepted = true;
    if (info.anchor == kAnchorStart) accepted = result == 1;
    if (info.anchor == kAnchorEnd) {
      accepted = static_cast<int64_t>(m.pos) + m.len - 1 == static_cast<int64_t>(text.size());
    }
    if (!accepted) {
      ClearMatches(info);
      result = 0;
    }
  }
  Finish(info, result);
  return result;
}

}  // namespace

int32_t SearchFind(PosInfoT& info, std::string_view pattern, std::string_view text) {
  return Find(info, pattern, text, true);
}

int32_t SearchCount(PosInfoT& info, std::string_view pattern, std::string_view text) {
  info.occurrence = 0;
  Find(info, pattern, text, false);
  return info.count;
}

int32_t PosOfOccurrence(std::string_view pattern, std::string_view text, int32_t n) {
  PosInfoT info;
  SearchInit(info);
  info.occurrence = n;
  return SearchFind(info, pattern, text);
}
