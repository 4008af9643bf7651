#include "support/run_program.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <utmp.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <system_error>

// The unit-test executable shares this file but runs no program.
#ifndef CHEMTERM_BINARY
#define CHEMTERM_BINARY ""
#endif
#ifndef CHEMTERM_PROBE
#define CHEMTERM_PROBE ""
#endif
#ifndef CHEMTERM_SOURCE_DIR
#define CHEMTERM_SOURCE_DIR "."
#endif

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

// ---- Child processes --------------------------------------------------------

[[noreturn]] void fail(const std::string& what) {
  throw std::system_error(errno, std::generic_category(), what);
}

// argv and envp built before the fork: between fork and exec the child only
// makes system calls.
struct ExecPlan {
  std::string dir;
  std::vector<std::string> strings_argv;
  std::vector<std::string> strings_env;
  std::vector<char*> argv;
  std::vector<char*> envp;
};

ExecPlan make_plan(const std::string& program, const std::string& dir,
                   const std::vector<std::string>& args,
                   const std::vector<std::string>& extra_env = {}) {
  if (program.empty()) throw std::runtime_error("no program to run in this test executable");
  ExecPlan plan;
  plan.dir = dir;
  plan.strings_argv.push_back(program);
  plan.strings_argv.insert(plan.strings_argv.end(), args.begin(), args.end());
  plan.strings_env = {"TERM=xterm", "PATH=/usr/local/bin:/usr/bin:/bin", "HOME=" + dir};
  plan.strings_env.insert(plan.strings_env.end(), extra_env.begin(), extra_env.end());
  for (std::string& s : plan.strings_argv) plan.argv.push_back(s.data());
  plan.argv.push_back(nullptr);
  for (std::string& s : plan.strings_env) plan.envp.push_back(s.data());
  plan.envp.push_back(nullptr);
  return plan;
}

// The program the pipe tests run: the one built beside them, or the one named
// by CHEMTERM_TEST_BINARY (an installed copy, or the Windows build), started
// through CHEMTERM_TEST_RUNNER when that names one (an emulator such as
// wine64, which also gets the test's own WINE* variables).
ExecPlan make_piped_plan(const std::string& dir, const std::vector<std::string>& args) {
  const char* binary = std::getenv("CHEMTERM_TEST_BINARY");
  const char* runner = std::getenv("CHEMTERM_TEST_RUNNER");
  if (binary == nullptr || *binary == '\0') binary = CHEMTERM_BINARY;
  // The child changes its folder before the exec: relative paths would miss.
  const std::string program = *binary == '\0' ? "" : fs::absolute(binary).string();
  if (runner == nullptr || *runner == '\0') return make_plan(program, dir, args);
  std::vector<std::string> runner_args{program};
  runner_args.insert(runner_args.end(), args.begin(), args.end());
  std::vector<std::string> wine_env;
  for (char** variable = environ; *variable != nullptr; ++variable) {
    if (std::strncmp(*variable, "WINE", 4) == 0) wine_env.emplace_back(*variable);
  }
  return make_plan(fs::absolute(runner).string(), dir, runner_args, wine_env);
}

// In the child after the fork: set up and exec, or end with 127.
[[noreturn]] void exec_child(const ExecPlan& plan) {
  // The tests ignore SIGPIPE; the program starts with the default, as from a shell.
  ::signal(SIGPIPE, SIG_DFL);
  if (::chdir(plan.dir.c_str()) == 0) ::execve(plan.argv[0], plan.argv.data(), plan.envp.data());
  ::_exit(127);
}

int status_of(int wait_status) {
  if (WIFEXITED(wait_status)) return WEXITSTATUS(wait_status);
  if (WIFSIGNALED(wait_status)) return 128 + WTERMSIG(wait_status);
  return -1;
}

int ms_until(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return static_cast<int>(std::max<long long>(0, left.count()));
}

void set_nonblocking(int fd) { ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK); }

void close_fd(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

// Waits for `pid` until `deadline`; past it the child is killed. Returns the
// exit status and whether it had to be killed.
std::pair<int, bool> reap_with_deadline(int pid, Clock::time_point deadline) {
  int wait_status = 0;
  for (;;) {
    const pid_t done = ::waitpid(pid, &wait_status, WNOHANG);
    if (done == pid) return {status_of(wait_status), false};
    if (done < 0 && errno != EINTR) return {-1, false};
    if (Clock::now() >= deadline) break;
    // Nothing to poll on for a process: look again in a moment.
    ::poll(nullptr, 0, std::min(5, ms_until(deadline) + 1));
  }
  ::kill(pid, SIGKILL);
  while (::waitpid(pid, &wait_status, 0) < 0 && errno == EINTR) {
  }
  return {status_of(wait_status), true};
}

// Appends what `fd` has to `out`; closes it at its end.
void drain(int& fd, std::string& out) {
  char block[4096];
  for (;;) {
    const ssize_t got = ::read(fd, block, sizeof block);
    if (got > 0) {
      out.append(block, static_cast<size_t>(got));
      continue;
    }
    if (got < 0 && errno == EINTR) continue;
    if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
    close_fd(fd);  // end of the stream, or it is gone
    return;
  }
}

std::string describe_settings(const struct termios& t) {
  char text[128];
  std::snprintf(text, sizeof text, "iflag=%o oflag=%o cflag=%o lflag=%o ispeed=%u ospeed=%u cc=",
                static_cast<unsigned>(t.c_iflag), static_cast<unsigned>(t.c_oflag),
                static_cast<unsigned>(t.c_cflag), static_cast<unsigned>(t.c_lflag),
                static_cast<unsigned>(cfgetispeed(&t)), static_cast<unsigned>(cfgetospeed(&t)));
  std::string result = text;
  for (size_t i = 0; i < NCCS; ++i) {
    if (i > 0) result += ',';
    result += std::to_string(static_cast<unsigned>(t.c_cc[i]));
  }
  return result;
}

}  // namespace

