#include "data/element_table.h"

#include <charconv>
#include <string>
#include <string_view>
#include <system_error>

#include "data/text_file.h"

namespace {

// ---------------------------------------------------------------------------
// Reading tokens
//
// Each read works on the stream's buffer directly and keeps the stream's
// state itself: eofbit once a read has run into the end of the file, failbit
// once a read has failed. A stream that is not good() fails every later read,
// so a file that failed once stays failed.

using Traits = std::istream::traits_type;

bool is_blank(int c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool is_digit(int c) { return c >= '0' && c <= '9'; }

/// The next character without taking it; EOF (and eofbit) at the end.
int peek_char(std::istream& in) {
  const int c = in.rdbuf() == nullptr ? Traits::eof() : in.rdbuf()->sgetc();
  if (c == Traits::eof()) in.setstate(std::ios::eofbit);
  return c;
}

void take_char(std::istream& in) { in.rdbuf()->sbumpc(); }

/// Makes the read fail and the stream with it.
bool fail_read(std::istream& in) {
  in.setstate(std::ios::failbit);
  return false;
}

/// Skips white space before a token; false (the read failed) when the stream
/// had already failed or ended, or holds nothing but white space.
bool start_token(std::istream& in) {
  if (!in.good()) return fail_read(in);
  while (is_blank(peek_char(in))) take_char(in);
  if (peek_char(in) == Traits::eof()) return fail_read(in);
  return true;
}

/// Appends to `text` the run of digits at the front of the stream; returns
/// how many there were.
size_t take_digits(std::istream& in, std::string& text) {
  size_t digits = 0;
  for (int c = peek_char(in); is_digit(c); c = peek_char(in)) {
    text.push_back(static_cast<char>(c));
    take_char(in);
    ++digits;
  }
  return digits;
}

void take_sign(std::istream& in, std::string& text) {
  const int c = peek_char(in);
  if (c == '+' || c == '-') {
    text.push_back(static_cast<char>(c));
    take_char(in);
  }
}

/// Takes the longest run of characters that can begin a decimal number and
/// tells whether that run is a whole number.
bool scan_decimal(std::istream& in, std::string& text) {
  take_sign(in, text);
  size_t mantissa_digits = take_digits(in, text);
  if (peek_char(in) == '.') {
    text.push_back('.');
    take_char(in);
    mantissa_digits += take_digits(in, text);
  }
  if (mantissa_digits == 0) return false;
  const int c = peek_char(in);
  if (c != 'e' && c != 'E') return true;
  text.push_back(static_cast<char>(c));
  take_char(in);
  take_sign(in, text);
  return take_digits(in, text) > 0;
}

/// from_chars takes no leading "+"; the sign is ours to skip.
std::string_view without_plus(const std::string& text) {
  std::string_view view = text;
  if (!view.empty() && view.front() == '+') view.remove_prefix(1);
  return view;
}

/// Reads a decimal number into `value` (single precision, no locale). On
/// failure `value` is left alone. A number too large or too small for single
/// precision counts as no number.
bool read_number(std::istream& in, float& value) {
  if (!start_token(in)) return false;
  std::string text;
  if (!scan_decimal(in, text)) return fail_read(in);
  const std::string_view digits = without_plus(text);
  float parsed = 0;
  const char* const last = digits.data() + digits.size();
  const auto [end, error] = std::from_chars(digits.data(), last, parsed);  // general format
  if (error != std::errc{} || end != last) return fail_read(in);
  value = parsed;
  return true;
}

/// Reads a decimal integer within the 32-bit range into `value`; on failure
/// `value` is left alone.
bool read_integer(std::istream& in, int32_t& value) {
  if (!start_token(in)) return false;
  std::string text;
  take_sign(in, text);
  if (take_digits(in, text) == 0) return fail_read(in);
  const std::string_view digits = without_plus(text);
  int32_t parsed = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), parsed);
  if (error != std::errc{} || end != digits.data() + digits.size()) return fail_read(in);
  value = parsed;
  return true;
}

