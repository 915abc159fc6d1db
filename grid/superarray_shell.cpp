// The desktop's "open" of a file or address.
#include <string>

#include "grid/superarray.h"
#include "util/cp1252.h"

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#endif

#ifdef _WIN32
bool ShellOpen(const std::string& target, TProcessPlatform& /*process*/) {
  std::wstring wide;
  for (unsigned char c : target) wide.push_back(static_cast<wchar_t>(Cp1252ToUnicode(c)));
  HINSTANCE r = ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(r) > 32;
}
#else
bool ShellOpen(const std::string& target, TProcessPlatform& process) {
  std::string arg = AnsiToUtf8(target);
  // xdg-open would read a leading "-" as an option.
  if (!arg.empty() && arg[0] == '-') arg = "./" + arg;
  return process.Start("xdg-open", {arg}) == StartErrorT::kNone;
}
#endif
