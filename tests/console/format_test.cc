#include "console/format.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct FloatCase {
  int line;
  float value;
  bool fixed;
  int32_t precision;
  bool show_point;
  const char* expected;
};

std::string float_text(float value, bool fixed, int32_t precision, bool show_point) {
  ConsoleFormatState state;
  state.fixed = fixed;
  state.precision = precision;
  state.show_point = show_point;
  return format_float(value, state);
}

// Values are built as floats: the digits past the seventh come from single
// precision, which is what the screens show.
TEST(FormatFloat, NotationPrecisionAndShowPoint) {
  const FloatCase cases[] = {
      // general notation: P significant digits, trailing zeros dropped unless show-point
      {__LINE__, 1.008f, false, 6, false, "1.008"},
      {__LINE__, 1.008f, false, 6, true, "1.00800"},
      {__LINE__, 1.008f, false, 8, true, "1.0080000"},
      {__LINE__, 600.0f, false, 8, false, "600"},
      {__LINE__, 600.0f, false, 8, true, "600.00000"},
      {__LINE__, 600.0f, false, 6, true, "600.000"},
      {__LINE__, 0.0899f, false, 8, false, "0.089900002"},
      {__LINE__, 0.0000899f, false, 8, false, "8.9900001e-05"},
      {__LINE__, 1234567.0f, false, 6, false, "1.23457e+06"},
      {__LINE__, 0.0f, false, 6, true, "0.00000"},
      {__LINE__, 0.0f, false, 6, false, "0"},
      {__LINE__, 123.45f, false, 6, true, "123.450"},
      {__LINE__, 123.45f, false, 8, true, "123.45000"},
      {__LINE__, 7.31f, false, 8, false, "7.3099999"},
      {__LINE__, 18.015f, false, 6, false, "18.015"},
      {__LINE__, 18.015f, false, 8, false, "18.014999"},
      {__LINE__, 238.03f, false, 6, true, "238.030"},
      {__LINE__, 12.011f, false, 6, true, "12.0110"},
      // general notation: exponent form from X < -4 or X >= P
      {__LINE__, 0.0001f, false, 6, false, "0.0001"},
      {__LINE__, 100000.0f, false, 6, false, "100000"},
      {__LINE__, 1000000.0f, false, 6, false, "1e+06"},
      {__LINE__, 1000000.0f, false, 6, true, "1.00000e+06"},
      // precision 0 counts as 6 in general notation
      {__LINE__, 1.008f, false, 0, true, "1.00800"},
      {__LINE__, 1234567.0f, false, 0, false, "1.23457e+06"},
      // fixed notation: P digits after the point, at least one digit before it
      {__LINE__, 1.008f, true, 4, false, "1.0080"},
      {__LINE__, 1.008f, true, 4, true, "1.0080"},
      {__LINE__, 0.0000899f, true, 4, true, "0.0001"},
      {__LINE__, 123.45f, true, 4, true, "123.4500"},
      {__LINE__, 123.45f, true, 8, true, "123.44999695"},
      {__LINE__, 600.0f, true, 8, true, "600.00000000"},
      {__LINE__, 7.31f, true, 8, true, "7.30999994"},
      {__LINE__, 18.015f, true, 4, true, "18.0150"},
      // fixed, precision 0: no point unless show-point, which ends the number with it
      {__LINE__, 2.5f, true, 0, false, "2"},
      {__LINE__, 3.75f, true, 0, false, "4"},
      {__LINE__, 3.75f, true, 0, true, "4."},
      // negative values start with a minus sign
      {__LINE__, -1.5f, false, 6, false, "-1.5"},
      {__LINE__, -1.5f, true, 4, true, "-1.5000"},
      {__LINE__, -0.0f, false, 6, false, "-0"},
  };
  for (const FloatCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "line " << c.line);
    EXPECT_EQ(float_text(c.value, c.fixed, c.precision, c.show_point), c.expected);
  }
}

