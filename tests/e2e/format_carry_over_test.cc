// The number format is never reset: what one screen leaves in force is how
// the next ones write their numbers. The real binary visits the screens in
// several orders through a pipe, and the same masses come out differently.
//
// What each screen leaves in force once it has written something:
//   element list:        right adjustment, show-point
//   composition row:     right adjustment, show-point, fixed notation, precision 4
//   properties block:    precision 8
//   mass, help, errors:  nothing

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

// ---- Data set ----------------------------------------------------------------

// H and O for the mass of water, the made-up Examplium, and a light mass whose
// eighth digit shows single precision.
const std::vector<FixtureElement> ELEMENTS = {
    {"H", "Hydrogen", "1.008", "0.00008988", "13.81", "20.28", "1", "1"},
    {"O", "Oxygen", "15.999", "0.001429", "54.36", "90.2", "16", "2"},
    {"Ex", "Examplium", "123.45", "7.31", "600", "0", "14", "5"},
    {"Lt", "Lightium", "0.0899", "0.5", "10", "20", "1", "9"},
};

// ---- Screens as they appear, by the state they are shown in --------------------

// The mass columns of the four records (H, O, Ex, Lt), right in 10.
struct ListMasses {
  const char* h;
  const char* o;
  const char* ex;
  const char* lt;
};
const ListMasses GENERAL_6 = {"   1.00800", "   15.9990", "   123.450", " 0.0899000"};
const ListMasses GENERAL_8 = {" 1.0080000", " 15.999000", " 123.45000", "0.089900002"};
const ListMasses FIXED_4 = {"    1.0080", "   15.9990", "  123.4500", "    0.0899"};
const ListMasses FIXED_8 = {"1.00800002", "15.99899960", "123.44999695", "0.08990000"};

// The element list after the menu key L, closing prompt included.
std::string list_screen(const ListMasses& m) {
  return LIST_HEADER + "\n   1\t\tH  \t\t  Hydrogen    \t\t" + m.h +
         "\n   2\t\tO  \t\t  Oxygen      \t\t" + m.o + "\n   3\t\tEx \t\t  Examplium   \t\t" +
         m.ex + "\n   4\t\tLt \t\t  Lightium    \t\t" + m.lt + CLOSING;
}

// The properties screen for the word Ex; melt 600 and density 7.31 written
// with 8 digits under the notation and show-point in force.
std::string ex_properties_screen(const std::string& melt, const std::string& density) {
  return FORMULA_PROMPT + "\n        Ex\nElement is     ::  Examplium\nAtomic no      ::  3" +
         "\nMelting point  ::  " + melt + " K\nBoiling point  ::  Unknown" +
         "\nGroup          ::  14\nPeriod         ::  5\nDensity        ::  " + density +
         " g/cm3" + CLOSING;
}
const std::string EX_PROPERTIES_INITIAL = ex_properties_screen("600", "7.3099999");
const std::string EX_PROPERTIES_SHOW_POINT = ex_properties_screen("600.00000", "7.3099999");
const std::string EX_PROPERTIES_FIXED = ex_properties_screen("600.00000000", "7.30999994");

// A composition row sets every format it depends on: it is the same in every
// state.
const std::string EX_COMPOSITION_SCREEN =
    FORMULA_PROMPT + COMPOSITION_HEADER +
    "\n\n  Ex\t   3      Examplium   \t 1          123.450\t 123.4500     100.0000" +
    CALCULATOR_CLOSING;
const std::string WATER_COMPOSITION_SCREEN =
    FORMULA_PROMPT + COMPOSITION_HEADER +
    "\n\n   H\t   1      Hydrogen    \t 2          1.00800\t   2.0160      11.1907"
    "\n\n   O\t   2      Oxygen      \t 1          15.9990\t  15.9990      88.8093" +
    CALCULATOR_CLOSING;

std::string water_mass_screen(const std::string& total) {
  return FORMULA_PROMPT + "\n\n\nMass is " + total + " gm/mol" + CALCULATOR_CLOSING;
}

// ---- Visits ------------------------------------------------------------------------

