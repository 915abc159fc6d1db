// The whole-or-nothing writer on a real folder: what it leaves behind and
// what it follows.
#include "util/SaveFile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <set>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;

struct SaveFile : ::testing::Test {
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("orvane-savefile-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir, ec);
  }
  std::set<std::string> Names() const {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
    return names;
  }
  void Touch(const std::string& name, std::chrono::seconds age) const {
    std::ofstream(dir / name) << "partial";
    fs::last_write_time(dir / name, fs::file_time_type::clock::now() - age);
  }
  fs::path dir;
};

std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST_F(SaveFile, ASuccessfulWriteRemovesItsOwnOldLeftovers) {
  using std::chrono::seconds;
  Touch(".orvane-abcdefghij.tmp", seconds(120));   // a killed run's, old: removed
  Touch(".orvane-0123456789.tmp", seconds(5));     // perhaps a write under way: kept
  Touch(".orvane-abc.tmp", seconds(120));          // not a name the writer makes
  Touch(".other-abcdefghij.tmp", seconds(120));    // another program's
  Touch(".orvane-ABCDEFGHIJ.tmp", seconds(120));
#ifndef _WIN32
  if (geteuid() == 0) {  // another user's is not ours to remove
    Touch(".orvane-zzzzzzzzzz.tmp", seconds(120));
    ASSERT_EQ(chown((dir / ".orvane-zzzzzzzzzz.tmp").c_str(), 65534, 65534), 0);
  }
#endif
  std::set<std::string> kept = Names();
  kept.erase(".orvane-abcdefghij.tmp");
  kept.insert("orvane.conf");
  std::string reason;
  ASSERT_TRUE(SaveWholeFile(dir / "orvane.conf", "new", reason)) << reason;
  EXPECT_EQ(Names(), kept);
  EXPECT_EQ(ReadAll(dir / "orvane.conf"), "new");
  // A failed write removes nothing.
  Touch(".orvane-klmnopqrst.tmp", seconds(120));
  EXPECT_FALSE(SaveWholeFile(dir / "no" / "orvane.conf", "x", reason));
  EXPECT_TRUE(fs::exists(dir / ".orvane-klmnopqrst.tmp"));
}

TEST_F(SaveFile, LinksAreFollowedToTheFileTheyEndIn) {
  fs::create_directories(dir / "dotfiles");
  std::ofstream(dir / "dotfiles" / "orvane.conf") << "old";
  std::error_code ec;
  fs::create_symlink("dotfiles/orvane.conf", dir / "mid.conf", ec);
  if (ec) GTEST_SKIP() << "no symbolic links here: " << ec.message();
  fs::create_symlink(dir / "mid.conf", dir / "orvane.conf");
  fs::path target;
  std::string reason;
  ASSERT_TRUE(LinkTarget(dir / "orvane.conf", target, reason)) << reason;
  EXPECT_EQ(fs::canonical(target), fs::canonical(dir / "dotfiles" / "orvane.conf"));
  ASSERT_TRUE(LinkTarget(dir / "plain", target, reason));
  EXPECT_EQ(target, dir / "plain");
  fs::create_symlink("loop2", dir / "loop1");
  fs::create_symlink("loop1", dir / "loop2");
  EXPECT_FALSE(LinkTarget(dir / "loop1", target, reason));
  EXPECT_FALSE(reason.empty());
}

TEST_F(SaveFile, AFileWithoutWriteBitsIsReadOnly) {
  std::ofstream(dir / "orvane.conf") << "kept";
  std::string reason;
  EXPECT_FALSE(ReadOnlyFile(dir / "orvane.conf", reason));
  EXPECT_FALSE(ReadOnlyFile(dir / "none.conf", reason));
  fs::permissions(dir / "orvane.conf", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_TRUE(ReadOnlyFile(dir / "orvane.conf", reason));  // for root too
  EXPECT_FALSE(reason.empty());
  fs::permissions(dir / "orvane.conf", fs::perms::owner_all);
}

}  // namespace
