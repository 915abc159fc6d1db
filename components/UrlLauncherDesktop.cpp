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

}  // namespace

// The desktop keeps no registry; its associations are reached by address
// through LaunchBrowser.
long TDesktopUrlPlatform::ReadDefaultValue(TRegKey, const std::string&, std::string&) {
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

// Explicit defaults of all three types come before mere associations, so
// that a browser the user chose for text/html beats one that only lists
// itself for the scheme.
UrlLaunchT TDesktopUrlPlatform::LaunchBrowser(const std::string& url, int /*showCmd*/) {
  const XdgDirsT dirs = ReadXdgDirs(process_);
  const std::string address = AnsiToUtf8(url);
  const std::string path = process_.Getenv("PATH");
  for (bool associated : {false, true}) {
    for (const auto& type : AddressMimeTypes(address)) {
      for (const auto& id : MimeHandlers(dirs, type, associated)) {
        DesktopEntryT entry;
        std::vector<std::string> argv;
        const std::string file = FindDesktopFile(dirs, id);
        if (file.empty() || !ReadDesktopEntry(file, entry)) continue;
        if (!entry.tryExec.empty() && FindProgramIn(entry.tryExec, path).empty()) continue;
        if (!ExpandExec(entry, address, argv)) continue;
        const std::string program = argv[0];
        argv.erase(argv.begin());
        return process_.Start(program, argv) == StartErrorT::kNone ? UrlLaunchT::kStarted : UrlLaunchT::kFailed;
      }
    }
  }
  return UrlLaunchT::kNoBrowser;
}

TUrlPlatform& SystemUrlPlatform() {
  static TDesktopUrlPlatform platform{SystemProcessPlatform()};
  return platform;
}
#endif
