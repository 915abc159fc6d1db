#ifndef _WIN32
#include "util/process.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {
// Fallback bound for closing inherited descriptors one by one.
constexpr long kMaxFdsToClose = 65536;

StartErrorT StartErrorOf(int err) {
  switch (err) {
    case ENOENT: return StartErrorT::kNotFound;
    case ENOTDIR: return StartErrorT::kPathNotFound;
    case EACCES:
    case EPERM: return StartErrorT::kDenied;
    case ENOEXEC: return StartErrorT::kBadFormat;
    default: return StartErrorT::kResources;
  }
}

bool IsRunnableFile(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

void CloseFrom(unsigned first, unsigned last, long maxFd) {
  if (first > last) return;
#ifdef SYS_close_range
  if (syscall(SYS_close_range, first, last, 0u) == 0) return;
#endif
  for (long fd = first; fd <= static_cast<long>(last) && fd < maxFd; ++fd) close(static_cast<int>(fd));
}

// Runs in the forked grandchild: only async-signal-safe calls from here on.
[[noreturn]] void ExecChild(const char* program, char* const* argv, int errorFd, long maxFd) {
  setsid();
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  struct sigaction dfl {};
  dfl.sa_handler = SIG_DFL;
  sigemptyset(&dfl.sa_mask);
  sigaction(SIGPIPE, &dfl, nullptr);

  // The error pipe may have landed on a standard descriptor if this process
  // runs with some of them closed; keep it clear of stdin.
  if (errorFd <= STDERR_FILENO) {
    const int moved = fcntl(errorFd, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
    if (moved >= 0) errorFd = moved;
  }
  // The program gets no input from us and none of our open files.
  const int devNull = open("/dev/null", O_RDONLY);
  if (devNull >= 0 && devNull != STDIN_FILENO) {
    dup2(devNull, STDIN_FILENO);
    close(devNull);
  }
  const auto fd = static_cast<unsigned>(errorFd);
  if (fd > 3) CloseFrom(3, fd - 1, maxFd);
  CloseFrom(fd + 1, ~0u, maxFd);

  execve(program, argv, environ);
  const int err = errno;
  (void)!write(errorFd, &err, sizeof err);
  _exit(127);
}
}  // namespace

std::string FindProgramIn(const std::string& name, const std::string& searchPath) {
  if (name.empty()) return std::string();
  if (name.find('/') != std::string::npos) return IsRunnableFile(name) ? name : std::string();
  std::size_t start = 0;
  while (start <= searchPath.size()) {
    std::size_t end = searchPath.find(':', start);
    if (end == std::string::npos) end = searchPath.size();
    const std::string dir = searchPath.substr(start, end - start);
    start = end + 1;
    if (dir.empty()) continue;
    const std::string candidate = dir + "/" + name;
    if (IsRunnableFile(candidate)) return candidate;
  }
  return std::string();
}

std::string FindProgram(const std::string& name) {
  const char* env = std::getenv("PATH");
  return FindProgramIn(name, env && *env ? env : "/usr/local/bin:/usr/bin:/bin");
}

StartErrorT StartDetached(const std::string& program, const std::vector<std::string>& args) {
  const std::string file = FindProgram(program);
  if (file.empty()) return StartErrorT::kNotFound;

  // Everything the children need is prepared here: after fork they may not
  // allocate.
  std::vector<char*> cargv;
  cargv.push_back(const_cast<char*>(program.c_str()));
  for (const auto& a : args) cargv.push_back(const_cast<char*>(a.c_str()));
  cargv.push_back(nullptr);
  const long openMax = sysconf(_SC_OPEN_MAX);
  const long maxFd = openMax > 0 && openMax < kMaxFdsToClose ? openMax : kMaxFdsToClose;

  // The grandchild reports a failed exec through this pipe; a successful
  // exec closes it empty.
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return StartErrorT::kResources;

  const pid_t child = fork();
  if (child < 0) {
    close(fds[0]);
    close(fds[1]);
    return StartErrorT::kResources;
  }
  if (child == 0) {
    close(fds[0]);
    const pid_t grandchild = fork();
    if (grandchild == 0) ExecChild(file.c_str(), cargv.data(), fds[1], maxFd);
    if (grandchild < 0) {
      const int err = errno;
      (void)!write(fds[1], &err, sizeof err);
    }
    // The program is handed to init: this process never waits for it.
    _exit(0);
  }

  close(fds[1]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  int err = 0;
  ssize_t got;
  do {
    got = read(fds[0], &err, sizeof err);
  } while (got < 0 && errno == EINTR);
  close(fds[0]);
  if (got == static_cast<ssize_t>(sizeof err)) return StartErrorOf(err);
  return StartErrorT::kNone;
}
#endif
