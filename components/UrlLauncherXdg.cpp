#include "components/UrlLauncherXdg.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <utility>

#include "util/ReadFile.h"

namespace {
using EntriesT = std::vector<std::pair<std::string, std::string>>;

// Key files larger than this are not association files; don't read them whole.
constexpr size_t kMaxKeyFileSize = 1 << 20;

bool IsAbsolute(const std::string& path) { return !path.empty() && path[0] == '/'; }

std::string Trim(const std::string& s) {
  const std::size_t a = s.find_first_not_of(" \t\r");
  if (a == std::string::npos) return std::string();
  const std::size_t b = s.find_last_not_of(" \t\r");
  return s.substr(a, b - a + 1);
}

std::string HomeDir(TProcessPlatform& env, const char* rel) {
  const std::string home = env.Getenv("HOME");
  return IsAbsolute(home) ? home + rel : std::string();
}

std::string BaseDir(TProcessPlatform& env, const char* var, const char* homeRel) {
  const std::string v = env.Getenv(var);
  return IsAbsolute(v) ? v : HomeDir(env, homeRel);
}

std::vector<std::string> BaseDirList(TProcessPlatform& env, const char* var, const char* fallback) {
  std::string v = env.Getenv(var);
  if (v.empty()) v = fallback;
  std::vector<std::string> dirs;
  std::size_t start = 0;
  while (start <= v.size()) {
    std::size_t end = v.find(':', start);
    if (end == std::string::npos) end = v.size();
    const std::string dir = v.substr(start, end - start);
    if (IsAbsolute(dir)) dirs.push_back(dir);
    start = end + 1;
  }
  return dirs;
}

bool ReadSmallFile(const std::string& path, std::string& text) {
  std::string reason;
  return ReadFileBytes(path, kMaxKeyFileSize, text, reason);
}

// The key=value lines of one [group] of a key file (all sections of that name).
bool ReadKeyFileGroup(const std::string& path, const std::string& group, EntriesT& entries) {
  std::string text;
  if (!ReadSmallFile(path, text)) return false;
  bool inGroup = false;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t eol = text.find('\n', pos);
    if (eol == std::string::npos) eol = text.size();
    const std::string line = Trim(text.substr(pos, eol - pos));
    pos = eol + 1;
    if (line.empty() || line[0] == '#') continue;
    if (line[0] == '[') {
      inGroup = line.size() >= 2 && line.back() == ']' && line.substr(1, line.size() - 2) == group;
      continue;
    }
    if (!inGroup) continue;
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    entries.emplace_back(Trim(line.substr(0, eq)), Trim(line.substr(eq + 1)));
  }
  return true;
}

const std::string* FindKey(const EntriesT& entries, const std::string& key) {
  for (const auto& e : entries)
    if (e.first == key) return &e.second;
  return nullptr;
}

// A desktop id is a bare file name; anything that could leave the
// applications folder is refused.
bool IsSafeDesktopId(const std::string& id) {
  return !id.empty() && id != "." && id != ".." && id.find('/') == std::string::npos &&
         id.find('\0') == std::string::npos;
}

// The string escapes of key-file values.
std::string UnescapeValue(const std::string& v) {
  std::string out;
  for (std::size_t i = 0; i < v.size(); ++i) {
    if (v[i] != '\\' || i + 1 == v.size()) {
      out += v[i];
      continue;
    }
    const char e = v[i + 1];
    switch (e) {
      case 's': out += ' '; break;
      case 'n': out += '\n'; break;
      case 't': out += '\t'; break;
      case 'r': out += '\r'; break;
      case '\\': out += '\\'; break;
      default:
        // Left for the Exec quoting rules (\" inside quoted arguments).
        out += '\\';
        out += e;
        break;
    }
    ++i;
  }
  return out;
}

