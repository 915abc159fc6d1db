#include "components/UrlLauncherXdg.h"

#include "util/cmdline.h"

#include <filesystem>
#include <fstream>
#include <utility>

namespace {
using EntriesT = std::vector<std::pair<std::string, std::string>>;

// Key files larger than this are not association files; don't read them whole.
constexpr std::streamsize kMaxKeyFileSize = 1 << 20;

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
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  text.assign(static_cast<std::size_t>(kMaxKeyFileSize) + 1, '\0');
  in.read(text.data(), kMaxKeyFileSize + 1);
  const std::streamsize got = in.gcount();
  if (got > kMaxKeyFileSize) return false;
  text.resize(static_cast<std::size_t>(got));
  return true;
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

constexpr char kPlaceholder[] = "%1";

// One Exec argument with its field codes replaced; false when the argument
// consisted only of codes that expand to nothing.
bool ExpandFieldCodes(const std::string& arg, std::string& out) {
  out.clear();
  bool hadCode = false;
  for (std::size_t i = 0; i < arg.size(); ++i) {
    if (arg[i] != '%' || i + 1 == arg.size()) {
      out += arg[i];
      continue;
    }
    const char code = arg[++i];
    if (code == '%') {
      out += '%';
    } else if (code == 'u' || code == 'U' || code == 'f' || code == 'F') {
      out += kPlaceholder;
    } else {
      hadCode = true;
    }
  }
  return !(out.empty() && hadCode);
}
}  // namespace

XdgDirsT ReadXdgDirs(TProcessPlatform& env) {
  XdgDirsT dirs;
  dirs.configHome = BaseDir(env, "XDG_CONFIG_HOME", "/.config");
  dirs.configDirs = BaseDirList(env, "XDG_CONFIG_DIRS", "/etc/xdg");
  dirs.dataHome = BaseDir(env, "XDG_DATA_HOME", "/.local/share");
  dirs.dataDirs = BaseDirList(env, "XDG_DATA_DIRS", "/usr/local/share:/usr/share");
  return dirs;
}

std::vector<std::string> MimeAppsFiles(const XdgDirsT& dirs) {
  std::vector<std::string> files;
  if (!dirs.configHome.empty()) files.push_back(dirs.configHome + "/mimeapps.list");
  for (const auto& d : dirs.configDirs) files.push_back(d + "/mimeapps.list");
  if (!dirs.dataHome.empty()) files.push_back(dirs.dataHome + "/applications/mimeapps.list");
  for (const auto& d : dirs.dataDirs) files.push_back(d + "/applications/mimeapps.list");
  return files;
}

std::string FindDesktopFile(const XdgDirsT& dirs, const std::string& desktopId) {
  if (!IsSafeDesktopId(desktopId)) return std::string();
  std::vector<std::string> bases;
  if (!dirs.dataHome.empty()) bases.push_back(dirs.dataHome);
  bases.insert(bases.end(), dirs.dataDirs.begin(), dirs.dataDirs.end());
  for (const auto& base : bases) {
    const std::string path = base + "/applications/" + desktopId;
    std::error_code ec;
    if (std::filesystem::is_regular_file(path, ec)) return path;
  }
  return std::string();
}

bool ReadDesktopExec(const std::string& path, std::string& exec) {
  EntriesT entries;
  if (!ReadKeyFileGroup(path, "Desktop Entry", entries)) return false;
  const std::string* hidden = FindKey(entries, "Hidden");
  if (hidden && *hidden == "true") return false;
  const std::string* value = FindKey(entries, "Exec");
  if (!value || value->empty()) return false;
  exec = *value;
  return true;
}

std::string FindDefaultHandler(const XdgDirsT& dirs, const std::string& mimeType) {
  for (const auto& file : MimeAppsFiles(dirs)) {
    EntriesT entries;
    if (!ReadKeyFileGroup(file, "Default Applications", entries)) continue;
    const std::string* list = FindKey(entries, mimeType);
    if (!list) continue;
    std::size_t start = 0;
    while (start < list->size()) {
      std::size_t end = list->find(';', start);
      if (end == std::string::npos) end = list->size();
      const std::string id = Trim(list->substr(start, end - start));
      start = end + 1;
      std::string exec;
      const std::string path = FindDesktopFile(dirs, id);
      if (!path.empty() && ReadDesktopExec(path, exec)) return id;
    }
  }
  return std::string();
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

std::string ExecToOpenCommand(const std::string& exec) {
  std::vector<std::string> args;
  for (const auto& arg : SplitExec(exec)) {
    std::string expanded;
    if (ExpandFieldCodes(arg, expanded)) args.push_back(expanded);
  }
  // The placeholder alone is written quoted, the way Windows associations
  // carry it; everything else is quoted only as far as needed.
  std::string line;
  for (std::size_t k = 0; k < args.size(); ++k) {
    if (k > 0) line += ' ';
    if (k > 0 && args[k] == kPlaceholder)
      line += "\"%1\"";
    else
      line += k == 0 ? QuoteProgram(args[k]) : QuoteArgument(args[k]);
  }
  return line;
}
