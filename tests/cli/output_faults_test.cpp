// The program itself under injected faults: what it exits with, what it says
// and what every file involved holds afterwards.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

extern char** environ;

namespace {

namespace fs = std::filesystem;

enum class OutT { Pipe, DevFull, Closed };
enum class InT { Null, Closed, Directory, Endless };

struct SetupT {
  OutT out = OutT::Pipe;
  InT in = InT::Null;
  rlim_t fileLimit = RLIM_INFINITY;
  bool ignorePipe = false;
  bool unprivileged = false;   // as another user when run as root, so folder modes count
  bool leaveAfterLine = false; // the reader of standard output goes after one line
  std::vector<std::string> unset;
  std::vector<std::pair<std::string, std::string>> set;
};

struct ResultT {
  int status = -1;  // exit status; -1 when it did not end in time, 128+N for signal N
  std::string out, err;
};

// A writer that feeds batch lines until its reader is gone.
pid_t StartEndlessWriter(int fd, int inPipeReadEnd) {
  const pid_t pid = fork();
  if (pid == 0) {
    signal(SIGPIPE, SIG_DFL);
    close(inPipeReadEnd);
    const std::string lines = [] {
      std::string s;
      for (int i = 0; i < 256; ++i) s += "1.1.2000 2.2.2001\n";
      return s;
    }();
    while (write(fd, lines.data(), lines.size()) > 0) {
    }
    _exit(0);
  }
  return pid;
}

// A child that drops to another user may not reach the checkout (a private
// folder, /root): it runs copies of the program and its window module from a
// folder made for them, which every user can enter.
struct ProgramCopyT {
  fs::path folder, program;
  std::string whyNot;  // empty when the copy is there
  ProgramCopyT() {
    char tmpl[] = "/tmp/orvane-program-XXXXXX";
    if (mkdtemp(tmpl) == nullptr) {
      whyNot = "no folder for a copy of the program: " + std::string(std::strerror(errno));
      return;
    }
    folder = tmpl;
    program = folder / "orvane";
    const fs::perms open = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                           fs::perms::others_read | fs::perms::others_exec;
    std::error_code ec;
    fs::permissions(folder, open, ec);
    fs::copy_file(ORVANE_BINARY, program, ec);
#ifdef ORVANE_MODULE_PATH
    if (!ec) fs::copy_file(ORVANE_MODULE_PATH, folder / fs::path(ORVANE_MODULE_PATH).filename(), ec);
#endif
    if (ec) {
      whyNot = "cannot copy the program to " + folder.native() + ": " + ec.message();
      return;
    }
    for (fs::path p = folder;; p = p.parent_path()) {
      struct stat st {};
      if (stat(p.c_str(), &st) != 0 || (st.st_mode & S_IXOTH) == 0) {
        whyNot = "other users cannot enter " + p.native();
        return;
      }
      if (p == p.root_path()) break;
    }
  }
  ~ProgramCopyT() {
    std::error_code ec;
    if (!folder.empty()) fs::remove_all(folder, ec);
  }
};

const ProgramCopyT& ProgramCopy() {
  static const ProgramCopyT copy;
  return copy;
}

ResultT RunOrvane(const std::vector<std::string>& args, const fs::path& cwd, const SetupT& setup = {}) {
  const bool otherUser = setup.unprivileged && geteuid() == 0;
  const std::string binary = otherUser ? ProgramCopy().program.native() : std::string(ORVANE_BINARY);
  // The writer starts first so that it holds no end of the output pipes.
  int outPipe[2], errPipe[2], inPipe[2] = {-1, -1};
  pid_t writer = -1;
  if (setup.in == InT::Endless) {
    EXPECT_EQ(pipe(inPipe), 0);
    writer = StartEndlessWriter(inPipe[1], inPipe[0]);
  }
  EXPECT_EQ(pipe(outPipe), 0);
  EXPECT_EQ(pipe(errPipe), 0);
  const pid_t pid = fork();
  if (pid == 0) {
    if (chdir(cwd.c_str()) != 0) _exit(120);
    int in = -1;
    if (setup.in == InT::Null) in = open("/dev/null", O_RDONLY);
    if (setup.in == InT::Directory) in = open("/", O_RDONLY | O_DIRECTORY);
    if (setup.in == InT::Endless) in = inPipe[0];
    if (in >= 0) dup2(in, 0);
    else close(0);
    if (setup.out == OutT::Pipe) dup2(outPipe[1], 1);
    else if (setup.out == OutT::DevFull) dup2(open("/dev/full", O_WRONLY), 1);
    else close(1);
    dup2(errPipe[1], 2);
    for (int fd = 3; fd < 64; ++fd) close(fd);
    signal(SIGPIPE, setup.ignorePipe ? SIG_IGN : SIG_DFL);
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{setup.fileLimit, setup.fileLimit};
    setrlimit(RLIMIT_FSIZE, &limit);
    if (setup.unprivileged && geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0))
      _exit(121);
    for (const std::string& name : setup.unset) unsetenv(name.c_str());
    for (const auto& [name, value] : setup.set) setenv(name.c_str(), value.c_str(), 1);
    if (std::find(setup.unset.begin(), setup.unset.end(), "QT_QPA_PLATFORM") == setup.unset.end())
      setenv("QT_QPA_PLATFORM", "offscreen", 1);
    std::vector<char*> argv{const_cast<char*>(binary.c_str())};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execve(binary.c_str(), argv.data(), environ);
    _exit(122);
  }
  close(outPipe[1]);
  close(errPipe[1]);
  if (inPipe[0] >= 0) close(inPipe[0]), close(inPipe[1]);
  ResultT r;
  pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
  std::string* sinks[2] = {&r.out, &r.err};
  // Generous: this only keeps a hanging program from hanging the suite.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  bool timedOut = false;
  while (fds[0].fd >= 0 || fds[1].fd >= 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      timedOut = true;
      kill(pid, SIGKILL);
      break;
    }
    if (poll(fds, 2, 1000) <= 0) continue;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      char buf[65536];
      const ssize_t n = read(fds[i].fd, buf, sizeof buf);
      if (n > 0) sinks[i]->append(buf, static_cast<size_t>(n));
      const bool leave = i == 0 && setup.leaveAfterLine && r.out.find('\n') != std::string::npos;
      if (n <= 0 || leave) {
        close(fds[i].fd);
        fds[i].fd = -1;
      }
    }
  }
  for (const pollfd& p : fds)
    if (p.fd >= 0) close(p.fd);
  int status = 0;
  waitpid(pid, &status, 0);
  if (writer > 0) {
    kill(writer, SIGKILL);
    waitpid(writer, nullptr, 0);
  }
  r.status = timedOut ? -1 : WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return r;
}

