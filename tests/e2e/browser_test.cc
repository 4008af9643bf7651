// Transcripts of the element list and element properties screens: the real
// binary driven through a pipe, its whole output compared byte for byte.
// Through a pipe the program writes no control sequences, only the text.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fixture.h"
#include "support/run_program.h"
#include "support/screen_texts.h"

namespace {

// ---- The texts the program writes ------------------------------------------

const std::string BANNER = "chemterm test banner\n";

const std::string START = BANNER + BANNER_PROMPT + MENU;
const std::string BANNER_KEY = "x";

// One list row: a line break, the atomic number right in 4, two tabs, the
// symbol left in 3, two tabs and two blanks, the name left in 12, two tabs,
// then the mass column as given (right in 10, blanks included).
std::string list_row(int number, const std::string& symbol, const std::string& name,
                     const std::string& mass_column) {
  return "\n" + right(std::to_string(number), 4) + "\t\t" + left(symbol, 3) + "\t\t  " +
         left(name, 12) + "\t\t" + mass_column;
}

// One properties block; `melt`, `boil`, `group` and `density` are the texts
// written after the labels, unit or "Unknown" included.
std::string block(const std::string& token, const std::string& name, int number,
                  const std::string& melt, const std::string& boil, const std::string& group,
                  int period, const std::string& density) {
  return (token.size() == 1 ? "\n\n        " : "\n        ") + token +
         "\nElement is     ::  " + name + "\nAtomic no      ::  " + std::to_string(number) +
         "\nMelting point  ::  " + melt + "\nBoiling point  ::  " + boil +
         "\nGroup          ::  " + group + "\nPeriod         ::  " + std::to_string(period) +
         "\nDensity        ::  " + density;
}

// ---- Data sets ---------------------------------------------------------------

// Hydrogen to sodium as they are, then the made-up Examplium at position 11
// (atomic number 12), then records at positions of the fixture's own: a
// lanthanoid, an actinoid, Nullium with every value unknown (its density
// written -0) in group 0, a name of 13 letters and a symbol of 3.
std::vector<FixtureElement> browser_elements() {
  return {
      {"H", "Hydrogen", "1.008", "0.00008988", "13.81", "20.28", "1", "1"},
      {"He", "Helium", "4.0026", "0.0001785", "0.95", "4.22", "18", "1"},
      {"Li", "Lithium", "6.94", "0.534", "453.65", "1615", "1", "2"},
      {"Be", "Beryllium", "9.0122", "1.85", "1560", "2744", "2", "2"},
      {"B", "Boron", "10.81", "2.34", "2349", "4200", "13", "2"},
      {"C", "Carbon", "12.011", "2.267", "3823", "4098", "14", "2"},
      {"N", "Nitrogen", "14.007", "0.0012506", "63.15", "77.36", "15", "2"},
      {"O", "Oxygen", "15.999", "0.001429", "54.36", "90.2", "16", "2"},
      {"F", "Fluorine", "18.998", "0.001696", "53.53", "85.03", "17", "2"},
      {"Ne", "Neon", "20.180", "0.0009002", "24.56", "27.07", "18", "2"},
      {"Na", "Sodium", "22.99", "0.97", "370.95", "1156", "1", "3"},
      {"Ex", "Examplium", "123.45", "7.31", "600", "0", "14", "5"},
      {"Al", "Aluminium", "26.982", "2.7", "933.47", "2792", "13", "3"},
      {"S", "Sulfur", "32.06", "2.067", "388.36", "717.75", "16", "3"},
      {"Cl", "Chlorine", "35.45", "0.003214", "171.65", "239.11", "17", "3"},
      {"La", "Lanthanum", "138.91", "6.145", "1193", "3737", "-1", "6"},
      {"U", "Uranium", "238.03", "19.1", "1405.3", "4404", "-2", "7"},
      {"Nz", "Nullium", "300", "-0", "0", "0", "0", "8"},
      {"Rf", "Rutherfordium", "267", "23.2", "2400", "5800", "4", "7"},
      {"Uue", "Ununennium", "315", "3", "300", "630", "1", "8"},
  };
}

// Four records for the format states: Examplium, and masses whose digits show
// each state (0.0899 exposes single precision under 8 digits).
std::vector<FixtureElement> state_elements() {
  return {
      {"H", "Hydrogen", "1.008", "0.00008988", "13.81", "20.28", "1", "1"},
      {"O", "Oxygen", "15.999", "0.001429", "54.36", "90.2", "16", "2"},
      {"Ex", "Examplium", "123.45", "7.31", "600", "0", "14", "5"},
      {"Lt", "Lightium", "0.0899", "0.5", "10", "20", "1", "9"},
  };
}

// The blocks of the browser records, in the initial format state.
const std::string H_BLOCK =
    block("H", "Hydrogen", 1, "13.81 K", "20.280001 K", "1", 1, "8.9879999e-05 g/cm3");
const std::string HE_BLOCK =
    block("He", "Helium", 2, "0.94999999 K", "4.2199998 K", "18", 1, "0.00017850001 g/cm3");
const std::string O_BLOCK =
    block("O", "Oxygen", 8, "54.360001 K", "90.199997 K", "16", 2, "0.0014290001 g/cm3");
const std::string NA_BLOCK =
    block("Na", "Sodium", 11, "370.95001 K", "1156 K", "1", 3, "0.97000003 g/cm3");
const std::string AL_BLOCK =
    block("Al", "Aluminium", 13, "933.46997 K", "2792 K", "13", 3, "2.7 g/cm3");
const std::string S_BLOCK =
    block("S", "Sulfur", 14, "388.35999 K", "717.75 K", "16", 3, "2.0669999 g/cm3");
const std::string CL_BLOCK =
    block("Cl", "Chlorine", 15, "171.64999 K", "239.11 K", "17", 3, "0.003214 g/cm3");
const std::string LA_BLOCK =
    block("La", "Lanthanum", 16, "1193 K", "3737 K", "Lanthanoid", 6, "6.145 g/cm3");
const std::string U_BLOCK =
    block("U", "Uranium", 17, "1405.3 K", "4404 K", "Actinoid", 7, "19.1 g/cm3");
const std::string NZ_BLOCK =
    block("Nz", "Nullium", 18, "Unknown", "Unknown", "0", 8, "Unknown");
const std::string UUE_BLOCK =
    block("Uue", "Ununennium", 20, "300 K", "630 K", "1", 8, "3 g/cm3");

// ---- Running the program ---------------------------------------------------------

// ---- Element list -----------------------------------------------------------------

TEST(ListTranscript, WholeTableInTheInitialState) {
  const std::string rows =
      list_row(1, "H", "Hydrogen", "   1.00800") + list_row(2, "He", "Helium", "   4.00260") +
      list_row(3, "Li", "Lithium", "   6.94000") + list_row(4, "Be", "Beryllium", "   9.01220") +
      list_row(5, "B", "Boron", "   10.8100") + list_row(6, "C", "Carbon", "   12.0110") +
      list_row(7, "N", "Nitrogen", "   14.0070") + list_row(8, "O", "Oxygen", "   15.9990") +
      list_row(9, "F", "Fluorine", "   18.9980") + list_row(10, "Ne", "Neon", "   20.1800") +
      list_row(11, "Na", "Sodium", "   22.9900") +
      // One row spelled out byte for byte.
      "\n  12\t\tEx \t\t  Examplium   \t\t   123.450" +
      list_row(13, "Al", "Aluminium", "   26.9820") + list_row(14, "S", "Sulfur", "   32.0600") +
      list_row(15, "Cl", "Chlorine", "   35.4500") + list_row(16, "La", "Lanthanum", "   138.910") +
      list_row(17, "U", "Uranium", "   238.030") + list_row(18, "Nz", "Nullium", "   300.000") +
      // A name of 13 letters is written whole: the tabs follow at once.
      "\n  19\t\tRf \t\t  Rutherfordium\t\t   267.000" +
      // A symbol of 3 letters fills its field: no blank before the tabs.
      "\n  20\t\tUue\t\t  Ununennium  \t\t   315.000";
  TempDir dir;
  write_fixture(dir, browser_elements(), BANNER);
  expect_transcript(dir, BANNER_KEY + "l" + "e", START + LIST_HEADER + rows + CLOSING);
}

// The list sets no precision and no notation: its mass column shows what the
// screens before it left in force.
TEST(ListTranscript, MassColumnInEachFormatState) {
  const std::string ex_block_initial =
      block("Ex", "Examplium", 3, "600 K", "Unknown", "14", 5, "7.3099999 g/cm3");
  const std::string ex_block_fixed =
      block("Ex", "Examplium", 3, "600.00000000 K", "Unknown", "14", 5, "7.30999994 g/cm3");
  const std::string ex_composition =
      FORMULA_PROMPT + COMPOSITION_HEADER +
      "\n\n  Ex\t   3      Examplium   \t 1          123.450\t 123.4500     100.0000" +
      CALCULATOR_CLOSING + MENU;
  struct Case {
    const char* name;
    std::string input_before;
    std::string output_before;
    const char* masses[4];  // H 1.008, O 15.999, Ex 123.45, Lt 0.0899
  };
  const Case cases[] = {
      {"initial: general, 6 digits",
       "",
       "",
       {"   1.00800", "   15.9990", "   123.450", " 0.0899000"}},
      {"after a properties block: general, 8 digits",
       "p" + std::string("Ex\n") + "c",
       FORMULA_PROMPT + ex_block_initial + CLOSING + MENU,
       {" 1.0080000", " 15.999000", " 123.45000", "0.089900002"}},
      {"after a composition row: fixed, 4 decimals",
       "c" + std::string("Ex\n") + "c",
       ex_composition,
       {"    1.0080", "   15.9990", "  123.4500", "    0.0899"}},
      {"after a composition row and a properties block: fixed, 8 decimals",
       "c" + std::string("Ex\n") + "c" + "p" + "Ex\n" + "c",
       ex_composition + FORMULA_PROMPT + ex_block_fixed + CLOSING + MENU,
       {"1.00800002", "15.99899960", "123.44999695", "0.08990000"}},
  };
  TempDir dir;
  write_fixture(dir, state_elements(), BANNER);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string rows =
        list_row(1, "H", "Hydrogen", c.masses[0]) + list_row(2, "O", "Oxygen", c.masses[1]) +
        list_row(3, "Ex", "Examplium", c.masses[2]) + list_row(4, "Lt", "Lightium", c.masses[3]);
    expect_transcript(dir, BANNER_KEY + c.input_before + "l" + "e",
                      START + c.output_before + LIST_HEADER + rows + CLOSING);
  }
}

