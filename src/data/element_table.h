#pragma once
// The in-memory element table, its loader and the lookup by symbol.

#include <cstddef>
#include <cstdint>
#include <istream>

constexpr int32_t ELEMENT_TABLE_CAPACITY = 150;
constexpr size_t ELEMENT_NAME_SIZE = 20;    // 19 characters and the NUL
constexpr size_t ELEMENT_SYMBOL_SIZE = 4;   // 3 characters and the NUL

struct ElementRecord {
  char name[ELEMENT_NAME_SIZE];      // one word, IUPAC spelling
  char symbol[ELEMENT_SYMBOL_SIZE];  // as used in formulas, compared with case
  float mass;     // g/mol; 0: the element cannot be used in a formula
  float density;  // g/cm3; 0: unknown
  float melt;     // K; 0: unknown
  float boil;     // K; 0: unknown
  int32_t group;  // 1 to 18; -1 lanthanoid, -2 actinoid
  int32_t period;
};

/// Records 0 to count - 1 are the loaded elements; the atomic number of a
/// record is its position plus one.
struct ElementTable {
  ElementRecord records[ELEMENT_TABLE_CAPACITY];
  int32_t count;
};

/// The eight data files, in the order they are opened.
constexpr const char* const ELEMENT_FILE_NAMES[8] = {"symbol", "mass",    "name",  "density",
                                                    "melt",   "boil",    "group", "period"};

/// The eight open data files (already in text mode: see data/text_file.h).
/// None of them may be null.
struct ElementStreams {
  std::istream* symbol;
  std::istream* mass;
  std::istream* name;
  std::istream* density;
  std::istream* melt;
  std::istream* boil;
  std::istream* group;
  std::istream* period;
};

/// Fills `table` from the eight streams, one token of each per record, until
/// the "mass" stream is used up (or holds a token that is not a number), or
/// the table is full. Never fails: a read that fails leaves its field 0 or
/// empty and fails its stream for the rest of the loading.
///
/// Tokens are separated by white space. Numbers are an optional sign, digits
/// with an optional "." and fraction digits, and an optional exponent ("e" or
/// "E", optional sign, digits), read as far as a character can continue one;
/// that character starts the next token. Integers ("group", "period") are a
/// sign and digits within the 32-bit range. A word longer than its field is
/// cut to the field and the rest of it is skipped.
void load_element_table(ElementTable& table, const ElementStreams& streams);

enum class LoadResult { LOADED, MISSING_FILE };

/// Opens the eight data files by name in the working directory (all of them
/// before any is checked), loads `table` from them and closes them. When one
/// cannot be opened, loads nothing (count 0) and returns MISSING_FILE; the
/// caller tells the user.
LoadResult open_and_load_element_table(ElementTable& table);

/// Calls `on_match(position)` for every loaded record whose symbol equals
/// `token` (case-sensitive, at most 4 characters compared), in table order.
template <typename OnMatch>
void find_element(const char* token, const ElementTable& table, OnMatch&& on_match);

/// True when the symbol of `record` equals `token` over at most 4 characters.
bool symbol_matches(const ElementRecord& record, const char* token);

template <typename OnMatch>
void find_element(const char* token, const ElementTable& table, OnMatch&& on_match) {
  // Every record is looked at, and nearly all differ in the first character:
  // that is tested here, inline, eight records to a branch, and only a
  // record that shares it is compared whole.
  constexpr int32_t STRIDE = 8;
  const char first = token[0];
  const int32_t count = table.count;
  const auto visit = [&](int32_t position) {
    const ElementRecord& record = table.records[position];
    if (record.symbol[0] == first && symbol_matches(record, token)) on_match(position);
  };
  int32_t position = 0;
  for (; position + STRIDE <= count; position += STRIDE) {
    const ElementRecord* records = table.records + position;
    bool any = false;
    for (int32_t i = 0; i < STRIDE; ++i) any |= records[i].symbol[0] == first;
    if (!any) continue;
    for (int32_t i = 0; i < STRIDE; ++i) visit(position + i);
  }
  for (; position < count; ++position) visit(position);
}
