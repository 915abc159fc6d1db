#include "cli/program_args.h"

#include <string_view>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <shellapi.h>
#endif

std::vector<std::string> ProgramArgs(int argc, char** argv) {
#ifdef _WIN32
  // argv is in the ANSI code page and loses names outside it; the wide
  // command line keeps them.
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide != nullptr) {
    std::vector<std::string> args;
    for (int i = 1; i < count; ++i) {
      const std::u8string u8 = std::filesystem::path(wide[i]).u8string();
      args.emplace_back(u8.begin(), u8.end());
    }
    LocalFree(wide);
    return args;
  }
#endif
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

std::filesystem::path ArgPath(const std::string& arg) {
#ifdef _WIN32
  return std::filesystem::path(std::u8string(arg.begin(), arg.end()));
#else
  return std::filesystem::path(arg);
#endif
}

bool DisplayAvailable(const char* qpaPlatform, const char* display, const char* waylandDisplay) {
#if defined(_WIN32) || defined(__APPLE__)
  (void)qpaPlatform, (void)display, (void)waylandDisplay;
  return true;
#else
  const auto set = [](const char* v) { return v != nullptr && v[0] != '\0'; };
  const std::string_view qpa = set(qpaPlatform) ? qpaPlatform : "";
  // Plugins other than X11 and Wayland (offscreen, vnc, eglfs...) need no display variable.
  if (!qpa.empty() && qpa.substr(0, 3) != "xcb" && qpa.substr(0, 7) != "wayland") return true;
  if (qpa.substr(0, 3) == "xcb") return set(display);
  if (qpa.substr(0, 7) == "wayland") return set(waylandDisplay);
  return set(display) || set(waylandDisplay);
#endif
}