TEST(ListTranscript, ShownTwiceInARowIsIdentical) {
  const std::string list =
      LIST_HEADER + list_row(1, "H", "Hydrogen", "   1.00800") +
      list_row(2, "O", "Oxygen", "   15.9990") + list_row(3, "Ex", "Examplium", "   123.450") +
      list_row(4, "Lt", "Lightium", " 0.0899000") + CLOSING;
  TempDir dir;
  write_fixture(dir, state_elements(), BANNER);
  expect_transcript(dir, BANNER_KEY + "l" + "c" + "l" + "e", START + list + MENU + list);
}

// An empty "mass" file loads no record: the header, the rule, and the closing
// prompt's line breaks right after the rule.
TEST(ListTranscript, EmptyTable) {
  TempDir dir;
  write_fixture(dir, {}, BANNER);
  expect_transcript(dir, BANNER_KEY + "l" + "e", START + LIST_HEADER + CLOSING);
}

TEST(ListTranscript, ClosingKeys) {
  const std::string list = LIST_HEADER + list_row(1, "H", "Hydrogen", "   1.00800") +
                           list_row(2, "O", "Oxygen", "   15.9990") +
                           list_row(3, "Ex", "Examplium", "   123.450") +
                           list_row(4, "Lt", "Lightium", " 0.0899000") + CLOSING;
  TempDir dir;
  write_fixture(dir, state_elements(), BANNER);
  expect_transcript(dir, BANNER_KEY + "l" + "E", START + list);
  expect_transcript(dir, BANNER_KEY + "l" + "x" + "e", START + list + MENU);
}

