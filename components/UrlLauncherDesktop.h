#pragma once
// The URL launcher's platform on the desktop (not on Windows, where the
// registry and WinExec do the job): handlers from the XDG MIME-apps files,
// programs started detached without a shell.
#include <string>

#include "components/UrlLauncher.h"
#include "util/process.h"

#ifndef _WIN32
class TDesktopUrlPlatform : public TUrlPlatform {
 public:
  explicit TDesktopUrlPlatform(TProcessPlatform& process) : process_(process) {}
  long ReadDefaultValue(TRegKey root, const std::string& subKey, std::string& value) override;
  // Returns kExecOk, or a WinExec-style error below 32 when the program could
  // not be run.
  unsigned StartProgram(const std::string& commandLine, int showCmd) override;
  // The first runnable handler of the address's scheme, the other web
  // scheme or text/html, started with the address in its Exec line.
  UrlLaunchT LaunchBrowser(const std::string& url, int showCmd) override;

 private:
  TProcessPlatform& process_;
};
#endif
