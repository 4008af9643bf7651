// The real program against input and data it was never meant to get: a mebibyte
// of random bytes through its standard input, and damaged data files. Whatever
// comes, it must start, show its menu, run every screen without a crash or a
// division by zero, and end by itself with status 0.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "support/fixture.h"
#include "support/run_program.h"
#include "support/screen_texts.h"

namespace {

// ---- Texts the program writes ------------------------------------------------

const std::string HELP_MENU_TITLE = "\t\t\t  **HELP MENU**";

// The list rows of the fixture below, on a list shown first in a run.
const std::string ROW_C = "\n   2\t\tC  \t\t  Carbon      \t\t   12.0110";
const std::string ROW_O = "\n   3\t\tO  \t\t  Oxygen      \t\t   15.9990";
const std::string ROW_NA = "\n   4\t\tNa \t\t  Sodium      \t\t   22.9900";

// ---- Fixture -------------------------------------------------------------------

const std::string BANNER = "  chemterm (test)\n";
const std::string START = BANNER + BANNER_PROMPT;

const char* const ALL_FILE_NAMES[] = {"symbol", "mass",  "name",   "density", "melt",
                                      "boil",   "group", "period", "head"};

// Four elements, written with the banner above.
const std::vector<FixtureElement> ELEMENTS = {
    {"H", "Hydrogen", "1.008", "0.0899", "14.01", "20.28", "1", "1"},
    {"C", "Carbon", "12.011", "2.267", "3800", "4300", "14", "2"},
    {"O", "Oxygen", "15.999", "1.429", "54.36", "90.2", "16", "2"},
    {"Na", "Sodium", "22.99", "0.968", "370.87", "1156", "1", "3"},
};

/// Puts a folder where the file `name` was.
void replace_with_folder(const TempDir& dir, const std::string& name) {
  dir.remove(name);
  std::filesystem::create_directory(dir.path() + "/" + name);
}

// The banner key, then every screen once with `formula` where one is asked
// for, and every help topic; each screen is closed with k, then E at the menu.
std::string every_screen_keys(const std::string& formula) {
  return "k" "m" + formula + "\nk" "c" + formula + "\nk" "lk" "p" + formula + "\nk" "hak" "hfk"
         "hok" "e";
}

// One menu after the banner and one after each of the seven screens above.
constexpr size_t MENUS_OF_EVERY_SCREEN = 8;

// ---- Random bytes ----------------------------------------------------------------

constexpr size_t MEBIBYTE = 1 << 20;

/// `size` bytes drawn from `alphabet` (all 256 values when empty). The raw
/// output of std::mt19937 is fixed by the standard, so every library gives
/// the same bytes for the same seed.
std::string random_bytes(uint32_t seed, size_t size, std::string_view alphabet = {}) {
  std::mt19937 generator(seed);
  std::string bytes(size, '\0');
  for (char& byte : bytes) {
    const uint32_t draw = generator();
    byte = alphabet.empty() ? static_cast<char>(draw & 0xFF) : alphabet[draw % alphabet.size()];
  }
  return bytes;
}

std::string without_e(std::string bytes) {
  for (char& byte : bytes) {
    if (byte == 'e' || byte == 'E') byte = 'x';
  }
  return bytes;
}

// Wherever the input leaves the program (inside a word read, at a key, in the
// middle of an escape sequence), this brings it back to the menu and opens the
// list, whose closing prompt then meets the end of the input: output that ends
// with the list shows that the program read everything before it.
const std::string BACK_TO_LIST = "\nH2O\n" + std::string(30, 'x') + "l";

// Sanitized builds run the program several times slower.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool SANITIZED = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool SANITIZED = true;
#else
constexpr bool SANITIZED = false;
#endif
#else
constexpr bool SANITIZED = false;
#endif

// A plain build takes under two seconds for a mebibyte of keys.
constexpr std::chrono::seconds RANDOM_INPUT_LIMIT(SANITIZED ? 90 : 10);

// ---- Checks ----------------------------------------------------------------------

bool starts_with(const std::string& text, const std::string& start) {
  return text.compare(0, start.size(), start) == 0;
}

bool ends_with(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Runs the program and checks what every run must show: it ended by itself,
// with status 0, and wrote nothing to standard error.
ProgramResult run_ok(const TempDir& dir, const std::string& input,
                     std::chrono::milliseconds limit = std::chrono::seconds(10)) {
  ProgramResult result = run_piped(dir.path(), input, limit);
  EXPECT_FALSE(result.timed_out);
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.error_output, "");
  return result;
}

// After every screen the program came back to its menu, and no number on any
// screen came from a division by zero: printf writes x / 0 as inf and 0 / 0 as
// nan. A sum beyond single precision is infinite too, so where the data hold
// such masses `sums_may_overflow` lets inf stand where a sum or a product is
// shown, but not as a percentage or a list mass: those end their line.
void expect_every_screen_returned(const ProgramResult& result, bool sums_may_overflow = false) {
  EXPECT_EQ(occurrences(result.output, MENU), MENUS_OF_EVERY_SCREEN);
  EXPECT_TRUE(ends_with(result.output, MENU));
  EXPECT_EQ(occurrences(result.output, "nan"), 0u);
  EXPECT_EQ(occurrences(result.output, sums_may_overflow ? "inf\n" : "inf"), 0u);
}

/// What a text-mode read of `raw` gives: no carriage returns, nothing from
/// the first byte 26 on.
std::string as_text_mode(const std::string& raw) {
  std::string text;
  for (char c : raw) {
    if (c == '\x1a') break;
    if (c != '\r') text.push_back(c);
  }
  return text;
}

}  // namespace