std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Every entry of a folder with its bytes (links as "-> target").
std::map<std::string, std::string> Listing(const fs::path& dir) {
  std::map<std::string, std::string> all;
  for (const auto& e : fs::directory_iterator(dir)) {
    const std::string name = e.path().filename().native();
    all[name] = e.is_symlink() ? "-> " + fs::read_symlink(e.path()).native() : ReadAll(e.path());
  }
  return all;
}

struct OutputFaults : ::testing::Test {
  void SetUp() override {
    char tmpl[] = "/tmp/orvane-faults-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir = tmpl;
    fs::permissions(dir, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                             fs::perms::others_read | fs::perms::others_exec);
  }
  void TearDown() override {
    std::error_code ec;
    for (const auto& e : fs::recursive_directory_iterator(dir, ec))
      if (e.is_directory() && !e.is_symlink()) fs::permissions(e.path(), fs::perms::owner_all, ec);
    fs::remove_all(dir, ec);
  }
  fs::path dir;
};

const std::string kOld(5000, 'o');

TEST_F(OutputFaults, AFailedWriteKeepsTheOldFileWhole) {
  for (const char* option : {"--html", "--screenshot"}) {
    SCOPED_TRACE(option);
    fs::create_directories(dir / "ro");
    std::ofstream(dir / "ä€.out", std::ios::binary) << kOld;
    std::ofstream(dir / "ro" / "cal.out", std::ios::binary) << kOld;

    SetupT limited;
    limited.fileLimit = 1024;
    ResultT r = RunOrvane({option, "ä€.out", "1.2.2021"}, dir, limited);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "orvane: cannot write ä€.out: File too large\n");

    fs::permissions(dir / "ro", fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                                    fs::perms::others_exec);
    if (geteuid() == 0 && !ProgramCopy().whyNot.empty()) GTEST_SKIP() << ProgramCopy().whyNot;
    SetupT unprivileged;
    unprivileged.unprivileged = true;
    r = RunOrvane({option, "ro/cal.out", "1.2.2021"}, dir, unprivileged);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "orvane: cannot write ro/cal.out: Permission denied\n");
    fs::permissions(dir / "ro", fs::perms::owner_all);

    // Old bytes untouched, no temporary file anywhere.
    EXPECT_EQ(Listing(dir / "ro"), (std::map<std::string, std::string>{{"cal.out", kOld}}));
    fs::remove_all(dir / "ro");
    EXPECT_EQ(Listing(dir), (std::map<std::string, std::string>{{"ä€.out", kOld}}));
    fs::remove(dir / "ä€.out");
  }
}

TEST_F(OutputFaults, TheFileNamedIsTheFileWritten) {
  std::ofstream(dir / "victim", std::ios::binary) << kOld;
  fs::create_symlink(dir / "victim", dir / "link.htm");
  const std::string names[] = {"ä€.htm", "x\xff\xfe.htm", "link.htm"};
  for (const std::string& name : names) {
    const ResultT r = RunOrvane({"--html", name, "1.2.2021"}, dir);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
  }
  const auto all = Listing(dir);
  EXPECT_EQ(all.size(), 4u);
  EXPECT_EQ(all.at("victim"), kOld);  // the link was replaced, not written through
  for (const std::string& name : names) {
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir / name))) << name;
    EXPECT_EQ(all.at(name).rfind("<table border=\"1\"", 0), 0u) << name;
  }
  // A name that is not UTF-8 is shown escaped, never as raw bytes.
  const ResultT r = RunOrvane({"--html", "no/x\xff\x1b.htm"}, dir);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "orvane: cannot write no/x\\xff\\x1b.htm: No such file or directory\n");
}

