#pragma once
// Windows command lines: how CommandLineToArgvW cuts one into arguments, and
// the quoting that survives that cut unchanged.
#include <string>
#include <vector>

// The program name is taken plainly (up to the next quote when it starts
// with one, else up to a blank); the arguments after it follow the quote and
// backslash rules. A line that starts with a blank has an empty program name.
std::vector<std::string> SplitCommandLine(const std::string& line);

// One argument written so that SplitCommandLine gives it back.
std::string QuoteArgument(const std::string& arg);
// The program name written so that SplitCommandLine gives it back; a name
// holding a double quote cannot be written and comes back empty.
std::string QuoteProgram(const std::string& program);
// Program and arguments as one command line.
std::string JoinCommandLine(const std::vector<std::string>& args);
