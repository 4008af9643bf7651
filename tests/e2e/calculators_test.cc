// Transcripts of the molecular mass and composition screens: the real binary
// driven through a pipe, its whole output compared byte for byte. Through a
// pipe the program writes no control sequences, only the screens' text.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "support/fixture.h"
#include "support/run_program.h"
#include "support/screen_texts.h"

namespace {

// ---- The texts the program writes ------------------------------------------

const std::string BANNER = "chemterm test banner\n";

// Banner, its prompt answered, the data loaded, the menu.
const std::string START = BANNER + BANNER_PROMPT + MENU;

// Keys and lines typed: the banner key, then menu keys, words with line ends.
const std::string BANNER_KEY = "x";

std::string mass_result(const std::string& total) { return "\n\n\nMass is " + total + " gm/mol"; }

// One composition row: symbol right in 4, a tab, the atomic number right in 4,
// six blanks, the name left in 12, a tab and a blank, the count left in 3,
// eight blanks, the mass unpadded, a tab and a blank, the contribution right
// in 8, five blanks, the percentage right in 8.
std::string composition_row(const std::string& symbol, int number, const std::string& name,
                            int count, const std::string& mass, const std::string& contribution,
                            const std::string& percentage) {
  return "\n\n" + right(symbol, 4) + "\t" + right(std::to_string(number), 4) + "      " +
         left(name, 12) + "\t " + left(std::to_string(count), 3) + "        " + mass + "\t " +
         right(contribution, 8) + "     " + right(percentage, 8);
}

// ---- Data sets ---------------------------------------------------------------

// The first seventeen elements with their standard masses (so Na sits at
// position 10, atomic number 11), then records of the fixture's own: Ca and
// Co at positions of their own, Og with no known mass (0), and Rf whose name
// is longer than the composition's name column.
std::vector<FixtureElement> calculator_elements() {
  return {
      {"H", "Hydrogen", "1.008", "0", "0", "0", "1", "1"},
      {"He", "Helium", "4.0026", "0", "0", "0", "18", "1"},
      {"Li", "Lithium", "6.94", "0", "0", "0", "1", "2"},
      {"Be", "Beryllium", "9.0122", "0", "0", "0", "2", "2"},
      {"B", "Boron", "10.81", "0", "0", "0", "13", "2"},
      {"C", "Carbon", "12.011", "0", "0", "0", "14", "2"},
      {"N", "Nitrogen", "14.007", "0", "0", "0", "15", "2"},
      {"O", "Oxygen", "15.999", "0", "0", "0", "16", "2"},
      {"F", "Fluorine", "18.998", "0", "0", "0", "17", "2"},
      {"Ne", "Neon", "20.180", "0", "0", "0", "18", "2"},
      {"Na", "Sodium", "22.99", "0", "0", "0", "1", "3"},
      {"Mg", "Magnesium", "24.305", "0", "0", "0", "2", "3"},
      {"Al", "Aluminium", "26.982", "0", "0", "0", "13", "3"},
      {"Si", "Silicon", "28.085", "0", "0", "0", "14", "3"},
      {"P", "Phosphorus", "30.974", "0", "0", "0", "15", "3"},
      {"S", "Sulfur", "32.06", "0", "0", "0", "16", "3"},
      {"Cl", "Chlorine", "35.45", "0", "0", "0", "17", "3"},
      {"Ca", "Calcium", "40.078", "0", "0", "0", "2", "4"},
      {"Co", "Cobalt", "58.933", "0", "0", "0", "9", "4"},
      {"Og", "Oganesson", "0", "0", "0", "0", "18", "7"},
      {"Rf", "Rutherfordium", "267", "0", "0", "0", "4", "7"},
  };
}

// H and O alone, with the properties of hydrogen, for the format checks.
std::vector<FixtureElement> hydrogen_oxygen_elements() {
  return {
      {"H", "Hydrogen", "1.008", "0.00008988", "13.81", "20.28", "1", "1"},
      {"O", "Oxygen", "15.999", "0.001429", "54.36", "90.2", "16", "2"},
  };
}

// ---- Running the program ---------------------------------------------------------

// ---- Sums as the screens form them, for the shipped data -----------------------

struct Atoms {
  const char* symbol;
  int count;
};

// The shipped molar masses of the elements the real formulas below use.
float shipped_mass(const std::string& symbol) {
  struct Mass {
    const char* symbol;
    float mass;
  };
  static const Mass masses[] = {{"H", 1.008f},  {"C", 12.011f},  {"N", 14.007f},
                                {"O", 15.999f}, {"S", 32.06f},   {"K", 39.098f},
                                {"Ca", 40.078f}, {"Fe", 55.845f}, {"Cu", 63.546f}};
  for (const Mass& m : masses) {
    if (symbol == m.symbol) return m.mass;
  }
  ADD_FAILURE() << "no mass for " << symbol;
  return 0.0f;
}

// Each token adds mass times count to the total, formed in double precision
// and stored in single precision, in the order of the tokens.
float summed_mass(const std::vector<Atoms>& tokens) {
  float total = 0.0f;
  for (const Atoms& t : tokens) {
    total = static_cast<float>(static_cast<double>(shipped_mass(t.symbol)) *
                                   static_cast<double>(static_cast<float>(t.count)) +
                               static_cast<double>(total));
  }
  return total;
}

// The shipped banner as the program reads it: as text, carriage returns
// dropped, a character 26 ending it.
std::string shipped_banner() {
  std::ifstream file(std::string(CHEMTERM_SOURCE_DIR) + "/data/head", std::ios::binary);
  std::string text;
  for (char c; file.get(c) && c != 26;) {
    if (c != '\r') text += c;
  }
  return text;
}

std::string printed(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// ---- Molecular mass screen ----------------------------------------------------------

struct MassCase {
  std::string typed;
  const char* total;  // the total as shown, or nullptr for the error screen
};

TEST(MassTranscript, FormulasInTheInitialFormat) {
  const MassCase cases[] = {
      // The worked example: 18.0149993896484375 in single precision.
      {"H2O", "18.015"},
      // Co is cobalt; CO adds carbon and oxygen.
      {"Co", "58.933"},
      {"CO", "28.01"},
      // Each count comes from its own digits.
      {"C10H8", "128.174"},
      // The group is expanded: Al 2, S 3, O 12.
      {"Al2(SO4)3", "342.132"},
      {"Ca(OH)2", "74.092"},
      // A count of 0 adds nothing.
      {"NaCl0", "22.99"},
      // Eight digits are a count; the total is shown in exponent form.
      {"H12345678", "1.24444e+07"},
      // A plus sign first is no error, and adds nothing.
      {"+NaCl", "58.44"},
      // 255 characters fit; each H adds its own rounded step.
      {repeated("H", 255), "257.04"},
      // A total of 0: only counts of 0, or no upper-case letter at all.
      {"H0", nullptr},
      {"(OH)0", nullptr},
      {"+-=,!", nullptr},
      // Refused before any lookup: a digit or a lower-case letter first,
      // unbalanced parentheses, an empty group leaving its multiplier first.
      {"h2o", nullptr},
      {"2H2O", nullptr},
      {"Ca(OH", nullptr},
      {"()3", nullptr},
      // An unknown symbol after known ones; a record whose mass is 0.
      {"NaClXx", nullptr},
      {"H2Og", nullptr},
      // Nine digits are no count; 256 characters do not fit.
      {"H123456789", nullptr},
      {repeated("H", 256), nullptr},
  };
  TempDir dir;
  write_fixture(dir, calculator_elements(), BANNER);
  for (const MassCase& c : cases) {
    SCOPED_TRACE(c.typed);
    const std::string shown =
        c.total ? mass_result(c.total) + CALCULATOR_CLOSING : ERROR_SCREEN;
    expect_transcript(dir, BANNER_KEY + "m" + c.typed + "\n" + "e", START + FORMULA_PROMPT + shown);
  }
}

TEST(MassTranscript, EmptyLinesBeforeTheWordAreSkipped) {
  TempDir dir;
  write_fixture(dir, calculator_elements(), BANNER);
  expect_transcript(dir, BANNER_KEY + "m" + "\n\n   \nH2O\n" + "e",
                    START + FORMULA_PROMPT + mass_result("18.015") + CALCULATOR_CLOSING);
}

// The second word of the line is pending: the next formula screen takes it
// at once, and the keys typed after the line answer the prompts.
TEST(MassTranscript, SecondWordOfTheLineAnswersTheNextFormulaScreen) {
  TempDir dir;
  write_fixture(dir, calculator_elements(), BANNER);
  expect_transcript(dir, BANNER_KEY + "m" + "H2O NaCl\n" + "c" + "m" + "e",
                    START + FORMULA_PROMPT + mass_result("18.015") + CALCULATOR_CLOSING + MENU +
                        FORMULA_PROMPT + mass_result("58.44") + CALCULATOR_CLOSING);
  expect_transcript(dir, BANNER_KEY + "m" + "H2O NaCl\n" + "c" + "c" + "e",
                    START + FORMULA_PROMPT + mass_result("18.015") + CALCULATOR_CLOSING + MENU +
                        FORMULA_PROMPT + COMPOSITION_HEADER +
                        composition_row("Na", 11, "Sodium", 1, "22.9900", "22.9900", "39.3395") +
                        composition_row("Cl", 17, "Chlorine", 1, "35.4500", "35.4500", "60.6605") +
                        CALCULATOR_CLOSING);
}

// A word too long for the buffer is taken whole: nothing of it is left for
// the next read.
TEST(MassTranscript, TooLongWordLeavesNothingPending) {
  TempDir dir;
  write_fixture(dir, calculator_elements(), BANNER);
  expect_transcript(dir, BANNER_KEY + "m" + repeated("H", 300) + "\n" + "c" + "m" + "H2O\n" + "e",
                    START + FORMULA_PROMPT + ERROR_SCREEN + MENU + FORMULA_PROMPT +
                        mass_result("18.015") + CALCULATOR_CLOSING);
}

// At the end of the input the read stores nothing: the empty text weighs 0.
TEST(MassTranscript, EndOfInputAtThePromptShowsTheErrorScreen) {
  TempDir dir;
  write_fixture(dir, calculator_elements(), BANNER);
  expect_transcript(dir, BANNER_KEY + "m", START + FORMULA_PROMPT + ERROR_SCREEN);
}

// The screen changes no format itself: the total is written under what the
// screen before it left in force.
TEST(MassTranscript, TotalAfterScreensThatChangeTheFormat) {
  const std::string hydrogen_block =
      "\n\n        H\nElement is     ::  Hydrogen\nAtomic no      ::  1"
      "\nMelting point  ::  13.81 K\nBoiling point  ::  20.280001 K\nGroup          ::  1"
      "\nPeriod         ::  1\nDensity        ::  8.9879999e-05 g/cm3";
  struct Case {
    const char* name;
    std::string input_before;
    std::string output_before;
    const char* total;
  };
  const Case cases[] = {
      {"nothing before", "", "", "18.015"},
      {"a composition row: fixed, 4 decimals", "c" + std::string("O2\n") + "c",
       FORMULA_PROMPT + COMPOSITION_HEADER +
           composition_row("O", 2, "Oxygen", 2, "15.9990", "31.9980", "100.0000") +
           CALCULATOR_CLOSING + MENU,
       "18.0150"},
      {"the element list: show-point", "l" + std::string("c"),
       LIST_HEADER + "\n   1\t\tH  \t\t  Hydrogen    \t\t   1.00800" +
           "\n   2\t\tO  \t\t  Oxygen      \t\t   15.9990" + CLOSING + MENU,
       "18.0150"},
      {"a properties block: precision 8", "p" + std::string("H\n") + "c",
       FORMULA_PROMPT + hydrogen_block + CLOSING + MENU, "18.014999"},
      {"an earlier mass changes nothing", "m" + std::string("H2O\n") + "c",
       FORMULA_PROMPT + mass_result("18.015") + CALCULATOR_CLOSING + MENU, "18.015"},
  };
  TempDir dir;
  write_fixture(dir, hydrogen_oxygen_elements(), BANNER);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    expect_transcript(dir, BANNER_KEY + c.input_before + "m" + "H2O\n" + "e",
                      START + c.output_before + FORMULA_PROMPT + mass_result(c.total) +
                          CALCULATOR_CLOSING);
  }
}

// Formulas a student types every day: every group is expanded, and the part
// after a hydrate dot is multiplied.
TEST(MassTranscript, RealFormulasWithTheShippedData) {
  struct Case {
    const char* typed;
    std::vector<Atoms> tokens;  // as the text reads after every expansion
    double about;
  };
  const Case cases[] = {
      {"Ca(OH)2(NO3)2", {{"Ca", 1}, {"O", 2}, {"H", 2}, {"N", 2}, {"O", 6}}, 198.10},
      {"K3(Fe(CN)6)", {{"K", 3}, {"Fe", 1}, {"C", 6}, {"N", 6}}, 329.25},
      {"CuSO4.5H2O", {{"Cu", 1}, {"S", 1}, {"O", 4}, {"H", 10}, {"O", 5}}, 249.68},
      {"CH3(CH2)7CHCH(CH2)7COOH",
       {{"C", 1}, {"H", 3}, {"C", 7}, {"H", 14}, {"C", 1}, {"H", 1}, {"C", 1}, {"H", 1},
        {"C", 7}, {"H", 14}, {"C", 1}, {"O", 1}, {"O", 1}, {"H", 1}},
       282.47},
  };
  TempDir dir;
  dir.copy_shipped_data();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    const float total = summed_mass(c.tokens);
    EXPECT_NEAR(total, c.about, 0.01);
    expect_transcript(dir, BANNER_KEY + "m" + c.typed + "\n" + "e",
                      shipped_banner() + BANNER_PROMPT + MENU + FORMULA_PROMPT +
                          mass_result(printed("%g", static_cast<double>(total))) +
                          CALCULATOR_CLOSING);
  }
}