TEST_F(OutputFaults, ALostStandardOutputIsAnError) {
  const std::vector<std::vector<std::string>> commands = {
      {"--json"}, {"--print"}, {"--version"}, {"--help"}, {"--json", "--batch"}, {"--print", "--batch"}};
  for (const auto& args : commands) {
    SCOPED_TRACE(args.front() + " " + args.back());
    SetupT setup;
    setup.in = InT::Endless;
    setup.out = OutT::DevFull;
    ResultT r = RunOrvane(args, dir, setup);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "orvane: cannot write standard output: No space left on device\n");
    setup.out = OutT::Closed;
    r = RunOrvane(args, dir, setup);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "orvane: cannot write standard output: Bad file descriptor\n");
  }
  // A reader that leaves, with SIGPIPE ignored as service managers do: the
  // endless batch stops at the first failed write.
  SetupT setup;
  setup.in = InT::Endless;
  setup.ignorePipe = true;
  setup.leaveAfterLine = true;
  const ResultT r = RunOrvane({"--json", "--batch"}, dir, setup);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "orvane: cannot write standard output: Broken pipe\n");
  EXPECT_EQ(r.out.rfind("{\"date1\":{\"day\":1,\"month\":1,\"year\":2000}", 0), 0u);
  EXPECT_TRUE(Listing(dir).empty());
}

TEST_F(OutputFaults, AnUnreadableStandardInputIsAnError) {
  for (const InT in : {InT::Closed, InT::Directory}) {
    SetupT setup;
    setup.in = in;
    const ResultT r = RunOrvane({"--json", "--batch"}, dir, setup);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, in == InT::Closed ? "orvane: cannot read standard input: Bad file descriptor\n"
                                       : "orvane: cannot read standard input: Is a directory\n");
  }
}

TEST_F(OutputFaults, UsageErrorsExitTwoWithOneLineAndWriteNothing) {
  const std::vector<std::vector<std::string>> commands = {
      {"--html="}, {"--screenshot="}, {"--html", ""}, {"--json", "--html", "cal.htm"},
      {"--screenshot", "cal.png", "--print"}, {"--batch", "--html", "cal.htm"}, {"--batch"}};
  for (const auto& args : commands) {
    const ResultT r = RunOrvane(args, dir);
    EXPECT_EQ(r.status, 2) << args.front();
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_EQ(r.err.rfind("orvane: ", 0), 0u) << r.err;
  }
  SetupT noDisplay;
  noDisplay.unset = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};
  const ResultT r = RunOrvane({}, dir, noDisplay);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "orvane: no display found; use --print or set DISPLAY\n");
  // A display that is named but cannot be reached is no display either.
  SetupT deadDisplay = noDisplay;
  deadDisplay.set = {{"DISPLAY", "/nonexistent/X0:0"}};
  const ResultT dead = RunOrvane({}, dir, deadDisplay);
  EXPECT_EQ(dead.status, 2);
  EXPECT_EQ(dead.err, "orvane: no display found; use --print or set DISPLAY\n");
  EXPECT_TRUE(Listing(dir).empty());
}

TEST_F(OutputFaults, RepairedDatesAreNotedUnlessQuiet) {
  ResultT r = RunOrvane({"--json", "--fields", "date1", "--today", "7.12.2026", "1/1/2000", "1.1.2000"}, dir);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "{\"date1\":{\"day\":24,\"month\":7,\"year\":2333}}\n");
  EXPECT_EQ(r.err, "orvane: date 1 \"1/1/2000\" read as 24.07.2333\n");
  r = RunOrvane({"--html", "cal.htm", "--quiet", "--today", "7.12.2026", "31.2.2001"}, dir);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  SetupT german;
  german.set = {{"LC_ALL", "de_DE.UTF-8"}};
  r = RunOrvane({"--print", "--today", "7.12.2026", "0", "31.2.2001"}, dir, german);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "orvane: Datum 2 \"31.2.2001\" gelesen als 03.03.2001\n");
}

TEST_F(OutputFaults, AWriteRemovesOldLeftoversOfKilledRuns) {
  for (const char* option : {"--html", "--screenshot"}) {
    SCOPED_TRACE(option);
    std::ofstream(dir / ".orvane-abcdefghij.tmp") << "partial";
    fs::last_write_time(dir / ".orvane-abcdefghij.tmp", fs::file_time_type::clock::now() - std::chrono::minutes(5));
    std::ofstream(dir / ".orvane-0123456789.tmp") << "under way";
    const ResultT r = RunOrvane({option, "out.file", "1.2.2021"}, dir);
    EXPECT_EQ(r.status, 0) << r.err;
    const auto all = Listing(dir);
    EXPECT_EQ(all.count(".orvane-abcdefghij.tmp"), 0u);
    EXPECT_EQ(all.count(".orvane-0123456789.tmp"), 1u);
    EXPECT_EQ(all.count("out.file"), 1u);
  }
}

}  // namespace
