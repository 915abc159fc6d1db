// The preview file lives in a folder only its user can enter, and is written
// without following links, so nobody can plant a link under its fixed name.
#include <cstdlib>
#include <filesystem>
#include <string>

#include "grid/htmlwriter.h"
#include "util/cp1252.h"

#ifdef _WIN32
#include <fstream>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const char* const kPreviewName = "temp001.htm";

#ifndef _WIN32
bool OwnedDirectory(const std::string& path, bool requirePrivate) {
  struct stat st {};
  if (lstat(path.c_str(), &st) != 0) return false;
  if (!S_ISDIR(st.st_mode) || st.st_uid != getuid()) return false;
  return !requirePrivate || (st.st_mode & 077) == 0;
}

std::string EnsurePrivateFolder(const std::string& path) {
  if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) throw HtmlFileError(Utf8ToAnsi(path));
  // An existing entry must be our own real folder, not a link or someone
  // else's folder; a loose mode on our own folder is tightened.
  if (!OwnedDirectory(path, false)) throw HtmlFileError(Utf8ToAnsi(path));
  if (!OwnedDirectory(path, true) && chmod(path.c_str(), 0700) != 0) throw HtmlFileError(Utf8ToAnsi(path));
  return path;
}

std::string NativeFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && runtime[0] == '/' && OwnedDirectory(runtime, true)) {
    return EnsurePrivateFolder(std::string(runtime) + "/orvane");
  }
  std::string tmp = "/tmp";
  const char* env = std::getenv("TMPDIR");
  if (env != nullptr && env[0] == '/') tmp = env;
  while (tmp.size() > 1 && tmp.back() == '/') tmp.pop_back();
  return EnsurePrivateFolder(tmp + "/orvane-" + std::to_string(getuid()));
}
#endif

}  // namespace

std::string PreviewFolder() {
#ifdef _WIN32
  std::error_code ec;
  std::filesystem::path tmp = std::filesystem::temp_directory_path(ec);
  if (ec) throw HtmlFileError(kPreviewName);
  std::u8string u8 = tmp.u8string();
  return Utf8ToAnsi(std::string(u8.begin(), u8.end()));
#else
  return Utf8ToAnsi(NativeFolder());
#endif
}

std::string PreviewFileName() {
#ifdef _WIN32
  std::string folder = PreviewFolder();
  if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
  return folder + kPreviewName;
#else
  return PreviewFolder() + "/" + kPreviewName;
#endif
}

std::string WriteHtmlPreview(const HtmlGridDataT& grid, const THTMLSettings& settings) {
  std::string text = HtmlFileText(grid, settings);
#ifdef _WIN32
  std::string name = PreviewFileName();
  std::string utf8 = AnsiToUtf8(name);
  std::filesystem::path path(std::u8string(utf8.begin(), utf8.end()));
  std::error_code ec;
  std::filesystem::remove(path, ec);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw HtmlFileError(name);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.close();
  if (!out) throw HtmlFileError(name);
  return name;
#else
  std::string folder = NativeFolder();
  std::string path = folder + "/" + kPreviewName;
  std::string name = Utf8ToAnsi(path);
  // Removing first and creating exclusively means a link planted under the
  // name is replaced, never written through.
  if (unlink(path.c_str()) != 0 && errno != ENOENT) throw HtmlFileError(name);
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) throw HtmlFileError(name);
  size_t done = 0;
  while (done < text.size()) {
    ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      close(fd);
      throw HtmlFileError(name);
    }
    done += static_cast<size_t>(n);
  }
  if (close(fd) != 0) throw HtmlFileError(name);
  return name;
#endif
}
