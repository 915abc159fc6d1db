#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "util/Diskop.h"
#include "tests/support/ScopedTempDir.h"

namespace {

TEST(Paths, Predicates) {
  EXPECT_TRUE(IsAbsolutePath("C:\\a"));
  EXPECT_TRUE(IsAbsolutePath("C:/a"));
  EXPECT_TRUE(IsAbsolutePath("\\\\srv\\x"));
  EXPECT_TRUE(IsAbsolutePath("//srv/x"));
  EXPECT_FALSE(IsAbsolutePath("a\\b"));
  EXPECT_FALSE(IsAbsolutePath("C:"));
  EXPECT_FALSE(IsAbsolutePath(""));
  EXPECT_EQ(SlashesToBackslashes("a/b/"), "a\\b\\");
  EXPECT_EQ(StripTrailingSlash("C:\\"), "C:\\");
  EXPECT_EQ(StripTrailingSlash("C:\\a\\"), "C:\\a");
  EXPECT_EQ(StripTrailingSlash("a/"), "a");
  EXPECT_EQ(StripTrailingSlash(""), "");
}

TEST(Paths, JoinAndRoot) {
  EXPECT_EQ(JoinPath("C:\\dir\\", "file"), "C:\\dir\\file");
  EXPECT_EQ(JoinPath("\\\\srv\\share", "x"), "\\\\srv\\share\\x");
  EXPECT_EQ(JoinPath("C:\\a\\\\", "\\\\b"), "C:\\a\\b");
  EXPECT_EQ(JoinPath("", ""), "\\");
  EXPECT_EQ(PathRoot("http://host/a", '/'), "http://");
  EXPECT_EQ(PathRoot("C:\\a", '\\'), "C:\\");
  EXPECT_EQ(PathRoot("\\\\srv\\share\\a", '\\'), "\\\\srv\\share\\");
  EXPECT_EQ(PathRoot("\\\\srv", '\\'), "\\\\srv");
  EXPECT_EQ(PathRoot("a\\b", '\\'), "");
}

TEST(Paths, Normalize) {
  EXPECT_EQ(NormalizePath("C:\\a\\b\\..\\c"), "C:\\a\\c");
  EXPECT_EQ(NormalizePath("C:\\a\\.\\b"), "C:\\a\\b");
  EXPECT_EQ(NormalizePath("C:\\a\\..\\..\\b"), "C:\\b");
  EXPECT_EQ(NormalizePath("C:\\a\\b\\"), "C:\\a\\b");
  EXPECT_EQ(NormalizePath("C:\\a\\b\\c\\...\\d"), "C:\\a\\d");
  EXPECT_EQ(NormalizePath("C:/a\\b/../c"), "C:\\a\\c");
  EXPECT_EQ(NormalizePath("http://host/a/../b"), "http://host/b");
  EXPECT_EQ(NormalizePath("\\\\srv\\share\\x\\..\\y"), "\\\\srv\\share\\y");
  EXPECT_EQ(NormalizePath("a\\\\b"), "a\\\\b");
  EXPECT_EQ(NormalizePath(""), "");
}

TEST(Paths, SplitFileName) {
  struct Case { const char* in; const char* folder; const char* name; };
  const Case cases[] = {
      {"C:\\a\\b.txt", "C:\\a\\", "b.txt"},
      {"C:\\a\\b\\", "C:\\a\\", "b\\"},
      {"C:\\", "C:\\", ""},
      {"file.txt", "", "file.txt"},
      {"\\\\srv\\share", "\\\\srv\\share\\", ""},
      {"\\\\srv\\share\\", "\\\\srv\\share\\", ""},
      {"\\\\srv\\share\\x", "\\\\srv\\share\\", "x"},
      {"\\", "", "\\"},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    std::string path = c.in, name = "junk";
    SplitFileName(path, name);
    EXPECT_EQ(path, c.folder) << c.in;
    EXPECT_EQ(name, c.name) << c.in;
  }
  EXPECT_EQ(LastPathName("C:\\a\\b.txt"), "b.txt");
  EXPECT_EQ(LastPathName("C:\\a\\b\\"), "b");
  EXPECT_EQ(LastPathName("C:\\"), "");
  EXPECT_EQ(LastPathName("\\"), "");
#ifndef _WIN32
  std::string posix = "/tmp/a.txt", name;
  SplitFileName(posix, name);
  EXPECT_EQ(posix, "/tmp/");
  EXPECT_EQ(LastPathName("/tmp/dir/"), "dir");
#else
  // Windows has no native "/" paths: every "/" becomes "\".
  std::string forward = "C:/a/b.txt", name;
  SplitFileName(forward, name);
  EXPECT_EQ(forward, "C:\\a\\");
  EXPECT_EQ(name, "b.txt");
  forward = "//srv/share";
  SplitFileName(forward, name);
  EXPECT_EQ(forward, "\\\\srv\\share\\");
  EXPECT_EQ(JoinPath("C:/dir/", "sub/f.txt"), "C:\\dir\\sub\\f.txt");
  EXPECT_EQ(JoinPath("//srv/share", "x"), "\\\\srv\\share\\x");
#endif
}

TEST(Paths, Shorten) {
  EXPECT_EQ(ShortenPath("C:\\folder\\sub\\file.txt", 15), "C:\\..b\\file.txt");
  const std::string plain = "abcdefghijklmnopqrstuvwxyz0123";
  EXPECT_EQ(ShortenPath(plain, 10), "abcdefgh..");
  EXPECT_EQ(ShortenPath(plain, 30), plain);
  EXPECT_EQ(ShortenPath("http://host.example/a/b/c/d.htm", 24), "http://host.example/..tm");
  EXPECT_EQ(ShortenPath("\\\\server\\share\\folder\\x.txt", 20), "\\\\server\\..der\\x.txt");
  for (int32_t m : {-5, 0, 1, 2, 3}) {
    EXPECT_EQ(ShortenPath(plain, m).size(), static_cast<size_t>(std::max(m, 0))) << m;
  }
}

TEST(Paths, ResolveAgainstBase) {
  EXPECT_EQ(ResolvePath("sub\\f.txt", "C:\\base"), "C:\\base\\sub\\f.txt");
  EXPECT_EQ(ResolvePath("..\\f.txt", "C:\\base\\x"), "C:\\base\\f.txt");
  EXPECT_EQ(ResolvePath("D:\\x\\..\\y", "C:\\base"), "D:\\y");
  EXPECT_EQ(ResolvePath("", "C:\\base\\"), "C:\\base");
#ifndef _WIN32
  EXPECT_EQ(ResolvePath("\\f.txt", "C:\\base"), "\\f.txt");  // no drive letters here
  EXPECT_EQ(ResolvePath("sub/f.txt", "/tmp/base"), "/tmp/base/sub/f.txt");
  EXPECT_EQ(ResolvePath("../f.txt", "/tmp/base"), "/tmp/f.txt");
#endif
}

TEST(Paths, AnalyseExistingAndMissing) {
  namespace fs = std::filesystem;
  const ScopedTempDir folder;
  const fs::path dir = folder.path() / "inner";
  fs::create_directories(dir);
  const fs::path file = dir / "x.txt";
  std::ofstream(file) << "x";

  std::string drive = "d", folders = "f", name = "n", last = "l";
  int32_t depth = 7;
  EXPECT_FALSE(AnalysePath((dir / "missing.txt").string(), drive, folders, depth, name, last));
  EXPECT_EQ(depth, -2);
  EXPECT_EQ(name, "n");
  EXPECT_FALSE(AnalysePath(std::string("a\0b", 3), drive, folders, depth, name, last));

  ASSERT_TRUE(AnalysePath(file.string(), drive, folders, depth, name, last));
  EXPECT_EQ(name, "x.txt");
  EXPECT_EQ(last, "inner" + std::string(1, fs::path::preferred_separator));
  const std::string full = fs::absolute(dir).string();
  EXPECT_EQ(drive + folders + last, full + std::string(1, fs::path::preferred_separator));
  EXPECT_GE(depth, 2);

  ASSERT_TRUE(AnalysePath(dir.string(), drive, folders, depth, name, last));
  EXPECT_EQ(name, "");
  EXPECT_EQ(last, "inner" + std::string(1, fs::path::preferred_separator));

  EXPECT_TRUE(FileExists(file.string()));
  EXPECT_FALSE(FileExists(dir.string()));
  EXPECT_FALSE(FileExists((dir / "missing.txt").string()));
  EXPECT_FALSE(FileExists(file.string() + std::string("\0", 1)));
}

}  // namespace

namespace {

// The form QUrl::fromLocalFile(...).toEncoded() gives.
TEST(Paths, FileUrlsAreFullyEncoded) {
#ifdef _WIN32
  EXPECT_EQ(FileUrl(std::filesystem::path(L"C:\\Temp\\a b\\temp001.htm")), "file:///C:/Temp/a%20b/temp001.htm");
  EXPECT_EQ(FileUrl(std::filesystem::path(L"\\\\srv\\share\\x.htm")), "file://srv/share/x.htm");
#else
  EXPECT_EQ(FileUrl("/tmp/orvane-0/temp001.htm"), "file:///tmp/orvane-0/temp001.htm");
  EXPECT_EQ(FileUrl("/a b/#1%?/x;y=(1)~@.htm"), "file:///a%20b/%231%25%3F/x;y=(1)~@.htm");
  EXPECT_EQ(FileUrl("/M\xC3\xA4rz/\xE2\x82\xAC\"<>\\[]`{}^|.htm"),
            "file:///M%C3%A4rz/%E2%82%AC%22%3C%3E%5C%5B%5D%60%7B%7D%5E%7C.htm");
#endif
}

}  // namespace
