// The data loader over nine files made from the fuzz input: the eight data
// files and the banner, each read through the text-mode filter from memory.
// Loading must always end (the fuzzer's -timeout catches one that does not),
// load at most 150 records, write nothing past the count, and leave every
// symbol and name ended by a NUL within its field and every number finite.
// The banner must come through the filter as text mode reads it. Then every
// screen that shows element data runs once over the loaded table, so that
// damaged data cannot make a screen crash, overflow a buffer or show a number
// that is not one (0 / 0, or infinities cancelling).
//
// The input is split into nine parts at a lone backslash; two backslashes
// stand for one backslash in the part, so every byte value can occur in every
// file. Parts that are not there are empty files. In order: symbol, mass,
// name, density, melt, boil, group, period, head.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <istream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>

#include "console/console.h"
#include "data/element_table.h"
#include "data/text_file.h"
#include "screens/startup.h"

namespace {

void require(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "broken: %s\n", property);
  std::abort();
}

constexpr size_t PART_COUNT = 9;
constexpr size_t BANNER_PART = 8;
constexpr char SEPARATOR = '\\';

struct Parts {
  std::string text[PART_COUNT];
};

Parts split_input(const uint8_t* data, size_t size) {
  Parts parts;
  size_t part = 0;
  for (size_t i = 0; i < size && part < PART_COUNT; ++i) {
    const char c = static_cast<char>(data[i]);
    if (c != SEPARATOR) {
      parts.text[part].push_back(c);
    } else if (i + 1 < size && static_cast<char>(data[i + 1]) == SEPARATOR) {
      parts.text[part].push_back(SEPARATOR);
      ++i;
    } else {
      ++part;
    }
  }
  return parts;
}

/// A file's content as text mode reads it: carriage returns dropped, nothing
/// from the first byte 26 on.
std::string as_text_mode(const std::string& raw) {
  std::string text;
  for (char c : raw) {
    if (c == '\x1a') break;
    if (c != '\r') text.push_back(c);
  }
  return text;
}

/// One data file in memory, opened as text.
struct MemoryFile {
  explicit MemoryFile(const std::string& content) : raw(content), text(raw.rdbuf()), stream(&text) {}
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;

  std::istringstream raw;
  TextModeStreamBuf text;
  std::istream stream;
};

// Every number needs at least one digit of its own, and a run of digits is
// never split between two numbers: no more records than digit runs in "mass".
size_t digit_runs(const std::string& text) {
  size_t runs = 0;
  bool in_run = false;
  for (char c : text) {
    const bool digit = c >= '0' && c <= '9';
    if (digit && !in_run) ++runs;
    in_run = digit;
  }
  return runs;
}

constexpr unsigned char UNWRITTEN = 0xA5;

void check_table(const ElementTable& table, const std::string& mass_text) {
  require(table.count >= 0 && table.count <= ELEMENT_TABLE_CAPACITY, "at most 150 records");
  require(static_cast<size_t>(table.count) <= digit_runs(mass_text),
          "no more records than numbers in the mass file");
  for (int32_t i = 0; i < table.count; ++i) {
    const ElementRecord& record = table.records[i];
    require(std::memchr(record.symbol, '\0', sizeof record.symbol) != nullptr,
            "a symbol ends within its field");
    require(std::memchr(record.name, '\0', sizeof record.name) != nullptr,
            "a name ends within its field");
    require(std::isfinite(record.mass) && std::isfinite(record.density) &&
                std::isfinite(record.melt) && std::isfinite(record.boil),
            "every number is finite");
  }
  const auto* rest = reinterpret_cast<const unsigned char*>(&table.records[table.count]);
  const auto* end = reinterpret_cast<const unsigned char*>(&table.records[ELEMENT_TABLE_CAPACITY]);
  for (const unsigned char* byte = rest; byte != end; ++byte) {
    require(*byte == UNWRITTEN, "nothing is written past the count");
  }
}

void check_banner(const std::string& raw) {
  MemoryFile banner(raw);
  const std::string read((std::istreambuf_iterator<char>(banner.stream)),
                         std::istreambuf_iterator<char>());
  require(read == as_text_mode(raw), "the banner reads as text mode gives it");
}

/// A formula of the first loaded symbols with small counts, at most 19
/// characters: whatever the data hold, the calculators get something to weigh.
std::string formula_of_first_symbols(const ElementTable& table) {
  std::string formula;
  for (int32_t i = 0; i < table.count && i < 6; ++i) {
    std::string part = table.records[i].symbol;
    part.push_back(static_cast<char>('1' + i));
    if (formula.size() + part.size() > 19) break;
    formula += part;
  }
  return formula.empty() ? "H2O" : formula;
}

// printf writes a NaN as nan or -nan. The total of the mass screen follows
// "Mass is ", and the numbers of the composition rows stand right-aligned in
// their fields after at least seven blanks, which a word from the data (a
// name has at most six blanks before it) never does.
bool shows_a_nan(const std::string& output) {
  for (const char* nan : {"Mass is nan", "Mass is -nan", "       nan", "       -nan"}) {
    if (output.find(nan) != std::string::npos) return true;
  }
  return false;
}

/// Every screen that shows element data, once over the loaded table: the two
/// calculators and the properties with the first symbols, then the list
/// under the formats they left.
void run_every_screen(const ElementTable& table) {
  const std::string formula = formula_of_first_symbols(table);
  const std::string typed = "M" + formula + "\nk" + "C" + formula + "\nk" + "P" + formula +
                            "\nk" + "Lk" + "e";
  MemoryDevice device(typed);
  {
    Console console(device);
    run_main_menu(console, table);
  }  // the console delivers its output when it goes
  require(!shows_a_nan(device.output()), "every number shown is a number");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const Parts parts = split_input(data, size);
  MemoryFile symbol(parts.text[0]), mass(parts.text[1]), name(parts.text[2]),
      density(parts.text[3]), melt(parts.text[4]), boil(parts.text[5]), group(parts.text[6]),
      period(parts.text[7]);

  const auto table = std::make_unique<ElementTable>();
  std::memset(static_cast<void*>(table.get()), UNWRITTEN, sizeof(ElementTable));
  load_element_table(*table, {&symbol.stream, &mass.stream, &name.stream, &density.stream,
                              &melt.stream, &boil.stream, &group.stream, &period.stream});
  check_table(*table, as_text_mode(parts.text[1]));
  check_banner(parts.text[BANNER_PART]);
  run_every_screen(*table);
  return 0;
}
