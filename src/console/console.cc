#include "console/console.h"

#include <algorithm>
#include <optional>

#include "console/keys.h"

// Control sequences written to a terminal (xterm / ECMA-48):
//   ESC [ 0 m          reset the text attributes to the terminal's defaults
//   ESC [ 2 J          erase the whole window in the current background colour
//   ESC [ H            cursor to the top-left corner
//   ESC [ bg ; fg m    colours: 30-37 / 40-47 normal, 90-97 / 100-107 bright

namespace {

constexpr std::string_view RESET_ATTRIBUTES = "\x1b[0m";
constexpr std::string_view ERASE_WINDOW = "\x1b[2J\x1b[H";

// How long the bytes of an escape sequence may take to follow an Escape
// before the Escape counts as a key of its own.
constexpr int ESCAPE_TIMEOUT_MS = 50;

// Pending output beyond this is delivered at once, whatever comes next.
constexpr size_t OUTPUT_FLUSH_BYTES = 64 * 1024;

// Bytes asked of the device per read: a whole pipe buffer, so a script that
// feeds thousands of requests costs one system call per block, not per byte.
constexpr size_t INPUT_CHUNK_BYTES = 64 * 1024;

bool is_space(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Formats an item straight into the pending output, with no string of its
// own, and keeps the copy of the screen a terminal needs for colour changes.
void emit_item(Console& console, std::string_view item, bool is_number) {
  const size_t start = console.output.size();
  append_item(console.output, item, console.format, is_number);
  if (console.terminal_output) console.screen_text.append(console.output, start);
  if (console.output.size() >= OUTPUT_FLUSH_BYTES) flush_output(console);
}

void emit_control(Console& console, std::string_view sequence) {
  if (!console.terminal_output) return;
  console.output.append(sequence);
  flush_output(console);
}

size_t input_available(const Console& console) { return console.input.size() - console.input_pos; }

const unsigned char* pending_bytes(const Console& console) {
  return reinterpret_cast<const unsigned char*>(console.input.data()) + console.input_pos;
}

// Reads one block from the device into the input buffer. Returns false when
// nothing arrived: the input has ended, or `timeout_ms` passed.
bool fill_input(Console& console, int timeout_ms) {
  if (console.input_ended) return false;
  flush_output(console);  // what the user is answering must be on the screen
  // Keep only the bytes not yet taken (none, or the start of a line) and read
  // into the room behind them: the buffer stays one block, with no second
  // block to copy from.
  console.input.erase(0, console.input_pos);
  console.input_pos = 0;
  const size_t kept = console.input.size();
  const size_t room = kept < INPUT_CHUNK_BYTES ? INPUT_CHUNK_BYTES - kept : INPUT_CHUNK_BYTES;
  console.input.resize(kept + room);
  const long got = console.device.read(console.input.data() + kept, room, timeout_ms);
  console.input.resize(kept + (got > 0 ? static_cast<size_t>(got) : 0));
  if (got < 0) return false;
  if (got == 0) {
    console.input_ended = true;
    return false;
  }
  return true;
}

// Moves the next whole line (up to and including its line end, or the rest of
// the input when it has ended) from the input buffer into `console.line`.
bool take_line(Console& console) {
  for (;;) {
    const size_t end = console.input.find('\n', console.input_pos);
    if (end != std::string::npos) {
      console.line.assign(console.input, console.input_pos, end + 1 - console.input_pos);
      console.input_pos = end + 1;
      console.line_pos = 0;
      return true;
    }
    if (console.input_ended) {
      if (input_available(console) == 0) return false;
      console.line.assign(console.input, console.input_pos);
      console.input_pos = console.input.size();
      console.line_pos = 0;
      return true;
    }
    fill_input(console, -1);
  }
}

// The ECMA-48 colour number of each console palette entry: the palette counts
// blue, green, red as bits 0, 1, 2 and bright as bit 3, ANSI red, green, blue.
constexpr int ANSI_COLOUR[8] = {0, 4, 2, 6, 1, 5, 3, 7};

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string colour_sequence(int background, int foreground) {
  const int bg = (background & 8 ? 100 : 40) + ANSI_COLOUR[background & 7];
  const int fg = (foreground & 8 ? 90 : 30) + ANSI_COLOUR[foreground & 7];
  return "\x1b[" + format_int(bg) + ";" + format_int(fg) + "m";
}

}  // namespace

Console::Console(ConsoleDevice& device_) : device(device_), terminal_output(device_.output_is_terminal()) {}

Console::~Console() {
  if (terminal_output) output.append(std::string(RESET_ATTRIBUTES) + "\n");
  flush_output(*this);
}

void flush_output(Console& console) {
  if (console.output.empty()) return;
  console.device.write(console.output);
  console.output.clear();
}

void write_text(Console& console, std::string_view text) { emit_item(console, text, false); }

void write_char(Console& console, char c) { write_text(console, std::string_view(&c, 1)); }

void write_int(Console& console, int32_t value) { emit_item(console, format_int(value), true); }

void write_float(Console& console, float value) {
  emit_item(console, format_float(value, console.format), true);
}

void clear_screen(Console& console) {
  console.screen_text.clear();
  if (console.device.has_window_operations()) {
    flush_output(console);
    console.device.clear_window();
    return;
  }
  if (!console.terminal_output) return;
  emit_control(console, std::string(RESET_ATTRIBUTES) + std::string(ERASE_WINDOW));
}

void run_command(Console& console, std::string_view command) {
  if (console.device.has_window_operations()) {
    flush_output(console);
    console.device.run_shell_command(command);
    return;
  }
  // Without a terminal the commands change nothing that is written: skip
  // building their sequences (and the copy of the screen) altogether.
  if (!console.terminal_output) return;
  if (command == "cls") {
    console.screen_text.clear();
    emit_control(console, ERASE_WINDOW);
    return;
  }
  constexpr std::string_view COLOR = "color ";
  if (command.size() != COLOR.size() + 2 || command.substr(0, COLOR.size()) != COLOR) return;
  const int background = hex_value(command[COLOR.size()]);
  const int foreground = hex_value(command[COLOR.size() + 1]);
  if (background < 0 || foreground < 0) return;
  // The new pair takes the whole window at once: erase it in the new colours
  // and write again what the current screen already showed.
  emit_control(console, colour_sequence(background, foreground) + std::string(ERASE_WINDOW) +
                            console.screen_text);
}

// A console that reports key events has decoded the key already.
static char read_key_event(Console& console) {
  flush_output(console);
  int code = 0;
  bool extended = false;
  if (!console.device.read_key_event(code, extended)) return 'E';  // the input has ended
  if (!extended) return static_cast<char>(code);
  console.pending_code = code;
  return 0;
}

char read_key(Console& console) {
  if (console.terminal_output) flush_output(console);
  if (console.pending_code >= 0) {
    const char code = static_cast<char>(console.pending_code);
    console.pending_code = -1;
    return code;
  }
  if (console.device.has_key_events()) return read_key_event(console);
  struct KeyMode {
    ConsoleDevice& device;
    explicit KeyMode(ConsoleDevice& d) : device(d) { device.begin_key_read(); }
    ~KeyMode() { device.end_key_read(); }
  };
  std::optional<KeyMode> mode;
  for (;;) {
    if (input_available(console) == 0) {
      if (!mode) mode.emplace(console.device);
      if (!fill_input(console, -1)) return 'E';  // the input has ended
    }
    KeyDecode key = decode_key(pending_bytes(console), input_available(console), console.input_ended);
    if (key.kind == KeyParse::PARTIAL) {
      // The start of an escape sequence or of a UTF-8 character: wait for the
      // rest, on a terminal only as long as a sequence takes to arrive.
      if (!mode) mode.emplace(console.device);
      const int timeout = console.device.input_has_timing() ? ESCAPE_TIMEOUT_MS : -1;
      if (fill_input(console, timeout)) continue;
      key = decode_key(pending_bytes(console), input_available(console), true);
    }
    console.input_pos += std::min(key.length, input_available(console));
    switch (key.kind) {
      case KeyParse::KEY:
        return static_cast<char>(key.code);
      case KeyParse::EXTENDED:
        console.pending_code = key.code;
        return 0;
      case KeyParse::IGNORED:
      case KeyParse::PARTIAL:
        break;
    }
  }
}

WordRead read_word(Console& console, char* buffer, size_t capacity) {
  if (console.terminal_output) flush_output(console);
  if (console.words_ended) return WordRead::ENDED;
  for (;;) {
    while (console.line_pos < console.line.size() && is_space(console.line[console.line_pos])) {
      ++console.line_pos;
    }
    if (console.line_pos < console.line.size()) break;
    if (!take_line(console)) {
      console.words_ended = true;
      return WordRead::ENDED;
    }
  }
  const size_t start = console.line_pos;
  while (console.line_pos < console.line.size() && !is_space(console.line[console.line_pos])) {
    ++console.line_pos;
  }
  const size_t length = console.line_pos - start;
  if (capacity == 0 || length > capacity - 1) {
    if (capacity > 0) buffer[0] = '\0';
    return WordRead::TOO_LONG;
  }
  console.line.copy(buffer, length, start);
  buffer[length] = '\0';
  return WordRead::STORED;
}

char show_input_error(Console& console) {
  clear_screen(console);
  run_command(console, "color 8e");
  write_text(console, INPUT_ERROR_TEXT);
  return key_to_lower(read_key(console));
}

long MemoryDevice::read(char* buffer, size_t capacity, int) {
  const size_t count = std::min({capacity, chunk_, input_.size() - position_});
  input_.copy(buffer, count, position_);
  position_ += count;
  return static_cast<long>(count);
}
