#pragma once
// What the system hands the program at start: its arguments and whether a
// display is there. Standard library and the system's own calls only.
#include <filesystem>
#include <string>
#include <vector>

// The arguments without the program name, as UTF-8 on Windows (from the
// wide command line) and as the bytes given on POSIX.
std::vector<std::string> ProgramArgs(int argc, char** argv);

// A file name argument: its bytes unchanged on POSIX, whatever their
// encoding; on Windows the wide name the UTF-8 argument came from.
std::filesystem::path ArgPath(const std::string& arg);

// Whether the window can be shown with this environment (each value may be
// null): a platform plugin of its own, or X11 or Wayland with its display.
bool DisplayAvailable(const char* qpaPlatform, const char* display, const char* waylandDisplay);