// E in either case at the closing prompt and at the error screen ends the
// program; any other key shows the menu again.
TEST(MassTranscript, ClosingKeys) {
  struct Case {
    std::string typed;
    std::string key;
    bool ends;
  };
  const Case cases[] = {
      {"H2O", "e", true}, {"H2O", "E", true}, {"H2O", "x", false}, {"H2O", "\n", false},
      {"Xx", "e", true},  {"Xx", "E", true},  {"Xx", "m", false},
  };
  TempDir dir;
  write_fixture(dir, calculator_elements(), BANNER);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed + " then key " + c.key);
    const std::string shown = c.typed == "H2O"
                                  ? mass_result("18.015") + CALCULATOR_CLOSING
                                  : ERROR_SCREEN;
    // When the key does not end the program, the menu comes back and e ends it.
    expect_transcript(dir, BANNER_KEY + "m" + c.typed + "\n" + c.key + "e",
                      START + FORMULA_PROMPT + shown + (c.ends ? "" : MENU));
  }
}

// Two records with the same symbol: the lookup does not stop at the first,
// and the last one gives the mass.
TEST(MassTranscript, LastOfTwoRecordsWithTheSameSymbolGivesTheMass) {
  TempDir dir;
  write_fixture(dir, {{"H", "Hydrogen", "1.008", "0", "0", "0", "1", "1"},
                      {"Dd", "Duplicate", "10", "0", "0", "0", "1", "1"},
                      {"Dd", "Doublet", "20", "0", "0", "0", "1", "1"}}, BANNER);
  expect_transcript(dir, BANNER_KEY + "m" + "HDd2\n" + "e",
                    START + FORMULA_PROMPT + mass_result("41.008") + CALCULATOR_CLOSING);
}

