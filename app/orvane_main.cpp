// Program entry: text outputs for scripts, otherwise the window.
#include <iostream>
#include <string>
#include <vector>

#include "app/cli.h"
#ifdef ORVANE_HAS_WINDOW
#include "app/window_entry.h"
#endif

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  CliOptionsT options;
  std::string error;
  if (!ParseCommandLine(options, args, error)) {
    std::cerr << "orvane: " << error << "\nTry 'orvane --help' for the options.\n";
    return 2;
  }
  for (const std::string& warning : options.warnings) std::cerr << "orvane: warning: " << warning << '\n';
  std::ios::sync_with_stdio(false);
  if (WantsText(options)) return RunTextCommand(options, std::cin, std::cout, std::cerr);
#ifdef ORVANE_HAS_WINDOW
  return RunWindow(options, argc, argv);
#else
  CliOptionsT print = options;
  print.print = true;
  return RunTextCommand(print, std::cin, std::cout, std::cerr);
#endif
}
