// Reading the typed word into the formula buffer.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "console/console.h"
#include "console/device.h"
#include "formula/formula.h"

namespace {

FormulaBuffer stale_buffer() {
  FormulaBuffer buffer;
  std::memset(buffer.text, 0, sizeof buffer.text);
  std::strcpy(buffer.text, "Stale");  // a word left by an earlier screen
  return buffer;
}

TEST(FormulaRead, TwoWordsOnOneLineGoToTwoReads) {
  MemoryDevice device("  H2O NaCl\n");
  Console console(device);
  FormulaBuffer buffer = stale_buffer();
  ASSERT_EQ(read_formula(console, buffer), FormulaRead::STORED);
  EXPECT_STREQ(buffer.text, "H2O");
  ASSERT_EQ(read_formula(console, buffer), FormulaRead::STORED);
  EXPECT_STREQ(buffer.text, "NaCl");
}

TEST(FormulaRead, EndOfInputLeavesTheBufferEmpty) {
  const char* const inputs[] = {"", "   \n\t\n"};
  for (const char* input : inputs) {
    SCOPED_TRACE(std::string("input \"") + input + "\"");
    MemoryDevice device(input);
    Console console(device);
    FormulaBuffer buffer = stale_buffer();
    EXPECT_EQ(read_formula(console, buffer), FormulaRead::ENDED);
    EXPECT_STREQ(buffer.text, "");
  }
}

TEST(FormulaRead, TheLastWordBeforeTheEndIsStillTaken) {
  MemoryDevice device("CuSO4.5H2O");
  Console console(device);
  FormulaBuffer buffer = stale_buffer();
  EXPECT_EQ(read_formula(console, buffer), FormulaRead::STORED);
  EXPECT_STREQ(buffer.text, "CuSO4.5H2O");
  EXPECT_EQ(read_formula(console, buffer), FormulaRead::ENDED);
  EXPECT_STREQ(buffer.text, "");
}

TEST(FormulaRead, HoldsLongWordsAndRefusesLongerOnesWhole) {
  struct Case {
    size_t length;
    FormulaRead result;
  };
  const Case cases[] = {
      {24, FormulaRead::STORED},
      {FORMULA_MAX_LENGTH, FormulaRead::STORED},
      {FORMULA_MAX_LENGTH + 1, FormulaRead::TOO_LONG},
      {5000, FormulaRead::TOO_LONG},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("length " + std::to_string(c.length));
    std::string word = "Na";
    while (word.size() < c.length) word += "Cl";
    word.resize(c.length);
    MemoryDevice device(word + " KBr\n");
    device.set_chunk(7);  // the word arrives in several pieces
    Console console(device);
    FormulaBuffer buffer = stale_buffer();
    ASSERT_EQ(read_formula(console, buffer), c.result);
    EXPECT_EQ(buffer.text, c.result == FormulaRead::STORED ? word : std::string());
    // Nothing of the word stays pending: the next read takes the next word.
    ASSERT_EQ(read_formula(console, buffer), FormulaRead::STORED);
    EXPECT_STREQ(buffer.text, "KBr");
  }
}

}  // namespace
