#pragma once
// Helpers for the end-to-end tests: a fresh folder with data files, and the
// real binary run in it through pipes or in a pseudo-terminal.

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

 private:
  std::string path_;
};

struct ProgramResult {
  std::string output;  // everything the program wrote to standard output
  int exit_status;     // exit code, or 128 + signal when it was killed
  bool timed_out;      // killed after the time limit
};

/// Runs the chemterm binary in `dir` with `input` as its standard input (a
/// pipe closed after the input) and its standard output captured through a
/// pipe. Killed after `limit`.
ProgramResult run_piped(const std::string& dir, const std::string& input,
                        std::chrono::milliseconds limit = std::chrono::seconds(10));

/// The chemterm binary in a pseudo-terminal of 80x25 with TERM=xterm.
class PtySession {
 public:
  explicit PtySession(const std::string& dir);
  ~PtySession();  // kills the program if it still runs
  PtySession(const PtySession&) = delete;
  PtySession& operator=(const PtySession&) = delete;

  void send(const std::string& bytes);
  /// Reads output until `text` has appeared in everything read so far (after
  /// the position of the last match), or the deadline passes. True if found.
  bool wait_for(const std::string& text,
                std::chrono::milliseconds limit = std::chrono::seconds(5));
  /// Everything the program has written so far.
  const std::string& output() const { return output_; }
  /// Waits for the program to end; returns its exit status (128 + signal
  /// when killed), or -1 when it did not end in time.
  int wait_exit(std::chrono::milliseconds limit = std::chrono::seconds(5));
  void kill_with(int signal_number);
  /// The terminal settings of the pseudo-terminal, as the program left them.
  std::string terminal_settings() const;
  int master_fd() const { return master_; }

 private:
  void read_available(int timeout_ms);
  int master_ = -1;
  int pid_ = -1;
  size_t matched_ = 0;
  std::string output_;
  int exit_status_ = -1;
};
