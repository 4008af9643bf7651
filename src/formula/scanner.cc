// The typed word and the scanner: the word read, the check on the first
// character and the reading of one token.

#include <cstring>

#include "console/console.h"
#include "formula/formula.h"

// ---- Reading the word --------------------------------------------------------

FormulaRead read_formula(Console& console, FormulaBuffer& buffer) {
  buffer.text[0] = '\0';
  switch (read_word(console, buffer.text, sizeof buffer.text)) {
    case WordRead::STORED:
      return FormulaRead::STORED;
    case WordRead::ENDED:
      buffer.text[0] = '\0';
      return FormulaRead::ENDED;
    case WordRead::TOO_LONG:
      break;
  }
  // The word was consumed whole; nothing of it may be mistaken for a formula.
  buffer.text[0] = '\0';
  return FormulaRead::TOO_LONG;
}

bool check_formula_start(const char* text) {
  return !is_digit(text[0]) && !is_lower(text[0]);
}

// ---- Scanning -------------------------------------------------------------------

size_t symbol_length_at(const char* text, size_t p) {
  if (!is_upper(text[p])) return 0;
  // text[p + 2] is looked at only when text[p + 1] is a letter, so never past
  // the NUL.
  if (!is_lower(text[p + 1])) return 1;
  return is_lower(text[p + 2]) ? 3 : 2;
}

bool read_token_at(const char* text, size_t p, SymbolToken& token) {
  const size_t length = symbol_length_at(text, p);
  std::memcpy(token.symbol, text + p, length);
  token.symbol[length] = '\0';

  // Every digit of the run counts toward the limit, leading zeros included,
  // so the value of an accepted run always fits in 32 bits.
  const char* digits = text + p + length;
  size_t run = 0;
  int32_t count = 0;
  while (is_digit(digits[run])) {
    if (run < COUNT_MAX_DIGITS) count = count * 10 + (digits[run] - '0');
    ++run;
  }
  if (run > COUNT_MAX_DIGITS) return false;
  token.count = run == 0 ? 1 : count;
  return true;
}