// ---- Composition screen --------------------------------------------------------------

struct CompositionCase {
  std::string typed;
  bool error;                     // the error screen instead of the table
  std::vector<std::string> rows;  // the rows under the header
};

TEST(CompositionTranscript, FormulasInTheFixture) {
  const CompositionCase cases[] = {
      {"H2O",
       false,
       {composition_row("H", 1, "Hydrogen", 2, "1.00800", "2.0160", "11.1907"),
        composition_row("O", 8, "Oxygen", 1, "15.9990", "15.9990", "88.8093")}},
      // Repeated elements are merged, in the order of their first appearance.
      {"CH3COOH",
       false,
       {composition_row("C", 6, "Carbon", 2, "12.0110", "24.0220", "40.0020"),
        composition_row("H", 1, "Hydrogen", 4, "1.00800", "4.0320", "6.7142"),
        composition_row("O", 8, "Oxygen", 2, "15.9990", "31.9980", "53.2838")}},
      // A contribution of 8 characters fills its field.
      {"Al2(SO4)3",
       false,
       {composition_row("Al", 13, "Aluminium", 2, "26.9820", "53.9640", "15.7729"),
        composition_row("S", 16, "Sulfur", 3, "32.0600", "96.1800", "28.1120"),
        composition_row("O", 8, "Oxygen", 12, "15.9990", "191.9880", "56.1152")}},
      {"O2", false, {composition_row("O", 8, "Oxygen", 2, "15.9990", "31.9980", "100.0000")}},
      // An element whose atoms add up to 0 gets no row, and adds nothing.
      {"H0O", false, {composition_row("O", 8, "Oxygen", 1, "15.9990", "15.9990", "100.0000")}},
      {"H0", false, {}},
      {"(OH)0", false, {}},
      // No upper-case letter: the header without rows, not the error screen.
      {"+-=,!", false, {}},
      // A name of 13 letters is written whole and pushes the row right.
      {"Rf",
       false,
       {"\n\n  Rf\t  21      Rutherfordium\t 1          267.000\t 267.0000     100.0000"}},
      // An unknown symbol anywhere, or a mass of 0: no header at all.
      {"H2Xx", true, {}},
      {"XxH2", true, {}},
      {"NaOg", true, {}},
      {"h2o", true, {}},
      {"2H2O", true, {}},
      {"Ca(OH", true, {}},
      {"H123456789", true, {}},
      {repeated("H", 256), true, {}},
      // The merged count would leave the 32-bit range: 22 times 99999999.
      {repeated("H99999999", 22), true, {}},
  };
  TempDir dir;
  write_fixture(dir, calculator_elements(), BANNER);
  for (const CompositionCase& c : cases) {
    SCOPED_TRACE(c.typed);
    std::string shown = ERROR_SCREEN;
    if (!c.error) {
      shown = COMPOSITION_HEADER;
      for (const std::string& row : c.rows) shown += row;
      shown += CALCULATOR_CLOSING;
    }
    expect_transcript(dir, BANNER_KEY + "c" + c.typed + "\n" + "e", START + FORMULA_PROMPT + shown);
  }
}