// ---- Random input ------------------------------------------------------------------

// Any byte can be a key, so an e or E comes soon and ends the program.
TEST(RobustnessTranscript, RandomBytesEndTheProgram) {
  TempDir dir;
  dir.copy_shipped_data();
  const std::string banner = read_file(dir.path() + "/head");
  for (uint32_t seed : {1u, 2u, 3u}) {
    SCOPED_TRACE(seed);
    const ProgramResult result = run_ok(dir, random_bytes(seed, MEBIBYTE), std::chrono::seconds(5));
    EXPECT_TRUE(starts_with(result.output, banner + BANNER_PROMPT + MENU));
  }
}

// Without e and E nothing ends the program before its input does: every
// byte of the mebibyte goes through the key decoder, the word reads and
// whatever screens the bytes open.
TEST(RobustnessTranscript, RandomBytesWithoutEAreReadToTheEnd) {
  TempDir dir;
  dir.copy_shipped_data();
  const std::string input = without_e(random_bytes(4, MEBIBYTE)) + BACK_TO_LIST;
  const ProgramResult result = run_ok(dir, input, RANDOM_INPUT_LIMIT);
  EXPECT_GT(occurrences(result.output, MENU), 100000u);
  EXPECT_TRUE(ends_with(result.output, CLOSING));
  EXPECT_GT(result.output.rfind(LIST_HEADER), result.output.rfind(MENU));
}

// Menu letters, formula characters and line ends in random order, so that the
// bytes really open the screens and type formulas: every screen and the error
// screen show up, and the program still reads to the end. E and e are left
// out, as above; the formulas lose Fe, He and the like, but nothing else.
TEST(RobustnessTranscript, RandomMenuKeysAndFormulasRunEveryScreen) {
  const std::string alphabet =
      "MLCPHmlcphABCDFGHIJKLMNOPQRSTUVWXYZabcdfghijklmnopqrstuvwxyz0123456789()[].* \n\n\n\n";
  TempDir dir;
  dir.copy_shipped_data();
  const std::string input = random_bytes(5, MEBIBYTE / 4, alphabet) + BACK_TO_LIST;
  const ProgramResult result = run_ok(dir, input, RANDOM_INPUT_LIMIT);
  for (const std::string& text : {std::string("\n\n\nMass is "), COMPOSITION_HEADER,
                                  std::string("\nElement is     ::  "), LIST_HEADER,
                                  HELP_MENU_TITLE, ERROR_SCREEN}) {
    EXPECT_GT(occurrences(result.output, text), 10u) << testing::PrintToString(text);
  }
  EXPECT_EQ(occurrences(result.output, "nan"), 0u);
  EXPECT_EQ(occurrences(result.output, "inf"), 0u);
  EXPECT_TRUE(ends_with(result.output, CLOSING));
  EXPECT_GT(result.output.rfind(LIST_HEADER), result.output.rfind(MENU));
}

// ---- Damaged data files ----------------------------------------------------------------

