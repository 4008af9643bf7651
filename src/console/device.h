#pragma once
// The device under the console: where bytes come from and go to. The POSIX
// terminal (or pipe) realises it in console/posix_device.cc, the Windows
// console (or pipe) in console/windows_device.cc; tests use MemoryDevice.

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

class ConsoleDevice {
 public:
  virtual ~ConsoleDevice() = default;

  /// True when the output is a terminal that understands control sequences.
  virtual bool output_is_terminal() const = 0;

  /// Switches the input to key mode (no echo, no line editing, no signal or
  /// flow-control keys) for one key read, and back.
  virtual void begin_key_read() = 0;
  virtual void end_key_read() = 0;

  /// Reads what is available, at most `capacity` bytes, waiting at most
  /// `timeout_ms` (negative: no limit). Returns the count, 0 at the end of the
  /// input, or -1 when the time ran out first.
  virtual long read(char* buffer, size_t capacity, int timeout_ms) = 0;

  /// True when a read can be told apart from a wait: a terminal, where an
  /// Escape alone is recognised by the time that passes after it.
  virtual bool input_has_timing() const = 0;

  virtual void write(std::string_view bytes) = 0;

  // A console window with operations of its own (the Windows console). A
  // terminal, a pipe or a file keeps the defaults: the console layer then
  // writes control sequences (to a terminal only) and decodes key bytes.

  /// True when clearing and the shell commands are done by the device, once
  /// the pending output has been delivered.
  virtual bool has_window_operations() const { return false; }
  /// Blanks the window in the colours it had at start-up, cursor top-left.
  virtual void clear_window() {}
  /// Runs `command` in the command interpreter and waits for it to finish;
  /// its result is ignored.
  virtual void run_shell_command(std::string_view command) { (void)command; }

  /// True when key reads take key events from the device instead of bytes.
  virtual bool has_key_events() const { return false; }
  /// Waits for the next key press and gives its code: a character's code, or
  /// with `extended` set the extended code of a key without one. False when
  /// the input has ended.
  virtual bool read_key_event(int& code, bool& extended) {
    (void)code;
    (void)extended;
    return false;
  }
};

/// A device over strings, for tests: input is given up front, output is
/// collected. Neither side is a terminal.
class MemoryDevice : public ConsoleDevice {
 public:
  explicit MemoryDevice(std::string input = {}) : input_(std::move(input)) {}

  bool output_is_terminal() const override { return terminal_; }
  void begin_key_read() override { ++key_reads_; }
  void end_key_read() override {}
  long read(char* buffer, size_t capacity, int timeout_ms) override;
  bool input_has_timing() const override { return false; }
  void write(std::string_view bytes) override { output_.append(bytes); }

  /// Bytes handed out per read: 1 shows that nothing relies on larger reads.
  void set_chunk(size_t chunk) { chunk_ = chunk; }
  void set_terminal(bool terminal) { terminal_ = terminal; }
  const std::string& output() const { return output_; }
  size_t key_reads() const { return key_reads_; }

 private:
  std::string input_;
  size_t position_ = 0;
  size_t chunk_ = 4096;
  std::string output_;
  bool terminal_ = false;
  size_t key_reads_ = 0;
};
