#pragma once
// An opener that opens nothing and records the targets.
#include <filesystem>
#include <string>
#include <vector>

#include "grid/superarray.h"

class FakeShellOpener : public TShellOpener {
 public:
  std::vector<std::string> opened;
  bool result = true;
  bool OpenFile(const std::filesystem::path& target) override {
    opened.push_back(target.string());
    return result;
  }
};
