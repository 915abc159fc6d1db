#include "util/process.h"

#include <cstdlib>

std::string TProcessPlatform::Getenv(const std::string& name) {
  const char* v = std::getenv(name.c_str());
  return v ? std::string(v) : std::string();
}

StartErrorT TProcessPlatform::Start(const std::string& program, const std::vector<std::string>& args) {
  return StartDetached(program, args);
}

TProcessPlatform& SystemProcessPlatform() {
  static TProcessPlatform platform;
  return platform;
}
