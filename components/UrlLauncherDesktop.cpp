#ifndef _WIN32
#include "components/UrlLauncherDesktop.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include "components/UrlLauncher.h"
#include "components/UrlLauncherCmdLine.h"
#include "components/UrlLauncherXdg.h"
#include "util/cp1252.h"

extern char** environ;

namespace {
constexpr unsigned kErrOutOfResources = 0;
constexpr unsigned kErrFileNotFound = 2;
constexpr unsigned kErrPathNotFound = 3;
constexpr unsigned kErrAccessDenied = 5;
constexpr unsigned kErrBadFormat = 11;
// Fallback bound for closing inherited descriptors one by one.
constexpr long kMaxFdsToClose = 65536;

unsigned ExecErrorOf(int err) {
  switch (err) {
    case ENOENT: return kErrFileNotFound;
    case ENOTDIR: return kErrPathNotFound;
    case EACCES:
    case EPERM: return kErrAccessDenied;
    case ENOEXEC: return kErrBadFormat;
    default: return kErrOutOfResources;
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

  // The error pipe may have landed on a standard descriptor if the program
  // runs with some of them closed; keep it clear of stdin.
  if (errorFd <= STDERR_FILENO) {
    const int moved = fcntl(errorFd, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
    if (moved >= 0) errorFd = moved;
  }
  // The browser gets no input from us and none of our open files.
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

class TDesktopUrlPlatform : public TUrlPlatform {
 public:
  long ReadDefaultValue(TRegKey root, const std::string& subKey, std::string& value) override;
  unsigned StartProgram(const std::string& commandLine, int showCmd) override;
};

std::string LowerAscii(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

long TDesktopUrlPlatform::ReadDefaultValue(TRegKey root, const std::string& subKey,
                                           std::string& value) {
  static const std::string kOpenCommand = "\\shell\\open\\command";
  if (root != kHKeyClassesRoot) return kErrorFileNotFound;
  const XdgDirsT dirs = ReadXdgDirs();
  const std::string key = LowerAscii(subKey);
  if (key == ".htm") {
    const std::string handler = FindDefaultHandler(dirs, "text/html");
    if (handler.empty()) return kErrorFileNotFound;
    value = Utf8ToAnsi(handler);
    return 0;
  }
  if (key.size() > kOpenCommand.size() &&
      key.compare(key.size() - kOpenCommand.size(), kOpenCommand.size(), kOpenCommand) == 0) {
    const std::string handler = AnsiToUtf8(subKey.substr(0, subKey.size() - kOpenCommand.size()));
    const std::string path = FindDesktopFile(dirs, handler);
    std::string exec;
    if (path.empty() || !ReadDesktopExec(path, exec)) return kErrorFileNotFound;
    value = Utf8ToAnsi(ExecToOpenCommand(exec));
    return 0;
  }
  return kErrorFileNotFound;
}

// The show command has no meaning for a desktop process start.
unsigned TDesktopUrlPlatform::StartProgram(const std::string& commandLine, int /*showCmd*/) {
  std::vector<std::string> argv;
  for (const auto& arg : SplitCommandLine(commandLine)) argv.push_back(AnsiToUtf8(arg));
  return StartDetached(argv);
}
}  // namespace

std::string FindProgram(const std::string& name) {
  if (name.empty()) return std::string();
  if (name.find('/') != std::string::npos) return IsRunnableFile(name) ? name : std::string();
  const char* env = std::getenv("PATH");
  const std::string path = env && *env ? env : "/usr/local/bin:/usr/bin:/bin";
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find(':', start);
    if (end == std::string::npos) end = path.size();
    const std::string dir = path.substr(start, end - start);
    start = end + 1;
    if (dir.empty()) continue;
    const std::string candidate = dir + "/" + name;
    if (IsRunnableFile(candidate)) return candidate;
  }
  return std::string();
}

unsigned StartDetached(const std::vector<std::string>& argv) {
  if (argv.empty()) return kErrFileNotFound;
  const std::string program = FindProgram(argv[0]);
  if (program.empty()) return kErrFileNotFound;

  // Everything the children need is prepared here: after fork they may not
  // allocate.
  std::vector<char*> cargv;
  for (const auto& a : argv) cargv.push_back(const_cast<char*>(a.c_str()));
  cargv.push_back(nullptr);
  const long openMax = sysconf(_SC_OPEN_MAX);
  const long maxFd = openMax > 0 && openMax < kMaxFdsToClose ? openMax : kMaxFdsToClose;

  // The grandchild reports a failed exec through this pipe; a successful
  // exec closes it empty.
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return kErrOutOfResources;

  const pid_t child = fork();
  if (child < 0) {
    close(fds[0]);
    close(fds[1]);
    return kErrOutOfResources;
  }
  if (child == 0) {
    close(fds[0]);
    const pid_t grandchild = fork();
    if (grandchild == 0) ExecChild(program.c_str(), cargv.data(), fds[1], maxFd);
    if (grandchild < 0) {
      const int err = errno;
      (void)!write(fds[1], &err, sizeof err);
    }
    // The browser is handed to init: this process never waits for it.
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
  if (got == static_cast<ssize_t>(sizeof err)) return ExecErrorOf(err);
  return kExecOk;
}

TUrlPlatform& SystemUrlPlatform() {
  static TDesktopUrlPlatform platform;
  return platform;
}
#endif
