// The window module's checks against real files: whole or cut short, and
// who can change it and the folders above it.
#include "cli/module_check.h"

#include <elf.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const fs::path& p, const std::string& bytes) {
  std::ofstream(p, std::ios::binary | std::ios::trunc) << bytes;
  fs::permissions(p, fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read);
}

struct ModuleCheck : ::testing::Test {
  void SetUp() override {
#ifndef ORVANE_MODULE_PATH
    GTEST_SKIP() << "built without the window module";
#else
    module = ReadAll(ORVANE_MODULE_PATH);
    ASSERT_GT(module.size(), 1000000u);
    char tmpl[] = "/tmp/orvane-module-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir = tmpl;
    fs::permissions(dir, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                             fs::perms::others_read | fs::perms::others_exec);
    file = dir / "liborvane-window.so";
    me = static_cast<uint32_t>(geteuid());
#endif
  }
  void TearDown() override {
    std::error_code ec;
    if (!dir.empty()) fs::remove_all(dir, ec);
  }
  std::string module;
  fs::path dir, file;
  uint32_t me = 0;
};

TEST_F(ModuleCheck, AWholeModuleIsTakenAndACutOneRefused) {
  WriteAll(file, module);
  EXPECT_EQ(ModuleProblem(file, me), "");
  for (const size_t size : {size_t{1024}, size_t{4096}, size_t{100000}, size_t{500000}, size_t{900000},
                            module.size() - 1}) {
    WriteAll(file, module.substr(0, size));
    EXPECT_EQ(ModuleProblem(file, me).rfind("it is cut short", 0), 0u) << size;
  }
  // Without section headers the loaded segments still have to be there.
  std::string noSections = module.substr(0, 500000);
  const size_t shnum = offsetof(Elf64_Ehdr, e_shnum);
  std::memset(noSections.data() + shnum, 0, 2);
  WriteAll(file, noSections);
  EXPECT_EQ(ModuleProblem(file, me), "it is cut short (a segment lies past its 500000 bytes)");
  for (const std::string& other : {std::string("not a shared object\n"), std::string(), module.substr(0, 10)}) {
    WriteAll(file, other);
    EXPECT_EQ(ModuleProblem(file, me), "it is no ELF shared object");
  }
  EXPECT_EQ(ModuleProblem(dir / "none.so", me), "it cannot be found: No such file or directory");
}

TEST_F(ModuleCheck, OnlyRootAndTheProgramsOwnerMayChangeIt) {
  WriteAll(file, module);
  fs::permissions(file, fs::perms::others_write, fs::perm_options::add);
  EXPECT_EQ(ModuleProblem(file, me), "it is writable by others");
  fs::permissions(file, fs::perms::others_write, fs::perm_options::remove);
  fs::permissions(file, fs::perms::group_write, fs::perm_options::add);
  EXPECT_EQ(ModuleProblem(file, me), "it is writable by its group");
  fs::permissions(file, fs::perms::group_write, fs::perm_options::remove);
  // A folder on the way that others can write, as a planted /tmp/lib would be.
  fs::create_directories(dir / "lib" / "orvane");
  WriteAll(dir / "lib" / "orvane" / "liborvane-window.so", module);
  fs::permissions(dir / "lib", fs::perms::all);
  EXPECT_EQ(ModuleProblem(dir / "lib" / "orvane" / "liborvane-window.so", me),
            "the folder " + (dir / "lib").string() + " is writable by others");
  // A sticky folder (as /tmp) lets no one replace another's entries.
  fs::permissions(dir / "lib", fs::perms::sticky_bit, fs::perm_options::add);
  EXPECT_EQ(ModuleProblem(dir / "lib" / "orvane" / "liborvane-window.so", me), "");
  // A link is followed to the real file, whose folders count.
  fs::create_symlink(dir / "lib" / "orvane" / "liborvane-window.so", dir / "link.so");
  fs::permissions(dir / "lib" / "orvane", fs::perms::others_write, fs::perm_options::add);
  EXPECT_EQ(ModuleProblem(dir / "link.so", me),
            "the folder " + (dir / "lib" / "orvane").string() + " is writable by others");
  // Another user's file; only root can hand one over.
  if (geteuid() == 0) {
    ASSERT_EQ(chown(file.c_str(), 65534, 65534), 0);
    EXPECT_EQ(ModuleProblem(file, 0), "it is owned by user 65534, neither root nor the program's owner");
    EXPECT_EQ(ModuleProblem(file, 65534), "");
    ASSERT_EQ(chown(dir.c_str(), 65534, 65534), 0);
    ASSERT_EQ(chown(file.c_str(), 0, 0), 0);
    EXPECT_EQ(ModuleProblem(file, 0),
              "the folder " + dir.string() + " is owned by user 65534, neither root nor the program's owner");
  } else {
    EXPECT_EQ(ModuleProblem(file, me + 1).rfind("it is owned by user ", 0), 0u);
  }
}

}  // namespace
