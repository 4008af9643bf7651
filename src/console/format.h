#pragma once
// The console's number-formatting state and the pure functions that turn an
// item (text, character, integer, float) into the bytes it occupies on screen.

#include <cstdint>
#include <string>
#include <string_view>

/// The one formatting state of the console. Set up once, never reset: a change
/// made by one screen stays in force on later screens, except the width, which
/// lasts for one item.
struct ConsoleFormatState {
  bool left = false;        // fill after the item
  bool right = false;       // fill in front of the item
  bool internal = false;    // fill between sign and digits (no screen uses it)
  bool fixed = false;       // fixed notation for floats instead of general
  bool scientific = false;  // never turned on; kept so the state is complete
  bool show_point = false;  // keep the decimal point and trailing zeros
  int32_t precision = 6;    // significant digits (general) or decimals (fixed)
  int32_t width = 0;        // minimum width of the next item only; 0: no fill
  char fill = ' ';          // never changed
};

/// Flags that the "add flags" change can turn on.
enum FormatFlag : unsigned {
  FORMAT_LEFT = 1u << 0,
  FORMAT_RIGHT = 1u << 1,
  FORMAT_INTERNAL = 1u << 2,
  FORMAT_FIXED = 1u << 3,
  FORMAT_SHOW_POINT = 1u << 4,
};

enum class Adjustment { LEFT, RIGHT };

// The five format changes the screens make.
/// Turns the named flags on and leaves every other flag as it is.
void add_flags(ConsoleFormatState& state, unsigned flags);
/// Turns left, right and internal off, then the named one on.
void set_adjustment(ConsoleFormatState& state, Adjustment adjustment);
/// Turns fixed notation off and nothing else.
void fixed_off(ConsoleFormatState& state);
void set_precision(ConsoleFormatState& state, int32_t precision);
/// The width applies to the next item written only.
void set_width(ConsoleFormatState& state, int32_t width);

/// The digits of a float under the notation, precision and show-point in
/// force, before any fill: general notation (%g rules, precision 0 counting as
/// 6) or fixed notation. The value is widened exactly to double first.
std::string format_float(float value, const ConsoleFormatState& state);

/// The text of an integer: decimal, "-" for a negative value, never grouped.
std::string format_int(int32_t value);

/// Appends `item` to `out` with the fill the width and adjustment ask for, then
/// sets the width back to 0. `is_number` places internal fill after a sign.
void append_item(std::string& out, std::string_view item, ConsoleFormatState& state,
                 bool is_number = false);
