#include "components/UrlLauncher.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/FakeUrlPlatform.h"

namespace {

TEST(UrlLauncherCommandLine, CutsAtPlaceholderAndAppendsAddress) {
  // Quoted placeholder: its leading blank stays, then the inserted one.
  EXPECT_EQ(BuildCommandLine("\"C:\\Program Files\\Web\\web.exe\" -nohome \"%1\"", "http://h/x"),
            "\"C:\\Program Files\\Web\\web.exe\" -nohome  http://h/x");
  EXPECT_EQ(BuildCommandLine("C:\\web.exe -new", "http://h/"), "C:\\web.exe -new http://h/");
  EXPECT_EQ(BuildCommandLine("web.exe \"%1\"", "http://h/a b c"), "web.exe  http://h/a b c");
  // Bare placeholder, and the quoted form is preferred even when later.
  EXPECT_EQ(BuildCommandLine("web.exe -url=%1 -x", "u"), "web.exe -url= u");
  EXPECT_EQ(BuildCommandLine("web.exe %1 \"%1\"", "u"), "web.exe %1  u");
  EXPECT_EQ(BuildCommandLine("", "u"), " u");
}

TEST(UrlLauncherShowCommand, MapsToWindowsShowCommands) {
  const int expected[] = {0, 3, 6, 9, 5, 10, 3, 2, 7, 8, 4, 1};
  for (int i = 0; i < 12; ++i)
    EXPECT_EQ(ShowCommandValue(static_cast<TUrlShowCmd>(i)), expected[i]) << i;
  EXPECT_EQ(ShowCommandValue(static_cast<TUrlShowCmd>(12)), 1);
  EXPECT_EQ(ShowCommandValue(static_cast<TUrlShowCmd>(-1)), 1);
}

using FakePlatform = FakeUrlPlatform;

TEST(UrlLauncherOpen, DefaultsToShowDefaultAndEmptyUrl) {
  FakePlatform fake;
  TUrlLauncher launcher(fake);
  EXPECT_EQ(launcher.UrlShowCommand, TUrlShowCmd::ssShowDefault);
  EXPECT_EQ(launcher.Url, "");
}

TEST(UrlLauncherOpen, MissingAssociationDoesNothing) {
  FakePlatform fake;
  TUrlLauncher launcher(fake);
  launcher.Url = "http://h/";
  EXPECT_NO_THROW(launcher.OpenUrl());
  EXPECT_TRUE(fake.starts.empty());

  fake.keys[".htm"] = "htmlfile";  // file type without an open command
  EXPECT_NO_THROW(launcher.OpenUrl());
  EXPECT_TRUE(fake.starts.empty());
  EXPECT_EQ(fake.reads.back(), "htmlfile\\shell\\open\\command");
}

TEST(UrlLauncherOpen, StartsBrowserWithShowCommand) {
  FakePlatform fake;
  fake.keys[".htm"] = "htmlfile";
  fake.keys["htmlfile\\shell\\open\\command"] = "\"C:\\web.exe\" -nohome \"%1\"";
  TUrlLauncher launcher(fake);
  launcher.Url = "http://h/members/orvane/index.htm?1.11";
  launcher.UrlShowCommand = TUrlShowCmd::ssShowMinimized;
  launcher.OpenUrl();
  ASSERT_EQ(fake.starts.size(), 1u);
  EXPECT_EQ(fake.starts[0].first, "\"C:\\web.exe\" -nohome  http://h/members/orvane/index.htm?1.11");
  EXPECT_EQ(fake.starts[0].second, 2);
}

TEST(UrlLauncherOpen, FailedStartRaisesTheMessage) {
  FakePlatform fake;
  fake.keys[".htm"] = "htmlfile";
  fake.keys["htmlfile\\shell\\open\\command"] = "web.exe";
  TUrlLauncher launcher(fake);
  for (unsigned result : {0u, 2u, 31u}) {
    fake.startResult = result;
    try {
      launcher.OpenUrl();
      ADD_FAILURE() << "no exception for " << result;
    } catch (const EUrlLaunchError& e) {
      EXPECT_STREQ(e.what(), "Couldn't launch default browser");
    }
  }
  fake.startResult = 32;
  EXPECT_NO_THROW(launcher.OpenUrl());
}

class FakeOpener : public TUrlOpener {
 public:
  std::vector<std::string> opened;
  bool result = true;
  bool OpenAddress(const std::string& url) override {
    opened.push_back(url);
    return result;
  }
};

TEST(UrlLauncherOpen, DesktopOpenerStandsInForTheBrowser) {
  FakePlatform fake;
  FakeOpener opener;
  TUrlLauncher launcher(fake, &opener);
  launcher.Url = "http://h/";
  launcher.OpenUrl();  // nothing registered
  fake.keys[".htm"] = "htmlfile";
  fake.keys["htmlfile\\shell\\open\\command"] = "web.exe";
  fake.startResult = 2;
  launcher.OpenUrl();  // registered, but it does not start
  EXPECT_EQ(opener.opened, (std::vector<std::string>{"http://h/", "http://h/"}));
  opener.result = false;
  EXPECT_THROW(launcher.OpenUrl(), EUrlLaunchError);
  fake.startResult = kExecOk;
  launcher.OpenUrl();
  EXPECT_EQ(opener.opened.size(), 3u);
  EXPECT_EQ(fake.starts.size(), 3u);
}

}  // namespace
