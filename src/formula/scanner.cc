// The typed word and the scanner: character classes, the word read, the check
// on the first character and the reading of one token.

#include <cstring>

#include "console/console.h"
#include "formula/formula.h"

// ---- Character classes ------------------------------------------------------

// Plain ranges rather than <cctype>: those depend on the locale and take an
// int that must be representable as unsigned char, while bytes 128 to 255 are
// never letters or digits here whatever the locale says.
bool is_upper(char c) { return c >= 'A' && c <= 'Z'; }
bool is_lower(char c) { return c >= 'a' && c <= 'z'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_letter(char c) { return is_upper(c) || is_lower(c); }

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