// Each of the nine files in turn, and all of them at once, replaced by
// binary garbage or by a folder: the program starts, shows the banner as
// text mode reads it, and every screen comes back to the menu.
TEST(BadDataTranscript, GarbageOrFolderInPlaceOfAnyFile) {
  enum class Damage { GARBAGE, FOLDER };
  struct Case {
    std::string file;  // empty: all nine
    Damage damage;
  };
  std::vector<Case> cases;
  for (Damage damage : {Damage::GARBAGE, Damage::FOLDER}) {
    for (const char* name : ALL_FILE_NAMES) cases.push_back({name, damage});
    cases.push_back({"", damage});
  }
  uint32_t seed = 100;
  for (const Case& c : cases) {
    SCOPED_TRACE((c.file.empty() ? "every file" : c.file) +
                 (c.damage == Damage::GARBAGE ? " holds garbage" : " is a folder"));
    TempDir dir;
    write_fixture(dir, ELEMENTS, BANNER);
    std::string banner = BANNER;
    for (const char* name : ALL_FILE_NAMES) {
      if (!c.file.empty() && c.file != name) continue;
      if (c.damage == Damage::FOLDER) {
        replace_with_folder(dir, name);
        if (c.file.empty() || c.file == "head") banner.clear();
        continue;
      }
      const std::string garbage = random_bytes(++seed, 4096);
      dir.write(name, garbage);
      if (std::string_view(name) == "head") banner = as_text_mode(garbage);
    }
    const ProgramResult result = run_ok(dir, every_screen_keys("H2O"));
    EXPECT_TRUE(starts_with(result.output, banner + BANNER_PROMPT + MENU));
    expect_every_screen_returned(result);
  }
}

// A "mass" folder reads as an empty file: no elements, so every formula and
// every symbol is unknown and the list is empty.
TEST(BadDataTranscript, MassFolderGivesAnEmptyTable) {
  TempDir dir;
  write_fixture(dir, ELEMENTS, BANNER);
  replace_with_folder(dir, "mass");
  const ProgramResult result = run_ok(dir, "kmH2O\nkcH2O\nklkpH\nke");
  const std::string refused = FORMULA_PROMPT + ERROR_SCREEN + MENU;
  EXPECT_EQ(result.output,
            START + MENU + refused + refused + LIST_HEADER + CLOSING + MENU + refused);
  expect_every_screen_returned(run_ok(dir, every_screen_keys("H2O")));
}

// A symbol of 10 letters is cut to its first three, which formulas then use;
// the rest of the word does not become the next element's symbol.
TEST(BadDataTranscript, TenLetterSymbolCutToThree) {
  TempDir dir;
  write_fixture(dir, ELEMENTS, BANNER);
  dir.write("symbol", "Hydrogenum\nC\nO\nNa\n");
  const std::string row_h = "\n   1\t\tHyd\t\t  Hydrogen    \t\t   1.00800";
  const ProgramResult result = run_ok(dir, "klkmHyd2O\nke");
  EXPECT_EQ(result.output, START + MENU + LIST_HEADER + row_h + ROW_C + ROW_O + ROW_NA +
                               CLOSING + MENU + FORMULA_PROMPT +
                               "\n\n\nMass is 18.0150 gm/mol" + CALCULATOR_CLOSING + MENU);
  expect_every_screen_returned(run_ok(dir, every_screen_keys("Hyd2O")));
}

// A name of 40 letters is cut to its first 19 in the list and on the
// properties screen, and the next element keeps its own name.
TEST(BadDataTranscript, FortyLetterNameCutToNineteen) {
  const std::string name = "Hydrogeniumhydrogeniumhydrogeniumhydroge";
  ASSERT_EQ(name.size(), 40u);
  const std::string cut = name.substr(0, 19);
  TempDir dir;
  write_fixture(dir, ELEMENTS, BANNER);
  dir.write("name", name + "\nCarbon\nOxygen\nSodium\n");
  const ProgramResult result = run_ok(dir, "klkpH\nke");
  const std::string row_h = "\n   1\t\tH  \t\t  " + cut + "\t\t   1.00800";
  EXPECT_TRUE(starts_with(result.output, START + MENU + LIST_HEADER + row_h + ROW_C + ROW_O +
                                             ROW_NA + CLOSING + MENU));
  EXPECT_EQ(occurrences(result.output, "\nElement is     ::  " + cut + "\nAtomic no      ::  1\n"),
            1u);
  expect_every_screen_returned(run_ok(dir, every_screen_keys("H2O")));
}

// With 200 elements in the files the table holds the first 150: the 150th
// can be weighed, the 151st is an unknown symbol.
TEST(BadDataTranscript, TwoHundredElementsKeepTheFirst150) {
  constexpr int RECORDS = 200;
  // Distinct symbols a formula can name: Qaa, Qab, ... in table order.
  auto symbol_of = [](int i) {
    return std::string{'Q', static_cast<char>('a' + (i - 1) / 26), static_cast<char>('a' + (i - 1) % 26)};
  };
  std::string symbols, masses, names, numbers, integers;
  for (int i = 1; i <= RECORDS; ++i) {
    symbols += symbol_of(i) + "\n";
    masses += std::to_string(i) + "\n";
    names += "Element" + std::to_string(i) + "\n";
    numbers += "1.5\n";
    integers += "1\n";
  }
  TempDir dir;
  write_fixture(dir, ELEMENTS, BANNER);
  dir.write("symbol", symbols);
  dir.write("mass", masses);
  dir.write("name", names);
  for (const char* name : {"density", "melt", "boil"}) dir.write(name, numbers);
  for (const char* name : {"group", "period"}) dir.write(name, integers);

  const ProgramResult result =
      run_ok(dir, "km" + symbol_of(150) + "\nkm" + symbol_of(151) + "\nklke");
  const std::string weighed = FORMULA_PROMPT + "\n\n\nMass is 150 gm/mol" + CALCULATOR_CLOSING;
  EXPECT_TRUE(starts_with(result.output, START + MENU + weighed + MENU + FORMULA_PROMPT +
                                             ERROR_SCREEN + MENU + LIST_HEADER));
  EXPECT_EQ(occurrences(result.output, "\n 150\t\t" + symbol_of(150)), 1u);
  EXPECT_EQ(occurrences(result.output, "\n 151\t\t"), 0u);
  expect_every_screen_returned(run_ok(dir, every_screen_keys(symbol_of(150) + "2")));
}