// One row spelled out byte for byte: Na at position 10 with 22.99,
// two atoms, a running total of 61.98 (O weighs 16 here).
TEST(CompositionTranscript, SodiumRowByteForByte) {
  std::vector<FixtureElement> elements = calculator_elements();
  elements[7].mass = "16.00";
  TempDir dir;
  write_fixture(dir, elements, BANNER);
  expect_transcript(dir, BANNER_KEY + "c" + "Na2O\n" + "e",
                    START + FORMULA_PROMPT + COMPOSITION_HEADER +
                        "\n\n  Na\t  11      Sodium      \t 2          22.9900\t  45.9800      74.1852"
                        "\n\n   O\t   8      Oxygen      \t 1          16.0000\t  16.0000      25.8148" +
                        CALCULATOR_CLOSING);
}

// Nineteen one-letter symbols, each once in the table: nineteen entries, one
// row each, in the order typed (not in table order).
TEST(CompositionTranscript, NineteenSymbols) {
  const char* names[19] = {"Alpha", "Bravo",    "Charlie", "Delta", "Echo",  "Foxtrot", "Golf",
                           "Hotel", "India",    "Juliett", "Kilo",  "Lima",  "Mike",    "November",
                           "Oscar", "Papa",     "Quebec",  "Romeo", "Sierra"};
  std::vector<std::string> symbols, masses;
  for (int i = 0; i < 19; ++i) {
    symbols.push_back(std::string(1, static_cast<char>('A' + i)));
    masses.push_back(std::to_string(i + 1));
  }
  std::vector<FixtureElement> elements;
  for (int i = 0; i < 19; ++i) {
    elements.push_back({symbols[i].c_str(), names[i], masses[i].c_str(), "0", "0", "0", "1", "1"});
  }
  // Masses 1 to 19: the total is 190, the percentages mass * 100 / 190.
  const char* mass_text[19] = {"1.00000", "2.00000", "3.00000", "4.00000", "5.00000",
                               "6.00000", "7.00000", "8.00000", "9.00000", "10.0000",
                               "11.0000", "12.0000", "13.0000", "14.0000", "15.0000",
                               "16.0000", "17.0000", "18.0000", "19.0000"};
  const char* contribution[19] = {"1.0000",  "2.0000",  "3.0000",  "4.0000",  "5.0000",
                                  "6.0000",  "7.0000",  "8.0000",  "9.0000",  "10.0000",
                                  "11.0000", "12.0000", "13.0000", "14.0000", "15.0000",
                                  "16.0000", "17.0000", "18.0000", "19.0000"};
  const char* percentage[19] = {"0.5263", "1.0526", "1.5789", "2.1053", "2.6316",
                                "3.1579", "3.6842", "4.2105", "4.7368", "5.2632",
                                "5.7895", "6.3158", "6.8421", "7.3684", "7.8947",
                                "8.4211", "8.9474", "9.4737", "10.0000"};
  std::string rows;
  for (int i = 18; i >= 0; --i) {
    rows += composition_row(symbols[i], i + 1, names[i], 1, mass_text[i], contribution[i],
                            percentage[i]);
  }
  TempDir dir;
  write_fixture(dir, elements, BANNER);
  expect_transcript(dir, BANNER_KEY + "c" + "SRQPONMLKJIHGFEDCBA\n" + "e",
                    START + FORMULA_PROMPT + COMPOSITION_HEADER + rows + CALCULATOR_CLOSING);
}

