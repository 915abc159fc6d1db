// Program entry: text outputs and the calendar page from the standard-library
// core; the window and --screenshot from the window module, loaded only then.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include "cli/calendar_html.h"
#include "cli/cli.h"
#include "cli/module_check.h"
#include "cli/program_args.h"
#include "util/ErrorText.h"
#include "util/StdStreams.h"

namespace {

namespace fs = std::filesystem;
using WindowMainT = int (*)(int, char**);
constexpr const char* kWindowEntry = "OrvaneWindowMain";

// The program's own folder, found without any rpath or search path.
fs::path ProgramFolder() {
#ifdef _WIN32
  std::wstring name(32768, L'\0');
  const DWORD n = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
  if (n == 0 || n >= name.size()) return {};
  name.resize(n);
  return fs::path(name).parent_path();
#else
  std::error_code ec;
  const fs::path self = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::path() : self.parent_path();
#endif
}

#ifndef _WIN32
// A loader's message on one line.
std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return text;
}
#endif

// Loads the module and runs the window; a missing or broken module is exit 2.
int RunWindowModule(int argc, char** argv) {
  // Beside the real program file (a build tree) or in the installation's
  // library folder: no other place, since a module runs as the user. Windows
  // installs it beside the program; a rooted path there would name a folder on
  // whatever drive is current, which any user may create.
  const fs::path folder = ProgramFolder();
#ifdef _WIN32
  const fs::path candidates[] = {folder / ORVANE_MODULE_FILE};
#else
  const fs::path candidates[] = {folder / ORVANE_MODULE_FILE, fs::path(ORVANE_MODULE_INSTALL_DIR) / ORVANE_MODULE_FILE};
#endif
  const fs::path* found = nullptr;
  for (const fs::path& candidate : candidates) {
    std::error_code ec;
    if (!candidate.parent_path().empty() && fs::exists(fs::symlink_status(candidate, ec))) {
      found = &candidate;
      break;
    }
  }
  if (!found) {
    std::cerr << "orvane: the window module " ORVANE_MODULE_FILE " is missing (looked in ";
    for (const fs::path& candidate : candidates) {
      std::cerr << (&candidate == candidates ? "" : " and ") << ShownPath(candidate.parent_path());
    }
    std::cerr << ")\n";
    return 2;
  }
  uint32_t owner = 0;
  const std::string problem =
      ProgramOwner(owner) ? ModuleProblem(*found, owner) : "the program's own file cannot be read";
  if (!problem.empty()) {
    std::cerr << "orvane: refusing the window module " << ShownPath(*found) << ": " << problem << '\n';
    return 2;
  }
#ifdef _WIN32
  // Altered search path: the module's own DLLs are found beside it.
  HMODULE module = LoadLibraryExW(found->c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (!module) {
    std::cerr << "orvane: cannot load the window module " << found->string() << " (error " << GetLastError()
              << ")\n";
    return 2;
  }
  const auto entry = reinterpret_cast<WindowMainT>(reinterpret_cast<void*>(GetProcAddress(module, kWindowEntry)));
#else
  void* module = dlopen(found->c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!module) {
    const char* why = dlerror();
    std::cerr << "orvane: cannot load the window module: " << OneLine(why ? why : found->string()) << '\n';
    return 2;
  }
  const auto entry = reinterpret_cast<WindowMainT>(dlsym(module, kWindowEntry));
#endif
  if (!entry) {
    std::cerr << "orvane: the window module " << found->string() << " has no entry point\n";
    return 2;
  }
  // Never unloaded: Qt does not expect it.
  return entry(argc, argv);
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args = ProgramArgs(argc, argv);
  CliOptionsT options;
  std::string error;
  if (!ReadProgramOptions(options, args, error, SystemProcessPlatform())) {
    std::cerr << "orvane: " << error << " (see 'orvane --help')\n";
    return 2;
  }
  // The text outputs' one reading of the system's date.
  options.context = CurrentContext(options, TodayDate());
  if (!options.quiet) {
    for (const std::string& warning : options.warnings) std::cerr << "orvane: warning: " << warning << '\n';
    for (const std::string& note : DateNotes(options)) std::cerr << "orvane: " << note << '\n';
  }
  // Standard streams whose failures are seen: a lost output is exit 1.
  FdOutBuf outBuf(1);
  FdInBuf inBuf(0);
  std::ostream out(&outBuf);
  std::istream in(&inBuf);
  if (WantsText(options)) return RunTextCommand(options, in, out, std::cerr);
  // The page and the window take the working-day choice as the text outputs
  // do: a holiday file that cannot be read is a usage error before anything starts.
  WorkCalendarT calendar;
  if (options.workdays.on && !LoadWorkCalendar(calendar, options.workdays, error)) {
    std::cerr << "orvane: " << error << '\n';
    return 2;
  }
  if (!options.htmlFile.empty()) {
    try {
      WriteCalendarPage(options, options.workdays.on ? &calendar : nullptr);
    } catch (const HtmlFileError& e) {
      std::cerr << "orvane: cannot write " << ShownPath(options.htmlFile) << ": " << e.reason() << '\n';
      return 1;
    }
    if (options.screenshotFile.empty()) return 0;
  }
  if (options.screenshotFile.empty() && !DisplayAvailable(std::getenv("QT_QPA_PLATFORM"), std::getenv("DISPLAY"),
                                                          std::getenv("WAYLAND_DISPLAY"))) {
    std::cerr << "orvane: no display found; use --print or set DISPLAY\n";
    return 2;
  }
  return RunWindowModule(argc, argv);
}
