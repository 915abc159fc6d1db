#include "cli/module_check.h"

#ifdef _WIN32

std::string ModuleProblem(const std::filesystem::path&, uint32_t) { return {}; }

bool ProgramOwner(uint32_t& owner) {
  owner = 0;
  return true;
}

#else

#include <elf.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "util/ErrorText.h"

namespace {

#if UINTPTR_MAX > 0xFFFFFFFFu
using EhdrT = Elf64_Ehdr;
using PhdrT = Elf64_Phdr;
constexpr unsigned char kElfClass = ELFCLASS64;
#else
using EhdrT = Elf32_Ehdr;
using PhdrT = Elf32_Phdr;
constexpr unsigned char kElfClass = ELFCLASS32;
#endif

// Whether [offset, offset + count * size) lies inside a file of fileSize bytes.
bool Inside(uint64_t offset, uint64_t count, uint64_t size, uint64_t fileSize) {
  if (count != 0 && size > UINT64_MAX / count) return false;
  const uint64_t length = count * size;
  return offset <= fileSize && length <= fileSize - offset;
}

bool ReadAt(int fd, void* data, size_t size, uint64_t offset) {
  auto* bytes = static_cast<char*>(data);
  while (size > 0) {
    const ssize_t n = pread(fd, bytes, size, static_cast<off_t>(offset));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes += n;
    size -= static_cast<size_t>(n);
    offset += static_cast<uint64_t>(n);
  }
  return true;
}

// A file that the loader would map past its end is cut short: mapping it
// ends the program with a bus error, so it is refused before.
std::string ElfProblem(int fd, uint64_t fileSize) {
  EhdrT header;
  if (fileSize < sizeof header || !ReadAt(fd, &header, sizeof header, 0) ||
      std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0)
    return "it is no ELF shared object";
  if (header.e_ident[EI_CLASS] != kElfClass || header.e_type != ET_DYN || header.e_phentsize != sizeof(PhdrT))
    return "it is no shared object of this program's kind";
  if (!Inside(header.e_phoff, header.e_phnum, sizeof(PhdrT), fileSize) ||
      (header.e_shnum != 0 && !Inside(header.e_shoff, header.e_shnum, header.e_shentsize, fileSize)))
    return "it is cut short (its headers lie past its " + std::to_string(fileSize) + " bytes)";
  for (uint64_t i = 0; i < header.e_phnum; ++i) {
    PhdrT segment;
    if (!ReadAt(fd, &segment, sizeof segment, header.e_phoff + i * sizeof segment))
      return "it cannot be read: " + SystemReason(errno == 0 ? EIO : errno);
    if (segment.p_type == PT_LOAD && !Inside(segment.p_offset, 1, segment.p_filesz, fileSize))
      return "it is cut short (a segment lies past its " + std::to_string(fileSize) + " bytes)";
  }
  return {};
}

// Owned by root or owner, and writable by no one else; a sticky folder lets
// no one replace another's entries.
std::string TrustProblem(const struct stat& st, const std::string& what, uint32_t owner) {
  if (st.st_uid != 0 && st.st_uid != owner)
    return what + " is owned by user " + std::to_string(st.st_uid) + ", neither root nor the program's owner";
  const bool sticky = S_ISDIR(st.st_mode) && (st.st_mode & S_ISVTX) != 0;
  if ((st.st_mode & S_IWOTH) != 0 && !sticky) return what + " is writable by others";
  if ((st.st_mode & S_IWGRP) != 0 && !sticky) return what + " is writable by its group";
  return {};
}

}  // namespace

std::string ModuleProblem(const std::filesystem::path& module, uint32_t owner) {
  char* resolved = realpath(module.c_str(), nullptr);
  if (resolved == nullptr) return "it cannot be found: " + SystemReason(errno);
  const std::filesystem::path real(resolved);
  std::free(resolved);
  const int fd = open(real.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return "it cannot be opened: " + SystemReason(errno);
  struct stat st {};
  std::string problem;
  if (fstat(fd, &st) != 0) problem = "it cannot be read: " + SystemReason(errno);
  else if (!S_ISREG(st.st_mode)) problem = "it is no regular file";
  else problem = TrustProblem(st, "it", owner);
  if (problem.empty()) problem = ElfProblem(fd, static_cast<uint64_t>(st.st_size));
  close(fd);
  if (!problem.empty()) return problem;
  for (std::filesystem::path folder = real.parent_path();; folder = folder.parent_path()) {
    struct stat dir {};
    if (stat(folder.c_str(), &dir) != 0) return "the folder " + ShownPath(folder) + " cannot be read";
    problem = TrustProblem(dir, "the folder " + ShownPath(folder), owner);
    if (!problem.empty()) return problem;
    if (folder == folder.root_path() || !folder.has_relative_path()) break;
  }
  return {};
}

bool ProgramOwner(uint32_t& owner) {
  struct stat st {};
  if (stat("/proc/self/exe", &st) != 0) return false;
  owner = st.st_uid;
  return true;
}

#endif
