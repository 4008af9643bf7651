// Parenthesised groups and hydrate parts: the parenthesis check, the
// expansion of one group and the whole rewriting the calculator screens use.

#include <cstring>

#include "formula/formula.h"

// ---- Work texts ------------------------------------------------------------------

namespace {

// A text built piece by piece with the bound of the formula buffer. A piece
// that would pass the bound is not written and marks the text as overflowed,
// so the builder checks once at the end.
struct WorkText {
  char text[FORMULA_MAX_LENGTH + 1] = {};
  size_t length = 0;
  bool overflowed = false;
};

void append_chars(WorkText& work, const char* chars, size_t count) {
  if (work.overflowed || count > FORMULA_MAX_LENGTH - work.length) {
    work.overflowed = true;
    return;
  }
  std::memcpy(work.text + work.length, chars, count);
  work.length += count;
  work.text[work.length] = '\0';
}

void append_char(WorkText& work, char c) { append_chars(work, &c, 1); }

/// Appends a value of 0 or more in decimal, without sign or leading zeros.
void append_number(WorkText& work, int64_t value) {
  char digits[20];
  size_t count = 0;
  do {
    digits[count++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value > 0);
  while (count > 0) append_char(work, digits[--count]);
}

bool ends_in_digit(const WorkText& work) {
  return work.length > 0 && is_digit(work.text[work.length - 1]);
}

/// Length of the text in a buffer, or the buffer's size when it holds no NUL.
size_t text_length(const FormulaBuffer& buffer) {
  const void* nul = std::memchr(buffer.text, '\0', sizeof buffer.text);
  if (nul == nullptr) return sizeof buffer.text;
  return static_cast<size_t>(static_cast<const char*>(nul) - buffer.text);
}

void store(FormulaBuffer& buffer, const WorkText& work) {
  std::memcpy(buffer.text, work.text, work.length + 1);
}

// ---- Digit runs -------------------------------------------------------------------

// The longest run of digits that starts at a position. Its value is kept only
// while it fits in 32 bits; beyond that the run is marked as too large.
struct DigitRun {
  size_t length = 0;
  int64_t value = 0;
  bool fits = true;
};

DigitRun digit_run_at(const char* text, size_t p) {
  DigitRun run;
  while (is_digit(text[p + run.length])) {
    if (run.fits) {
      run.value = run.value * 10 + (text[p + run.length] - '0');
      if (run.value > INT32_MAX) run.fits = false;
    }
    ++run.length;
  }
  return run;
}

}  // namespace

// ---- One group ----------------------------------------------------------------------

int check_parentheses(const char* text) {
  int opening = 0;
  int closing = 0;
  for (const char* c = text; *c != '\0'; ++c) {
    if (*c == '(') ++opening;
    if (*c == ')') ++closing;
  }
  if (opening != closing) return 1;
  return opening == 0 ? 2 : 3;
}

bool expand_group(FormulaBuffer& buffer) {
  const size_t length = text_length(buffer);
  if (length == sizeof buffer.text) return false;
  const char* text = buffer.text;

  const char* last_open = std::strrchr(text, '(');
  if (last_open == nullptr) return false;
  const size_t open = static_cast<size_t>(last_open - text);
  const char* first_close = std::strchr(last_open, ')');
  if (first_close == nullptr) return false;
  const size_t close = static_cast<size_t>(first_close - text);

  const DigitRun multiplier = digit_run_at(text, close + 1);
  if (!multiplier.fits) return false;
  // No digits: the group counts once.
  const int64_t factor = multiplier.length == 0 ? 1 : multiplier.value;

  WorkText inside;
  for (size_t i = open + 1; i < close; ++i) {
    const char c = text[i];
    // The character before as typed: a dropped character still breaks the
    // test, so a symbol before a sign gets no multiplier.
    const char b = text[i - 1];
    if (is_lower(c)) {
      append_char(inside, c);
    } else if (is_upper(c)) {
      // The symbol before had no count of its own: it gets the multiplier.
      if (is_letter(b)) append_number(inside, factor);
      append_char(inside, c);
    } else if (is_digit(c) && !is_digit(b)) {
      const DigitRun count = digit_run_at(text, i);
      if (!count.fits) return false;
      const int64_t product = count.value * factor;  // both below 2^31
      if (product > INT32_MAX) return false;
      append_number(inside, product);
    }
    // Anything else adds nothing: a digit after a digit belongs to a run
    // already written, other characters are dropped.
  }
  // The last symbol, when it has no count of its own.
  if (!ends_in_digit(inside)) append_number(inside, factor);
  if (inside.overflowed) return false;

  WorkText result;
  append_chars(result, text, open);
  append_chars(result, inside.text, inside.length);
  const size_t after = close + 1 + multiplier.length;
  append_chars(result, text + after, length - after);
  if (result.overflowed) return false;

  store(buffer, result);
  return true;
}

// ---- Brackets and hydrate parts ----------------------------------------------------

namespace {

void brackets_to_parentheses(char* text) {
  for (char* c = text; *c != '\0'; ++c) {
    if (*c == '[') *c = '(';
    if (*c == ']') *c = ')';
  }
}

/// True when every ")" closes an earlier "(" and every "]" an earlier "[",
/// and every "(" and "[" is closed: K4[Fe(CN)6] pairs up, K4[Fe(CN)6) and
/// ")(" do not.
bool groups_pair_up(const char* text) {
  char open[FORMULA_MAX_LENGTH];  // the closing character each open group expects
  size_t depth = 0;
  for (const char* c = text; *c != '\0'; ++c) {
    if (*c == '(' || *c == '[') {
      if (depth == sizeof open) return false;
      open[depth++] = *c == '(' ? ')' : ']';
    } else if (*c == ')' || *c == ']') {
      if (depth == 0 || open[depth - 1] != *c) return false;
      --depth;
    }
  }
  return depth == 0;
}

/// Bytes of the hydrate dot at text[p]: 1 for "." and "*", 2 for the middle
/// dot in UTF-8 (C2 B7), 0 when there is none. Reads text[p + 1] only when
/// text[p] is not the NUL.
size_t hydrate_dot_length(const char* text, size_t p) {
  if (text[p] == '.' || text[p] == '*') return 1;
  if (text[p] == '\xC2' && text[p + 1] == '\xB7') return 2;
  return 0;
}

/// Finds the next hydrate dot from `from`, which stands outside every group,
/// and sets `at` to its position, or to the end of the text when none
/// follows. False when a dot stands inside a group.
bool find_hydrate_dot(const char* text, size_t from, size_t& at) {
  int depth = 0;
  size_t p = from;
  for (; text[p] != '\0'; ++p) {
    if (text[p] == '(') ++depth;
    if (text[p] == ')') --depth;
    if (hydrate_dot_length(text, p) == 0) continue;
    if (depth > 0) return false;
    at = p;
    return true;
  }
  at = p;
  return true;
}

/// Rewrites each hydrate part, the text after a dot up to the next dot or the
/// end, as a group multiplied by the digits right after its dot:
/// CuSO4.5H2O becomes CuSO4(H2O)5. A part with nothing in it (a dot at the
/// end, two dots in a row) adds nothing, but digits with nothing after them
/// to multiply are refused, and so is a part that does not begin with a
/// symbol or a group: once wrapped, its first count would join the symbol in
/// front of the group.
bool rewrite_hydrate_parts(FormulaBuffer& buffer) {
  const char* text = buffer.text;
  size_t dot = 0;
  if (!find_hydrate_dot(text, 0, dot)) return false;
  if (text[dot] == '\0') return true;

  WorkText result;
  append_chars(result, text, dot);
  while (text[dot] != '\0') {
    const size_t digits = dot + hydrate_dot_length(text, dot);
    const size_t part = digits + digit_run_at(text, digits).length;
    size_t next = 0;
    if (!find_hydrate_dot(text, part, next)) return false;
    if (next == part) {
      if (part > digits) return false;
    } else {
      if (!is_upper(text[part]) && text[part] != '(') return false;
      append_char(result, '(');
      append_chars(result, text + part, next - part);
      append_char(result, ')');
      append_chars(result, text + digits, part - digits);
    }
    dot = next;
  }
  if (result.overflowed) return false;

  store(buffer, result);
  return true;
}

}  // namespace

// ---- The whole rewriting --------------------------------------------------------------

bool expand_formula(FormulaBuffer& buffer) {
  if (text_length(buffer) == sizeof buffer.text) return false;
  // Most formulas have neither a group nor a hydrate dot: nothing to rewrite.
  if (std::strpbrk(buffer.text, "()[].*\xC2") == nullptr) return true;
  // Work on a copy so that a refused text stays as it was typed.
  FormulaBuffer work = buffer;
  if (!groups_pair_up(work.text)) return false;
  brackets_to_parentheses(work.text);
  if (!rewrite_hydrate_parts(work)) return false;
  // The last "(" and the first ")" after it always enclose an innermost
  // group, so expanding the last group until none is left works outwards.
  while (std::strchr(work.text, '(') != nullptr) {
    if (!expand_group(work)) return false;
  }
  buffer = work;
  return true;
}
