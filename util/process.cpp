#include "util/process.h"

#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
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

TProcessPlatform& SystemProcessPlatform() {
  static TProcessPlatform platform;
  return platform;
}