std::string LowerAscii(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

// Desktop ids may name files in subfolders, "-" standing for "/".
std::string FindInApplications(const std::string& dir, const std::string& id, int depth) {
  std::error_code ec;
  const std::string path = dir + "/" + id;
  if (std::filesystem::is_regular_file(path, ec)) return path;
  if (depth >= 4) return std::string();
  for (std::size_t dash = id.find('-'); dash != std::string::npos; dash = id.find('-', dash + 1)) {
    const std::string sub = dir + "/" + id.substr(0, dash);
    if (dash == 0 || !std::filesystem::is_directory(sub, ec)) continue;
    const std::string found = FindInApplications(sub, id.substr(dash + 1), depth + 1);
    if (!found.empty()) return found;
  }
  return std::string();
}

std::vector<std::string> ApplicationDirs(const XdgDirsT& dirs) {
  std::vector<std::string> out;
  if (!dirs.dataHome.empty()) out.push_back(dirs.dataHome + "/applications");
  for (const auto& d : dirs.dataDirs) out.push_back(d + "/applications");
  return out;
}

// The ids a ";"-separated list value names for mimeType in group of file.
std::vector<std::string> Listed(const std::string& file, const std::string& group, const std::string& mimeType) {
  std::vector<std::string> ids;
  EntriesT entries;
  if (!ReadKeyFileGroup(file, group, entries)) return ids;
  for (const auto& [key, list] : entries) {
    if (key != mimeType) continue;
    std::size_t start = 0;
    while (start < list.size()) {
      std::size_t end = list.find(';', start);
      if (end == std::string::npos) end = list.size();
      const std::string id = Trim(list.substr(start, end - start));
      if (!id.empty()) ids.push_back(id);
      start = end + 1;
    }
  }
  return ids;
}

void AddUnlessRemoved(const std::vector<std::string>& ids, const std::vector<std::string>& removed,
                      std::vector<std::string>& out) {
  for (const auto& id : ids)
    if (std::find(removed.begin(), removed.end(), id) == removed.end()) out.push_back(id);
}

// A file URL's local path, or empty for any other address.
std::string LocalPathOf(const std::string& url) {
  static const std::string kFile = "file://";
  if (LowerAscii(url.substr(0, kFile.size())) != kFile) return std::string();
  std::string rest = url.substr(kFile.size());
  if (rest.compare(0, 10, "localhost/") == 0) rest.erase(0, 9);
  if (rest.empty() || rest[0] != '/') return std::string();
  std::string path;
  for (std::size_t i = 0; i < rest.size(); ++i) {
    if (rest[i] == '?' || rest[i] == '#') break;
    if (rest[i] == '%' && i + 2 < rest.size() && std::isxdigit(static_cast<unsigned char>(rest[i + 1])) &&
        std::isxdigit(static_cast<unsigned char>(rest[i + 2]))) {
      const char c = static_cast<char>(std::stoi(rest.substr(i + 1, 2), nullptr, 16));
      if (c == '\0') return std::string();
      path += c;
      i += 2;
    } else {
      path += rest[i];
    }
  }
  return path;
}
}  // namespace

XdgDirsT ReadXdgDirs(TProcessPlatform& env) {
  XdgDirsT dirs;
  dirs.configHome = BaseDir(env, "XDG_CONFIG_HOME", "/.config");
  dirs.configDirs = BaseDirList(env, "XDG_CONFIG_DIRS", "/etc/xdg");
  dirs.dataHome = BaseDir(env, "XDG_DATA_HOME", "/.local/share");
  dirs.dataDirs = BaseDirList(env, "XDG_DATA_DIRS", "/usr/local/share:/usr/share");
  const std::string desktops = env.Getenv("XDG_CURRENT_DESKTOP");
  std::size_t start = 0;
  while (start < desktops.size()) {
    std::size_t end = desktops.find(':', start);
    if (end == std::string::npos) end = desktops.size();
    const std::string name = LowerAscii(desktops.substr(start, end - start));
    if (!name.empty() && name.find('/') == std::string::npos) dirs.desktops.push_back(name);
    start = end + 1;
  }
  return dirs;
}

std::vector<std::string> MimeAppsFiles(const XdgDirsT& dirs) {
  std::vector<std::string> folders;
  if (!dirs.configHome.empty()) folders.push_back(dirs.configHome);
  folders.insert(folders.end(), dirs.configDirs.begin(), dirs.configDirs.end());
  for (const auto& d : ApplicationDirs(dirs)) folders.push_back(d);
  std::vector<std::string> files;
  for (const auto& folder : folders) {
    for (const auto& desktop : dirs.desktops) files.push_back(folder + "/" + desktop + "-mimeapps.list");
    files.push_back(folder + "/mimeapps.list");
  }
  return files;
}

std::string FindDesktopFile(const XdgDirsT& dirs, const std::string& desktopId) {
  if (!IsSafeDesktopId(desktopId)) return std::string();
  for (const auto& dir : ApplicationDirs(dirs)) {
    const std::string path = FindInApplications(dir, desktopId, 0);
    if (!path.empty()) return path;
  }
  return std::string();
}

