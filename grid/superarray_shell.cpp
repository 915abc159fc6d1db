// The shell "open" of a file or address, replaceable for tests.
#include <cerrno>
#include <mutex>
#include <string>
#include <utility>

#include "grid/superarray.h"
#include "util/cp1252.h"

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#else
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
extern char** environ;
#endif

namespace {

std::mutex& HookMutex() {
  static std::mutex m;
  return m;
}

ShellOpenHookT& Hook() {
  static ShellOpenHookT hook;
  return hook;
}

#ifdef _WIN32
bool PlatformOpen(const std::string& target) {
  std::wstring wide;
  for (unsigned char c : target) wide.push_back(static_cast<wchar_t>(Cp1252ToUnicode(c)));
  HINSTANCE r = ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(r) > 32;
}
#else
bool PlatformOpen(const std::string& target) {
  std::string arg = AnsiToUtf8(target);
  // xdg-open would read a leading "-" as an option.
  if (!arg.empty() && arg[0] == '-') arg = "./" + arg;
  char prog[] = "xdg-open";
  char* argv[] = {prog, arg.data(), nullptr};
  pid_t pid = 0;
  if (posix_spawnp(&pid, prog, nullptr, nullptr, argv, environ) != 0) return false;
  // Reap the opener in the background so it leaves no zombie and the caller
  // does not wait for a browser that may stay in the foreground.
  std::thread([pid] {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }).detach();
  return true;
}
#endif

}  // namespace

void SetShellOpenHook(ShellOpenHookT hook) {
  std::lock_guard<std::mutex> lock(HookMutex());
  Hook() = std::move(hook);
}

bool ShellOpen(const std::string& target) {
  ShellOpenHookT hook;
  {
    std::lock_guard<std::mutex> lock(HookMutex());
    hook = Hook();
  }
  if (hook) return hook(target);
  return PlatformOpen(target);
}
