#ifndef _WIN32
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "components/UrlLauncher.h"
#include "components/UrlLauncherDesktop.h"
#include "components/UrlLauncherXdg.h"

namespace {
namespace fs = std::filesystem;

void WriteFile(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

// A private XDG home: config and data folders in a temp dir, restored after.
class UrlLauncherDesktop : public ::testing::Test {
 protected:
  const char* const kVars[4] = {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME",
                                "XDG_DATA_DIRS"};
  fs::path root;
  std::string saved[4];
  bool had[4] = {};

  void SetUp() override {
    std::string tmpl = (fs::temp_directory_path() / "orvane-url-XXXXXX").string();
    ASSERT_NE(mkdtemp(tmpl.data()), nullptr);
    root = tmpl;
    // The last is a list: root/share1 and root/share2.
    const std::string dirs[4] = {"config", "etc-xdg", "data", "share1:" + (root / "share2").string()};
    for (int i = 0; i < 4; ++i) {
      if (const char* v = std::getenv(kVars[i])) saved[i] = v, had[i] = true;
      setenv(kVars[i], (root / dirs[i]).string().c_str(), 1);
    }
  }
  void TearDown() override {
    for (int i = 0; i < 4; ++i)
      had[i] ? setenv(kVars[i], saved[i].c_str(), 1) : unsetenv(kVars[i]);
    std::error_code ec;
    fs::remove_all(root, ec);
  }
  void SetDefault(const std::string& mimeappsDir, const std::string& ids) {
    WriteFile(root / mimeappsDir / "mimeapps.list",
              "[Added Associations]\ntext/html=other.desktop;\n"
              "[Default Applications]\ntext/html=" + ids + "\n");
  }
  void AddApp(const std::string& dataDir, const std::string& id, const std::string& exec) {
    WriteFile(root / dataDir / "applications" / id,
              "[Desktop Entry]\nType=Application\nName=Web\nExec=" + exec + "\n"
              "[Desktop Action new]\nExec=wrong %u\n");
  }
  // A shell script registered as the default browser; it writes its
  // arguments, each followed by "|", to args.txt.
  void InstallStandInBrowser() {
    const std::string out = (root / "args.txt").string();
    const fs::path script = root / "bin dir" / "browser";
    WriteFile(script, "#!/bin/sh\nprintf '%s|' \"$@\" > '" + out + ".tmp'\nmv '" + out + ".tmp' '" + out + "'\n");
    ASSERT_EQ(chmod(script.c_str(), 0755), 0);
    AddApp("share1", "stand-in.desktop", "\"" + script.string() + "\" --new-window %u");
    SetDefault("etc-xdg", "stand-in.desktop");
  }
  std::string WaitForArgs() {
    const fs::path out = root / "args.txt";
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!fs::exists(out) && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (!fs::exists(out)) return "<the stand-in browser did not run>";
    std::stringstream got;
    got << std::ifstream(out).rdbuf();
    return got.str();
  }
  std::string Read(const std::string& key) {
    std::string v;
    TUrlLauncher launcher;
    return launcher.ReadDefaultValue(kHKeyClassesRoot, key, v) == 0 ? v : "<none>";
  }
};

TEST_F(UrlLauncherDesktop, ExecLinesBecomeOpenCommands) {
  EXPECT_EQ(ExecToOpenCommand("firefox %u"), "firefox \"%1\"");
  EXPECT_EQ(ExecToOpenCommand("\"/opt/My Web/web\" --new-window %U --x"),
            "\"/opt/My Web/web\" --new-window \"%1\" --x");
  EXPECT_EQ(ExecToOpenCommand("web %i --name=%c %k --p=100%% --url=%f"), "web --name= --p=100% --url=%1");
  EXPECT_EQ(ExecToOpenCommand("sh -c \"echo \\\\\"a b\\\\\" \\\\$x\" %F"),
            "sh -c \"echo \\\"a b\\\" $x\" \"%1\"");
  EXPECT_EQ(SplitExec("\"a\\sb\" \"c\\\\\\\\d\" e\\sf"), (std::vector<std::string>{"a b", "c\\d", "e", "f"}));
}

TEST_F(UrlLauncherDesktop, AssociationFollowsMimeappsOrder) {
  EXPECT_EQ(Read(".htm"), "<none>");
  AddApp("share2", "low.desktop", "low %u");
  AddApp("data", "high.desktop", "high %u");
  SetDefault("share2/applications", "low.desktop;");
  EXPECT_EQ(Read(".htm"), "low.desktop");
  // A user entry wins; ids that are not installed or would leave the
  // applications folder are passed over.
  SetDefault("config", "missing.desktop;../../x.desktop;high.desktop;");
  EXPECT_EQ(Read(".HTM"), "high.desktop");
  EXPECT_EQ(Read("high.desktop\\shell\\open\\command"), "high \"%1\"");
  EXPECT_EQ(Read("missing.desktop\\shell\\open\\command"), "<none>");
  EXPECT_EQ(Read("..\\shell\\open\\command"), "<none>");
  EXPECT_EQ(Read("high.desktop"), "<none>");
  std::string v = "kept";
  EXPECT_EQ(TUrlLauncher().ReadDefaultValue(kHKeyClassesRoot + 1, ".htm", v), kErrorFileNotFound);
  EXPECT_EQ(v, "kept");
}

TEST_F(UrlLauncherDesktop, MissingAssociationDoesNothing) {
  TUrlLauncher launcher;
  launcher.Url = "http://example.invalid/";
  EXPECT_NO_THROW(launcher.OpenUrl());
}

TEST_F(UrlLauncherDesktop, UnrunnableBrowserRaisesTheMessage) {
  AddApp("data", "gone.desktop", (root / "no-such-browser").string() + " %u");
  SetDefault("config", "gone.desktop");
  TUrlLauncher launcher;
  launcher.Url = "http://example.invalid/";
  try {
    launcher.OpenUrl();
    FAIL() << "no exception";
  } catch (const EUrlLaunchError& e) {
    EXPECT_STREQ(e.what(), "Couldn't launch default browser");
  }
  // Present but not a program.
  WriteFile(root / "not-a-program", "plain text\n");
  EXPECT_LT(StartDetached({(root / "not-a-program").string()}), 32u);
  EXPECT_LT(StartDetached({"orvane-no-such-program-anywhere"}), 32u);
  EXPECT_LT(StartDetached({}), 32u);
}

TEST_F(UrlLauncherDesktop, StartsTheDefaultBrowserWithTheAddress) {
  InstallStandInBrowser();
  TUrlLauncher launcher;
  // Shell syntax in the address must reach the browser untouched.
  launcher.Url = "http://h/members/orvane/index.htm?1.11&a=$(touch${IFS}x);`id`|b";
  launcher.OpenUrl();

  // No child is left behind for this process to reap.
  EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
  EXPECT_EQ(WaitForArgs(), "--new-window|http://h/members/orvane/index.htm?1.11&a=$(touch${IFS}x);`id`|b|");
}

TEST_F(UrlLauncherDesktop, AddressWithBlanksIsSplitAsOnWindows) {
  InstallStandInBrowser();
  TUrlLauncher launcher;
  // Unquoted as on Windows: blanks split it, \" is a literal quote.
  launcher.Url = "http://h/a b\\\"c d";
  launcher.OpenUrl();
  EXPECT_EQ(WaitForArgs(), "--new-window|http://h/a|b\"c|d|");
}

}  // namespace
#endif
