#pragma once
// Formula analysis: the typed word, its check, the expansion of parenthesised
// groups and hydrate dots, and the scanner that turns the text into symbols
// with atom counts.

#include <cstddef>
#include <cstdint>

struct Console;

/// Longest formula the buffer holds; longer words are refused whole.
constexpr size_t FORMULA_MAX_LENGTH = 255;

/// The typed word, shared by every screen for the whole run. After a read it
/// holds the word, after the expansion the expanded text.
struct FormulaBuffer {
  char text[FORMULA_MAX_LENGTH + 1];
};

constexpr size_t SYMBOL_TOKEN_SIZE = 4;  // 1 to 3 letters and the NUL

struct SymbolToken {
  char symbol[SYMBOL_TOKEN_SIZE];  // upper-case first, then lower-case, as typed
  int32_t count;                   // atoms; 1 when no digit follows the symbol
};

/// Counts typed after a symbol have at most this many digits.
constexpr size_t COUNT_MAX_DIGITS = 8;

// Character classes: bytes 128 to 255 belong to none of them. Plain ranges
// rather than <cctype>: those depend on the locale and take an int that must
// be representable as unsigned char, while bytes 128 to 255 are never letters
// or digits here whatever the locale says. Inline: the scanner and the group
// expansion ask for every character of a formula.
inline bool is_upper(char c) { return c >= 'A' && c <= 'Z'; }
inline bool is_lower(char c) { return c >= 'a' && c <= 'z'; }
inline bool is_digit(char c) { return c >= '0' && c <= '9'; }
inline bool is_letter(char c) { return is_upper(c) || is_lower(c); }

enum class FormulaRead {
  STORED,    // the typed word is in the buffer
  ENDED,     // the input has ended: the buffer is empty
  TOO_LONG,  // the word was longer than FORMULA_MAX_LENGTH: the buffer is empty
};

/// Empties the buffer, then reads one word into it. Further words of the same
/// line stay pending for the next word read.
FormulaRead read_formula(Console& console, FormulaBuffer& buffer);

/// False when the text begins with a digit or a lower-case letter.
bool check_formula_start(const char* text);

/// 1: the numbers of "(" and ")" differ; 2: no parenthesis; 3: equal, not 0.
int check_parentheses(const char* text);

/// Rewrites the last group of the text in place: the last "(" and the first
/// ")" after it, every count inside multiplied by the digits after ")".
/// Returns false, leaving the buffer as it was, when there is no such pair,
/// when a work text or the result would exceed FORMULA_MAX_LENGTH, or when a
/// multiplier or a product leaves the 32-bit signed range.
bool expand_group(FormulaBuffer& buffer);

/// The step the calculator screens run after the parenthesis check, on every
/// text, with or without parentheses: square brackets become parentheses,
/// each hydrate dot ("." or "*" or the UTF-8 middle dot, outside every group)
/// starts a group multiplied by the digits after it, and then the last group
/// is expanded while a parenthesis remains. A hydrate part with nothing in it
/// (a dot at the end, two dots in a row) adds nothing.
/// Returns false (the input is to be refused), leaving the buffer as it was,
/// when the parentheses and brackets cannot be paired (")(", "[Fe(CN)6)"), a
/// dot stands inside a group, a dot's digits have nothing after them to
/// multiply, a hydrate part begins with neither a symbol nor a group, or any
/// rewriting fails as expand_group does.
bool expand_formula(FormulaBuffer& buffer);

/// Length of the symbol that starts at text[p]: 0 when text[p] is not an
/// upper-case letter, else 1 to 3. Never looks beyond the terminating NUL.
size_t symbol_length_at(const char* text, size_t p);

enum class ScanResult {
  COMPLETE,   // every token was handed over
  STOPPED,    // the callback asked to stop
  BAD_COUNT,  // a count of more than COUNT_MAX_DIGITS digits: refused there
};

/// Hands the tokens of `text` to `on_token(const SymbolToken&)` in order, one
/// per upper-case letter; `on_token` returns false to stop the scan.
template <typename OnToken>
ScanResult scan_formula(const char* text, OnToken&& on_token);

/// Reads the token starting at text[p] (an upper-case letter). Returns false
/// when its count has more than COUNT_MAX_DIGITS digits, leading zeros
/// included (H00000007 is 7, H000000007 is refused).
bool read_token_at(const char* text, size_t p, SymbolToken& token);

template <typename OnToken>
ScanResult scan_formula(const char* text, OnToken&& on_token) {
  for (size_t p = 0; text[p] != '\0'; ++p) {
    if (!is_upper(text[p])) continue;
    SymbolToken token;
    if (!read_token_at(text, p, token)) return ScanResult::BAD_COUNT;
    if (!on_token(static_cast<const SymbolToken&>(token))) return ScanResult::STOPPED;
  }
  return ScanResult::COMPLETE;
}

// ---- Merging repeated elements -----------------------------------------------

constexpr int32_t COMPOSITION_CAPACITY = 100;
constexpr int32_t COMPOSITION_MARK = -6;  // an entry absorbed into an earlier one

/// Parallel arrays: entry i is (indices[i], counts[i]); positions 0 to last
/// are in use, -1 for an empty list. Reused without clearing.
struct CompositionList {
  int32_t indices[COMPOSITION_CAPACITY];
  int32_t counts[COMPOSITION_CAPACITY];
  int32_t last;
};

/// Folds the entries 0 to last so that each index has one entry, holding the
/// sum of its counts, in order of first appearance. Returns the new last.
/// A sum beyond the 32-bit signed range is held at INT32_MAX; callers check
/// merged_counts_fit first.
int32_t merge_repeated_elements(int32_t indices[], int32_t counts[], int32_t last);

/// True when every sum merge_repeated_elements would form fits in 32 bits.
bool merged_counts_fit(const int32_t indices[], const int32_t counts[], int32_t last);
