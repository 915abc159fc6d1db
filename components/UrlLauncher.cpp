#include "components/UrlLauncher.h"

namespace {
constexpr int kSwShowNormal = 1;
// SW_* values in TUrlShowCmd order.
constexpr int kShowCommands[] = {0, 3, 6, 9, 5, 10, 3, 2, 7, 8, 4, kSwShowNormal};
constexpr int kShowCommandCount = sizeof kShowCommands / sizeof kShowCommands[0];
}  // namespace

int ShowCommandValue(TUrlShowCmd cmd) {
  const int i = static_cast<int>(cmd);
  if (i < 0 || i >= kShowCommandCount) return kSwShowNormal;
  return kShowCommands[i];
}

std::string BuildCommandLine(const std::string& openCommand, const std::string& url) {
  std::size_t cut = openCommand.find("\"%1\"");
  if (cut == std::string::npos) cut = openCommand.find("%1");
  std::string line = openCommand.substr(0, cut);
  line += ' ';
  line += url;
  return line;
}

long TUrlLauncher::ReadDefaultValue(TRegKey root, const std::string& subKey, std::string& value) {
  return platform_->ReadDefaultValue(root, subKey, value);
}

UrlLaunchT TUrlPlatform::LaunchBrowser(const std::string& url, int showCmd) {
  std::string fileType;
  if (ReadDefaultValue(kHKeyClassesRoot, ".htm", fileType) != 0) return UrlLaunchT::kNoBrowser;
  std::string command;
  if (ReadDefaultValue(kHKeyClassesRoot, fileType + "\\shell\\open\\command", command) != 0)
    return UrlLaunchT::kNoBrowser;
  return StartProgram(BuildCommandLine(command, url), showCmd) < 32 ? UrlLaunchT::kFailed : UrlLaunchT::kStarted;
}

void TUrlLauncher::OpenUrl() {
  const UrlLaunchT launched = platform_->LaunchBrowser(Url, ShowCommandValue(UrlShowCommand));
  if (launched == UrlLaunchT::kStarted) return;
  if (opener_) {
    if (!opener_->OpenAddress(Url)) throw EUrlLaunchError();
    return;
  }
  if (launched == UrlLaunchT::kFailed) throw EUrlLaunchError();
}