// The list's storage is reused without clearing: a shorter composition after
// a longer one shows only its own rows, and the same formula gives the same
// percentages every time, also after the molecular mass screen.
TEST(CompositionTranscript, RepeatedShowingsGiveTheSameRows) {
  const std::string water = COMPOSITION_HEADER +
                            composition_row("H", 1, "Hydrogen", 2, "1.00800", "2.0160", "11.1907") +
                            composition_row("O", 8, "Oxygen", 1, "15.9990", "15.9990", "88.8093") +
                            CALCULATOR_CLOSING;
  const std::string vinegar =
      COMPOSITION_HEADER + composition_row("C", 6, "Carbon", 2, "12.0110", "24.0220", "40.0020") +
      composition_row("H", 1, "Hydrogen", 4, "1.00800", "4.0320", "6.7142") +
      composition_row("O", 8, "Oxygen", 2, "15.9990", "31.9980", "53.2838") + CALCULATOR_CLOSING;
  TempDir dir;
  write_fixture(dir, calculator_elements(), BANNER);
  expect_transcript(dir,
                    BANNER_KEY + "c" + "CH3COOH\n" + "c" + "c" + "H2O\n" + "c" + "m" + "H2O\n" +
                        "c" + "c" + "H2O\n" + "e",
                    START + FORMULA_PROMPT + vinegar + MENU + FORMULA_PROMPT + water + MENU +
                        FORMULA_PROMPT + mass_result("18.0150") + CALCULATOR_CLOSING + MENU +
                        FORMULA_PROMPT + water);
}

