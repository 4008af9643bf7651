#pragma once
// The console device on Windows: standard input and output, each a console or
// a pipe or file. On a console, clearing, "cls", "color" and key reads are the
// console's own; through pipes the device only moves bytes, as on POSIX.
#ifdef _WIN32

#include <cstdint>

#include "console/device.h"

class WindowsDevice : public ConsoleDevice {
 public:
  /// Decides once whether input and output are consoles and saves the
  /// start-up colours and the input mode.
  WindowsDevice();
  ~WindowsDevice() override;
  WindowsDevice(const WindowsDevice&) = delete;
  WindowsDevice& operator=(const WindowsDevice&) = delete;

  // No control sequences ever: a console window is driven through its API.
  bool output_is_terminal() const override { return false; }
  void begin_key_read() override {}
  void end_key_read() override {}
  long read(char* buffer, size_t capacity, int timeout_ms) override;
  bool input_has_timing() const override { return false; }
  void write(std::string_view bytes) override;

  bool has_window_operations() const override { return output_console_; }
  void clear_window() override;
  void run_shell_command(std::string_view command) override;
  bool has_key_events() const override { return input_console_; }
  bool read_key_event(int& code, bool& extended) override;

 private:
  void* input_ = nullptr;   // HANDLE
  void* output_ = nullptr;  // HANDLE
  bool input_console_ = false;
  bool output_console_ = false;
  unsigned long input_mode_ = 0;  // the console input mode at start-up
  uint16_t start_attributes_ = 0;  // the colours at start-up
  bool input_ended_ = false;
};

#endif  // _WIN32
