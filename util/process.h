#pragma once
// Starting another program, detached from this one: no shell, no inherited
// files, no input, its own session. Names and arguments are UTF-8.
#include <cstdint>
#include <string>
#include <vector>

enum class StartErrorT {
  kNone,          // started
  kNotFound,      // no such program
  kPathNotFound,  // a folder on the way is missing
  kDenied,        // not allowed to run it
  kBadFormat,     // not a program this system runs
  kResources,     // the system could not start a process
};

// The file a program name runs: names with a path separator as they stand,
// others searched in searchPath (a PATH-style list; empty entries, the
// current folder, are skipped). Empty when nothing runnable is found.
std::string FindProgramIn(const std::string& name, const std::string& searchPath);
// The same search in this process's PATH.
std::string FindProgram(const std::string& name);

// Starts program (searched like FindProgram) with args after the program
// name. A program that cannot be run is an error, never a silent success;
// this process keeps no child behind.
StartErrorT StartDetached(const std::string& program, const std::vector<std::string>& args);

// The process's surroundings as a component sees them: the real system here,
// a fake in tests.
class TProcessPlatform {
 public:
  virtual ~TProcessPlatform() = default;
  // The environment variable's value, empty when it is not set.
  virtual std::string Getenv(const std::string& name);
  virtual StartErrorT Start(const std::string& program, const std::vector<std::string>& args);
  // The user's interface language as a Windows language id, 0 where the
  // system has none (everywhere but Windows).
  virtual uint16_t UiLanguage();
  // The user's home folder from the user database, empty where there is none.
  virtual std::string UserHome();
};
// The real one; only the program's entries ask for it and hand it down.
TProcessPlatform& SystemProcessPlatform();

// The user's configuration folder by the XDG rules: XDG_CONFIG_HOME when it is
// an absolute path (a relative one is ignored), else HOME/.config, with the
// user database's home when HOME is unset or relative. Empty when no home is
// known.
std::string ConfigHome(TProcessPlatform& platform);
