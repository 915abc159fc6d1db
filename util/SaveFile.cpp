#include "util/SaveFile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>

#include "util/ErrorText.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#endif

namespace {

constexpr const char kTempPrefix[] = ".orvane-";
constexpr const char kTempSuffix[] = ".tmp";
constexpr size_t kTempRandom = 10;
// A leftover younger than this may belong to a write still under way.
constexpr auto kLeftoverAge = std::chrono::minutes(1);

// Whether name is one that TempName makes.
bool IsTempName(std::string_view name) {
  const std::string_view prefix = kTempPrefix, suffix = kTempSuffix;
  if (name.size() != prefix.size() + kTempRandom + suffix.size() || name.substr(0, prefix.size()) != prefix ||
      name.substr(name.size() - suffix.size()) != suffix)
    return false;
  for (const char c : name.substr(prefix.size(), kTempRandom))
    if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) return false;
  return true;
}

// A name no other writer picks: process, counter and clock mixed.
std::string TempName() {
  static std::atomic<unsigned> counter{0};
  static constexpr char kChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  uint64_t v = static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
#ifdef _WIN32
  v ^= static_cast<uint64_t>(GetCurrentProcessId()) << 32;
#else
  v ^= static_cast<uint64_t>(getpid()) << 32;
#endif
  v ^= static_cast<uint64_t>(counter.fetch_add(1)) * 0x9E3779B97F4A7C15ULL;
  std::string name = kTempPrefix;
  for (size_t i = 0; i < kTempRandom; ++i) {
    name += kChars[v % 36];
    v /= 36;
  }
  return name + kTempSuffix;
}

}  // namespace

bool ReadOnlyFile(const std::filesystem::path& file, std::string& reason) {
#ifdef _WIN32
  const DWORD attributes = GetFileAttributesW(file.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) == 0) return false;
  reason = "Access is denied.";
  return true;
#else
  struct stat st {};
  if (stat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  // Root may write anything; a file without any write bit is still meant to stay.
  if ((st.st_mode & 0222) != 0 && access(file.c_str(), W_OK) == 0) return false;
  reason = SystemReason(EACCES);
  return true;
#endif
}

bool LinkTarget(const std::filesystem::path& file, std::filesystem::path& target, std::string& reason) {
  namespace fs = std::filesystem;
  fs::path at = file;
  // As many links as the system itself follows.
  for (int hop = 0; hop < 40; ++hop) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(at, ec))) {
      target = at;
      return true;
    }
    const fs::path next = fs::read_symlink(at, ec);
    if (ec) {
      reason = ec.message();
      return false;
    }
    at = next.is_absolute() ? next : at.parent_path() / next;
  }
#ifdef _WIN32
  reason = "Too many levels of symbolic links";
#else
  reason = SystemReason(ELOOP);
#endif
  return false;
}

#ifndef _WIN32

namespace {

// This writer's temporary files that a killed run left behind in the folder.
void RemoveLeftovers(int dirFd) {
  const int fd = dup(dirFd);
  if (fd < 0) return;
  DIR* dir = fdopendir(fd);
  if (dir == nullptr) {
    close(fd);
    return;
  }
  const time_t before = time(nullptr) - std::chrono::duration_cast<std::chrono::seconds>(kLeftoverAge).count();
  while (const dirent* entry = readdir(dir)) {
    if (!IsTempName(entry->d_name)) continue;
    struct stat st {};
    if (fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
        st.st_uid == geteuid() && st.st_mtime < before)
      unlinkat(dirFd, entry->d_name, 0);
  }
  closedir(dir);
}

}  // namespace