// Negative and zero masses. A zero mass is an unknown element on both
// calculators. A negative one is weighed like any other: the molecular mass
// screen shows a negative total (a total of exactly 0 is refused), and the
// composition screen, which divides by the total, refuses a total of 0 or
// less and shows the percentages of a positive one.
TEST(BadDataTranscript, NegativeAndZeroMasses) {
  struct Case {
    const char* formula;
    std::string mass_screen;         // after the prompt
    std::string composition_screen;  // after the prompt; empty: rows shown
  };
  const std::string mass_closing = CALCULATOR_CLOSING;
  const Case cases[] = {
      {"C", "\n\n\nMass is -2 gm/mol" + mass_closing, ERROR_SCREEN},
      {"NaH", "\n\n\nMass is -21.99 gm/mol" + mass_closing, ERROR_SCREEN},
      {"H2C", ERROR_SCREEN, ERROR_SCREEN},  // a total of exactly 0
      {"H3C", "\n\n\nMass is 1 gm/mol" + mass_closing, ""},
      {"O", ERROR_SCREEN, ERROR_SCREEN},    // mass 0: no known mass
      {"H2O", ERROR_SCREEN, ERROR_SCREEN},
  };
  TempDir dir;
  write_fixture(dir, ELEMENTS, BANNER);
  dir.write("mass", "1\n-2\n0\n-22.99\n");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.formula);
    const std::string formula = c.formula;
    const ProgramResult result = run_ok(dir, "km" + formula + "\nkc" + formula + "\nke");
    const std::string before_composition =
        START + MENU + FORMULA_PROMPT + c.mass_screen + MENU + FORMULA_PROMPT;
    if (!c.composition_screen.empty()) {
      EXPECT_EQ(result.output, before_composition + c.composition_screen + MENU);
    } else {
      // H3C weighs 3 - 2 = 1: hydrogen holds 300 % of it and carbon -200 %.
      EXPECT_TRUE(starts_with(result.output, before_composition + COMPOSITION_HEADER));
      EXPECT_EQ(occurrences(result.output, "     300.0000"), 1u);
      EXPECT_EQ(occurrences(result.output, "     -200.0000"), 1u);
      EXPECT_TRUE(ends_with(result.output, CALCULATOR_CLOSING + MENU));
    }
    expect_every_screen_returned(run_ok(dir, every_screen_keys(formula)));
  }
  // The list shows the masses as they are.
  EXPECT_EQ(run_ok(dir, "kle").output,
            START + MENU + LIST_HEADER + "\n   1\t\tH  \t\t  Hydrogen    \t\t   1.00000" +
                "\n   2\t\tC  \t\t  Carbon      \t\t  -2.00000" +
                "\n   3\t\tO  \t\t  Oxygen      \t\t   0.00000" +
                "\n   4\t\tNa \t\t  Sodium      \t\t  -22.9900" + CLOSING);
}

// Masses at the edge of single precision: a sum that overflows shows as
// infinite, and the percentages of an infinite total stay numbers.
TEST(BadDataTranscript, MassesAtTheFloatLimit) {
  TempDir dir;
  write_fixture(dir, ELEMENTS, BANNER);
  dir.write("mass", "3.4e38\n1e-30\n15.999\n-3.4e38\n");
  for (const char* formula : {"H2O", "HNa", "H2Na2", "C9", "NaH3"}) {
    SCOPED_TRACE(formula);
    expect_every_screen_returned(run_ok(dir, every_screen_keys(formula)), true);
  }
  const ProgramResult result = run_ok(dir, "kmH2O\nkcH2O\nke");
  EXPECT_EQ(occurrences(result.output, "\n\n\nMass is inf gm/mol"), 1u);
  EXPECT_EQ(occurrences(result.output, "\t      inf       0.0000"), 1u);
}
