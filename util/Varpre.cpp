#include "util/Varpre.h"

#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include "util/cp1252.h"
#endif

namespace {

#ifdef _WIN32
// The platform's ANSI case functions know the active code page.
std::string LowerAnsi(std::string s) {
  if (!s.empty()) CharLowerBuffA(s.data(), static_cast<DWORD>(s.size()));
  return s;
}
std::string UpperAnsi(std::string s) {
  if (!s.empty()) CharUpperBuffA(s.data(), static_cast<DWORD>(s.size()));
  return s;
}
#else
// Unicode simple case mapping for the code points Windows-1252 can hold:
// Basic Latin, Latin-1 Supplement and Latin Extended-A (plus the ƒ pair).
char32_t SimpleLower(char32_t u) {
  if (u >= 'A' && u <= 'Z') return u + 32;
  if (u >= 0xC0 && u <= 0xDE && u != 0xD7) return u + 32;
  if (u == 0x178) return 0xFF;
  if (u == 0x130) return u;  // dotted I lowers to i + combining dot; not simple
  if ((u >= 0x100 && u <= 0x137) || (u >= 0x14A && u <= 0x177)) return (u % 2 == 0) ? u + 1 : u;
  if ((u >= 0x139 && u <= 0x148) || (u >= 0x179 && u <= 0x17E)) return (u % 2 == 1) ? u + 1 : u;
  if (u == 0x191) return 0x192;
  return u;
}
char32_t SimpleUpper(char32_t u) {
  if (u >= 'a' && u <= 'z') return u - 32;
  if (u >= 0xE0 && u <= 0xFE && u != 0xF7) return u - 32;
  if (u == 0xFF) return 0x178;
  if (u == 0xB5) return 0x39C;  // micro sign -> Greek capital mu
  if (u == 0x131) return 'I';
  if ((u >= 0x100 && u <= 0x137) || (u >= 0x14A && u <= 0x177)) return (u % 2 == 1) ? u - 1 : u;
  if ((u >= 0x139 && u <= 0x148) || (u >= 0x179 && u <= 0x17E)) return (u % 2 == 0) ? u - 1 : u;
  if (u == 0x17F) return 'S';
  if (u == 0x192) return 0x191;
  return u;
}

// A mapped character the code page cannot hold leaves the byte unchanged, as
// the ANSI functions do.
unsigned char MapByte(unsigned char c, char32_t (*map)(char32_t)) {
  if (c == 0) return c;
  char32_t u = Cp1252ToUnicode(c);
  char32_t m = map(u);
  if (m == u) return c;
  unsigned char back = UnicodeToCp1252(m);
  if (back == '?' && m != '?') return c;
  return back;
}
std::string LowerAnsi(std::string s) {
  for (char& ch : s) ch = static_cast<char>(MapByte(static_cast<unsigned char>(ch), SimpleLower));
  return s;
}
std::string UpperAnsi(std::string s) {
  for (char& ch : s) ch = static_cast<char>(MapByte(static_cast<unsigned char>(ch), SimpleUpper));
  return s;
}
#endif

CharClassesT BuildClasses() {
  CharClassesT cc;
  std::string all;
  for (int c = 1; c <= 255; ++c) all += static_cast<char>(c);
  const std::string lowered = LowerAnsi(all);
  for (size_t i = 0; i < all.size() && i < lowered.size(); ++i) {
    if (all[i] != lowered[i]) {
      cc.upper.set(static_cast<unsigned char>(all[i]));
      cc.lower.set(static_cast<unsigned char>(lowered[i]));
    }
  }
  cc.letters = cc.upper | cc.lower;
  for (int c = '0'; c <= '9'; ++c) cc.digits.set(static_cast<size_t>(c));
  cc.delimiters = ~(cc.letters | cc.digits);
  for (int c = 0; c < 256; ++c) {
    cc.upMap[static_cast<size_t>(c)] = static_cast<unsigned char>(c);
    cc.lowMap[static_cast<size_t>(c)] = static_cast<unsigned char>(c);
  }
  for (int c = 1; c < 256; ++c) {
    if (!cc.letters.test(static_cast<size_t>(c))) continue;
    const std::string one(1, static_cast<char>(c));
    const std::string up = UpperAnsi(one);
    const std::string low = LowerAnsi(one);
    if (!up.empty()) cc.upMap[static_cast<size_t>(c)] = static_cast<unsigned char>(up[0]);
    if (!low.empty()) cc.lowMap[static_cast<size_t>(c)] = static_cast<unsigned char>(low[0]);
  }
  return cc;
}

}  // namespace

const CharClassesT& CharClasses() {
  static const CharClassesT classes = BuildClasses();
  return classes;
}

void InitCharClasses() { (void)CharClasses(); }
