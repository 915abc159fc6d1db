#include "util/cmdline.h"

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
}  // namespace

std::vector<std::string> SplitCommandLine(const std::string& line) {
  std::vector<std::string> args;
  std::size_t i = 0;
  const std::size_t n = line.size();

  std::string program;
  if (i < n && line[i] == '"') {
    ++i;
    while (i < n && line[i] != '"') program += line[i++];
    if (i < n) ++i;  // closing quote
  } else {
    while (i < n && !IsBlank(line[i])) program += line[i++];
  }
  args.push_back(program);

  while (i < n && IsBlank(line[i])) ++i;
  if (i >= n) return args;

  std::string current;
  bool inQuotes = false;
  std::size_t backslashes = 0;
  while (i < n) {
    const char c = line[i];
    if (IsBlank(c) && !inQuotes) {
      current.append(backslashes, '\\');
      backslashes = 0;
      args.push_back(current);
      current.clear();
      while (i < n && IsBlank(line[i])) ++i;
      if (i >= n) return args;
      continue;
    }
    if (c == '\\') {
      ++backslashes;
      ++i;
      continue;
    }
    if (c == '"') {
      current.append(backslashes / 2, '\\');
      // A run of quotes counts from the quoted state: every third one is a
      // literal quote, so "" inside quotes gives a quote and closes them.
      int count = inQuotes ? 1 : 0;
      if (backslashes % 2 == 1) {
        current += '"';
      } else {
        ++count;
      }
      backslashes = 0;
      ++i;
      while (i < n && line[i] == '"') {
        if (++count == 3) {
          current += '"';
          count = 0;
        }
        ++i;
      }
      inQuotes = (count == 1);
      continue;
    }
    current.append(backslashes, '\\');
    backslashes = 0;
    current += c;
    ++i;
  }
  current.append(backslashes, '\\');
  args.push_back(current);
  return args;
}

std::string QuoteArgument(const std::string& arg) {
  if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos) return arg;
  std::string out = "\"";
  std::size_t backslashes = 0;
  for (char c : arg) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    if (c == '"') {
      out.append(backslashes * 2 + 1, '\\');
    } else {
      out.append(backslashes, '\\');
    }
    backslashes = 0;
    out += c;
  }
  // Backslashes before the closing quote must not escape it.
  out.append(backslashes * 2, '\\');
  out += '"';
  return out;
}

std::string QuoteProgram(const std::string& program) {
  if (program.find('"') != std::string::npos) return "\"\"";
  if (!program.empty() && program.find_first_of(" \t") == std::string::npos) return program;
  return "\"" + program + "\"";
}

std::string JoinCommandLine(const std::vector<std::string>& args) {
  std::string line;
  for (std::size_t k = 0; k < args.size(); ++k) {
    if (k > 0) line += ' ';
    line += k == 0 ? QuoteProgram(args[k]) : QuoteArgument(args[k]);
  }
  return line;
}
