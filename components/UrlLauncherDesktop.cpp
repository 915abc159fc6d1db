#ifndef _WIN32
#include "components/UrlLauncherDesktop.h"

#include <vector>

#include "components/UrlLauncherXdg.h"
#include "util/cmdline.h"
#include "util/cp1252.h"

namespace {
constexpr unsigned kErrOutOfResources = 0;
constexpr unsigned kErrFileNotFound = 2;
constexpr unsigned kErrPathNotFound = 3;
constexpr unsigned kErrAccessDenied = 5;
constexpr unsigned kErrBadFormat = 11;

unsigned ExecErrorOf(StartErrorT err) {
  switch (err) {
    case StartErrorT::kNone: return kExecOk;
    case StartErrorT::kNotFound: return kErrFileNotFound;
    case StartErrorT::kPathNotFound: return kErrPathNotFound;
    case StartErrorT::kDenied: return kErrAccessDenied;
    case StartErrorT::kBadFormat: return kErrBadFormat;
    case StartErrorT::kResources: break;
  }
  return kErrOutOfResources;
}

std::string LowerAscii(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

}  // namespace

long TDesktopUrlPlatform::ReadDefaultValue(TRegKey root, const std::string& subKey,
                                           std::string& value) {
  static const std::string kOpenCommand = "\\shell\\open\\command";
  if (root != kHKeyClassesRoot) return kErrorFileNotFound;
  const XdgDirsT dirs = ReadXdgDirs(process_);
  const std::string key = LowerAscii(subKey);
  if (key == ".htm") {
    const std::string handler = FindDefaultHandler(dirs, "text/html");
    if (handler.empty()) return kErrorFileNotFound;
    value = Utf8ToAnsi(handler);
    return 0;
  }
  if (key.size() > kOpenCommand.size() &&
      key.compare(key.size() - kOpenCommand.size(), kOpenCommand.size(), kOpenCommand) == 0) {
    const std::string handler = AnsiToUtf8(subKey.substr(0, subKey.size() - kOpenCommand.size()));
    const std::string path = FindDesktopFile(dirs, handler);
    std::string exec;
    if (path.empty() || !ReadDesktopExec(path, exec)) return kErrorFileNotFound;
    value = Utf8ToAnsi(ExecToOpenCommand(exec));
    return 0;
  }
  return kErrorFileNotFound;
}

// The show command has no meaning for a desktop process start.
unsigned TDesktopUrlPlatform::StartProgram(const std::string& commandLine, int /*showCmd*/) {
  std::vector<std::string> args;
  for (const auto& arg : SplitCommandLine(commandLine)) args.push_back(AnsiToUtf8(arg));
  if (args.empty()) return kErrFileNotFound;
  const std::string program = args[0];
  args.erase(args.begin());
  return ExecErrorOf(process_.Start(program, args));
}

TUrlPlatform& SystemUrlPlatform() {
  static TDesktopUrlPlatform platform;
  return platform;
}
#endif
