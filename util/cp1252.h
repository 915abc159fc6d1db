#pragma once
// Texts inside the program are Windows-1252 bytes; the outside world speaks UTF-8.
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
// Whether the bytes are well-formed UTF-8 (no overlong forms or surrogates).
bool IsUtf8(std::string_view bytes);
// Malformed UTF-8 sequences and characters outside the code page become '?'.
AnsiText Utf8ToAnsi(std::string_view utf8);
