#pragma once
// Tokens, scans for characters of a set, and the configurable search engine.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "util/Varpre.h"

// Raised by CutIntToken for a token that is not a decimal integer:
// "'<token>' is not a valid integer value".
class ConvertError : public std::runtime_error {
 public:
  explicit ConvertError(const std::string& token);
};

// ---- tokens ----------------------------------------------------------------
// token = s before the first separator (all of s if none); s = the rest after
// it (exactly one character after the token is skipped).
void CutToken(std::string& s, std::string_view separator, std::string& token);
std::string CutToken(std::string& s, std::string_view separator);
void CutCommaToken(std::string& s, std::string& token);
std::string CutCommaToken(std::string& s);
// The token CutToken would cut; s stays unchanged.
void FirstToken(std::string_view s, std::string_view separator, std::string& token);
std::string FirstToken(std::string_view s, std::string_view separator);
// -1 for an empty token; throws ConvertError for an unreadable one.
int32_t CutIntToken(std::string& s, std::string_view separator);
// Cuts ","-tokens until one is non-empty or s is empty; TextToInt of the last.
int32_t CutNumberToken(std::string& s);

std::string DropRight(std::string_view s, int32_t n);
std::string RightStr(std::string_view s, int32_t n);
bool StartsWith(std::string_view prefix, std::string_view s);
bool EndsWith(std::string_view suffix, std::string_view s);
// 1-based position of sub in s at or after from; 0 if none.
int32_t PosFrom(std::string_view sub, std::string_view s, int32_t from);
// Occurrences of sub, a new search starting one character after the last match.
int32_t CountOccurrences(std::string_view sub, std::string_view s);

// ---- character scans -------------------------------------------------------
bool AllCharsIn(const CharSetT& set, std::string_view text);
int32_t FirstCharIn(const CharSetT& set, std::string_view text);  // 1-based, 0 if none

// ---- search engine ---------------------------------------------------------
struct MatchT {
  int32_t pos = 0;  // 1-based
  int32_t len = 0;
};

enum : uint8_t {
  kPatternText = 0,       // the given text
  kPatternCustomSet = 1,  // any one character of customSet
  kPatternDigits = 2,     // a run of digits
  kPatternWord = 3,       // a run of wordSet characters
  kPatternRepeat = 4,     // a run of one repeated letterSet character
};

enum : int32_t { kAnchorNone = 0, kAnchorStart = 1, kAnchorEnd = 2 };

struct PosInfoT {
  bool caseSensitive = true;
  bool wholeWordRight = false;
  bool wholeWordLeft = false;
  int32_t anchor = kAnchorNone;
  int32_t occurrence = 1;  // 0 = the last match
  bool skipQuoted = false;
  char quoteChar = '\'';
  int32_t lastPos = 0;
  bool overlap = true;
  // matches[1..count] in order; matches[0] repeats the last one (all zero
  // when there is none), so matches.size() is always count + 1.
  std::vector<MatchT> matches;
  int32_t count = 0;
  int32_t matchLength = 0;
  CharSetT delimiterSet;
  CharSetT letterSet;
  CharSetT wordSet;
  uint8_t patternMode = kPatternText;
  std::string spare;
  bool lastOnly = false;
  CharSetT customSet;
};

// Sets the defaults and empties the match list.
void SearchInit(PosInfoT& info);
// Position of the requested match, 0 if none; fills matches, count, lastPos
// and matchLength. With occurrence 0 or anchor 2 every match is scanned and
// occurrence receives their number, except that a plain one-character pattern
// only locates the last occurrence (count and occurrence are then 1).
// Quoted text is blanked only when skipQuoted is set.
int32_t SearchFind(PosInfoT& info, std::string_view pattern, std::string_view text);
// Number of matches in the whole text with the record's options.
int32_t SearchCount(PosInfoT& info, std::string_view pattern, std::string_view text);
// Position of the n-th match with default options (overlap allowed), 0 if fewer.
int32_t PosOfOccurrence(std::string_view pattern, std::string_view text, int32_t n);