bool ReadDesktopEntry(const std::string& path, DesktopEntryT& entry) {
  EntriesT entries;
  if (!ReadKeyFileGroup(path, "Desktop Entry", entries)) return false;
  const std::string* hidden = FindKey(entries, "Hidden");
  const std::string* type = FindKey(entries, "Type");
  const std::string* exec = FindKey(entries, "Exec");
  if ((hidden && *hidden == "true") || (type && *type != "Application") || !exec || exec->empty()) return false;
  entry = DesktopEntryT{};
  entry.path = path;
  entry.exec = *exec;
  if (const std::string* v = FindKey(entries, "Name")) entry.name = UnescapeValue(*v);
  if (const std::string* v = FindKey(entries, "Icon")) entry.icon = UnescapeValue(*v);
  if (const std::string* v = FindKey(entries, "TryExec")) entry.tryExec = UnescapeValue(*v);
  return true;
}

std::vector<std::string> MimeHandlers(const XdgDirsT& dirs, const std::string& mimeType, bool associated) {
  std::vector<std::string> out, removed;
  for (const auto& file : MimeAppsFiles(dirs)) {
    const auto gone = Listed(file, "Removed Associations", mimeType);
    removed.insert(removed.end(), gone.begin(), gone.end());
    AddUnlessRemoved(Listed(file, associated ? "Added Associations" : "Default Applications", mimeType), removed, out);
  }
  for (const auto& dir : ApplicationDirs(dirs)) {
    if (associated)
      AddUnlessRemoved(Listed(dir + "/mimeinfo.cache", "MIME Cache", mimeType), removed, out);
    else
      AddUnlessRemoved(Listed(dir + "/defaults.list", "Default Applications", mimeType), removed, out);
  }
  return out;
}

std::vector<std::string> AddressMimeTypes(const std::string& url) {
  std::vector<std::string> types;
  const std::size_t colon = url.find(':');
  const std::string scheme = colon == std::string::npos ? std::string() : LowerAscii(url.substr(0, colon));
  const bool plain = !scheme.empty() && std::all_of(scheme.begin(), scheme.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
  });
  if (plain) types.push_back("x-scheme-handler/" + scheme);
  if (scheme == "http") types.push_back("x-scheme-handler/https");
  if (scheme == "https") types.push_back("x-scheme-handler/http");
  types.push_back("text/html");
  return types;
}

std::vector<std::string> SplitExec(const std::string& exec) {
  const std::string s = UnescapeValue(exec);
  std::vector<std::string> args;
  std::string current;
  bool inArg = false;
  bool inQuotes = false;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (inQuotes) {
      if (c == '"') {
        inQuotes = false;
      } else if (c == '\\' && i + 1 < s.size() &&
                 (s[i + 1] == '"' || s[i + 1] == '`' || s[i + 1] == '$' || s[i + 1] == '\\')) {
        current += s[++i];
      } else {
        current += c;
      }
    } else if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
      if (inArg) args.push_back(current);
      current.clear();
      inArg = false;
    } else if (c == '"') {
      inQuotes = true;
      inArg = true;
    } else {
      current += c;
      inArg = true;
    }
  }
  if (inArg) args.push_back(current);
  return args;
}

bool ExpandExec(const DesktopEntryT& entry, const std::string& url, std::vector<std::string>& argv) {
  argv.clear();
  const std::string file = LocalPathOf(url);
  bool tookAddress = false;
  for (const auto& arg : SplitExec(entry.exec)) {
    if (arg == "%i") {
      if (!entry.icon.empty()) argv.insert(argv.end(), {"--icon", entry.icon});
      continue;
    }
    std::string out;
    bool hadCode = false;
    for (std::size_t i = 0; i < arg.size(); ++i) {
      if (arg[i] != '%' || i + 1 == arg.size()) {
        out += arg[i];
        continue;
      }
      const char code = arg[++i];
      if (code != '%') hadCode = true;
      switch (code) {
        case '%': out += '%'; break;
        case 'u': case 'U': out += url; tookAddress = true; break;
        case 'f': case 'F':
          // Remote files would have to be fetched first; such an entry is no browser.
          if (file.empty()) return false;
          out += file;
          tookAddress = true;
          break;
        case 'c': out += entry.name; break;
        case 'k': out += entry.path; break;
        default: break;  // deprecated and unknown codes expand to nothing
      }
    }
    if (out.empty() && hadCode) continue;
    argv.push_back(out);
  }
  if (argv.empty()) return false;
  // An entry without a field code still gets the address, as on Windows.
  if (!tookAddress) argv.push_back(url);
  return true;
}
