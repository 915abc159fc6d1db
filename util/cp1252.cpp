#include "util/cp1252.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {
// 0x80..0x9F; 0 marks the five bytes the code page leaves undefined.
constexpr char16_t kHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void PutUtf8(std::string& out, char32_t u) {
  if (u < 0x80) {
    out += static_cast<char>(u);
  } else if (u < 0x800) {
    out += static_cast<char>(0xC0 | (u >> 6));
    out += static_cast<char>(0x80 | (u & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (u >> 12));
    out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (u & 0x3F));
  }
}
// The code point of the UTF-8 sequence at s[i] and its length; 0 when the
// bytes there do not form one.
size_t Utf8Sequence(std::string_view s, size_t i, char32_t& u) {
  const auto c = static_cast<unsigned char>(s[i]);
  const size_t len = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
  if (len == 0 || i + len > s.size()) return 0;
  u = len == 1 ? c : len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
  for (size_t k = 1; k < len; ++k) {
    const auto cc = static_cast<unsigned char>(s[i + k]);
    if ((cc & 0xC0) != 0x80) return 0;
    u = (u << 6) | (cc & 0x3F);
  }
  return len;
}

// Overlong forms and surrogates are not characters.
bool Character(char32_t u, size_t len) {
  static constexpr char32_t kMin[5] = {0, 0, 0x80, 0x800, 0x10000};
  return u >= kMin[len] && u <= 0x10FFFF && !(u >= 0xD800 && u <= 0xDFFF);
}
}  // namespace

char32_t Cp1252ToUnicode(unsigned char c) {
  if (c >= 0x80 && c < 0xA0 && kHigh[c - 0x80] != 0) return kHigh[c - 0x80];
  return c;
}

unsigned char UnicodeToCp1252(char32_t u) {
  if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return static_cast<unsigned char>(u);
  for (int i = 0; i < 32; ++i) {
    if (kHigh[i] != 0 && kHigh[i] == u) return static_cast<unsigned char>(0x80 + i);
  }
  // The undefined bytes round-trip through their C1 code points.
  if (u >= 0x80 && u < 0xA0 && kHigh[u - 0x80] == 0) return static_cast<unsigned char>(u);
  return '?';
}

size_t AsciiPrefixLength(std::string_view text) {
  constexpr uint64_t kHigh = 0x8080808080808080ULL;
  size_t i = 0;
#if defined(__SSE2__)
  // 64 bytes a round where every x86-64 machine can: the sign bits of four
  // loads at once.
  for (; i + 64 <= text.size(); i += 64) {
    const auto* p = reinterpret_cast<const __m128i*>(text.data() + i);
    const __m128i any = _mm_or_si128(_mm_or_si128(_mm_loadu_si128(p), _mm_loadu_si128(p + 1)),
                                     _mm_or_si128(_mm_loadu_si128(p + 2), _mm_loadu_si128(p + 3)));
    if (_mm_movemask_epi8(any) != 0) break;
  }
#endif
  // 32 bytes a round: the batch reads and writes megabytes that are all ASCII.
  for (; i + 32 <= text.size(); i += 32) {
    uint64_t words[4];
    std::memcpy(words, text.data() + i, sizeof words);
    if (((words[0] | words[1] | words[2] | words[3]) & kHigh) != 0) break;
  }
  for (; i + 8 <= text.size(); i += 8) {
    uint64_t word;
    std::memcpy(&word, text.data() + i, sizeof word);
    if ((word & kHigh) != 0) break;
  }
  while (i < text.size() && static_cast<unsigned char>(text[i]) < 0x80) ++i;
  return i;
}

std::string AnsiToUtf8(std::string_view ansi) {
  std::string out;
  out.reserve(ansi.size() + 8);
  size_t run = 0;  // start of the pending run of ASCII bytes
  for (size_t i = 0; i < ansi.size(); ++i) {
    const auto c = static_cast<unsigned char>(ansi[i]);
    if (c < 0x80) continue;
    out.append(ansi.data() + run, i - run);
    PutUtf8(out, Cp1252ToUnicode(c));
    run = i + 1;
  }
  out.append(ansi.data() + run, ansi.size() - run);
  return out;
}

bool IsUtf8(std::string_view bytes) {
  char32_t u;
  for (size_t i = 0, n; i < bytes.size(); i += n) {
    if ((n = Utf8Sequence(bytes, i, u)) == 0 || !Character(u, n)) return false;
  }
  return true;
}

std::string Utf8ToAnsi(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    if (static_cast<unsigned char>(s[i]) < 0x80) {
      size_t end = i + 1;
      while (end < s.size() && static_cast<unsigned char>(s[end]) < 0x80) ++end;
      out.append(s.data() + i, end - i);
      i = end;
      continue;
    }
    char32_t u;
    const size_t n = Utf8Sequence(s, i, u);
    out += n != 0 && Character(u, n) ? static_cast<char>(UnicodeToCp1252(u)) : '?';
    i += n == 0 ? 1 : n;
  }
  return out;
}

size_t Utf8SequenceLength(std::string_view bytes, size_t at) {
  char32_t u;
  const size_t n = Utf8Sequence(bytes, at, u);
  return n != 0 && Character(u, n) ? n : 0;
}

namespace {
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view WithoutByteOrderMark(std::string_view utf8) {
  if (utf8.substr(0, kByteOrderMark.size()) == kByteOrderMark) utf8.remove_prefix(kByteOrderMark.size());
  return utf8;
}
}  // namespace

AnsiText FileTextToAnsi(std::string_view bytes) {
  return IsUtf8(bytes) ? Utf8ToAnsi(WithoutByteOrderMark(bytes)) : AnsiText(bytes);
}

std::string FileTextToUtf8(std::string_view bytes) {
  return IsUtf8(bytes) ? std::string(WithoutByteOrderMark(bytes)) : AnsiToUtf8(bytes);
}