// ---- Element properties -------------------------------------------------------------

struct PropertiesCase {
  std::string typed;
  std::string shown;  // what follows the prompt
};

TEST(PropertiesTranscript, WordsInTheInitialState) {
  const PropertiesCase cases[] = {
      // Two-letter tokens open with one line break, one-letter tokens with
      // two; digits are passed over.
      {"NaCl", NA_BLOCK + CL_BLOCK + CLOSING},
      {"H2O", H_BLOCK + O_BLOCK + CLOSING},
      // No parenthesis check and no expansion: balanced or not, alike.
      {"Al2(SO4)3", AL_BLOCK + S_BLOCK + O_BLOCK + CLOSING},
      {"Al2(SO4", AL_BLOCK + S_BLOCK + O_BLOCK + CLOSING},
      // Tokens are not merged.
      {"HH", H_BLOCK + H_BLOCK + CLOSING},
      // The error screen only while no token has matched yet.
      {"XxHe", ERROR_SCREEN},
      {"HeXx", HE_BLOCK + CLOSING},
      // The made-up record of the example, byte for byte.
      {"Ex",
       "\n        Ex\nElement is     ::  Examplium\nAtomic no      ::  12"
       "\nMelting point  ::  600 K\nBoiling point  ::  Unknown\nGroup          ::  14"
       "\nPeriod         ::  5\nDensity        ::  7.3099999 g/cm3" +
           CLOSING},
      // Zero values (the density is -0) are unknown; group 0 is a number.
      {"Nz", NZ_BLOCK + CLOSING},
      {"LaU", LA_BLOCK + U_BLOCK + CLOSING},
      // Three lower-case letters and more: a three-letter token, the rest
      // passed over.
      {"Uuexy", UUE_BLOCK + CLOSING},
      // A sign first is no error; a lone parenthesis gives no block at all.
      {"+Na", NA_BLOCK + CLOSING},
      {"(", CLOSING},
      // A digit or a lower-case letter first.
      {"2H", ERROR_SCREEN},
      {"he", ERROR_SCREEN},
      // Longer words than 19 characters fit; 256 characters do not.
      {repeated("He", 11), repeated(HE_BLOCK, 11) + CLOSING},
      {repeated("H", 256), ERROR_SCREEN},
  };
  TempDir dir;
  write_fixture(dir, browser_elements(), BANNER);
  for (const PropertiesCase& c : cases) {
    SCOPED_TRACE(c.typed);
    expect_transcript(dir, BANNER_KEY + "p" + c.typed + "\n" + "e",
                      START + FORMULA_PROMPT + c.shown);
  }
}