// Two records with the same symbol: one entry, and one row, for each; the
// token adds its count times the mass of the last of them.
TEST(CompositionTranscript, TwoRecordsWithTheSameSymbolGiveTwoRows) {
  TempDir dir;
  write_fixture(dir, {{"H", "Hydrogen", "1.008", "0", "0", "0", "1", "1"},
                      {"Dd", "Duplicate", "10", "0", "0", "0", "1", "1"},
                      {"Dd", "Doublet", "20", "0", "0", "0", "1", "1"}}, BANNER);
  expect_transcript(dir, BANNER_KEY + "c" + "Dd2\n" + "e",
                    START + FORMULA_PROMPT + COMPOSITION_HEADER +
                        composition_row("Dd", 2, "Duplicate", 2, "10.0000", "20.0000", "50.0000") +
                        composition_row("Dd", 3, "Doublet", 2, "20.0000", "40.0000", "100.0000") +
                        CALCULATOR_CLOSING);
}

// Every matching record adds an entry: ten records with one symbol and that
// symbol typed ten times fill the list's 100 entries exactly; typed eleven
// times they would need 110, and the screen refuses before its header.
TEST(CompositionTranscript, ListFullAtOneHundredEntries) {
  const char* names[10] = {"Dupone", "Duptwo",   "Dupthree", "Dupfour", "Dupfive",
                           "Dupsix", "Dupseven", "Dupeight", "Dupnine", "Dupten"};
  std::vector<FixtureElement> elements;
  for (const char* name : names) elements.push_back({"Dd", name, "1", "0", "0", "0", "1", "1"});
  TempDir dir;
  write_fixture(dir, elements, BANNER);
  // Each token adds 1 (the last record's mass): the total is 10, and each
  // record's merged count of 10 is all of it.
  std::string rows;
  for (int i = 0; i < 10; ++i) {
    rows += composition_row("Dd", i + 1, names[i], 10, "1.00000", "10.0000", "100.0000");
  }
  expect_transcript(dir, BANNER_KEY + "c" + repeated("Dd", 10) + "\n" + "e",
                    START + FORMULA_PROMPT + COMPOSITION_HEADER + rows + CALCULATOR_CLOSING);
  expect_transcript(dir, BANNER_KEY + "c" + repeated("Dd", 11) + "\n" + "e",
                    START + FORMULA_PROMPT + ERROR_SCREEN);
}

