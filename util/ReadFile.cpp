#include "util/ReadFile.h"

#include <cerrno>
#include <fstream>

#include "util/ErrorText.h"

bool ReadFileBytes(const std::filesystem::path& path, size_t limit, std::string& bytes, std::string& reason) {
  bytes.clear();
  errno = 0;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    reason = SystemReason(errno != 0 ? errno : ENOENT);
    return false;
  }
  std::string chunk(size_t{1} << 16, '\0');
  while (in) {
    // A failed read sets badbit: the C++ library's exception for it (a
    // folder, for one) stays inside read().
    in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
    const auto got = static_cast<size_t>(in.gcount());
    if (got > limit - bytes.size()) {
      bytes.clear();
      reason = "more than " + std::to_string(limit) + " bytes";
      return false;
    }
    bytes.append(chunk, 0, got);
  }
  if (in.bad()) {
    bytes.clear();
    reason = SystemReason(errno != 0 ? errno : EIO);
    return false;
  }
  return true;
}
