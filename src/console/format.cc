#include "console/format.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <system_error>

void add_flags(ConsoleFormatState& state, unsigned flags) {
  if (flags & FORMAT_LEFT) state.left = true;
  if (flags & FORMAT_RIGHT) state.right = true;
  if (flags & FORMAT_INTERNAL) state.internal = true;
  if (flags & FORMAT_FIXED) state.fixed = true;
  if (flags & FORMAT_SHOW_POINT) state.show_point = true;
}

void set_adjustment(ConsoleFormatState& state, Adjustment adjustment) {
  state.left = adjustment == Adjustment::LEFT;
  state.right = adjustment == Adjustment::RIGHT;
  state.internal = false;
}

void fixed_off(ConsoleFormatState& state) { state.fixed = false; }

void set_precision(ConsoleFormatState& state, int32_t precision) { state.precision = precision; }

void set_width(ConsoleFormatState& state, int32_t width) { state.width = width; }

namespace {

// Largest precision we hand to printf: beyond it a double has no more digits
// to show, and it keeps the text within the buffer below.
constexpr int32_t MAX_PRECISION = 400;

// A double's fixed text has at most 309 digits before the point; with the sign,
// the point and MAX_PRECISION decimals it fits.
constexpr int FLOAT_TEXT_SIZE = 320 + MAX_PRECISION;

// The printf text of a finite value through std::to_chars, which converts
// "as if by printf" but several times faster. to_chars has no "#" flag, so
// show-point is done here by the printf rules: fixed notation keeps its
// point when no decimals follow; general notation takes style f when the
// exponent style e would show lies between -4 and the precision, keeping its
// trailing zeros and its point. Returns the length, or 0 when printf is to
// write the text instead (it does not fit, or style e with show-point).
size_t finite_float_text(char* text, size_t size, double value, bool fixed, bool show_point,
                         int precision) {
  char* const end = text + size - 1;  // one place kept for an added point
  std::to_chars_result r{};
  if (fixed) {
    r = std::to_chars(text, end, value, std::chars_format::fixed, precision);
    if (r.ec != std::errc{}) return 0;
    if (show_point && precision == 0) *r.ptr++ = '.';
    return static_cast<size_t>(r.ptr - text);
  }
  if (!show_point) {
    r = std::to_chars(text, end, value, std::chars_format::general, precision);
    return r.ec == std::errc{} ? static_cast<size_t>(r.ptr - text) : 0;
  }
  // Style e with precision - 1 tells the exponent X; style f is used when
  // precision > X >= -4, with precision - 1 - X decimals.
  r = std::to_chars(text, end, value, std::chars_format::scientific, precision - 1);
  if (r.ec != std::errc{}) return 0;
  const size_t length = static_cast<size_t>(r.ptr - text);
  const char* e = static_cast<const char*>(std::memchr(text, 'e', length));
  if (e == nullptr) return 0;
  int exponent = 0;
  const char* digits = e + 1;
  if (*digits == '+' || *digits == '-') ++digits;
  if (std::from_chars(digits, r.ptr, exponent).ec != std::errc{}) return 0;
  if (e[1] == '-') exponent = -exponent;
  if (precision > exponent && exponent >= -4) {
    const int decimals = precision - 1 - exponent;
    r = std::to_chars(text, end, value, std::chars_format::fixed, decimals);
    if (r.ec != std::errc{}) return 0;
    if (decimals == 0) *r.ptr++ = '.';
    return static_cast<size_t>(r.ptr - text);
  }
  // Style e is left to printf: the C library drops the zeros of "#" there
  // when rounding carries into a new digit (99.5 at 2 digits is "1.e+02"),
  // and the program has always written what the C library writes.
  return 0;
}

}  // namespace

std::string format_float(float value, const ConsoleFormatState& state) {
  const double widened = value;  // exact: every float is a double
  int32_t precision = state.precision;
  if (precision < 0) precision = 6;
  if (precision > MAX_PRECISION) precision = MAX_PRECISION;
  // General notation treats precision 0 as 6 (printf would take it as 1).
  if (!state.fixed && precision == 0) precision = 6;

  char text[FLOAT_TEXT_SIZE];
  if (std::isfinite(widened)) {
    const size_t length = finite_float_text(text, sizeof text, widened, state.fixed,
                                            state.show_point, static_cast<int>(precision));
    if (length > 0) return std::string(text, length);
  }

  char format[8];
  char* f = format;
  *f++ = '%';
  if (state.show_point) *f++ = '#';
  *f++ = '.';
  *f++ = '*';
  *f++ = state.fixed ? 'f' : 'g';
  *f = '\0';

  const int length = std::snprintf(text, sizeof text, format, static_cast<int>(precision), widened);
  if (length < 0) return std::string();
  return std::string(text, static_cast<size_t>(length) < sizeof text ? length : sizeof text - 1);
}

std::string format_int(int32_t value) {
  char text[16];
  const int length = std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
  return std::string(text, static_cast<size_t>(length));
}

void append_item(std::string& out, std::string_view item, ConsoleFormatState& state,
                 bool is_number) {
  const int32_t width = state.width;
  state.width = 0;
  const size_t fill_count =
      width > 0 && static_cast<size_t>(width) > item.size() ? width - item.size() : 0;
  if (fill_count == 0) {
    out.append(item);
    return;
  }
  const bool left_aligned = state.left && !state.right && !state.internal;
  const bool internal_alone = state.internal && !state.left && !state.right;
  if (left_aligned) {
    out.append(item);
    out.append(fill_count, state.fill);
  } else if (internal_alone && is_number && !item.empty() && (item[0] == '-' || item[0] == '+')) {
    out.push_back(item[0]);
    out.append(fill_count, state.fill);
    out.append(item.substr(1));
  } else {
    out.append(fill_count, state.fill);
    out.append(item);
  }
}