bool SaveWholeFileAt(int dirFd, const std::string& name, std::string_view data, unsigned mode,
                     std::string& reason) {
  struct stat old {};
  if (fstatat(dirFd, name.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(old.st_mode))
    mode = old.st_mode & 0777;
  std::string temp;
  int fd = -1;
  for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
    temp = TempName();
    fd = openat(dirFd, temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) {
    reason = SystemReason(errno);
    return false;
  }
  const auto fail = [&](int error) {
    if (fd >= 0) close(fd);
    unlinkat(dirFd, temp.c_str(), 0);
    reason = SystemReason(error);
    return false;
  };
  // An existing file's mode survives the replacement (umask applied only to new ones).
  if (S_ISREG(old.st_mode) && fchmod(fd, mode) != 0) return fail(errno);
  size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = write(fd, data.data() + done, data.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail(errno);
    }
    done += static_cast<size_t>(n);
  }
  if (fsync(fd) != 0 && errno != EINVAL) return fail(errno);
  const int closed = close(fd);
  fd = -1;
  if (closed != 0) return fail(errno);
  if (renameat(dirFd, temp.c_str(), dirFd, name.c_str()) != 0) return fail(errno);
  fsync(dirFd);  // the rename itself on disk; a folder that cannot sync loses nothing already written
  RemoveLeftovers(dirFd);
  return true;
}

bool SaveWholeFile(const std::filesystem::path& file, std::string_view data, std::string& reason) {
  if (file.empty() || !file.has_filename()) {
    reason = SystemReason(file.empty() ? ENOENT : EISDIR);
    return false;
  }
  const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
  const int dirFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd < 0) {
    reason = SystemReason(errno);
    return false;
  }
  const bool ok = SaveWholeFileAt(dirFd, file.filename().native(), data, 0666, reason);
  close(dirFd);
  return ok;
}

#else

namespace {

std::string WindowsReason(DWORD error) {
  wchar_t* text = nullptr;
  const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                     FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string out;
  if (n != 0 && text != nullptr) {
    std::wstring w(text, n);
    while (!w.empty() && (w.back() == L'\r' || w.back() == L'\n' || w.back() == L' ')) w.pop_back();
    const std::u8string u8 = std::filesystem::path(w).u8string();
    out.assign(u8.begin(), u8.end());
  }
  if (text != nullptr) LocalFree(text);
  return out.empty() ? "error " + std::to_string(error) : out;
}

// This writer's temporary files that a killed run left behind in the folder;
// files of other users cannot be deleted here anyway.
void RemoveLeftovers(const std::filesystem::path& folder) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const auto before = fs::file_time_type::clock::now() - kLeftoverAge;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::u8string name = it->path().filename().u8string();
    if (!IsTempName(std::string(name.begin(), name.end()))) continue;
    std::error_code e;
    if (it->is_regular_file(e) && !it->is_symlink(e) && it->last_write_time(e) < before) fs::remove(it->path(), e);
  }
}

}  // namespace

bool SaveWholeFile(const std::filesystem::path& file, std::string_view data, std::string& reason) {
  if (file.empty() || !file.has_filename()) {
    reason = WindowsReason(ERROR_INVALID_NAME);
    return false;
  }
  const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
  std::filesystem::path temp;
  HANDLE h = INVALID_HANDLE_VALUE;
  for (int attempt = 0; h == INVALID_HANDLE_VALUE && attempt < 100; ++attempt) {
    temp = folder / TempName();
    h = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
  }
  if (h == INVALID_HANDLE_VALUE) {
    reason = WindowsReason(GetLastError());
    return false;
  }
  const auto fail = [&](DWORD error) {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    DeleteFileW(temp.c_str());
    reason = WindowsReason(error);
    return false;
  };
  size_t done = 0;
  while (done < data.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(data.size() - done, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(h, data.data() + done, chunk, &written, nullptr)) return fail(GetLastError());
    done += written;
  }
  if (!FlushFileBuffers(h)) return fail(GetLastError());
  const BOOL closed = CloseHandle(h);
  h = INVALID_HANDLE_VALUE;
  if (!closed) return fail(GetLastError());
  if (!MoveFileExW(temp.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return fail(GetLastError());
  RemoveLeftovers(folder);
  return true;
}

#endif
