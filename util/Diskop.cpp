#include "util/Diskop.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>
#include <cstdint>

#include "util/exposit.h"
#include "util/repl.h"

namespace {

#ifdef _WIN32
constexpr bool kPosixPaths = false;
constexpr char kNativeSep = '\\';
#else
// A path written only with "/" is a native path here; turning it into "\"
// would make it useless to the file system.
constexpr bool kPosixPaths = true;
constexpr char kNativeSep = '/';
#endif

bool IsSep(char c) { return c == '\\' || c == '/'; }

// "/" when the texts use nothing but forward slashes on a POSIX system, else "\".
char SeparatorOf(std::string_view a, std::string_view b = {}) {
  if (!kPosixPaths) return '\\';
  const bool back = a.find('\\') != std::string_view::npos || b.find('\\') != std::string_view::npos;
  const bool fwd = a.find('/') != std::string_view::npos || b.find('/') != std::string_view::npos;
  return (fwd && !back) ? '/' : '\\';
}

std::string WithSeparator(std::string_view text, char sep) {
  return sep == '\\' ? SlashesToBackslashes(text) : std::string(text);
}

// 0-based index of the k-th (1-based) occurrence of c, or npos.
size_t NthChar(std::string_view s, char c, int k) {
  size_t p = std::string_view::npos;
  size_t from = 0;
  for (int i = 0; i < k; ++i) {
    p = s.find(c, from);
    if (p == std::string_view::npos) return p;
    from = p + 1;
  }
  return p;
}

// The text as the platform's file calls take it; empty when they cannot be
// asked about it (they would stop at an embedded NUL and ask about another name).
std::string NativeName(std::string_view path) {
  std::string native = SlashesToBackslashes(path);
  if (kNativeSep != '\\') native = ReplaceChar('\\', kNativeSep, native, 0);
  if (native.find('\0') != std::string::npos) return {};
  return native;
}

}  // namespace

bool IsAbsolutePath(std::string_view text) {
  if (text.size() >= 3 && text[1] == ':' && IsSep(text[2])) return true;
  return text.starts_with("\\\\") || text.starts_with("//");
}

std::string SlashesToBackslashes(std::string_view text) { return ReplaceChar('/', '\\', text, 0); }

std::string StripTrailingSlash(std::string_view text) {
  if (text.empty() || !IsSep(text.back())) return std::string(text);
  if (text.size() == 3 && text[1] == ':') return std::string(text);
  return std::string(text.substr(0, text.size() - 1));
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  const char sep = SeparatorOf(folder, name);
  const std::string t = WithSeparator(folder, sep) + sep + WithSeparator(name, sep);
  if (t.size() <= 2) return t;
  // The first two characters stay, so a server path's leading pair survives.
  const std::string doubled(2, sep);
  return t.substr(0, 2) + ReplaceAll(doubled, std::string(1, sep), std::string_view(t).substr(2));
}

std::string PathRoot(std::string_view text, char separator) {
  const std::string two = std::string(":") + separator + separator;
  size_t p = text.find(two);
  if (p != std::string_view::npos) return std::string(text.substr(0, p + 3));
  const std::string one = std::string(":") + separator;
  p = text.find(one);
  if (p != std::string_view::npos) return std::string(text.substr(0, p + 2));
  if (text.size() >= 2 && text[0] == separator && text[1] == separator) {
    const size_t fourth = NthChar(text, separator, 4);
    if (fourth == std::string_view::npos) return std::string(text);
    return std::string(text.substr(0, fourth + 1));
  }
  return {};
}

std::string NormalizePath(std::string_view path) {
  const char sep = path.find('\\') != std::string_view::npos ? '\\' : '/';
  std::string p = sep == '\\' ? SlashesToBackslashes(path) : std::string(path);
  const std::string root = PathRoot(p, sep);
  std::string rest = p.substr(root.size());
  std::vector<std::string> segments;
  const std::string sepText(1, sep);
  while (!rest.empty()) {
    std::string seg = CutToken(rest, sepText);
    if (!seg.empty() && seg.find_first_not_of('.') == std::string::npos) {
      // "." drops nothing else, ".." the segment before, "..." two, ...
      size_t drop = seg.size() - 1;
      while (drop-- > 0 && !segments.empty()) segments.pop_back();
      continue;
    }
    segments.push_back(std::move(seg));
  }
  std::string out = root;
  for (size_t i = 0; i < segments.size(); ++i) {
    if (i > 0) out += sep;
    out += segments[i];
  }
  return out;
}

void SplitFileName(std::string& path, std::string& name) {
  const char sep = SeparatorOf(path);
  path = WithSeparator(path, sep);
  if (path.size() >= 2 && path[0] == sep && path[1] == sep) {
    const size_t fourth = NthChar(path, sep, 4);
    if (fourth == std::string::npos) {
      path += sep;
      name.clear();
      return;
    }
    if (fourth + 1 == path.size()) {
      name.clear();
      return;
    }
  }
  if (path.empty() || path.back() != sep) {
    const size_t last = path.rfind(sep);
    name = last == std::string::npos ? path : path.substr(last + 1);
  } else if (path.size() >= 2 && path[path.size() - 2] == ':') {
    name.clear();
  } else {
    const size_t prev = path.size() >= 2 ? path.rfind(sep, path.size() - 2) : std::string::npos;
    name = prev == std::string::npos ? path : path.substr(prev + 1);
  }
  path.erase(path.size() - name.size());
}

