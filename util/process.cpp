#include "util/process.h"

#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#else
#include <pwd.h>
#include <unistd.h>

#include <vector>
#endif

std::string TProcessPlatform::Getenv(const std::string& name) {
  const char* v = std::getenv(name.c_str());
  return v ? std::string(v) : std::string();
}

StartErrorT TProcessPlatform::Start(const std::string& program, const std::vector<std::string>& args) {
  return StartDetached(program, args);
}

uint16_t TProcessPlatform::UiLanguage() {
#ifdef _WIN32
  return GetUserDefaultUILanguage();
#else
  return 0;
#endif
}

std::string TProcessPlatform::UserHome() {
#ifdef _WIN32
  return {};
#else
  std::vector<char> buffer(16384);
  passwd entry {};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr ||
      found->pw_dir == nullptr)
    return {};
  return found->pw_dir;
#endif
}

std::string ConfigHome(TProcessPlatform& platform) {
  const std::string config = platform.Getenv("XDG_CONFIG_HOME");
  if (!config.empty() && config[0] == '/') return config;
  std::string home = platform.Getenv("HOME");
  if (home.empty() || home[0] != '/') home = platform.UserHome();
  if (home.empty() || home[0] != '/') return {};
  while (home.size() > 1 && home.back() == '/') home.pop_back();
  return (home == "/" ? "" : home) + "/.config";
}

TProcessPlatform& SystemProcessPlatform() {
  static TProcessPlatform platform;
  return platform;
}
