// The preview file lives in a folder only its user can enter, checked and
// written through one descriptor, and replaces any entry under its fixed name
// by rename, so nobody can plant a link that gets written through.
#include <cstdlib>
#include <filesystem>
#include <string>

#include "grid/htmlwriter.h"
#include "util/ErrorText.h"
#include "util/SaveFile.h"
#include "util/cp1252.h"

#ifndef _WIN32
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const char* const kPreviewName = "temp001.htm";

#ifndef _WIN32
bool OwnedDirectory(const std::string& path) {
  struct stat st {};
  return lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == getuid() && (st.st_mode & 077) == 0;
}

std::string NativeFolderName() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && runtime[0] == '/' && OwnedDirectory(runtime)) return std::string(runtime) + "/orvane";
  std::string tmp = "/tmp";
  const char* env = std::getenv("TMPDIR");
  if (env != nullptr && env[0] == '/') tmp = env;
  while (tmp.size() > 1 && tmp.back() == '/') tmp.pop_back();
  return tmp + "/orvane-" + std::to_string(getuid());
}

// Our own private folder, checked and used through one descriptor so that
// nothing can be swapped in between: not a link, owned by us, owner-only.
struct PrivateFolderT {
  int fd = -1;
  ~PrivateFolderT() {
    if (fd >= 0) close(fd);
  }
};

// A folder that cannot be made safe means the preview file cannot be
// created; the message names that file.
[[noreturn]] void FolderFails(const std::string& path, int error) {
  throw HtmlFileError(path + "/" + kPreviewName, SystemReason(error));
}

void OpenPrivateFolder(PrivateFolderT& folder, const std::string& path) {
  if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) FolderFails(path, errno);
  folder.fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (folder.fd < 0) FolderFails(path, errno);
  struct stat st {};
  if (fstat(folder.fd, &st) != 0) FolderFails(path, errno);
  if (!S_ISDIR(st.st_mode) || st.st_uid != getuid()) FolderFails(path, EPERM);
  if ((st.st_mode & 077) != 0 && fchmod(folder.fd, 0700) != 0) FolderFails(path, errno);
}
#endif

}  // namespace

std::filesystem::path PreviewFolder() {
#ifdef _WIN32
  std::error_code ec;
  std::filesystem::path tmp = std::filesystem::temp_directory_path(ec);
  if (ec) throw HtmlFileError(kPreviewName, ec.message());
  return tmp;
#else
  const std::string path = NativeFolderName();
  PrivateFolderT folder;
  OpenPrivateFolder(folder, path);
  return path;
#endif
}

std::filesystem::path PreviewFileName() { return PreviewFolder() / kPreviewName; }

std::filesystem::path WriteHtmlPreview(const HtmlGridDataT& grid, const THTMLSettings& settings) {
  const std::string text = HtmlFileText(grid, settings);
  std::string reason;
#ifdef _WIN32
  const std::filesystem::path path = PreviewFileName();
  if (!SaveWholeFile(path, text, reason)) throw HtmlFileError(path, reason);
  return path;
#else
  const std::string folderName = NativeFolderName();
  PrivateFolderT folder;
  OpenPrivateFolder(folder, folderName);
  const std::filesystem::path path = std::filesystem::path(folderName) / kPreviewName;
  if (!SaveWholeFileAt(folder.fd, kPreviewName, text, 0600, reason)) throw HtmlFileError(path, reason);
  return path;
#endif
}
