#pragma once
// The console every screen draws on: clearing, the two shell commands, key and
// word input, items written under the ConsoleFormatState, the closing prompts
// and the error screen. The device behind it (a POSIX terminal, a pipe, or
// memory in tests) is in console/device.h.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "console/device.h"
#include "console/format.h"

struct Console {
  explicit Console(ConsoleDevice& device);
  ~Console();  // delivers what is still pending
  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;

  ConsoleDevice& device;
  ConsoleFormatState format;

  std::string output;       // written but not yet delivered
  std::string screen_text;  // everything written since the last clear (terminal only)
  bool terminal_output;     // decided once: control sequences only to a terminal

  std::string input;  // bytes read from the device and not yet taken
  size_t input_pos = 0;
  bool input_ended = false;  // the device reported the end of its input

  std::string line;  // the rest of the line the last word read took
  size_t line_pos = 0;
  bool words_ended = false;  // a word read met the end of input: sticky

  int pending_code = -1;  // the second code of an extended key, or -1
};

// ---- Output ---------------------------------------------------------------

/// Delivers the pending output to the device.
void flush_output(Console& console);

void write_text(Console& console, std::string_view text);
void write_char(Console& console, char c);
void write_int(Console& console, int32_t value);
void write_float(Console& console, float value);

/// Clears the window in the terminal's default colours, cursor top-left.
void clear_screen(Console& console);

/// Runs one of the two shell commands the screens use: "cls" (blank the window
/// in the colours in force) or "color XY" (background X, foreground Y, applied
/// to the whole window at once). Any other command is ignored, as a failed
/// command's result would be.
void run_command(Console& console, std::string_view command);

// ---- Input ----------------------------------------------------------------

/// Waits for one key press and returns its code without echo. A key without a
/// character gives 0, and the next read gives its extended code at once. At
/// the end of the input every read returns 'E'.
char read_key(Console& console);

enum class WordRead {
  STORED,    // the word and a NUL are in the buffer
  ENDED,     // the input has ended: nothing stored, the buffer is unchanged
  TOO_LONG,  // the word did not fit: it was consumed whole, the buffer is empty
};

/// Reads the next white-space-delimited word in line mode into `buffer`
/// (`capacity` bytes including the NUL). The rest of its line stays pending
/// for later word reads; key reads never see it.
WordRead read_word(Console& console, char* buffer, size_t capacity);

// ---- Shared screens and texts ----------------------------------------------

inline constexpr std::string_view BANNER_PROMPT = "\n\n\n\n\n\n\n\n\nPress any key to continue";
inline constexpr std::string_view CLOSING_PROMPT =
    "\n\n\n\nPress 'E' to exit or any other key to continue ";
inline constexpr std::string_view CALCULATOR_CLOSING_PROMPT =
    "\n\n\n\nPress 'E' to exit or any other key to continue  ";
inline constexpr std::string_view INPUT_ERROR_TEXT =
    "Wrong method of entering or wrong element.\nPress 'E' to exit or any other key to continue ";

/// The error screen: clears, "color 8e", the message, one key; returns the key
/// lower-cased. Makes no format change.
char show_input_error(Console& console);