// Only the first word of the line is taken; the next word read takes the
// second at once.
TEST(PropertiesTranscript, OnlyTheFirstWordOfTheLine) {
  TempDir dir;
  write_fixture(dir, browser_elements(), BANNER);
  expect_transcript(dir, BANNER_KEY + "p" + "Na Cl\n" + "c" + "p" + "e",
                    START + FORMULA_PROMPT + NA_BLOCK + CLOSING + MENU + FORMULA_PROMPT +
                        CL_BLOCK + CLOSING);
}

// At the end of the input the read stores nothing and the buffer keeps what
// the last screen left there: the screen analyses that text again.
TEST(PropertiesTranscript, BufferReusedAtEndOfInput) {
  TempDir dir;
  write_fixture(dir, browser_elements(), BANNER);
  expect_transcript(dir, BANNER_KEY + "p" + "NaCl\n" + "c" + "p",
                    START + FORMULA_PROMPT + NA_BLOCK + CL_BLOCK + CLOSING + MENU +
                        FORMULA_PROMPT + NA_BLOCK + CL_BLOCK + CLOSING);
  // After the molecular mass screen, which read the word itself.
  expect_transcript(dir, BANNER_KEY + "m" + "H2O\n" + "c" + "p",
                    START + FORMULA_PROMPT + "\n\n\nMass is 18.015 gm/mol" + CALCULATOR_CLOSING +
                        MENU + FORMULA_PROMPT + H_BLOCK + O_BLOCK + CLOSING);
  // A word too long for the buffer left it empty: no block.
  expect_transcript(dir, BANNER_KEY + "m" + repeated("H", 256) + "\n" + "c" + "p",
                    START + FORMULA_PROMPT + ERROR_SCREEN + MENU + FORMULA_PROMPT + CLOSING);
}

