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
  void AddApp(const std::string& dataDir, const std::string& id, const std::string& exec,
              const std::string& more = "") {
    WriteFile(root / dataDir / "applications" / id,
              "[Desktop Entry]\nType=Application\nName=Web\nExec=" + exec + "\n" + more +
                  "[Desktop Action new]\nExec=wrong %u\n");
  }
  // The browser registered as the default, with the arguments before the address.
  std::string InstallStandInBrowser() {
    const std::string browser = (root / "bin dir" / "browser").string();
    AddApp("share1", "stand-in.desktop", "\"" + browser + "\" --new-window %u");
    WriteFile(root / "etc-xdg" / "mimeapps.list", "[Default Applications]\ntext/html=stand-in.desktop\n");
    return browser;
  }
  // The program the launcher starts for an http address, or "<none>".
  std::string Started() {
    process.starts.clear();
    Launcher("http://h/").OpenUrl();
    return process.starts.empty() ? "<none>" : process.starts.back().program;
  }
};

TEST_F(UrlLauncherDesktop, ExecLinesExpandTheirFieldCodes) {
  DesktopEntryT e{"/apps/web.desktop", "", "Web Browser", "web-icon", ""};
  std::vector<std::string> argv;
  auto expand = [&](const std::string& exec, const std::string& url) {
    e.exec = exec;
    return ExpandExec(e, url, argv) ? argv : std::vector<std::string>{"<refused>"};
  };
  const std::string u = "http://h/?a=1&b=$(x)";
  EXPECT_EQ(expand("web --url=%u %i --name=%c %k --p=100%% %d", u),
            (std::vector<std::string>{"web", "--url=" + u, "--icon", "web-icon", "--name=Web Browser",
                                      "/apps/web.desktop", "--p=100%"}));
  EXPECT_EQ(expand("\"/opt/My Web/web\" --new-window %U", u), (std::vector<std::string>{"/opt/My Web/web", "--new-window", u}));
  EXPECT_EQ(expand("web --new", u), (std::vector<std::string>{"web", "--new", u}));
  // Local files only: no web address, but a file address as its path.
  EXPECT_EQ(expand("viewer %f", u), std::vector<std::string>{"<refused>"});
  EXPECT_EQ(expand("viewer %F", "file:///tmp/a%20b.htm"), (std::vector<std::string>{"viewer", "/tmp/a b.htm"}));
  e.icon.clear();
  EXPECT_EQ(expand("web %i %u", u), (std::vector<std::string>{"web", u}));
  EXPECT_EQ(SplitExec("\"a\\sb\" \"c\\\\\\\\d\" e\\sf"), (std::vector<std::string>{"a b", "c\\d", "e", "f"}));
}

TEST_F(UrlLauncherDesktop, HandlersFollowTheMimeAppsOrder) {
  EXPECT_EQ(Started(), "<none>");
  for (const char* app : {"cache", "defaults", "added", "system", "user", "kde", "removed"})
    AddApp("share2", std::string(app) + ".desktop", std::string(app) + " %u");
  WriteFile(root / "share2/applications/mimeinfo.cache", "[MIME Cache]\nx-scheme-handler/http=cache.desktop;\n");
  EXPECT_EQ(Started(), "cache");
  WriteFile(root / "data/applications/mimeapps.list", "[Added Associations]\ntext/html=added.desktop;\n");
  EXPECT_EQ(Started(), "cache");  // the own scheme's handler is asked first
  WriteFile(root / "share1/applications/defaults.list", "[Default Applications]\ntext/html=defaults.desktop\n");
  EXPECT_EQ(Started(), "defaults");  // an explicit default beats associations
  WriteFile(root / "etc-xdg/mimeapps.list", "[Default Applications]\nx-scheme-handler/https=system.desktop\n");
  EXPECT_EQ(Started(), "system");
  // Ids that are not installed or would leave the applications folder are passed over.
  WriteFile(root / "config/mimeapps.list",
            "[Default Applications]\nx-scheme-handler/https=missing.desktop;../../x.desktop;user.desktop;\n");
  EXPECT_EQ(Started(), "user");
  WriteFile(root / "config/kde-mimeapps.list", "[Default Applications]\nx-scheme-handler/https=kde.desktop\n");
  EXPECT_EQ(Started(), "user");
  process.env["XDG_CURRENT_DESKTOP"] = "X-Test:KDE";
  EXPECT_EQ(Started(), "kde");
  // A removal hides the id in its own list and every list after it.
  WriteFile(root / "config/x-test-mimeapps.list",
            "[Removed Associations]\nx-scheme-handler/https=kde.desktop;\n"
            "[Default Applications]\nx-scheme-handler/https=kde.desktop;removed.desktop\n");
  EXPECT_EQ(Started(), "removed");
  // A hidden user entry masks the system one; ids may name subfolders.
  WriteFile(root / "data/applications/removed.desktop", "[Desktop Entry]\nHidden=true\n");
  EXPECT_EQ(Started(), "user");
  AddApp("share1", "vendor/web.desktop", "vendorweb %u", "TryExec=/nonexistent/web\n");
  WriteFile(root / "config/mimeapps.list", "[Default Applications]\nx-scheme-handler/http=vendor-web.desktop\n");
  EXPECT_EQ(Started(), "system");  // its TryExec is missing
  AddApp("share1", "vendor/web.desktop", "vendorweb %u");
  EXPECT_EQ(Started(), "vendorweb");
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
  // One argument whatever it holds: no command line is cut here.
  Launcher("http://h/a b\\\"c d").OpenUrl();
  ASSERT_EQ(process.starts.size(), 2u);
  EXPECT_EQ(process.starts[0].program, browser);
  EXPECT_EQ(process.starts[0].args, (std::vector<std::string>{"--new-window", url}));
  EXPECT_EQ(process.starts[1].args, (std::vector<std::string>{"--new-window", "http://h/a b\\\"c d"}));
}

}  // namespace
#endif
