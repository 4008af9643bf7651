#pragma once
// Helpers for the end-to-end tests: a fresh folder with data files, and the
// real binary run in it through pipes or in a pseudo-terminal.
//
// Every wait has a deadline: a program that hangs fails its test and is
// killed, it never stops the test run.

#include <chrono>
#include <string>
#include <vector>

/// A temporary folder, removed with everything in it when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  /// Writes `content` to the file `name` in the folder.
  void write(const std::string& name, const std::string& content) const;
  void remove(const std::string& name) const;
  /// Copies every file of the repository's data/ folder into this folder.
  void copy_shipped_data() const;
  /// The names of the files in the folder, sorted.
  std::vector<std::string> file_names() const;

 private:
  std::string path_;
};

struct ProgramResult {
  std::string output;  // everything the program wrote to standard output
  int exit_status;     // exit code, or 128 + signal when it was killed
  bool timed_out;      // killed after the time limit
  std::string error_output;  // everything it wrote to standard error
};

/// Runs the chemterm binary in `dir` with `input` as its standard input (a
/// pipe closed after the input) and its standard output captured through a
/// pipe. Killed after `limit`. The environment holds only TERM=xterm, PATH
/// and HOME (the folder itself).
ProgramResult run_piped(const std::string& dir, const std::string& input,
                        std::chrono::milliseconds limit = std::chrono::seconds(10));

/// The same with command-line arguments after the program name.
ProgramResult run_piped(const std::string& dir, const std::string& input,
                        const std::vector<std::string>& args,
                        std::chrono::milliseconds limit = std::chrono::seconds(10));

/// Which program a PtySession runs.
enum class PtyTarget {
  CHEMTERM,       // the program itself
  CONSOLE_PROBE,  // prints "ready\n", then the code of every key it reads, one per line
};

struct termios;

/// Changes the settings a pseudo-terminal starts with, before the program runs.
using TerminalAdjust = void (*)(struct termios& settings);

/// The chemterm binary (or the console probe) in a pseudo-terminal of 80x25,
/// with TERM=xterm, PATH and HOME (the folder) as its whole environment and
/// `dir` as its working directory. The terminal starts with the system's
/// default settings (line mode, echo, signal keys, NL to CR NL on output), so
/// the program's output is read back with "\r\n" line ends. `adjust`, when
/// given, changes those settings first, as a user's own settings would.
class PtySession {
 public:
  explicit PtySession(const std::string& dir, PtyTarget target = PtyTarget::CHEMTERM,
                      TerminalAdjust adjust = nullptr);
  ~PtySession();  // kills the program if it still runs
  PtySession(const PtySession&) = delete;
  PtySession& operator=(const PtySession&) = delete;

  void send(const std::string& bytes);
  /// Reads output until `text` has appeared in everything read so far (after
  /// the position of the last match), or the deadline passes. True if found.
  bool wait_for(const std::string& text,
                std::chrono::milliseconds limit = std::chrono::seconds(5));
  /// Waits until the program has switched the terminal to key mode (line
  /// mode off), as it does for the length of every key read. Keys sent before
  /// that would be echoed by the terminal in line mode. True if it happened.
  bool wait_for_key_mode(std::chrono::milliseconds limit = std::chrono::seconds(5));
  /// Everything the program has written so far.
  const std::string& output() const { return output_; }
  /// The output after the end of the last match of wait_for.
  std::string output_after_match() const { return output_.substr(matched_); }
  /// Waits for the program to end; returns its exit status (128 + signal
  /// when killed), or -1 when it did not end in time. Reads all its output.
  int wait_exit(std::chrono::milliseconds limit = std::chrono::seconds(5));
  void kill_with(int signal_number);
  /// The terminal settings of the pseudo-terminal, as the program left them,
  /// as a readable text (flags in octal, control characters in decimal).
  std::string terminal_settings() const;
  /// The same, taken before the program was started.
  const std::string& initial_terminal_settings() const { return initial_settings_; }
  int master_fd() const { return master_; }

 private:
  void read_available(int timeout_ms);
  bool reap(bool wait);
  int master_ = -1;
  int pid_ = -1;
  size_t matched_ = 0;
  std::string output_;
  int exit_status_ = -1;
  bool output_ended_ = false;  // the terminal is gone: the program has ended
  std::string initial_settings_;
};