// ---- TempDir ------------------------------------------------------------------

TempDir::TempDir() {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") +
                        "/chemterm-e2e-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) fail("mkdtemp " + pattern);
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

void TempDir::write(const std::string& name, const std::string& content) const {
  std::ofstream file(path_ + "/" + name, std::ios::binary | std::ios::trunc);
  file << content;
  file.close();
  if (!file) throw std::runtime_error("cannot write " + path_ + "/" + name);
}

void TempDir::remove(const std::string& name) const { fs::remove(path_ + "/" + name); }

void TempDir::copy_shipped_data() const {
  const fs::path source = fs::path(CHEMTERM_SOURCE_DIR) / "data";
  for (const fs::directory_entry& entry : fs::directory_iterator(source)) {
    if (entry.is_regular_file()) {
      fs::copy_file(entry.path(), fs::path(path_) / entry.path().filename(),
                    fs::copy_options::overwrite_existing);
    }
  }
}

std::vector<std::string> TempDir::file_names() const {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(path_)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// ---- Through pipes ------------------------------------------------------------

ProgramResult run_piped(const std::string& dir, const std::string& input,
                        std::chrono::milliseconds limit) {
  return run_piped(dir, input, {}, limit);
}

ProgramResult run_piped(const std::string& dir, const std::string& input,
                        const std::vector<std::string>& args, std::chrono::milliseconds limit) {
  // A program that ends before it has read all its input must not kill the
  // test process with SIGPIPE: the write fails with EPIPE instead.
  ::signal(SIGPIPE, SIG_IGN);
  const ExecPlan plan = make_piped_plan(dir, args);
  int in[2], out[2], err[2];
  if (::pipe2(in, O_CLOEXEC) != 0) fail("pipe");
  if (::pipe2(out, O_CLOEXEC) != 0) fail("pipe");
  if (::pipe2(err, O_CLOEXEC) != 0) fail("pipe");
  const Clock::time_point deadline = Clock::now() + limit;
  const pid_t pid = ::fork();
  if (pid < 0) fail("fork");
  if (pid == 0) {
    ::dup2(in[0], STDIN_FILENO);
    ::dup2(out[1], STDOUT_FILENO);
    ::dup2(err[1], STDERR_FILENO);
    exec_child(plan);
  }
  ::close(in[0]);
  ::close(out[1]);
  ::close(err[1]);
  int to_child = in[1], from_child = out[0], errors_from_child = err[0];
  set_nonblocking(to_child);
  set_nonblocking(from_child);
  set_nonblocking(errors_from_child);

  ProgramResult result{"", -1, false, ""};
  size_t written = 0;
  if (input.empty()) close_fd(to_child);
  while (from_child >= 0 || errors_from_child >= 0) {
    if (Clock::now() >= deadline) {
      result.timed_out = true;
      break;
    }
    struct pollfd fds[3];
    nfds_t count = 0;
    if (to_child >= 0) fds[count++] = {to_child, POLLOUT, 0};
    if (from_child >= 0) fds[count++] = {from_child, POLLIN, 0};
    if (errors_from_child >= 0) fds[count++] = {errors_from_child, POLLIN, 0};
    if (::poll(fds, count, ms_until(deadline)) < 0 && errno != EINTR) fail("poll");
    for (nfds_t i = 0; i < count; ++i) {
      if (fds[i].revents == 0) continue;
      if (fds[i].fd == to_child) {
        const ssize_t put = ::write(to_child, input.data() + written, input.size() - written);
        if (put > 0) written += static_cast<size_t>(put);
        const bool gone = put < 0 && errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK;
        if (gone || written == input.size()) close_fd(to_child);  // end of the input
      } else if (fds[i].fd == from_child) {
        drain(from_child, result.output);
      } else {
        drain(errors_from_child, result.error_output);
      }
    }
  }
  // Killed before its pipes close, so that a hung program's status is
  // SIGKILL's and not that of a write into a closed pipe.
  if (result.timed_out) ::kill(pid, SIGKILL);
  close_fd(to_child);
  close_fd(from_child);
  close_fd(errors_from_child);
  const auto [status, killed] = reap_with_deadline(pid, deadline);
  result.exit_status = status;
  result.timed_out = result.timed_out || killed;
  return result;
}

// ---- In a pseudo-terminal ----------------------------------------------------

PtySession::PtySession(const std::string& dir, PtyTarget target, TerminalAdjust adjust) {
  const ExecPlan plan =
      make_plan(target == PtyTarget::CHEMTERM ? CHEMTERM_BINARY : CHEMTERM_PROBE, dir, {});
  struct winsize size {};
  size.ws_row = 25;
  size.ws_col = 80;
  int slave = -1;
  // openpty, fork and login_tty are what forkpty does; done apart so that the
  // settings can be read before the program can change them.
  if (::openpty(&master_, &slave, nullptr, nullptr, &size) != 0) fail("openpty");
  ::fcntl(master_, F_SETFD, FD_CLOEXEC);
  struct termios settings {};
  if (::tcgetattr(slave, &settings) != 0) fail("tcgetattr");
  if (adjust != nullptr) {
    adjust(settings);
    if (::tcsetattr(slave, TCSANOW, &settings) != 0) fail("tcsetattr");
    if (::tcgetattr(slave, &settings) != 0) fail("tcgetattr");
  }
  initial_settings_ = describe_settings(settings);
  pid_ = ::fork();
  if (pid_ < 0) fail("fork");
  if (pid_ == 0) {
    ::close(master_);
    if (::login_tty(slave) != 0) ::_exit(126);
    exec_child(plan);
  }
  ::close(slave);
  set_nonblocking(master_);
}

PtySession::~PtySession() {
  if (pid_ > 0 && exit_status_ < 0) {
    ::kill(pid_, SIGKILL);
    int wait_status = 0;
    while (::waitpid(pid_, &wait_status, 0) < 0 && errno == EINTR) {
    }
  }
  close_fd(master_);
}

void PtySession::read_available(int timeout_ms) {
  if (output_ended_) return;
  struct pollfd fd {master_, POLLIN, 0};
  const int ready = ::poll(&fd, 1, timeout_ms);
  if (ready <= 0) return;
  char block[4096];
  for (;;) {
    const ssize_t got = ::read(master_, block, sizeof block);
    if (got > 0) {
      output_.append(block, static_cast<size_t>(got));
      continue;
    }
    if (got < 0 && errno == EINTR) continue;
    if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
    // EIO (or 0): every slave side is closed, the program has ended.
    output_ended_ = true;
    return;
  }
}

void PtySession::send(const std::string& bytes) {
  const Clock::time_point deadline = Clock::now() + std::chrono::seconds(5);
  size_t written = 0;
  while (written < bytes.size() && Clock::now() < deadline) {
    const ssize_t put = ::write(master_, bytes.data() + written, bytes.size() - written);
    if (put > 0) {
      written += static_cast<size_t>(put);
    } else if (put < 0 && errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK) {
      return;  // the terminal is gone; the test sees it in the output
    } else {
      // The terminal's input queue is full: let the program read while we wait.
      read_available(std::min(10, ms_until(deadline)));
    }
  }
}

bool PtySession::wait_for(const std::string& text, std::chrono::milliseconds limit) {
  const Clock::time_point deadline = Clock::now() + limit;
  for (;;) {
    const size_t found = output_.find(text, matched_);
    if (found != std::string::npos) {
      matched_ = found + text.size();
      return true;
    }
    if (output_ended_ || Clock::now() >= deadline) return false;
    read_available(ms_until(deadline));
  }
}

bool PtySession::wait_for_key_mode(std::chrono::milliseconds limit) {
  // Line mode alone tells a key read: echo is the tests' to check.
  const Clock::time_point deadline = Clock::now() + limit;
  for (;;) {
    struct termios settings {};
    if (::tcgetattr(master_, &settings) == 0 && (settings.c_lflag & ICANON) == 0) {
      return true;
    }
    if (output_ended_ || Clock::now() >= deadline) return false;
    // The settings change without a sign on the master: look again soon,
    // reading whatever output comes meanwhile.
    read_available(std::min(2, ms_until(deadline)));
  }
}

bool PtySession::reap(bool wait) {
  if (exit_status_ >= 0) return true;
  int wait_status = 0;
  const pid_t done = ::waitpid(pid_, &wait_status, wait ? 0 : WNOHANG);
  if (done != pid_) return false;
  exit_status_ = status_of(wait_status);
  return true;
}

int PtySession::wait_exit(std::chrono::milliseconds limit) {
  const Clock::time_point deadline = Clock::now() + limit;
  // The end of the output comes when the program's last descriptor on the
  // terminal closes; read up to there so that nothing it wrote is lost.
  while (!output_ended_ && Clock::now() < deadline) read_available(ms_until(deadline));
  while (!reap(false)) {
    if (Clock::now() >= deadline) return -1;
    ::poll(nullptr, 0, std::min(5, ms_until(deadline) + 1));
  }
  return exit_status_;
}

void PtySession::kill_with(int signal_number) {
  if (exit_status_ < 0) ::kill(pid_, signal_number);
}

std::string PtySession::terminal_settings() const {
  struct termios settings {};
  if (::tcgetattr(master_, &settings) != 0) return std::string("unreadable: ") + std::strerror(errno);
  return describe_settings(settings);
}
