#include "console/format.h"

#include <cstdio>

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

}  // namespace

std::string format_float(float value, const ConsoleFormatState& state) {
  const double widened = value;  // exact: every float is a double
  int32_t precision = state.precision;
  if (precision < 0) precision = 6;
  if (precision > MAX_PRECISION) precision = MAX_PRECISION;
  // General notation treats precision 0 as 6 (printf would take it as 1).
  if (!state.fixed && precision == 0) precision = 6;

  char format[8];
  char* f = format;
  *f++ = '%';
  if (state.show_point) *f++ = '#';
  *f++ = '.';
  *f++ = '*';
  *f++ = state.fixed ? 'f' : 'g';
  *f = '\0';

  char text[FLOAT_TEXT_SIZE];
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
