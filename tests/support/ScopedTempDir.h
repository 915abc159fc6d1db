#pragma once
// A fresh private folder under the system's temporary folder, removed with
// everything in it when the scope ends, however the test leaves it (a failed
// ASSERT returns early). Its name is unique, so runs by different users or
// in parallel never meet.
#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>

class ScopedTempDir {
 public:
  explicit ScopedTempDir(const std::string& prefix = "orvane-test-") {
    namespace fs = std::filesystem;
    std::random_device seed;
    std::mt19937_64 pick(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
      const fs::path candidate = fs::temp_directory_path() / (prefix + std::to_string(pick()));
      std::error_code ec;
      if (fs::create_directory(candidate, ec)) {
        fs::permissions(candidate, fs::perms::owner_all, fs::perm_options::replace, ec);
        path_ = candidate;
        return;
      }
    }
    throw std::runtime_error("cannot make a temporary folder");
  }
  ~ScopedTempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  ScopedTempDir(const ScopedTempDir&) = delete;
  ScopedTempDir& operator=(const ScopedTempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};
