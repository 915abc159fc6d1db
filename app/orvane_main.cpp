// Program entry: text outputs for scripts, otherwise the window.
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "app/cli.h"
#include "app/program_args.h"
#include "util/StdStreams.h"
#ifdef ORVANE_HAS_WINDOW
#include "app/window_entry.h"
#endif

int main(int argc, char** argv) {
  const std::vector<std::string> args = ProgramArgs(argc, argv);
  CliOptionsT options;
  std::string error;
  if (!ParseCommandLine(options, args, error)) {
    std::cerr << "orvane: " << error << " (see 'orvane --help')\n";
    return 2;
  }
  for (const std::string& warning : options.warnings) std::cerr << "orvane: warning: " << warning << '\n';
  // Standard streams whose failures are seen: a lost output is exit 1.
  FdOutBuf outBuf(1);
  FdInBuf inBuf(0);
  std::ostream out(&outBuf);
  std::istream in(&inBuf);
  if (WantsText(options)) return RunTextCommand(options, in, out, std::cerr);
#ifdef ORVANE_HAS_WINDOW
  const bool fileOnly = !options.htmlFile.empty() || !options.screenshotFile.empty();
  if (!fileOnly && !DisplayAvailable(std::getenv("QT_QPA_PLATFORM"), std::getenv("DISPLAY"),
                                     std::getenv("WAYLAND_DISPLAY"))) {
    std::cerr << "orvane: no display found; use --print or set DISPLAY\n";
    return 2;
  }
  return RunWindow(options, argc, argv);
#else
  CliOptionsT print = options;
  print.print = true;
  return RunTextCommand(print, in, out, std::cerr);
#endif
}
