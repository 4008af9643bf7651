#pragma once
// The console device on a POSIX system: standard input and output, which may
// each be a terminal or a pipe or file.
#ifndef _WIN32

#include <termios.h>

#include "console/device.h"

class PosixDevice : public ConsoleDevice {
 public:
  /// Decides once whether input and output are terminals, saves the user's
  /// terminal settings and arranges for them to come back at exit and on
  /// SIGINT, SIGTERM and SIGHUP.
  PosixDevice();
  ~PosixDevice() override;
  PosixDevice(const PosixDevice&) = delete;
  PosixDevice& operator=(const PosixDevice&) = delete;

  bool output_is_terminal() const override { return output_terminal_; }
  void begin_key_read() override;
  void end_key_read() override;
  long read(char* buffer, size_t capacity, int timeout_ms) override;
  bool input_has_timing() const override { return input_terminal_; }
  void write(std::string_view bytes) override;

 private:
  bool input_terminal_ = false;
  bool output_terminal_ = false;
  struct termios key_mode_ {};
};

#endif  // _WIN32
