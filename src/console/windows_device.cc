#ifdef _WIN32

#include "console/windows_device.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "console/windows_keys.h"

namespace {

// Line-mode reads of a console are taken in pieces of this size: the console
// refuses very large buffers.
constexpr DWORD CONSOLE_READ_BYTES = 4096;

// The character of a key event in the console's input code page, 0 for none.
int character_of(WCHAR unit) {
  if (unit == 0) return 0;
  char bytes[8];
  const int length = WideCharToMultiByte(GetConsoleCP(), 0, &unit, 1, bytes, sizeof bytes,
                                         nullptr, nullptr);
  if (length <= 0) return '?';
  return static_cast<unsigned char>(bytes[0]);
}

ConsoleKeyEvent event_of(const KEY_EVENT_RECORD& record) {
  const DWORD state = record.dwControlKeyState;
  return ConsoleKeyEvent{record.wVirtualKeyCode, record.wVirtualScanCode,
                         character_of(record.uChar.UnicodeChar), (state & SHIFT_PRESSED) != 0,
                         (state & (LEFT_CTRL_PRESSED | RIGHT_CTRL_PRESSED)) != 0,
                         (state & (LEFT_ALT_PRESSED | RIGHT_ALT_PRESSED)) != 0};
}

}  // namespace

WindowsDevice::WindowsDevice() {
  input_ = GetStdHandle(STD_INPUT_HANDLE);
  output_ = GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD mode = 0;
  input_console_ = GetConsoleMode(input_, &mode) != 0;
  if (input_console_) input_mode_ = mode;
  CONSOLE_SCREEN_BUFFER_INFO info;
  output_console_ = GetConsoleMode(output_, &mode) != 0 &&
                    GetConsoleScreenBufferInfo(output_, &info) != 0;
  if (output_console_) start_attributes_ = info.wAttributes;
}

WindowsDevice::~WindowsDevice() {
  if (input_console_) SetConsoleMode(input_, input_mode_);
}

long WindowsDevice::read(char* buffer, size_t capacity, int) {
  if (input_ended_) return 0;
  DWORD limit = static_cast<DWORD>(std::min<size_t>(capacity, MAXDWORD));
  if (input_console_) limit = std::min(limit, CONSOLE_READ_BYTES);
  DWORD got = 0;
  // A console delivers one typed line at a time, in its own line mode.
  if (ReadFile(input_, buffer, limit, &got, nullptr) == 0 || got == 0) {
    input_ended_ = true;  // the end of a pipe, or a console that is gone
    return 0;
  }
  return static_cast<long>(got);
}

void WindowsDevice::write(std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 20));
    DWORD put = 0;
    if (WriteFile(output_, bytes.data(), chunk, &put, nullptr) == 0 || put == 0) {
      return;  // errors while writing to the console are not reported
    }
    bytes.remove_prefix(put);
  }
}

void WindowsDevice::clear_window() {
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (GetConsoleScreenBufferInfo(output_, &info) == 0) return;
  const DWORD cells = static_cast<DWORD>(info.dwSize.X) * static_cast<DWORD>(info.dwSize.Y);
  const COORD origin{0, 0};
  DWORD done = 0;
  FillConsoleOutputCharacterW(output_, L' ', cells, origin, &done);
  FillConsoleOutputAttribute(output_, start_attributes_, cells, origin, &done);
  SetConsoleTextAttribute(output_, start_attributes_);
  SetConsoleCursorPosition(output_, origin);
}

void WindowsDevice::run_shell_command(std::string_view command) {
  // The command interpreter's own "cls" and "color"; its result is ignored.
  (void)std::system(std::string(command).c_str());
}

bool WindowsDevice::read_key_event(int& code, bool& extended) {
  if (input_ended_) return false;
  DWORD mode = input_mode_;
  GetConsoleMode(input_, &mode);
  // Without processed input Ctrl+C is a key (3) and does not end the program.
  SetConsoleMode(input_, mode & ~static_cast<DWORD>(ENABLE_PROCESSED_INPUT | ENABLE_LINE_INPUT |
                                                    ENABLE_ECHO_INPUT));
  bool got_key = false;
  for (;;) {
    INPUT_RECORD record;
    DWORD count = 0;
    if (ReadConsoleInputW(input_, &record, 1, &count) == 0) {
      input_ended_ = true;
      break;
    }
    if (count == 0 || record.EventType != KEY_EVENT || !record.Event.KeyEvent.bKeyDown) continue;
    const ConsoleKeyCode key = code_of_console_key(event_of(record.Event.KeyEvent));
    if (key.kind == ConsoleKeyKind::NONE) continue;
    code = key.code;
    extended = key.kind == ConsoleKeyKind::EXTENDED;
    got_key = true;
    break;
  }
  SetConsoleMode(input_, mode);
  return got_key;
}

#endif  // _WIN32
