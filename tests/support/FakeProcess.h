#pragma once
// A process platform that starts nothing and reads its environment from a map.
#include <map>
#include <string>
#include <vector>

#include "util/process.h"

class FakeProcessPlatform : public TProcessPlatform {
 public:
  struct StartT {
    std::string program;
    std::vector<std::string> args;
  };
  std::map<std::string, std::string> env;
  std::vector<StartT> starts;
  StartErrorT result = StartErrorT::kNone;
  uint16_t uiLanguage = 0;
  std::string userHome;

  std::string Getenv(const std::string& name) override {
    const auto it = env.find(name);
    return it == env.end() ? std::string() : it->second;
  }
  StartErrorT Start(const std::string& program, const std::vector<std::string>& args) override {
    starts.push_back({program, args});
    return result;
  }
  uint16_t UiLanguage() override { return uiLanguage; }
  std::string UserHome() override { return userHome; }
};
