#pragma once
// Case transforms, character replacement and replace-all.
#include <cstdint>
#include <string>
#include <string_view>

#include "util/exposit.h"

struct TReplace {
  PosInfoT search;
  int32_t limit = 0;      // 0 = replace without limit
  bool repeat = true;     // repeat until old no longer occurs
  bool trim = false;      // no trimming around replaced text
};

// Search defaults plus: no limit, repeat until done, no trimming.
void ReplaceInit(TReplace& rep);

char UpCaseChar(char c);
char LowCaseChar(char c);
std::string UpperCaseText(std::string_view text);
std::string LowerCaseText(std::string_view text);

std::string ReplaceAll(std::string_view oldText, std::string_view newText, std::string_view text);
std::string ReplaceAllNoCase(std::string_view oldText, std::string_view newText, std::string_view text);
// The first limit occurrences of a become b (all of them for limit 0).
std::string ReplaceChar(char a, char b, std::string_view text, int32_t limit);

std::string ReverseText(std::string_view text);
// One-character text of the smallest byte; empty for an empty text.
std::string SmallestChar(std::string_view text);