// Damaged data with a negative mass: the total can fall to 0 or below while
// an element still has atoms to show; the screen refuses rather than divide.
TEST(CompositionTranscript, NoDivisionByATotalOfZeroOrLess) {
  TempDir dir;
  write_fixture(dir, {{"H", "Hydrogen", "1.008", "0", "0", "0", "1", "1"},
                      {"Ng", "Negativium", "-5", "0", "0", "0", "1", "1"},
                      {"Nx", "Nullifier", "-1.008", "0", "0", "0", "1", "1"}}, BANNER);
  // A total below 0, and one of exactly 0.
  expect_transcript(dir, BANNER_KEY + "c" + "HNg\n" + "e", START + FORMULA_PROMPT + ERROR_SCREEN);
  expect_transcript(dir, BANNER_KEY + "c" + "HNx\n" + "e", START + FORMULA_PROMPT + ERROR_SCREEN);
}

// At the end of the input the read stores nothing: the empty text gives the
// header and no row.
TEST(CompositionTranscript, EndOfInputAtThePromptShowsTheHeaderOnly) {
  TempDir dir;
  write_fixture(dir, calculator_elements(), BANNER);
  expect_transcript(dir, BANNER_KEY + "c",
                    START + FORMULA_PROMPT + COMPOSITION_HEADER + CALCULATOR_CLOSING);
}

