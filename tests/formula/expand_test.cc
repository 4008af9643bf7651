// The parenthesis check, the expansion of one group, and the whole rewriting
// of groups, square brackets and hydrate parts.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "formula/formula.h"

namespace {

struct Token {
  std::string symbol;
  int32_t count;
  bool operator==(const Token&) const = default;
};

void PrintTo(const Token& token, std::ostream* out) {
  *out << "(" << token.symbol << ", " << token.count << ")";
}

std::vector<Token> tokens_of(const char* text) {
  std::vector<Token> tokens;
  const ScanResult result = scan_formula(text, [&](const SymbolToken& token) {
    tokens.push_back({token.symbol, token.count});
    return true;
  });
  EXPECT_EQ(result, ScanResult::COMPLETE);
  return tokens;
}

FormulaBuffer buffer_with(const std::string& text) {
  FormulaBuffer buffer;
  std::memset(buffer.text, 'X', sizeof buffer.text);  // stray bytes show up
  EXPECT_LE(text.size(), FORMULA_MAX_LENGTH);
  std::memcpy(buffer.text, text.c_str(), text.size() + 1);
  return buffer;
}

// ---- Parenthesis check ---------------------------------------------------------

TEST(ParenthesesCheck, ComparesTheNumbersOnly) {
  struct Case {
    const char* text;
    int result;
  };
  const Case cases[] = {
      {"Ca(OH", 1}, {"CaOH)", 1},      {"((OH)", 1}, {"", 2},
      {"H2O", 2},   {"[Fe]", 2},       {"Ca(OH)2", 3}, {")(", 3},
      {"(OH))(", 3}, {"K3(Fe(CN)6)", 3}, {"()", 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(check_parentheses(c.text), c.result);
  }
}

// ---- One group -----------------------------------------------------------------------

struct ExpansionCase {
  const char* typed;
  const char* expanded;
  std::vector<Token> tokens;
};

// Texts with at most one group, where the whole rewriting must give exactly
// what a single expansion gives.
const ExpansionCase ONE_GROUP_CASES[] = {
    {"Al2(SO4)3", "Al2S3O12", {{"Al", 2}, {"S", 3}, {"O", 12}}},
    {"Ca(OH)2", "CaO2H2", {{"Ca", 1}, {"O", 2}, {"H", 2}}},
    {"Mg(NO3)2", "MgN2O6", {{"Mg", 1}, {"N", 2}, {"O", 6}}},
    {"Ca3(PO4)2", "Ca3P2O8", {{"Ca", 3}, {"P", 2}, {"O", 8}}},
    {"(NH4)2SO4", "N2H8SO4", {{"N", 2}, {"H", 8}, {"S", 1}, {"O", 4}}},
    {"Cu(NH3)4SO4", "CuN4H12SO4", {{"Cu", 1}, {"N", 4}, {"H", 12}, {"S", 1}, {"O", 4}}},
    {"(CH3)2CO", "C2H6CO", {{"C", 2}, {"H", 6}, {"C", 1}, {"O", 1}}},
    {"Fe(CO)5", "FeC5O5", {{"Fe", 1}, {"C", 5}, {"O", 5}}},
    {"(NaCl)2", "Na2Cl2", {{"Na", 2}, {"Cl", 2}}},
    {"(OH)12", "O12H12", {{"O", 12}, {"H", 12}}},
    // A group without multiplier counts once.
    {"Ca(OH)", "CaO1H1", {{"Ca", 1}, {"O", 1}, {"H", 1}}},
    // Without digits the after-text begins right after ")".
    {"(OH)Na", "O1H1Na", {{"O", 1}, {"H", 1}, {"Na", 1}}},
    // An empty group leaves its multiplier alone.
    {"()3", "3", {}},
    // The minus sign is dropped, and S before it gets no multiplier.
    {"(S-O4)2", "SO8", {{"S", 1}, {"O", 8}}},
    {"(OH)0", "O0H0", {{"O", 0}, {"H", 0}}},
    // Counts inside keep their own digits only; leading zeros vanish.
    {"(H007C)2", "H14C2", {{"H", 14}, {"C", 2}}},
    {"(Uuuuu)2", "Uuuuu2", {{"Uuu", 1}}},
    {"(OH)007", "O7H7", {{"O", 7}, {"H", 7}}},
};

TEST(ExpandGroup, RewritesTheGroupAsTyped) {
  for (const ExpansionCase& c : ONE_GROUP_CASES) {
    SCOPED_TRACE(c.typed);
    FormulaBuffer buffer = buffer_with(c.typed);
    ASSERT_TRUE(expand_group(buffer));
    EXPECT_STREQ(buffer.text, c.expanded);
    EXPECT_EQ(tokens_of(buffer.text), c.tokens);
  }
}

TEST(ExpandGroup, ExpandsOnlyTheLastGroup) {
  const ExpansionCase cases[] = {
      // The outer parentheses stay and the scanner passes over them.
      {"K3(Fe(CN)6)", "K3(FeC6N6)", {{"K", 3}, {"Fe", 1}, {"C", 6}, {"N", 6}}},
      {"Ca(OH)2(NO3)2", "Ca(OH)2N2O6", {{"Ca", 1}, {"O", 1}, {"H", 1}, {"N", 2}, {"O", 6}}},
  };
  for (const ExpansionCase& c : cases) {
    SCOPED_TRACE(c.typed);
    FormulaBuffer buffer = buffer_with(c.typed);
    ASSERT_TRUE(expand_group(buffer));
    EXPECT_STREQ(buffer.text, c.expanded);
    EXPECT_EQ(tokens_of(buffer.text), c.tokens);
  }
}

TEST(ExpandGroup, LargeValuesThatStillFit) {
  struct Case {
    const char* typed;
    const char* expanded;
  };
  const Case cases[] = {
      {"(H)2147483647", "H2147483647"},
      {"(H2)1073741823", "H2147483646"},
      {"(H)0000000000002", "H2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    FormulaBuffer buffer = buffer_with(c.typed);
    ASSERT_TRUE(expand_group(buffer));
    EXPECT_STREQ(buffer.text, c.expanded);
  }
}

TEST(ExpandGroup, RefusesAndLeavesTheTextAsItWas) {
  const std::string cases[] = {
      "H2O",                // no group
      ")(",                 // no ")" after the last "("
      "Ca(OH",              // no ")" at all
      "(H)2147483648",      // multiplier beyond 32 bits
      "(OH)99999999999",    // a digit run far beyond 32 bits
      "(H2)1073741824",     // product beyond 32 bits
      "(H3C2147483647)2",   // product of the last count
      "(H99999999999)0",    // a count beyond 32 bits, even times 0
      "(" + std::string(86, 'H') + ")99",               // inside-text of 258
      std::string(248, 'C') + "(HHH)99",                // result of 257
  };
  for (const std::string& typed : cases) {
    SCOPED_TRACE(typed);
    FormulaBuffer buffer = buffer_with(typed);
    const FormulaBuffer before = buffer;
    EXPECT_FALSE(expand_group(buffer));
    EXPECT_EQ(std::memcmp(buffer.text, before.text, sizeof buffer.text), 0);
  }
}

TEST(ExpandGroup, FillsTheBufferToItsBound) {
  struct Case {
    std::string typed;
    std::string expanded;
  };
  std::string h99;
  for (int i = 0; i < 85; ++i) h99 += "H99";
  const Case cases[] = {
      {"(" + std::string(85, 'H') + ")99", h99},
      {std::string(246, 'C') + "(HHH)99", std::string(246, 'C') + "H99H99H99"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    FormulaBuffer buffer = buffer_with(c.typed);
    ASSERT_TRUE(expand_group(buffer));
    EXPECT_EQ(buffer.text, c.expanded);
    EXPECT_EQ(std::strlen(buffer.text), FORMULA_MAX_LENGTH);
  }
}

// ---- The whole rewriting -----------------------------------------------------------

TEST(ExpandFormula, GivesWhatOneExpansionGivesForOneGroup) {
  for (const ExpansionCase& c : ONE_GROUP_CASES) {
    SCOPED_TRACE(c.typed);
    FormulaBuffer buffer = buffer_with(c.typed);
    ASSERT_TRUE(expand_formula(buffer));
    EXPECT_STREQ(buffer.text, c.expanded);
  }
}

TEST(ExpandFormula, LeavesATextWithoutGroupsOrDots) {
  const char* const texts[] = {"", "H2O", "CH3COOH", "h2o", "2H2O", "+-", "H2O\xC2", "\xB7"};
  for (const char* text : texts) {
    SCOPED_TRACE(text);
    FormulaBuffer buffer = buffer_with(text);
    ASSERT_TRUE(expand_formula(buffer));
    EXPECT_STREQ(buffer.text, text);
  }
}

// Short texts of one group in the right order, drawn at random from the
// characters that matter to the expansion: the whole rewriting must agree
// with a single expansion on every one of them.
TEST(ExpandFormula, AgreesWithOneExpansionOnRandomShortTexts) {
  const char alphabet[] = "HOCalb0129-+ ";
  std::mt19937 random(20240611);
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    const size_t length = random() % 18;
    for (size_t i = 0; i < length; ++i) text += alphabet[random() % (sizeof alphabet - 1)];
    const size_t open = random() % (text.size() + 1);
    text.insert(open, 1, '(');
    const size_t close = open + 1 + random() % (text.size() - open);
    text.insert(close, 1, ')');
    ASSERT_LE(text.size(), 19u);
    SCOPED_TRACE(text);
    FormulaBuffer single = buffer_with(text);
    FormulaBuffer whole = buffer_with(text);
    const bool single_expanded = expand_group(single);  // false: beyond 32 bits
    ASSERT_EQ(expand_formula(whole), single_expanded);
    ASSERT_STREQ(whole.text, single.text);
  }
}

TEST(ExpandFormula, ExpandsEveryGroup) {
  const ExpansionCase cases[] = {
      {"Ca(OH)2(NO3)2", "CaO2H2N2O6",
       {{"Ca", 1}, {"O", 2}, {"H", 2}, {"N", 2}, {"O", 6}}},
      {"K3(Fe(CN)6)", "K3Fe1C6N6", {{"K", 3}, {"Fe", 1}, {"C", 6}, {"N", 6}}},
      {"K4(Fe(CN)6)", "K4Fe1C6N6", {{"K", 4}, {"Fe", 1}, {"C", 6}, {"N", 6}}},
      {"(NH4)2Fe(SO4)2", "N2H8FeS2O8", {{"N", 2}, {"H", 8}, {"Fe", 1}, {"S", 2}, {"O", 8}}},
      {"Al(OH)(CH3COO)2", "AlO1H1C2H6C2O2O2",
       {{"Al", 1}, {"O", 1}, {"H", 1}, {"C", 2}, {"H", 6}, {"C", 2}, {"O", 2}, {"O", 2}}},
      // A multiplier after an outer group reaches the counts of the inner one.
      {"((CH3)3C)2O", "C6H18C2O", {{"C", 6}, {"H", 18}, {"C", 2}, {"O", 1}}},
      {"(NH4)2Fe(SO4)2(H2O)6", "N2H8FeS2O8H12O6",
       {{"N", 2}, {"H", 8}, {"Fe", 1}, {"S", 2}, {"O", 8}, {"H", 12}, {"O", 6}}},
      {"CH3(CH2)7CHCH(CH2)7COOH", "CH3C7H14CHCHC7H14COOH",
       {{"C", 1}, {"H", 3}, {"C", 7}, {"H", 14}, {"C", 1}, {"H", 1}, {"C", 1}, {"H", 1},
        {"C", 7}, {"H", 14}, {"C", 1}, {"O", 1}, {"O", 1}, {"H", 1}}},
  };
  for (const ExpansionCase& c : cases) {
    SCOPED_TRACE(c.typed);
    FormulaBuffer buffer = buffer_with(c.typed);
    ASSERT_TRUE(expand_formula(buffer));
    EXPECT_STREQ(buffer.text, c.expanded);
    EXPECT_EQ(tokens_of(buffer.text), c.tokens);
  }
}

TEST(ExpandFormula, HydrateDotsAndSquareBrackets) {
  const ExpansionCase cases[] = {
      {"CuSO4.5H2O", "CuSO4H10O5", {{"Cu", 1}, {"S", 1}, {"O", 4}, {"H", 10}, {"O", 5}}},
      {"CuSO4*5H2O", "CuSO4H10O5", {{"Cu", 1}, {"S", 1}, {"O", 4}, {"H", 10}, {"O", 5}}},
      {"CuSO4\xC2\xB7" "5H2O", "CuSO4H10O5",
       {{"Cu", 1}, {"S", 1}, {"O", 4}, {"H", 10}, {"O", 5}}},
      {"Na2CO3.10H2O", "Na2CO3H20O10",
       {{"Na", 2}, {"C", 1}, {"O", 3}, {"H", 20}, {"O", 10}}},
      // Without digits after the dot the part counts once.
      {"CaSO4.H2O", "CaSO4H2O1", {{"Ca", 1}, {"S", 1}, {"O", 4}, {"H", 2}, {"O", 1}}},
      {"CoCl2.6H2O.2NH3", "CoCl2H12O6N2H6",
       {{"Co", 1}, {"Cl", 2}, {"H", 12}, {"O", 6}, {"N", 2}, {"H", 6}}},
      {"K4[Fe(CN)6]", "K4Fe1C6N6", {{"K", 4}, {"Fe", 1}, {"C", 6}, {"N", 6}}},
      {"[Cu(H2O)4]SO4.H2O", "Cu1H8O4SO4H2O1",
       {{"Cu", 1}, {"H", 8}, {"O", 4}, {"S", 1}, {"O", 4}, {"H", 2}, {"O", 1}}},
      // The part may itself hold groups, or be one.
      {"X.2Ca(OH)2", "XCa2O4H4", {{"X", 1}, {"Ca", 2}, {"O", 4}, {"H", 4}}},
      {"X.3(OH)2", "XO6H6", {{"X", 1}, {"O", 6}, {"H", 6}}},
      // A part with nothing in it adds nothing: a dot at the end, two dots.
      {"CuSO4.", "CuSO4", {{"Cu", 1}, {"S", 1}, {"O", 4}}},
      {"CuSO4..5H2O", "CuSO4H10O5", {{"Cu", 1}, {"S", 1}, {"O", 4}, {"H", 10}, {"O", 5}}},
      {"CuSO4.*", "CuSO4", {{"Cu", 1}, {"S", 1}, {"O", 4}}},
      {".", "", {}},
      // Nothing in front of the first dot.
      {".5H2O", "H10O5", {{"H", 10}, {"O", 5}}},
  };
  for (const ExpansionCase& c : cases) {
    SCOPED_TRACE(c.typed);
    FormulaBuffer buffer = buffer_with(c.typed);
    ASSERT_TRUE(expand_formula(buffer));
    EXPECT_STREQ(buffer.text, c.expanded);
    EXPECT_EQ(tokens_of(buffer.text), c.tokens);
  }
}

TEST(ExpandFormula, RefusesAndLeavesTheTextAsItWas) {
  std::string hydrated_bound = "H";
  for (int i = 0; i < 127; ++i) hydrated_bound += ".H";
  const std::string cases[] = {
      // The parentheses cannot be paired.
      ")(", "(OH))(", "Ca(OH", "CaOH)", "Ca)OH(", "[Fe(CN)6", "K4[Fe(CN)6]]",
      "K4[Fe(CN)6)", "K4(Fe(CN)6]", "[(])",
      // A dot inside a group.
      "Ca(OH.H2O)2", "(CuSO4*5H2O)", "[Cu(H2O)4\xC2\xB7H2O]",
      // Digits after a dot with nothing to multiply.
      "CuSO4.5", "CuSO4.5.H2O",
      // A part that does not begin with a symbol or a group: its first count
      // would join the symbol in front of it.
      "CuSO4.5h2o", "CuSO4.5-3H2O", "CuSO4.+",
      // Beyond 32 bits.
      "(H)2147483648", "(OH)99999999999", "(H2)1073741824", "((H2)65536)32768",
      "CuSO4.99999999999H2O", "Ca(OH)2(NO3)4294967296",
      // Beyond the buffer: after an expansion, after the hydrate rewriting.
      "(" + std::string(86, 'H') + ")99", "(H)9(" + std::string(84, 'H') + ")99",
      hydrated_bound,
  };
  for (const std::string& typed : cases) {
    SCOPED_TRACE(typed);
    FormulaBuffer buffer = buffer_with(typed);
    const FormulaBuffer before = buffer;
    EXPECT_FALSE(expand_formula(buffer));
    EXPECT_EQ(std::memcmp(buffer.text, before.text, sizeof buffer.text), 0);
  }
}

TEST(ExpandFormula, RefusesABufferWithoutNul) {
  FormulaBuffer buffer;
  std::memset(buffer.text, 'H', sizeof buffer.text);
  EXPECT_FALSE(expand_formula(buffer));
  EXPECT_FALSE(expand_group(buffer));
}

}  // namespace
