// The desktop's "open" of a file or address.
#include <filesystem>
#include <string>

#include "grid/superarray.h"
#include "util/cp1252.h"

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#endif

#ifdef _WIN32
bool ShellOpen(const std::filesystem::path& target, TProcessPlatform& /*process*/) {
  HINSTANCE r = ShellExecuteW(nullptr, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(r) > 32;
}
#else
bool ShellOpen(const std::filesystem::path& target, TProcessPlatform& process) {
  std::string arg = target.native();
  // xdg-open would read a leading "-" as an option.
  if (!arg.empty() && arg[0] == '-') arg = "./" + arg;
  return process.Start("xdg-open", {arg}) == StartErrorT::kNone;
}
#endif
