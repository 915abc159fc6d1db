#pragma once
// Texts inside the program are Windows-1252 bytes; the outside world speaks UTF-8.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// A text in Windows-1252 bytes, as every text inside the program is; only
// QtText.h and the standard streams convert it.
using AnsiText = std::string;

// Unicode code point of a Windows-1252 byte (undefined bytes map to themselves,
// as the platform's conversion does).
char32_t Cp1252ToUnicode(unsigned char c);
// Windows-1252 byte of a code point, or '?' when the code page has none.
unsigned char UnicodeToCp1252(char32_t u);

std::string AnsiToUtf8(std::string_view ansi);
// Length of the text's leading run of ASCII bytes, which both forms share.
size_t AsciiPrefixLength(std::string_view text);
// Whether the bytes are well-formed UTF-8 (no overlong forms or surrogates).
bool IsUtf8(std::string_view bytes);
// Malformed UTF-8 sequences and characters outside the code page become '?'.
AnsiText Utf8ToAnsi(std::string_view utf8);

// Length of the well-formed UTF-8 sequence at bytes[at], 0 when there is none
// (stray continuation bytes, overlong forms, surrogates, past U+10FFFF).
size_t Utf8SequenceLength(std::string_view bytes, size_t at);
// A text file as the program reads it: UTF-8 when its bytes are valid UTF-8
// (a leading byte-order mark dropped), else Windows-1252.
AnsiText FileTextToAnsi(std::string_view bytes);
// The same file text in UTF-8, for output that is UTF-8 throughout.
std::string FileTextToUtf8(std::string_view bytes);