// 600 and 7.31 with 8 digits under the notation and show-point that earlier
// screens left.
TEST(PropertiesTranscript, ExampleRecordInEachFormatState) {
  struct Case {
    const char* name;
    std::string input_before;
    std::string output_before;
    const char* melt;
    const char* density;
  };
  const Case cases[] = {
      {"no list row and no composition row yet", "", "", "600 K", "7.3099999 g/cm3"},
      {"after a list row: show-point",
       "l" + std::string("c"),
       LIST_HEADER + list_row(1, "H", "Hydrogen", "   1.00800") +
           list_row(2, "O", "Oxygen", "   15.9990") +
           list_row(3, "Ex", "Examplium", "   123.450") +
           list_row(4, "Lt", "Lightium", " 0.0899000") + CLOSING + MENU,
       "600.00000 K", "7.3099999 g/cm3"},
      {"after a composition row: fixed notation",
       "c" + std::string("Ex\n") + "c",
       FORMULA_PROMPT + COMPOSITION_HEADER +
           "\n\n  Ex\t   3      Examplium   \t 1          123.450\t 123.4500     100.0000" +
           CALCULATOR_CLOSING + MENU,
       "600.00000000 K", "7.30999994 g/cm3"},
  };
  TempDir dir;
  write_fixture(dir, state_elements(), BANNER);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    expect_transcript(dir, BANNER_KEY + c.input_before + "p" + "Ex\n" + "e",
                      START + c.output_before + FORMULA_PROMPT +
                          block("Ex", "Examplium", 3, c.melt, "Unknown", "14", 5, c.density) +
                          CLOSING);
  }
}

// Two records with the same symbol give two blocks, in table order.
TEST(PropertiesTranscript, TwoRecordsWithTheSameSymbolGiveTwoBlocks) {
  TempDir dir;
  write_fixture(dir, {{"H", "Hydrogen", "1.008", "0", "0", "0", "1", "1"},
                      {"Dd", "Duplicate", "10", "1", "2", "3", "4", "5"},
                      {"Dd", "Doublet", "20", "6", "7", "8", "9", "10"}}, BANNER);
  expect_transcript(dir, BANNER_KEY + "p" + "Dd\n" + "e",
                    START + FORMULA_PROMPT +
                        block("Dd", "Duplicate", 2, "2 K", "3 K", "4", 5, "1 g/cm3") +
                        block("Dd", "Doublet", 3, "7 K", "8 K", "9", 10, "6 g/cm3") + CLOSING);
}

TEST(PropertiesTranscript, ClosingKeys) {
  TempDir dir;
  write_fixture(dir, browser_elements(), BANNER);
  expect_transcript(dir, BANNER_KEY + "p" + "Na\n" + "E", START + FORMULA_PROMPT + NA_BLOCK + CLOSING);
  expect_transcript(dir, BANNER_KEY + "p" + "Na\n" + "x" + "e",
                    START + FORMULA_PROMPT + NA_BLOCK + CLOSING + MENU);
  expect_transcript(dir, BANNER_KEY + "p" + "Xx\n" + "E", START + FORMULA_PROMPT + ERROR_SCREEN);
  expect_transcript(dir, BANNER_KEY + "p" + "Xx\n" + "x" + "e",
                    START + FORMULA_PROMPT + ERROR_SCREEN + MENU);
}

}  // namespace
