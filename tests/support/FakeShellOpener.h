#pragma once
// An opener that opens nothing and records the targets.
#include <string>
#include <vector>

#include "grid/superarray.h"

class FakeShellOpener : public TShellOpener {
 public:
  std::vector<std::string> opened;
  bool OpenFile(const std::string& target) override {
    opened.push_back(target);
    return true;
  }
};