// One screen visit: the keys and lines typed from the menu on, and what the
// screen writes, up to and including its closing prompt.
struct Visit {
  std::string input;
  std::string output;
};

Visit list(const ListMasses& masses) { return {"l", list_screen(masses)}; }
Visit properties(const std::string& word, const std::string& shown) {
  return {"p" + word + "\n", shown};
}
Visit composition(const std::string& word, const std::string& shown) {
  return {"c" + word + "\n", shown};
}
Visit mass(const std::string& total) { return {"mH2O\n", water_mass_screen(total)}; }

struct Order {
  const char* name;
  std::vector<Visit> visits;
};

// Every visit but the last is closed with a key that shows the menu again;
// the last is closed with e.
void expect_visits(const TempDir& dir, const Order& order) {
  std::string input = BANNER_KEY;
  std::string expected = START;
  for (size_t i = 0; i < order.visits.size(); ++i) {
    const bool last = i + 1 == order.visits.size();
    input += order.visits[i].input + (last ? "e" : "c");
    expected += order.visits[i].output + (last ? "" : MENU);
  }
  const ProgramResult result = run_piped(dir.path(), input);
  EXPECT_FALSE(result.timed_out);
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.output, expected);
}

TEST(FormatCarryOver, ScreensInSeveralOrders) {
  const Order orders[] = {
      {"the list twice: the same both times",
       {list(GENERAL_6), list(GENERAL_6)}},
      {"mass, help and error screens change nothing",
       {mass("18.015"), {"hx", HELP_MENU + CLOSING}, {"mXx\n", FORMULA_PROMPT + ERROR_SCREEN},
        {"pXx\n", FORMULA_PROMPT + ERROR_SCREEN}, {"cXx\n", FORMULA_PROMPT + ERROR_SCREEN},
        list(GENERAL_6), mass("18.0150")}},
      {"a composition without rows and properties without blocks change nothing",
       {composition("H0", FORMULA_PROMPT + COMPOSITION_HEADER + CALCULATOR_CLOSING),
        properties("(", FORMULA_PROMPT + CLOSING), list(GENERAL_6), mass("18.0150")}},
      {"list, then mass: show-point",
       {list(GENERAL_6), mass("18.0150")}},
      {"properties, then list, then mass: 8 digits with show-point",
       {properties("Ex", EX_PROPERTIES_INITIAL), list(GENERAL_8), mass("18.014999")}},
      {"list, then properties, then list: show-point stays, 8 digits added",
       {list(GENERAL_6), properties("Ex", EX_PROPERTIES_SHOW_POINT), list(GENERAL_8)}},
      {"composition, then list, then mass: fixed with 4 decimals",
       {composition("Ex", EX_COMPOSITION_SCREEN), list(FIXED_4), mass("18.0150")}},
      {"composition, then properties, then list, then mass: fixed with 8 decimals",
       {composition("Ex", EX_COMPOSITION_SCREEN), properties("Ex", EX_PROPERTIES_FIXED),
        list(FIXED_8), mass("18.01499939")}},
      // The order matters: a composition row sets precision 4 again.
      {"properties, then composition: the row is unchanged, precision 4 replaces 8",
       {properties("Ex", EX_PROPERTIES_INITIAL), composition("H2O", WATER_COMPOSITION_SCREEN),
        list(FIXED_4), properties("Ex", EX_PROPERTIES_FIXED), list(FIXED_8)}},
      {"list, properties, composition, list",
       {list(GENERAL_6), properties("Ex", EX_PROPERTIES_SHOW_POINT),
        composition("Ex", EX_COMPOSITION_SCREEN), list(FIXED_4), mass("18.0150")}},
      {"composition rows after every other screen are the same",
       {list(GENERAL_6), composition("H2O", WATER_COMPOSITION_SCREEN),
        properties("Ex", EX_PROPERTIES_FIXED), composition("H2O", WATER_COMPOSITION_SCREEN),
        mass("18.0150")}},
  };
  TempDir dir;
  write_fixture(dir, ELEMENTS, BANNER);
  for (const Order& order : orders) {
    SCOPED_TRACE(order.name);
    expect_visits(dir, order);
  }
}

}  // namespace
