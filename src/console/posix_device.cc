#ifndef _WIN32

#include "console/posix_device.h"

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

// Set once at start-up, read by the exit and signal paths.
struct termios saved_settings;
bool settings_saved = false;
bool output_terminal = false;

constexpr char RESET_ATTRIBUTES[] = "\x1b[0m";

int set_terminal(const struct termios& settings) {
  int result;
  do {
    result = tcsetattr(STDIN_FILENO, TCSADRAIN, &settings);
  } while (result != 0 && errno == EINTR);
  return result;
}

// Putting the user's settings back must never fail the program: at this point
// there is nothing better to do than to carry on.
void restore_terminal() {
  if (settings_saved) (void)set_terminal(saved_settings);
}

// Only async-signal-safe work here: restore the settings, reset the colours,
// then die of the same signal with its default action.
void on_fatal_signal(int signal_number) {
  const int saved_errno = errno;
  restore_terminal();
  if (output_terminal && signal_number != SIGHUP) {
    (void)!::write(STDOUT_FILENO, RESET_ATTRIBUTES, sizeof RESET_ATTRIBUTES - 1);
  }
  errno = saved_errno;
  ::signal(signal_number, SIG_DFL);
  ::raise(signal_number);
}

void install_signal_handlers() {
  struct sigaction action {};
  action.sa_handler = on_fatal_signal;
  sigemptyset(&action.sa_mask);
  for (int signal_number : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal_number, &action, nullptr);
}

bool is_terminal_output() {
  if (!isatty(STDOUT_FILENO)) return false;
  const char* term = std::getenv("TERM");
  return term == nullptr || std::strcmp(term, "dumb") != 0;
}

}  // namespace

PosixDevice::PosixDevice() {
  // A reader that goes away must not kill the program: the write simply fails.
  ::signal(SIGPIPE, SIG_IGN);
  output_terminal_ = is_terminal_output();
  output_terminal = output_terminal_;
  input_terminal_ = isatty(STDIN_FILENO) && tcgetattr(STDIN_FILENO, &saved_settings) == 0;
  if (input_terminal_) {
    settings_saved = true;
    std::atexit(restore_terminal);
    key_mode_ = saved_settings;
    // Input: no flow control (Ctrl+S, Ctrl+Q reach us), Enter arrives as 13
    // (no CR to NL), no NL or CR translation, no break signal, 8-bit bytes.
    key_mode_.c_iflag &= ~(IXON | IXOFF | ICRNL | INLCR | IGNCR | BRKINT | ISTRIP | INPCK);
    // Local: no echo, no line editing, no signal keys (Ctrl+C arrives as 3),
    // no Ctrl+V literal-next processing.
    key_mode_.c_lflag &= ~(ECHO | ICANON | ISIG | IEXTEN);
    // A read returns as soon as one byte is there; timing is done with poll.
    key_mode_.c_cc[VMIN] = 1;
    key_mode_.c_cc[VTIME] = 0;
    // Output processing (NL to CR NL) stays on: the screens write "\n".
  }
  install_signal_handlers();
}

PosixDevice::~PosixDevice() { restore_terminal(); }

void PosixDevice::begin_key_read() {
  if (input_terminal_) (void)set_terminal(key_mode_);
}

void PosixDevice::end_key_read() { restore_terminal(); }

long PosixDevice::read(char* buffer, size_t capacity, int timeout_ms) {
  for (;;) {
    if (timeout_ms >= 0) {
      struct pollfd input {STDIN_FILENO, POLLIN, 0};
      const int ready = poll(&input, 1, timeout_ms);
      if (ready == 0) return -1;
      if (ready < 0 && errno != EINTR) return 0;
      if (ready < 0) continue;
    }
    const ssize_t got = ::read(STDIN_FILENO, buffer, capacity);
    if (got >= 0) return got;
    if (errno == EINTR) continue;
    if (errno == EAGAIN || errno == EWOULDBLOCK) {
      struct pollfd input {STDIN_FILENO, POLLIN, 0};
      (void)poll(&input, 1, -1);
      continue;
    }
    return 0;  // a terminal that is gone, or any other failure: the input has ended
  }
}

void PosixDevice::write(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t put = ::write(STDOUT_FILENO, bytes.data(), bytes.size());
    if (put > 0) {
      bytes.remove_prefix(static_cast<size_t>(put));
    } else if (put < 0 && errno == EINTR) {
      continue;
    } else if (put < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      struct pollfd output {STDOUT_FILENO, POLLOUT, 0};
      (void)poll(&output, 1, -1);
    } else {
      return;  // errors while writing to the console are not reported
    }
  }
}

#endif  // _WIN32
