// Entry point of the window module. The program loads it only for the window
// and --screenshot, so that the text outputs start without Qt.
#include <exception>
#include <iostream>
#include <string>

#include "cli/program_args.h"
#include "window/form/window_entry.h"

#ifdef _WIN32
#define ORVANE_MODULE_EXPORT extern "C" __declspec(dllexport)
#else
#define ORVANE_MODULE_EXPORT extern "C" __attribute__((visibility("default")))
#endif

// Only C types cross into the module: it reads the command line itself; the
// program has already checked it.
ORVANE_MODULE_EXPORT int OrvaneWindowMain(int argc, char** argv) {
  CliOptionsT options;
  std::string error;
  if (!ReadProgramOptions(options, ProgramArgs(argc, argv), error, SystemProcessPlatform())) return 2;
  // Nothing may cross into the program, which has its own C++ runtime.
  try {
    return RunWindow(options, argc, argv);
  } catch (const std::exception& e) {
    std::cerr << "orvane: " << e.what() << '\n';
    return 1;
  }
}
