#ifndef _WIN32
#include "util/process.h"
#include "tests/support/FakeProcess.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

namespace {
namespace fs = std::filesystem;

class Process : public ::testing::Test {
 protected:
  fs::path root;
  void SetUp() override {
    std::string tmpl = (fs::temp_directory_path() / "orvane-process-XXXXXX").string();
    ASSERT_NE(mkdtemp(tmpl.data()), nullptr);
    root = tmpl;
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(root, ec);
  }
  void WriteFile(const fs::path& path, const std::string& text, mode_t mode) {
    std::ofstream(path, std::ios::binary) << text;
    ASSERT_EQ(chmod(path.c_str(), mode), 0);
  }
  // Everything the child writes into the FIFO until it closes it. The poll
  // bound only keeps a child that never runs from hanging the test.
  static std::string ReadAll(int fd) {
    std::string got;
    char buf[512];
    for (;;) {
      pollfd p{fd, POLLIN, 0};
      if (poll(&p, 1, 20000) <= 0) return got + "<no end>";
      const ssize_t n = read(fd, buf, sizeof buf);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return got;
      got.append(buf, static_cast<size_t>(n));
    }
  }
};

TEST_F(Process, FindsRunnableFilesInTheSearchList) {
  fs::create_directories(root / "a");
  fs::create_directories(root / "b");
  WriteFile(root / "a" / "tool", "data", 0644);  // not runnable: passed over
  WriteFile(root / "b" / "tool", "#!/bin/true\n", 0755);
  const std::string list = ":" + (root / "a").string() + "::" + (root / "b").string();
  EXPECT_EQ(FindProgramIn("tool", list), (root / "b" / "tool").string());
  EXPECT_EQ(FindProgramIn("missing", list), "");
  EXPECT_EQ(FindProgramIn("", list), "");
  // A name with a folder is taken as it stands, not searched.
  EXPECT_EQ(FindProgramIn((root / "a" / "tool").string(), list), "");
  EXPECT_EQ(FindProgramIn((root / "b" / "tool").string(), ""), (root / "b" / "tool").string());
  // The current folder, an empty entry, is never searched.
  EXPECT_EQ(FindProgramIn("tool", ""), "");
}

TEST_F(Process, StartedProgramGetsItsArgumentsAndInheritsNothing) {
  const fs::path fifo = root / "report";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  // An inheritable descriptor that must not reach the child.
  const int leak = open("/dev/null", O_RDONLY);
  ASSERT_GE(leak, 0);

  // Shell syntax must reach the program untouched.
  const StartErrorT r = StartDetached(ORVANE_PROCESS_CHILD, {fifo.string(), "a b", "$(id);`x`|y", ""});
  close(leak);
  ASSERT_EQ(r, StartErrorT::kNone);
  // This process keeps no child to reap.
  EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);

  EXPECT_EQ(ReadAll(reader),
            "extra fds: \nstdin null: yes\nown session: yes\narg: a b\narg: $(id);`x`|y\narg: \n");
  close(reader);
}

TEST_F(Process, UnrunnableProgramsAreErrors) {
  EXPECT_EQ(StartDetached("orvane-no-such-program-anywhere", {}), StartErrorT::kNotFound);
  EXPECT_EQ(StartDetached("", {}), StartErrorT::kNotFound);
  WriteFile(root / "plain", "plain text\n", 0644);
  EXPECT_EQ(StartDetached((root / "plain").string(), {}), StartErrorT::kNotFound);
  // Runnable by its mode but not a program: the exec itself fails in the
  // child, and that failure must come back.
  WriteFile(root / "garbage", std::string("\x7f" "ELF garbage", 12), 0755);
  EXPECT_EQ(StartDetached((root / "garbage").string(), {}), StartErrorT::kBadFormat);
  EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
}

}  // namespace

namespace {

TEST(ConfigHome, FollowsTheXdgRules) {
  FakeProcessPlatform p;
  p.userHome = "/home/db";
  p.env = {{"XDG_CONFIG_HOME", "/cfg"}, {"HOME", "/home/u"}};
  EXPECT_EQ(ConfigHome(p), "/cfg");
  p.env = {{"XDG_CONFIG_HOME", "rel/cfg"}, {"HOME", "/home/u/"}};  // a relative one is ignored
  EXPECT_EQ(ConfigHome(p), "/home/u/.config");
  p.env = {};  // no HOME: the user database's home, never "/.config"
  EXPECT_EQ(ConfigHome(p), "/home/db/.config");
  p.env = {{"HOME", "."}};
  EXPECT_EQ(ConfigHome(p), "/home/db/.config");
  p.userHome = "/";
  p.env = {};
  EXPECT_EQ(ConfigHome(p), "/.config");
  p.userHome.clear();
  EXPECT_EQ(ConfigHome(p), "");
  EXPECT_EQ(SystemProcessPlatform().UserHome().rfind('/', 0), 0u);  // this user has one
}

}  // namespace

#endif
