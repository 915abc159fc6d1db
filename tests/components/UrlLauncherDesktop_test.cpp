#ifndef _WIN32
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "components/UrlLauncher.h"
#include "components/UrlLauncherDesktop.h"
#include "components/UrlLauncherXdg.h"
#include "tests/support/FakeProcess.h"

namespace {
namespace fs = std::filesystem;

void WriteFile(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

// A private XDG home: config and data folders in a temp dir, seen through a
// fake environment; program starts are recorded, not made.
class UrlLauncherDesktop : public ::testing::Test {
 protected:
  fs::path root;
  FakeProcessPlatform process;
  TDesktopUrlPlatform platform{process};

  void SetUp() override {
    std::string tmpl = (fs::temp_directory_path() / "orvane-url-XXXXXX").string();
    ASSERT_NE(mkdtemp(tmpl.data()), nullptr);
    root = tmpl;
    process.env["HOME"] = (root / "home").string();
    process.env["XDG_CONFIG_HOME"] = (root / "config").string();
    process.env["XDG_CONFIG_DIRS"] = (root / "etc-xdg").string();
    process.env["XDG_DATA_HOME"] = (root / "data").string();
    // A list: root/share1 and root/share2, with a relative entry ignored.
    process.env["XDG_DATA_DIRS"] = (root / "share1").string() + ":share0:" + (root / "share2").string();
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(root, ec);
  }
  TUrlLauncher Launcher(const std::string& url) {
    TUrlLauncher launcher(platform);
    launcher.Url = url;
    return launcher;
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
  // The browser registered as the default, with the arguments before the address.
  std::string InstallStandInBrowser() {
    const std::string browser = (root / "bin dir" / "browser").string();
    AddApp("share1", "stand-in.desktop", "\"" + browser + "\" --new-window %u");
    SetDefault("etc-xdg", "stand-in.desktop");
    return browser;
  }
  std::string Read(const std::string& key) {
    std::string v;
    TUrlLauncher launcher(platform);
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
  EXPECT_EQ(TUrlLauncher(platform).ReadDefaultValue(kHKeyClassesRoot + 1, ".htm", v), kErrorFileNotFound);
  EXPECT_EQ(v, "kept");
}

TEST_F(UrlLauncherDesktop, MissingAssociationDoesNothing) {
  EXPECT_NO_THROW(Launcher("http://example.invalid/").OpenUrl());
  EXPECT_TRUE(process.starts.empty());
}

TEST_F(UrlLauncherDesktop, UnrunnableBrowserRaisesTheMessage) {
  InstallStandInBrowser();
  for (StartErrorT error : {StartErrorT::kNotFound, StartErrorT::kBadFormat, StartErrorT::kResources}) {
    process.result = error;
    try {
      Launcher("http://example.invalid/").OpenUrl();
      ADD_FAILURE() << "no exception";
    } catch (const EUrlLaunchError& e) {
      EXPECT_STREQ(e.what(), "Couldn't launch default browser");
    }
  }
}

TEST_F(UrlLauncherDesktop, StartsTheDefaultBrowserWithTheAddress) {
  const std::string browser = InstallStandInBrowser();
  // Shell syntax in the address must reach the browser untouched.
  const std::string url = "http://h/members/orvane/index.htm?1.11&a=$(touch${IFS}x);`id`|b";
  Launcher(url).OpenUrl();
  // Unquoted as on Windows: blanks split it, \" is a literal quote.
  Launcher("http://h/a b\\\"c d").OpenUrl();
  ASSERT_EQ(process.starts.size(), 2u);
  EXPECT_EQ(process.starts[0].program, browser);
  EXPECT_EQ(process.starts[0].args, (std::vector<std::string>{"--new-window", url}));
  EXPECT_EQ(process.starts[1].args, (std::vector<std::string>{"--new-window", "http://h/a", "b\"c", "d"}));
}

}  // namespace
#endif