TEST(FormatFloat, HugePrecisionStaysWithinItsBuffer) {
  const std::string text = float_text(3.0e38f, true, 100000, true);
  EXPECT_EQ(text.substr(0, 12), "300000000549") << "3e38 held as a float";
  EXPECT_GT(text.size(), 300u);
}

TEST(FormatInt, DecimalWithSignOnlyWhenNegative) {
  EXPECT_EQ(format_int(0), "0");
  EXPECT_EQ(format_int(12), "12");
  EXPECT_EQ(format_int(-7), "-7");
  EXPECT_EQ(format_int(2147483647), "2147483647");
  EXPECT_EQ(format_int(-2147483647 - 1), "-2147483648");
}

// Fill is made visible as '_' in the expectations below by swapping it in.
std::string filled(std::string_view item, ConsoleFormatState& state, bool is_number = false) {
  std::string out;
  state.fill = '_';
  append_item(out, item, state, is_number);
  return out;
}

TEST(AppendItem, FillGoesInFrontUnlessLeftAloneIsOn) {
  struct Case {
    int line;
    bool left, right, internal;
    int32_t width;
    const char* item;
    const char* expected;
  } cases[] = {
      {__LINE__, false, false, false, 4, "12", "__12"},  // no adjustment: in front
      {__LINE__, false, true, false, 4, "12", "__12"},   // right
      {__LINE__, true, false, false, 4, "12", "12__"},   // left
      {__LINE__, true, true, false, 4, "12", "__12"},    // left with right: not left-aligned
      {__LINE__, false, false, false, 0, "12", "12"},    // width 0: no fill
      {__LINE__, false, false, false, 2, "12", "12"},    // exactly the width
      {__LINE__, true, false, false, 1, "1234", "1234"}, // never cut
      {__LINE__, false, false, false, 3, "", "___"},     // empty text: only the fill
      {__LINE__, true, false, false, 3, "", "___"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "line " << c.line);
    ConsoleFormatState state;
    state.left = c.left;
    state.right = c.right;
    state.internal = c.internal;
    state.width = c.width;
    EXPECT_EQ(filled(c.item, state), c.expected);
    EXPECT_EQ(state.width, 0) << "the width lasts for one item";
  }
}

// Internal alone puts a number's fill between its sign and its digits, and a
// text's fill in front of it.
TEST(AppendItem, InternalFillsAfterTheSign) {
  ConsoleFormatState state;
  state.internal = true;
  state.width = 5;
  EXPECT_EQ(filled("-12", state, true), "-__12");
  state.width = 5;
  EXPECT_EQ(filled("ab", state), "___ab");
}

TEST(AppendItem, WidthAppliesToTheNextItemOnly) {
  ConsoleFormatState state;
  set_width(state, 4);
  std::string out;
  append_item(out, "12", state, true);
  append_item(out, "34", state, true);
  EXPECT_EQ(out, "  1234");
}

TEST(FormatChanges, AddKeepsOtherFlagsAndSetReplacesTheAdjustment) {
  ConsoleFormatState state;
  add_flags(state, FORMAT_LEFT);
  add_flags(state, FORMAT_RIGHT);
  EXPECT_TRUE(state.left);
  EXPECT_TRUE(state.right);
  set_adjustment(state, Adjustment::RIGHT);
  EXPECT_FALSE(state.left);
  EXPECT_TRUE(state.right);
  EXPECT_FALSE(state.internal);
  set_adjustment(state, Adjustment::LEFT);
  EXPECT_TRUE(state.left);
  EXPECT_FALSE(state.right);

  add_flags(state, FORMAT_FIXED | FORMAT_SHOW_POINT);
  fixed_off(state);
  EXPECT_FALSE(state.fixed);
  EXPECT_TRUE(state.show_point) << "turning fixed off touches nothing else";
  EXPECT_TRUE(state.left);
}

TEST(FormatChanges, InitialState) {
  const ConsoleFormatState state;
  EXPECT_FALSE(state.left || state.right || state.internal || state.fixed || state.scientific ||
               state.show_point);
  EXPECT_EQ(state.precision, 6);
  EXPECT_EQ(state.width, 0);
  EXPECT_EQ(state.fill, ' ');
}

}  // namespace