TEST(CompositionTranscript, ClosingKeys) {
  struct Case {
    std::string typed;
    std::string key;
    bool ends;
  };
  const Case cases[] = {
      {"O2", "e", true},   {"O2", "E", true},   {"O2", "c", false},
      {"H2Xx", "e", true}, {"H2Xx", "E", true}, {"H2Xx", "x", false},
  };
  TempDir dir;
  write_fixture(dir, calculator_elements(), BANNER);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed + " then key " + c.key);
    const std::string shown =
        c.typed == "O2" ? COMPOSITION_HEADER +
                              composition_row("O", 8, "Oxygen", 2, "15.9990", "31.9980", "100.0000") +
                              CALCULATOR_CLOSING
                        : ERROR_SCREEN;
    expect_transcript(dir, BANNER_KEY + "c" + c.typed + "\n" + c.key + "e",
                      START + FORMULA_PROMPT + shown + (c.ends ? "" : MENU));
  }
}

// The rows of a real formula with the shipped data: masses, contributions and
// percentages formed as the screen forms them.
TEST(CompositionTranscript, RealFormulasWithTheShippedData) {
  struct Element {
    const char* symbol;
    int number;
    const char* name;
    int count;  // after merging
  };
  struct Case {
    const char* typed;
    std::vector<Atoms> tokens;  // as the text reads after every expansion
    std::vector<Element> rows;
  };
  const Case cases[] = {
      {"CuSO4.5H2O",
       {{"Cu", 1}, {"S", 1}, {"O", 4}, {"H", 10}, {"O", 5}},
       {{"Cu", 29, "Copper", 1}, {"S", 16, "Sulfur", 1}, {"O", 8, "Oxygen", 9},
        {"H", 1, "Hydrogen", 10}}},
      {"Ca(OH)2(NO3)2",
       {{"Ca", 1}, {"O", 2}, {"H", 2}, {"N", 2}, {"O", 6}},
       {{"Ca", 20, "Calcium", 1}, {"O", 8, "Oxygen", 8}, {"H", 1, "Hydrogen", 2},
        {"N", 7, "Nitrogen", 2}}},
      {"CH3(CH2)7CHCH(CH2)7COOH",
       {{"C", 1}, {"H", 3}, {"C", 7}, {"H", 14}, {"C", 1}, {"H", 1}, {"C", 1}, {"H", 1},
        {"C", 7}, {"H", 14}, {"C", 1}, {"O", 1}, {"O", 1}, {"H", 1}},
       {{"C", 6, "Carbon", 18}, {"H", 1, "Hydrogen", 34}, {"O", 8, "Oxygen", 2}}},
  };
  TempDir dir;
  dir.copy_shipped_data();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    const float total = summed_mass(c.tokens);
    std::string rows;
    for (const Element& e : c.rows) {
      const double mass = shipped_mass(e.symbol);
      const float contribution = static_cast<float>(e.count * mass);
      const float percentage = static_cast<float>(e.count * mass * 100.0 / total);
      rows += composition_row(e.symbol, e.number, e.name, e.count, printed("%#g", mass),
                              printed("%.4f", contribution), printed("%.4f", percentage));
    }
    expect_transcript(dir, BANNER_KEY + "c" + c.typed + "\n" + "e",
                      shipped_banner() + BANNER_PROMPT + MENU + FORMULA_PROMPT +
                          COMPOSITION_HEADER + rows + CALCULATOR_CLOSING);
  }
}

}  // namespace
