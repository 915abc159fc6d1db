#pragma once
// A browser platform with a registry in a map; it records the starts.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "components/UrlLauncher.h"

class FakeUrlPlatform : public TUrlPlatform {
 public:
  std::map<std::string, std::string> keys;
  std::vector<std::string> reads;
  std::vector<std::pair<std::string, int>> starts;
  unsigned startResult = kExecOk;

  long ReadDefaultValue(TRegKey root, const std::string& subKey, std::string& value) override {
    reads.push_back(subKey);
    auto it = keys.find(subKey);
    if (root != kHKeyClassesRoot || it == keys.end()) return kErrorFileNotFound;
    value = it->second;
    return 0;
  }
  unsigned StartProgram(const std::string& commandLine, int showCmd) override {
    starts.emplace_back(commandLine, showCmd);
    return startResult;
  }
};