std::string LastPathName(std::string_view path) {
  std::string folder(path);
  std::string name;
  SplitFileName(folder, name);
  std::string last = StripTrailingSlash(name);
  if (last == "\\" || last == "/") last.clear();
  return last;
}

bool AnalysePath(std::string_view path, std::string& drive, std::string& folders,
                 int32_t& depth, std::string& name, std::string& lastFolder) {
  namespace fs = std::filesystem;
  depth = -2;
  const std::string native = NativeName(path);
  if (native.empty()) return false;

  std::error_code ec;
  const fs::path fp(native);
  const bool isDir = fs::is_directory(fp, ec);
  const bool isFile = !isDir && fs::exists(fp, ec);
  if (!isDir && !isFile) return false;

  fs::path full = fs::absolute(fp, ec);
  if (ec) return false;
  std::string rest = full.lexically_normal().string();
  if (isDir && (rest.empty() || rest.back() != kNativeSep)) rest += kNativeSep;

  const size_t lastSep = rest.rfind(kNativeSep);
  std::string fileName = lastSep == std::string::npos ? rest : rest.substr(lastSep + 1);
  rest.erase(rest.size() - fileName.size());

  std::string driveText;
  if (rest.size() >= 2 && rest[1] == ':') {
    driveText = rest.substr(0, 2);
  } else if (rest.size() >= 2 && rest[0] == kNativeSep && rest[1] == kNativeSep) {
    const size_t fourth = NthChar(rest, kNativeSep, 4);
    driveText = fourth == std::string::npos ? rest : rest.substr(0, fourth);
  }
  rest.erase(0, driveText.size());

  const int64_t seps = std::count(rest.begin(), rest.end(), kNativeSep);
  std::string last;
  if (rest.size() >= 2) {
    const size_t prev = rest.rfind(kNativeSep, rest.size() - 2);
    if (prev != std::string::npos) last = rest.substr(prev + 1);
  }
  rest.erase(rest.size() - last.size());

  drive = driveText;
  folders = rest;
  depth = static_cast<int32_t>(std::min<int64_t>(seps - 1, INT32_MAX));
  name = fileName;
  lastFolder = last;
  return true;
}

bool FileExists(std::string_view path) {
  const std::string native = NativeName(path);
  if (native.empty()) return false;
  std::error_code ec;
  return std::filesystem::is_regular_file(std::filesystem::path(native), ec);
}

std::string ResolvePath(std::string_view path, std::string_view base) {
  std::string p(path);
  if (!IsAbsolutePath(p)) {
    std::string drive, folders, name, lastFolder;
    int32_t depth = 0;
    AnalysePath(base, drive, folders, depth, name, lastFolder);
    if (p.empty()) {
      p = base;
    } else if (IsSep(p[0])) {
      p = drive + p;
    } else {
      p = JoinPath(base, p);
    }
  }
  return NormalizePath(p);
}

std::string ShortenPath(std::string_view text, int32_t maxLength) {
  if (maxLength < 0) maxLength = 0;
  const size_t m = static_cast<size_t>(maxLength);
  if (text.size() <= m) return std::string(text);
  if (m < 2) return std::string(m, '.');
  const std::string_view t = text.substr(0, m - 2);
  auto firstFrom8 = [&](char first, char second) {
    size_t q = t.size() > 7 ? t.find(first, 7) : std::string_view::npos;
    if (q == std::string_view::npos && t.size() > 7) q = t.find(second, 7);
    return q == std::string_view::npos ? t.size() : q + 1;
  };
  size_t p;  // 0-based shortening point
  if (t.starts_with("http://") || t.starts_with("http:\\\\")) {
    p = firstFrom8('/', '\\');
  } else if (t.starts_with("\\\\")) {
    p = firstFrom8('\\', '/');
  } else if (t.size() >= 3 && t[1] == ':' && IsSep(t[2])) {
    p = 3;
  } else {
    p = t.size();
  }
  const size_t cut = text.size() - m + 2;
  return std::string(text.substr(0, p)) + ".." + std::string(text.substr(p + cut));
}

std::string FileUrl(const std::filesystem::path& path) {
#ifdef _WIN32
  const std::wstring& native = path.native();
  const auto slash = [](wchar_t c) { return c == L'\\' || c == L'/'; };
  const bool unc = native.size() > 2 && slash(native[0]) && slash(native[1]);
  const std::u8string u8 = path.generic_u8string();
  std::string bytes(u8.begin(), u8.end());
  if (unc) {
    // \\server\share: the server is the host, whatever slashes the generic form keeps.
    bytes.erase(0, std::min(bytes.size(), bytes.find_first_not_of('/')));
  } else if (bytes.size() >= 2 && bytes[1] == ':') {
    bytes.insert(0, "/");  // a drive path has no host: its address starts "file:///"
  }
#else
  const std::string& bytes = path.native();
#endif
  static constexpr char kHex[] = "0123456789ABCDEF";
  static constexpr std::string_view kKept = "-._~!$&'()*+,;=:@/";
  std::string url = "file://";
  for (const char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    const bool alnum = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    if (alnum || (c < 0x80 && kKept.find(ch) != std::string_view::npos)) {
      url += ch;
    } else {
      url += '%';
      url += kHex[c >> 4];
      url += kHex[c & 15];
    }
  }
  return url;
}
