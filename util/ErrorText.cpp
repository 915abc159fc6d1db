#include "util/ErrorText.h"

#include <cstring>

namespace {

// Length of the UTF-8 sequence at s[i], 0 when the bytes there are not one.
size_t Utf8Length(std::string_view s, size_t i) {
  const auto b = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char c = b(i);
  size_t n = 0;
  char32_t cp = 0;
  if (c < 0x80) return 1;
  if (c >= 0xC2 && c <= 0xDF) n = 2, cp = c & 0x1F;
  else if (c >= 0xE0 && c <= 0xEF) n = 3, cp = c & 0x0F;
  else if (c >= 0xF0 && c <= 0xF4) n = 4, cp = c & 0x07;
  else return 0;
  if (i + n > s.size()) return 0;
  for (size_t k = 1; k < n; ++k) {
    if ((b(i + k) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b(i + k) & 0x3F);
  }
  // Overlong forms, surrogates and values past U+10FFFF are not characters.
  if ((n == 3 && cp < 0x800) || (n == 4 && (cp < 0x10000 || cp > 0x10FFFF)) || (cp >= 0xD800 && cp <= 0xDFFF))
    return 0;
  return n;
}

void AppendHex(std::string& out, unsigned char c) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += "\\x";
  out += kHex[c >> 4];
  out += kHex[c & 15];
}

}  // namespace

std::string ShownText(std::string_view bytes) {
  std::string out;
  size_t shown = 0, i = 0;
  while (i < bytes.size()) {
    if (shown == kShownLimit) {
      out += "...";
      break;
    }
    const size_t n = Utf8Length(bytes, i);
    const auto c = static_cast<unsigned char>(bytes[i]);
    // C1 controls (U+0080..U+009F) steer terminals as much as C0 ones do.
    const bool c1 = n == 2 && c == 0xC2 && static_cast<unsigned char>(bytes[i + 1]) < 0xA0;
    if (n == 0 || (n == 1 && (c < 0x20 || c == 0x7F)) || c1) {
      for (size_t k = 0; k < (c1 ? 2 : 1); ++k) AppendHex(out, static_cast<unsigned char>(bytes[i + k]));
      i += c1 ? 2 : 1;
    } else {
      out.append(bytes.substr(i, n));
      i += n;
    }
    ++shown;
  }
  return out;
}

std::string ShownPath(const std::filesystem::path& path) {
#ifdef _WIN32
  const std::u8string u8 = path.u8string();
  return ShownText(std::string_view(reinterpret_cast<const char*>(u8.data()), u8.size()));
#else
  return ShownText(path.native());
#endif
}

std::string SystemReason(int error) { return std::strerror(error); }