/// Reads a word into `field`, cut to what the field holds; the rest of a long
/// word is skipped so that it does not become the next record's token.
template <size_t SIZE>
bool read_word(std::istream& in, char (&field)[SIZE]) {
  static_assert(SIZE > 0);
  if (!start_token(in)) return false;
  size_t length = 0;
  for (int c = peek_char(in); c != Traits::eof() && !is_blank(c); c = peek_char(in)) {
    if (length < SIZE - 1) field[length++] = static_cast<char>(c);
    take_char(in);
  }
  field[length] = '\0';
  return true;
}

// ---------------------------------------------------------------------------
// The data files

/// Positions in ELEMENT_FILE_NAMES.
enum FileIndex {
  SYMBOL_FILE,
  MASS_FILE,
  NAME_FILE,
  DENSITY_FILE,
  MELT_FILE,
  BOIL_FILE,
  GROUP_FILE,
  PERIOD_FILE,
};
constexpr int FILE_COUNT = 8;

static_assert(std::string_view(ELEMENT_FILE_NAMES[SYMBOL_FILE]) == "symbol");
static_assert(std::string_view(ELEMENT_FILE_NAMES[MASS_FILE]) == "mass");
static_assert(std::string_view(ELEMENT_FILE_NAMES[NAME_FILE]) == "name");
static_assert(std::string_view(ELEMENT_FILE_NAMES[DENSITY_FILE]) == "density");
static_assert(std::string_view(ELEMENT_FILE_NAMES[MELT_FILE]) == "melt");
static_assert(std::string_view(ELEMENT_FILE_NAMES[BOIL_FILE]) == "boil");
static_assert(std::string_view(ELEMENT_FILE_NAMES[GROUP_FILE]) == "group");
static_assert(std::string_view(ELEMENT_FILE_NAMES[PERIOD_FILE]) == "period");

// "mass" decides how many elements there are, so it is looked at first.
constexpr FileIndex CHECK_ORDER[FILE_COUNT] = {MASS_FILE,   SYMBOL_FILE, NAME_FILE,  DENSITY_FILE,
                                               MELT_FILE,   BOIL_FILE,   GROUP_FILE, PERIOD_FILE};

}  // namespace

// ---------------------------------------------------------------------------
// Loading and lookup

void load_element_table(ElementTable& table, const ElementStreams& streams) {
  table.count = 0;
  // The end of "mass" is tested before every record: after its last number
  // with nothing behind it, the table is complete.
  while (table.count < ELEMENT_TABLE_CAPACITY && !streams.mass->eof()) {
    ElementRecord record{};
    // No number (the end, or a token that is not one) ends the loading here;
    // the records before it stay.
    if (!read_number(*streams.mass, record.mass)) break;
    read_word(*streams.symbol, record.symbol);
    read_word(*streams.name, record.name);
    read_number(*streams.density, record.density);
    read_number(*streams.melt, record.melt);
    read_number(*streams.boil, record.boil);
    read_integer(*streams.group, record.group);
    read_integer(*streams.period, record.period);
    table.records[table.count++] = record;
  }
}

LoadResult open_and_load_element_table(ElementTable& table) {
  TextFile files[FILE_COUNT];
  bool opened[FILE_COUNT] = {};
  for (int i = 0; i < FILE_COUNT; ++i) opened[i] = files[i].open(ELEMENT_FILE_NAMES[i]);
  for (FileIndex index : CHECK_ORDER) {
    if (!opened[index]) {
      table.count = 0;
      return LoadResult::MISSING_FILE;  // the files that did open close on the way out
    }
  }
  const ElementStreams streams{&files[SYMBOL_FILE].stream(),  &files[MASS_FILE].stream(),
                               &files[NAME_FILE].stream(),    &files[DENSITY_FILE].stream(),
                               &files[MELT_FILE].stream(),    &files[BOIL_FILE].stream(),
                               &files[GROUP_FILE].stream(),   &files[PERIOD_FILE].stream()};
  load_element_table(table, streams);
  for (TextFile& file : files) file.close();
  return LoadResult::LOADED;
}

bool symbol_matches(const ElementRecord& record, const char* token) {
  for (size_t i = 0; i < ELEMENT_SYMBOL_SIZE; ++i) {
    if (record.symbol[i] != token[i]) return false;
    if (record.symbol[i] == '\0') return true;
  }
  return true;
}
