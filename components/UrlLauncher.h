#pragma once
// Opens a web address in the user's default browser, found through the file
// association of ".htm".
#include <cstdint>
#include <stdexcept>
#include <string>

// A registry root key, valued as Windows defines its predefined keys.
using TRegKey = std::uint32_t;
inline constexpr TRegKey kHKeyClassesRoot = 0x80000000u;

// Registry error codes the desktop backend answers with, as Windows does.
inline constexpr long kErrorFileNotFound = 2;

// Returned by WinExec (and the desktop start) on success; below 32 is failure.
inline constexpr unsigned kExecOk = 33;

enum class TUrlShowCmd {
  ssHide,
  ssMaximize,
  ssMinimize,
  ssRestore,
  ssShow,
  ssShowDefault,
  ssShowMaximized,
  ssShowMinimized,
  ssShowMinNoActivate,
  ssShowNA,
  ssShowNoActivate,
  ssShowNormal,
};

// The Windows show command (SW_*) a show setting stands for; anything beyond
// ssShowNormal is SW_SHOWNORMAL.
int ShowCommandValue(TUrlShowCmd cmd);

// The browser command line for an association's open command: cut at the
// first "%1" placeholder (quoted or bare), then a blank and the address.
std::string BuildCommandLine(const std::string& openCommand, const std::string& url);

// Raised when the browser cannot be started.
class EUrlLaunchError : public std::runtime_error {
 public:
  EUrlLaunchError() : std::runtime_error("Couldn't launch default browser") {}
};

enum class UrlLaunchT { kStarted, kNoBrowser, kFailed };

// The platform operations the launcher needs: the registry read, the program
// start and the browser start built on them. The real one is
// SystemUrlPlatform(), which only the window's entry asks for; tests inject fakes.
class TUrlPlatform {
 public:
  virtual ~TUrlPlatform() = default;
  // 0 and the key's default value, or the error code of opening the key
  // (value then untouched).
  virtual long ReadDefaultValue(TRegKey root, const std::string& subKey, std::string& value) = 0;
  // Starts a command line as WinExec does: a result below 32 is failure.
  virtual unsigned StartProgram(const std::string& commandLine, int showCmd) = 0;
  // Starts the browser registered for url. By default the open command of
  // the ".htm" association with the address appended.
  virtual UrlLaunchT LaunchBrowser(const std::string& url, int showCmd);
};

// The desktop's own way of opening an address, asked when no browser is
// registered or the registered one does not start.
class TUrlOpener {
 public:
  virtual ~TUrlOpener() = default;
  virtual bool OpenAddress(const std::string& url) = 0;
};

// Registry and WinExec on Windows; XDG associations and a detached process
// start on the desktop.
TUrlPlatform& SystemUrlPlatform();

class TUrlLauncher {
 public:
  explicit TUrlLauncher(TUrlPlatform& platform, TUrlOpener* opener = nullptr)
      : platform_(&platform), opener_(opener) {}

  std::string Url;
  TUrlShowCmd UrlShowCommand = TUrlShowCmd::ssShowDefault;

  // Without an opener a missing association does nothing and a failed start
  // throws EUrlLaunchError. With one, both hand the address to the opener,
  // and only its failure throws.
  void OpenUrl();

  long ReadDefaultValue(TRegKey root, const std::string& subKey, std::string& value);

 private:
  TUrlPlatform* platform_;
  TUrlOpener* opener_ = nullptr;
};
