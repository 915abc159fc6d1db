#pragma once
// Command-line options for window tests, with "today" fixed as --today does.
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "tests/support/today.h"

// Parses args (a bad one throws); when they fix no today, today is the tests' day.
inline CliOptionsT TestOptions(const std::vector<std::string>& args = {}) {
  CliOptionsT options;
  std::string error;
  if (!ParseCommandLine(options, args, error)) throw std::invalid_argument(error);
  if (!options.todayFixed) {
    options.context.today = kTestToday;
    options.todayFixed = true;
  }
  return options;
}
